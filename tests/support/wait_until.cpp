#include "wait_until.h"

#include <algorithm>
#include <thread>

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit,
               std::chrono::milliseconds step) {
  return WaitUntil(condition, limit, step, [](std::chrono::milliseconds d) { std::this_thread::sleep_for(d); });
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit,
               std::chrono::milliseconds step, const std::function<void(std::chrono::milliseconds)>& pause) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    if (condition()) return true;
    const auto now = std::chrono::steady_clock::now();
    if (now >= deadline) return false;
    pause(std::min(step, std::chrono::ceil<std::chrono::milliseconds>(deadline - now)));
  }
}
