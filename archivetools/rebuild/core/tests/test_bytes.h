// Reproducible item contents for the rebuild tests.
#pragma once
#include <cstdint>
#include <string>

namespace narwen {

inline std::string TestBytes(size_t n, int seed) {
  std::string s(n, '\0');
  uint32_t x = uint32_t(seed) * 2654435761u + 1;
  for (char& c : s) {
    x = x * 1103515245u + 12345u;
    c = char(x >> 16);
  }
  return s;
}

}  // namespace narwen
