// The sound device through waveOut; OpenOutput falls back to the silent clock when the
// machine has no device (waveOutOpen fails).
#include <windows.h>
#include <mmsystem.h>

#include <deque>
#include <memory>
#include <vector>

#include "audio/bass.h"
#include "../decoders.h"
#include "../sound_tap.h"
#include "fileio/paths.h"
#include "pcm16_format.h"

namespace audio {

namespace {

class WaveOutput : public Output {
 public:
  ~WaveOutput() override {
    if (device_) {
      waveOutReset(device_);
      Collect(true);
      waveOutClose(device_);
    }
  }

  int Open(const PcmFormat& format) override {
    WAVEFORMATEX f = Pcm16Format(format.channels, format.sampleRate);
    frameBytes_ = f.nBlockAlign;
    if (waveOutOpen(&device_, WAVE_MAPPER, &f, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
      device_ = nullptr;
      return kBassErrorDriver;
    }
    waveOutPause(device_);
    paused_ = true;
    return 0;
  }

  void Write(const int16_t* samples, size_t frames) override {
    Collect(false);
    // A buffer the device is done with serves again: playing allocates nothing once it runs.
    std::unique_ptr<Buffer> b;
    if (spare_.empty()) {
      b = std::make_unique<Buffer>();
    } else {
      b = std::move(spare_.back());
      spare_.pop_back();
    }
    b->bytes.assign(reinterpret_cast<const char*>(samples),
                    reinterpret_cast<const char*>(samples) + frames * frameBytes_);
    b->header = WAVEHDR{};
    b->header.lpData = b->bytes.data();
    b->header.dwBufferLength = DWORD(b->bytes.size());
    if (waveOutPrepareHeader(device_, &b->header, sizeof b->header) != MMSYSERR_NOERROR) {
      spare_.push_back(std::move(b));
      return;
    }
    if (waveOutWrite(device_, &b->header, sizeof b->header) != MMSYSERR_NOERROR) {
      waveOutUnprepareHeader(device_, &b->header, sizeof b->header);
      spare_.push_back(std::move(b));
      return;
    }
    written_ += int64_t(frames);
    queue_.push_back(std::move(b));
  }

  int64_t Played() override {
    MMTIME t{};
    t.wType = TIME_BYTES;
    if (waveOutGetPosition(device_, &t, sizeof t) != MMSYSERR_NOERROR) return 0;
    int64_t frames = t.wType == TIME_SAMPLES ? int64_t(t.u.sample)
                     : t.wType == TIME_BYTES ? int64_t(t.u.cb) / frameBytes_
                                             : 0;
    return frames < written_ ? frames : written_;
  }

  int64_t Written() const override { return written_; }

  void Pause(bool on) override {
    if (on == paused_) return;
    paused_ = on;
    if (on) waveOutPause(device_);
    else waveOutRestart(device_);
  }

  void Reset() override {
    // waveOutReset also sets the device's position back to 0 and leaves it playing.
    waveOutReset(device_);
    Collect(true);
    written_ = 0;
    if (paused_) waveOutPause(device_);
  }

 private:
  struct Buffer {
    WAVEHDR header{};
    std::vector<char> bytes;
  };

  // Unprepares the buffers the device is done with (all of them after a reset).
  void Collect(bool all) {
    while (!queue_.empty() && (all || (queue_.front()->header.dwFlags & WHDR_DONE))) {
      waveOutUnprepareHeader(device_, &queue_.front()->header, sizeof(WAVEHDR));
      spare_.push_back(std::move(queue_.front()));
      queue_.pop_front();
    }
  }

  HWAVEOUT device_ = nullptr;
  int frameBytes_ = 4;
  int64_t written_ = 0;
  bool paused_ = false;
  std::deque<std::unique_ptr<Buffer>> queue_;   // handed to the device, in order
  std::vector<std::unique_ptr<Buffer>> spare_;  // done with, for the next writes
};

}  // namespace

std::string TapFileStem() {
  char path[MAX_PATH] = {};
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  return fileio::StemOf(std::string(path, n)) + "_" + std::to_string(GetCurrentProcessId());
}

std::unique_ptr<Output> OpenOutput(const PcmFormat& format, int& error) {
  auto device = std::make_unique<WaveOutput>();
  if (device->Open(format) == 0) {
    error = 0;
    return device;
  }
  // No sound output on this machine: play on the silent clock.
  return OpenSilentOutput(format, error);
}

}  // namespace audio
