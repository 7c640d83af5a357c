// What the narration recorder captures: the PCM format of each recording-quality setting
// and the loudness of the captured bytes for the level display. Portable; the slide show
// maker and the archive record through the same recorder.
#pragma once
#include <cstddef>
#include <cstdint>

namespace dunmere {

// A PCM capture format chosen from the recording-quality setting (a WAVE_FORMAT_* bit).
struct CaptureFormat {
  int channels = 1;
  int samplesPerSecond = 22050;
  int bitsPerSample = 16;
  int blockAlign = 2;
  int averageBytesPerSecond = 44100;
};
CaptureFormat CaptureFormatFor(int quality);

// The size of a recording that captured nothing: the RIFF header, the 18-byte format
// chunk and the header of the empty data chunk.
inline constexpr size_t kEmptyNarrationBytes = 46;

// The peak of each channel in percent of full scale (a mono recording shows the same on
// both); 8-bit samples are unsigned around 128, 16-bit ones signed little-endian.
struct NarrationLevel {
  int left = 0;
  int right = 0;
};
NarrationLevel PeakLevel(const uint8_t* bytes, size_t size, const CaptureFormat& format);

}  // namespace dunmere
