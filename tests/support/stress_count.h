// The counts of the stress checks (kills, records, rounds): small in CI, raised for a local
// run through the environment, e.g. SUITE_KILL_ROUNDS=50.
#pragma once
#include <cstdlib>

// The positive number the variable holds, else the fallback.
inline int StressCount(const char* name, int fallback) {
  const char* text = std::getenv(name);
  const int n = text ? std::atoi(text) : 0;
  return n > 0 ? n : fallback;
}
