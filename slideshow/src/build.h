// Command 104: the build of the show into a folder ready for a CD.
#pragma once
#include <string>
#include <vector>

namespace dunmere {

void BuildShow();
// The non-empty fields of a ","-separated list, trimmed.
std::vector<std::string> SplitFields(const std::string& list);

}  // namespace dunmere
