#include "audio/play_clock.h"

#include <chrono>

#include "sound_tap.h"

namespace audio {

int64_t SteadyMicroseconds() {
  return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void PlayClock::Restart(bool running) {
  banked_ = 0;
  running_ = running;
  startedAt_ = now_();
}

void PlayClock::Pause() {
  if (!running_) return;
  banked_ += now_() - startedAt_;
  running_ = false;
}

void PlayClock::Resume() {
  if (running_) return;
  startedAt_ = now_();
  running_ = true;
}

int64_t PlayClock::ElapsedMicroseconds() const { return banked_ + (running_ ? now_() - startedAt_ : 0); }

SilentOutput::SilentOutput(TimeSource now) : clock_(std::move(now)) {}
SilentOutput::~SilentOutput() = default;

void SilentOutput::TapInto(std::unique_ptr<SoundTap> tap) { tap_ = std::move(tap); }

int SilentOutput::Open(const PcmFormat& format) {
  rate_ = format.sampleRate;
  Reset();
  return 0;
}

int64_t SilentOutput::Played() {
  int64_t p = base_ + clock_.ElapsedMicroseconds() * int64_t(rate_) / 1000000;
  if (p >= written_) {
    // Everything handed over has been heard: the "device" waits for more, as a real one
    // does after an underrun, so the clock must not run on meanwhile.
    base_ = written_;
    clock_.Restart(false);
    return written_;
  }
  return p;
}

void SilentOutput::Write(const int16_t* samples, size_t frames) {
  if (frames == 0) return;
  if (tap_) tap_->Write(samples, frames);
  bool drained = Played() >= written_;
  written_ += int64_t(frames);
  if (drained) {
    base_ = written_ - int64_t(frames);
    clock_.Restart(!paused_);
  }
}

void SilentOutput::Pause(bool on) {
  paused_ = on;
  if (on) clock_.Pause();
  else if (Played() < written_) clock_.Resume();
}

void SilentOutput::Reset() {
  base_ = 0;
  written_ = 0;
  clock_.Restart(false);
}

}  // namespace audio
