#include "audio/pcm.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "audio/byte_order.h"

namespace audio {

namespace {

// One sample as a 16-bit value.
int16_t SampleAt(const uint8_t* p, int bits, bool isFloat) {
  switch (bits) {
    case 8:
      return int16_t((int(p[0]) - 128) * 256);
    case 16:
      return int16_t(Le16(p));
    case 24:
      return int16_t(Le16(p + 1));  // the upper two bytes
    case 32: {
      uint32_t v = Le32(p);
      if (!isFloat) return int16_t(uint16_t(v >> 16));
      float f;
      std::memcpy(&f, &v, sizeof f);
      if (!(f == f)) return 0;  // NaN
      f = std::clamp(f, -1.0f, 1.0f);
      return int16_t(std::lround(f * 32767.0f));
    }
    default:
      return 0;
  }
}

int16_t Clip(int64_t v) { return int16_t(std::clamp<int64_t>(v, -32768, 32767)); }

}  // namespace

void ConvertToPcm16(const uint8_t* source, size_t frames, int bitsPerSample, bool isFloat, int sourceChannels,
                    int outChannels, std::vector<int16_t>& out) {
  if (sourceChannels < 1 || outChannels < 1) return;
  const size_t bytes = size_t(bitsPerSample / 8);
  const size_t frameBytes = bytes * size_t(sourceChannels);
  out.reserve(out.size() + frames * size_t(outChannels));
  for (size_t f = 0; f < frames; ++f) {
    const uint8_t* p = source + f * frameBytes;
    int16_t a = SampleAt(p, bitsPerSample, isFloat);
    int16_t b = sourceChannels > 1 ? SampleAt(p + bytes, bitsPerSample, isFloat) : a;
    if (outChannels == 1) {
      out.push_back(int16_t((int(a) + int(b)) / 2));
    } else {
      out.push_back(a);
      out.push_back(b);
    }
  }
}

Levels PeakLevels(const int16_t* samples, size_t frames, int channels) {
  int peak[2] = {0, 0};
  for (size_t f = 0; f < frames; ++f) {
    for (int c = 0; c < channels && c < 2; ++c) {
      int v = samples[f * size_t(channels) + size_t(c)];
      peak[c] = std::max(peak[c], v < 0 ? -v : v);
    }
  }
  if (channels == 1) peak[1] = peak[0];
  // 32768 / 256 = 128: the full scale of the meter.
  return Levels{std::min(128, (peak[0] + 255) / 256), std::min(128, (peak[1] + 255) / 256)};
}

Gain GainOf(int volume, int pan) {
  volume = std::clamp(volume, 0, 100);
  pan = std::clamp(pan, -100, 100);
  int32_t full = int32_t(volume * 65536 / 100);
  Gain g{full, full};
  if (pan > 0) g.left = int32_t(int64_t(full) * (100 - pan) / 100);
  if (pan < 0) g.right = int32_t(int64_t(full) * (100 + pan) / 100);
  return g;
}

void ApplyGain(int16_t* samples, size_t frames, int channels, Gain gain) {
  if (gain.left == 65536 && gain.right == 65536) return;
  if (channels == 1) {
    int64_t g = (int64_t(gain.left) + gain.right) / 2;
    for (size_t f = 0; f < frames; ++f) samples[f] = Clip(samples[f] * g / 65536);
    return;
  }
  for (size_t f = 0; f < frames; ++f) {
    samples[2 * f] = Clip(samples[2 * f] * int64_t(gain.left) / 65536);
    samples[2 * f + 1] = Clip(samples[2 * f + 1] * int64_t(gain.right) / 65536);
  }
}

}  // namespace audio
