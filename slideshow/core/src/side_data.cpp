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

int EffectId(int group, int index) { return kFirstEffectId + 1000 * group + index; }

// In 64 bits: a damaged side file may hold any number, and its group is still told.
int EffectGroup(int id) { return int((int64_t(id) - kFirstEffectId) / 1000); }

int EffectIndex(int id) { return int(int64_t(id) - (kFirstEffectId + int64_t(1000) * EffectGroup(id))); }

bool IsPluginEffect(int id) { return id >= kAutomaticPluginEffect && id < kNoEffect; }

std::string FormatEffectFile(int id, const std::string& listEntry) { return std::to_string(id) + "|" + listEntry; }

EffectChoice ParseEffectFile(std::string_view text) {
  EffectChoice choice;
  size_t bar = text.find('|');
  std::string number = fileio::Trim(text.substr(0, bar));
  if (number.empty() || number.find_first_not_of("-0123456789") != std::string::npos) return choice;
  choice.valid = true;
  choice.id = fileio::LeadingNumber(number);
  if (bar != std::string_view::npos) choice.listEntry = std::string(text.substr(bar + 1));
  return choice;
}

int WholeSeconds(int milliseconds) {
  if (milliseconds <= 0) return 0;
  return int((static_cast<long long>(milliseconds) + 500) / 1000);
}

}  // namespace dunmere
