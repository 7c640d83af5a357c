// Timing and failure reporting shared by the benchmark programs.
#pragma once

#include <chrono>
#include <cstdio>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

// Prints what failed with its code; gives the program's exit code.
inline int Fail(const char* what, int rc) {
  std::fprintf(stderr, "%s failed: %d\n", what, rc);
  return 1;
}

}  // namespace bench
