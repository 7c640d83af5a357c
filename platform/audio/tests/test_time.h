// Time in the audio tests: a clock the test moves by hand, and a wait for a condition
// with a time limit (the channels play on threads of their own). Portable.
#pragma once
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

#include "audio/play_clock.h"

namespace soundtest {

// A time source that moves only when the test says so; safe to read from a channel's thread.
struct FakeTime {
  std::shared_ptr<std::atomic<int64_t>> now = std::make_shared<std::atomic<int64_t>>(1000000);
  audio::TimeSource Source() const {
    auto n = now;
    return [n] { return n->load(); };
  }
  void AdvanceMs(int64_t ms) { *now += ms * 1000; }
};

// Polls (real time) until the condition holds or the seconds have passed.
inline bool Eventually(const std::function<bool()>& condition, int seconds = 10) {
  auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (std::chrono::steady_clock::now() < until) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return condition();
}

}  // namespace soundtest
