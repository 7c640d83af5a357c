#include "dunmere/side_data.h"

#include <cstdint>

#include "fileio/fields.h"
#include "fileio/paths.h"

namespace dunmere {

bool IsSlideSideFileKind(std::string_view extension) {
  if (!extension.empty() && extension.front() == '.') extension.remove_prefix(1);
  for (const char* kind : {kTextSideFile, kTimeSideFile, kSoundSideFile, kEffectSideFile})
    if (fileio::EqualsNoCase(extension, kind)) return true;
  return false;
}

int WholeSeconds(int milliseconds) {
  if (milliseconds <= 0) return 0;
  return int((static_cast<long long>(milliseconds) + 500) / 1000);
}

}  // namespace dunmere
