#include "fileio/paths.h"

namespace fileio {

// Iterative match with one backtrack point for the last "*": linear in practice and
// never recursive, so long names cannot exhaust the stack.
bool WildcardMatch(std::string_view pattern, std::string_view name) {
  auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? char(c - 32) : c; };
  size_t p = 0, n = 0;
  size_t starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || upper(pattern[p]) == upper(name[n]))) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  // Windows lets "*.*" and "name." match names without a dot.
  if (p < pattern.size() && pattern.substr(p) == ".*") return true;
  if (p + 1 == pattern.size() && pattern[p] == '.') return true;
  return p == pattern.size();
}

}  // namespace fileio
