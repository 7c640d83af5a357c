// The recorder's frame clock: frame n of a recording at r frames per second is due n / r
// seconds after its start. A frame taken late takes the place of those missed meanwhile,
// which count as dropped. Portable.
#pragma once
#include <cstdint>

namespace morvane {

class FrameClock {
 public:
  // At least one frame per second.
  explicit FrameClock(int framesPerSecond);

  struct Step {
    bool take = false;     // a frame is due now
    int64_t dropped = 0;   // frames missed since the last one taken
  };
  // The step at elapsed milliseconds since the start (never less than at the call before).
  Step At(int64_t elapsedMs);
  // Milliseconds from the start at which the next frame is due.
  int64_t NextDueMs() const;
  int64_t Taken() const { return taken_; }
  int64_t Dropped() const { return dropped_; }

 private:
  int rate_;
  int64_t next_ = 0;  // the index of the next frame due
  int64_t taken_ = 0, dropped_ = 0;
};

}  // namespace morvane
