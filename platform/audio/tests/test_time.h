// Time in the audio tests: a clock the test moves by hand. Portable.
#pragma once
#include <atomic>
#include <cstdint>
#include <memory>

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

}  // namespace soundtest
