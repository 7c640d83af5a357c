// One playing sound: a decoder feeding an output from a thread of its own, with the
// play range, pause, seek, the effects, volume and pan (also sliding over a time) and the
// levels of what is heard. Positions are milliseconds of the sound. Portable.
#pragma once
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "audio/effects.h"
#include "audio/play_clock.h"
#include "audio/stream.h"

namespace audio {

// Channel states as the wrapper reports them.
enum : int { kStateStopped = 0, kStatePlaying = 1, kStatePaused = 3 };

class Channel {
 public:
  // Takes a decoder and an opened output. now: the time source of attribute slides.
  Channel(std::unique_ptr<Decoder> decoder, std::unique_ptr<Output> output, TimeSource now = SteadyMicroseconds);
  ~Channel();
  Channel(const Channel&) = delete;
  Channel& operator=(const Channel&) = delete;

  // Plays from start to end (milliseconds; an end of 0, or past the sound, is its end).
  // False when the start cannot be reached.
  bool Play(int64_t startMs, int64_t endMs);
  void Pause();
  // Goes on after a pause or a stop; an ended sound stays ended.
  void Resume();
  void Stop();
  // Moves to a position; a sound that had ended can be resumed from there.
  bool Seek(int64_t ms);

  // kStatePlaying, kStatePaused, or kStateStopped (also when it has ended).
  int State();
  bool Ended();
  int64_t PositionMs();
  // The whole sound's length, 0 when it cannot be told (yet).
  int64_t LengthMs();
  // Levels of what is heard now; none while not playing.
  Levels CurrentLevels();
  bool Silent() const { return silentOutput_; }
  std::string Title() const { return title_; }

  // Volume 0 to 100, pan -100 to 100; -1 (volume) and -101 (pan) keep the value.
  void SetAttributes(int volume, int pan);
  void GetAttributes(int& volume, int& pan);
  // Moves volume and pan to new values over a time. A volume of -2 fades to 0 and then
  // stops the sound.
  void SlideAttributes(int volume, int pan, int milliseconds);
  // Global volume of streams (0 to 100), applied on top of the channel's own.
  void SetGlobalVolume(int percent);
  // The equaliser and effects on what the channel decodes (before volume and pan). The
  // first call makes their buffers; later ones only change settings. A channel never
  // given any plays its sound as it is.
  void SetEffects(const EffectSettings& settings);

  // How far ahead of the output the thread decodes.
  static constexpr int kLeadMs = 250;

 private:
  struct Block {
    int64_t firstFrame = 0;
    std::vector<int16_t> samples;
  };
  struct Slide {
    bool active = false;
    int64_t start = 0;        // time source value
    int64_t duration = 0;     // microseconds
    int fromVolume = 0, toVolume = 0, fromPan = 0, toPan = 0;
    bool stopAtEnd = false;
  };

  void Run();
  // How long the thread may sleep before the output or a slide needs it.
  int64_t WaitMsLocked();
  void FillLocked();
  Block& HistoryAt(size_t i) { return history_[(historyFirst_ + i) % history_.size()]; }
  void UpdateSlideLocked();
  int64_t FrameOfMs(int64_t ms) const;
  // A position in frames, within the sound when its length is known.
  int64_t ClampedFrameOfMs(int64_t ms) const;
  // Puts decoder and output at a frame with nothing queued; false when it cannot be reached.
  bool RestartAtLocked(int64_t frame);
  void StopLocked();
  int64_t MsOfFrame(int64_t frame) const;
  int64_t PositionFrameLocked();

  std::unique_ptr<Decoder> decoder_;
  std::unique_ptr<Output> output_;
  TimeSource now_;
  bool realClock_ = false;  // now_ is the steady clock: waits can be worked out
  PcmFormat format_;
  int64_t totalFrames_ = -1;
  bool silentOutput_ = false;
  std::string title_;

  std::mutex mutex_;
  std::condition_variable wake_;
  bool quit_ = false;
  int state_ = kStateStopped;
  bool ended_ = false;
  bool decodeEnded_ = false;
  int64_t startFrame_ = 0;    // sound frame at the output's position 0
  int64_t endFrame_ = 0;      // where this play stops
  int64_t decodedFrame_ = 0;  // next frame the decoder gives
  int volume_ = 100, pan_ = 0, globalVolume_ = 100;
  Slide slide_;
  // Decoded blocks for the levels, oldest first, in a ring whose blocks and buffers are
  // made with the channel: playing allocates nothing once it runs. A full ring lets its
  // oldest block go, which the levels no longer need.
  std::vector<Block> history_;
  size_t historyFirst_ = 0;
  size_t historyCount_ = 0;
  std::vector<int16_t> heard_;  // the block as heard: volume and pan applied
  std::unique_ptr<EffectChain> effects_;
  std::thread thread_;
};

}  // namespace audio
