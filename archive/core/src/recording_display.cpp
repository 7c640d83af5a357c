#include "grilton/recording_display.h"

#include <algorithm>

namespace grilton {

std::vector<TracePoint> TracePoints(const uint8_t* capture, size_t bytes, int bitsPerSample, int width, int height) {
  std::vector<TracePoint> points;
  if (!capture || width <= 0 || height <= 0) return points;
  size_t samples = std::min(bytes, kCaptureCopyBytes) / 2;
  size_t n = std::min<size_t>({size_t(width), samples, 1024});
  const int scale = std::max(1, 65535 / height);
  const int offset = bitsPerSample == 16 ? 32767 : 0;
  points.reserve(n);
  for (size_t i = 0; i < n; ++i) {
    auto sample = int16_t(uint16_t(capture[2 * i] | (capture[2 * i + 1] << 8)));
    auto value = uint16_t(int(sample) + offset);
    points.push_back({int(i), height - int(value) / scale});
  }
  return points;
}

int NextDisplayStyle(int style, bool raise) {
  int next = std::clamp(style, 1, kDisplayStyles) + (raise ? 1 : -1);
  if (next < 1) return kDisplayStyles;
  if (next > kDisplayStyles) return 1;
  return next;
}

int DrawnStyle(int style, bool recording) { return recording ? std::max(1, style) : 1; }

uint32_t RampColour(int y, int height) {
  if (height <= 0) return 0;
  // 0 .. 1023 along the ramp: red -> yellow -> green -> cyan -> blue.
  int t = std::clamp(y, 0, height) * 1023 / height;
  int r = 0, g = 0, b = 0;
  if (t < 256) {
    r = 255;
    g = t;
  } else if (t < 512) {
    r = 511 - t;
    g = 255;
  } else if (t < 768) {
    g = 255;
    b = t - 512;
  } else {
    g = 1023 - t;
    b = 255;
  }
  return uint32_t(r) | (uint32_t(g) << 8) | (uint32_t(b) << 16);
}

uint32_t WithAlpha(uint32_t argb, uint8_t alpha) { return (argb & 0x00FFFFFFu) | (uint32_t(alpha) << 24); }

}  // namespace grilton
