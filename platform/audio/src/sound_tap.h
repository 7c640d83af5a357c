// The test tap: when the environment variable SUITE_AUDIO_TAP names a folder, every sound
// played on the silent device is also written there, as heard (volume and pan applied),
// into a WAVE file of its own: "<program>_<process id>_<n>.wav", n counting the sounds
// of the process from 1. The file's sizes are brought up to date with every write, so a
// reader may take it at any moment. Private to the layer; portable.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "audio/pcm.h"
#include "fileio/file.h"

namespace audio {

class SoundTap {
 public:
  // A tap for a new sound when the variable names a folder; null otherwise, or when the
  // file cannot be made.
  static std::unique_ptr<SoundTap> ForNewSound(const PcmFormat& format);
  // The tap in folder under the name, for the sound's form; null when the file cannot be made.
  static std::unique_ptr<SoundTap> Open(const std::string& path, const PcmFormat& format);

  // Appends frames. A failed write ends the tap quietly: the sound plays on.
  void Write(const int16_t* samples, size_t frames);

 private:
  fileio::File file_;
  uint32_t frameBytes_ = 0;
  uint32_t dataBytes_ = 0;
  bool failed_ = false;
};

// The name part of the tap files of this process ("jorvel_1234"); the platform tells the
// program and the process (platform_*.cpp).
std::string TapFileStem();

}  // namespace audio
