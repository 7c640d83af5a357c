// The clock of a sound played without a sound card: it runs in real time from the moment
// samples are handed over, stops while the sound is paused and when every sample handed
// over has been "played", so that positions, levels and the end of a sound behave as they
// would with a device. Portable; the time source can be replaced for tests.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "audio/stream.h"

namespace audio {

// Microseconds from any fixed start.
using TimeSource = std::function<int64_t()>;
int64_t SteadyMicroseconds();

class PlayClock {
 public:
  explicit PlayClock(TimeSource now = SteadyMicroseconds) : now_(std::move(now)) {}
  // Back to 0; running or stopped.
  void Restart(bool running);
  void Pause();
  void Resume();
  bool Running() const { return running_; }
  int64_t ElapsedMicroseconds() const;

 private:
  TimeSource now_;
  bool running_ = false;
  int64_t startedAt_ = 0;  // time source value when it last started running
  int64_t banked_ = 0;     // microseconds run before that
};

class SoundTap;

// An output that plays nothing and keeps real time (see above). It may hand what it is
// given to a tap as well (the tests' record of what was heard).
class SilentOutput : public Output {
 public:
  explicit SilentOutput(TimeSource now = SteadyMicroseconds);
  ~SilentOutput() override;
  void TapInto(std::unique_ptr<SoundTap> tap);
  int Open(const PcmFormat& format) override;
  void Write(const int16_t* samples, size_t frames) override;
  int64_t Played() override;
  int64_t Written() const override { return written_; }
  void Pause(bool on) override;
  void Reset() override;
  bool Silent() const override { return true; }

 private:
  PlayClock clock_;
  std::unique_ptr<SoundTap> tap_;
  uint32_t rate_ = 0;
  int64_t base_ = 0;     // frames played before the clock last restarted
  int64_t written_ = 0;
  bool paused_ = false;
};

}  // namespace audio
