// Which libraries a path stands for: one library, or every library of an archive when
// the path is a pattern ("<folder><base>*.I01").
#pragma once
#include <string>
#include <vector>

namespace narwen {

bool IsLibraryPattern(const std::string& path);
// Library i (from 1) of a pattern: its folder + prefix + i with three digits + ".B" + the
// two characters after the first letter of the pattern's extension.
std::string LibraryOfPattern(const std::string& pattern, const std::string& prefix, int number);
// The files matching the pattern (read-only or archive files, no folders), at least 1.
int CountLibraries(const std::string& pattern);
// The libraries the path stands for: itself, or those of the pattern when `all` is set
// (library 1 alone otherwise).
std::vector<std::string> LibrariesOf(const std::string& path, const std::string& prefix, bool all);

}  // namespace narwen
