#include "narwen/library_names.h"

#include <cstdio>

#include "fileio/paths.h"
#include "skin/sk_files.h"

namespace narwen {
namespace {
// Files that are at most read-only or archive: no folders, hidden or system files.
constexpr int kLibraryAttributes = 33;
}  // namespace

bool IsLibraryPattern(const std::string& path) { return path.find("*.") != std::string::npos; }

std::string LibraryOfPattern(const std::string& pattern, const std::string& prefix, int number) {
  const std::string ext = fileio::ExtensionOf(pattern);  // "I01"
  std::string suffix = ext.size() > 1 ? ext.substr(1, 2) : "";
  char digits[16];
  std::snprintf(digits, sizeof digits, "%03d", number);
  return fileio::WithTrailingSeparator(fileio::FolderOf(pattern)) + prefix + digits + ".B" + suffix;
}

int CountLibraries(const std::string& pattern) {
  const int count = SKDIRCOUNT(pattern, kLibraryAttributes);
  return count < 1 ? 1 : count;
}

std::vector<std::string> LibrariesOf(const std::string& path, const std::string& prefix, bool all) {
  if (!IsLibraryPattern(path)) return {path};
  const int count = all ? CountLibraries(path) : 1;
  std::vector<std::string> out;
  for (int i = 1; i <= count; ++i) out.push_back(LibraryOfPattern(path, prefix, i));
  return out;
}

}  // namespace narwen
