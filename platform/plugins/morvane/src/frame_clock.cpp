#include "morvane/frame_clock.h"

#include <algorithm>

namespace morvane {

FrameClock::FrameClock(int framesPerSecond) : rate_(std::max(1, framesPerSecond)) {}

FrameClock::Step FrameClock::At(int64_t elapsedMs) {
  Step step;
  if (elapsedMs < 0) return step;
  int64_t due = elapsedMs * rate_ / 1000;  // the latest frame due
  if (due < next_) return step;
  step.take = true;
  step.dropped = due - next_;
  dropped_ += step.dropped;
  ++taken_;
  next_ = due + 1;
  return step;
}

int64_t FrameClock::NextDueMs() const { return (next_ * 1000 + rate_ - 1) / rate_; }

}  // namespace morvane
