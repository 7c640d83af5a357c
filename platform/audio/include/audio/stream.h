// The two ends of a playing sound: a decoder that turns a file into 16-bit samples and an
// output that plays them (a sound device, or the silent clock when there is none).
// Portable interfaces; the codecs and devices of the system implement them on Windows.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "audio/pcm.h"

namespace audio {

class Decoder {
 public:
  virtual ~Decoder() = default;
  virtual PcmFormat Format() const = 0;
  // Frames of the whole sound; -1 when it cannot be told before the end.
  virtual int64_t TotalFrames() const = 0;
  // Decodes at most `frames` frames and appends their samples to out; returns the frames
  // appended, 0 at the end of the sound (or on a decoding error, which ends it too).
  virtual size_t Read(std::vector<int16_t>& out, size_t frames) = 0;
  // The next Read starts at this frame; false when the position cannot be reached.
  virtual bool Seek(int64_t frame) = 0;
  // The sound's title from its tags, "" when it has none.
  virtual std::string Title() const { return std::string(); }
};

class Output {
 public:
  virtual ~Output() = default;
  // 0, or the audio layer's error code.
  virtual int Open(const PcmFormat& format) = 0;
  // Queues frames; playing starts with the first ones unless the output is paused.
  virtual void Write(const int16_t* samples, size_t frames) = 0;
  // Frames heard since the open or the last reset; never more than Written().
  virtual int64_t Played() = 0;
  virtual int64_t Written() const = 0;
  virtual void Pause(bool on) = 0;
  // Drops what is queued; Played and Written start again from 0 (the pause state stays).
  virtual void Reset() = 0;
  virtual bool Silent() const { return false; }
};

// Opens any sound file the layer plays: WAVE (plain PCM here, compressed through the
// system's codecs), MPEG audio, Ogg Vorbis or WMA (through the system's reader), told by the content, not the name. Null, with error set
// to a wrapper error code, when it cannot.
std::unique_ptr<Decoder> OpenDecoder(const std::string& path, int& error);

}  // namespace audio
