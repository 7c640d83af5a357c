#include "dunmere/narration_format.h"

#include <algorithm>
#include <cstdlib>

namespace dunmere {

CaptureFormat CaptureFormatFor(int quality) {
  struct Row {
    int quality, channels, rate, bits;
  };
  static const Row kRows[] = {{1, 1, 11025, 8},    {2, 2, 11025, 8},    {4, 1, 11025, 16},  {8, 2, 11025, 16},
                              {16, 1, 22050, 8},   {32, 2, 22050, 8},   {128, 2, 22050, 16}, {256, 1, 44100, 8},
                              {512, 2, 44100, 8},  {1024, 1, 44100, 16}, {2048, 2, 44100, 16}};
  CaptureFormat f;
  for (const auto& r : kRows) {
    if (r.quality == quality) {
      f.channels = r.channels;
      f.samplesPerSecond = r.rate;
      f.bitsPerSample = r.bits;
    }
  }
  f.blockAlign = f.channels * f.bitsPerSample / 8;
  f.averageBytesPerSecond = f.samplesPerSecond * f.blockAlign;
  return f;
}

NarrationLevel PeakLevel(const uint8_t* bytes, size_t size, const CaptureFormat& format) {
  NarrationLevel level;
  if (!bytes || format.blockAlign <= 0 || format.channels <= 0) return level;
  int peak[2] = {0, 0};
  bool wide = format.bitsPerSample == 16;
  int sampleBytes = wide ? 2 : 1;
  size_t frame = size_t(format.blockAlign);
  for (size_t at = 0; at + frame <= size; at += frame) {
    for (int c = 0; c < std::min(format.channels, 2); ++c) {
      const uint8_t* p = bytes + at + size_t(c * sampleBytes);
      // Both as parts of full scale in 1/32768.
      int value = wide ? std::abs(int(int16_t(uint16_t(p[0] | (p[1] << 8))))) : std::abs(int(p[0]) - 128) * 256;
      peak[c] = std::max(peak[c], value);
    }
  }
  level.left = std::min(100, peak[0] * 100 / 32767);
  level.right = format.channels > 1 ? std::min(100, peak[1] * 100 / 32767) : level.left;
  return level;
}

}  // namespace dunmere
