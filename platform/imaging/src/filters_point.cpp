// Point filters: each output value depends on its own pixel (and for the histogram filters
// on statistics of the whole picture), so most are one lookup table over every value.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "imglib/filters.h"

namespace imglib {

namespace {

using Table = std::array<uint8_t, 256>;

uint8_t Clamp255(double v) { return uint8_t(std::clamp(std::lround(v), 0L, 255L)); }

// Applies one table to the three channels of every pixel.
void ApplyTable(Raster& picture, const Table& table) {
  size_t rowBytes = size_t(picture.Width()) * 3;
  for (int y = 0; y < picture.Height(); ++y) {
    uint8_t* row = picture.Row(y);
    for (size_t i = 0; i < rowBytes; ++i) row[i] = table[row[i]];
  }
}

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

// value -> centre + (value - centre) x factor: factor (1000 + a) / 1000 below 0, towards
// infinity (1000 / (1000 - a)) above.
Table ContrastTable(int amount, double centre) {
  double factor = amount <= 0 ? (1000.0 + amount) / 1000.0 : (amount >= 1000 ? 1e6 : 1000.0 / (1000.0 - amount));
  Table t;
  for (int v = 0; v < 256; ++v) t[size_t(v)] = Clamp255(centre + (v - centre) * factor);
  return t;
}

int Luma(const uint8_t* bgr) { return (19595 * bgr[2] + 38470 * bgr[1] + 7471 * bgr[0]) >> 16; }

// The share of each grey level in the picture.
std::array<uint64_t, 256> GreyHistogram(const Raster& picture) {
  std::array<uint64_t, 256> h{};
  for (int y = 0; y < picture.Height(); ++y) {
    const uint8_t* row = picture.Row(y);
    for (int x = 0; x < picture.Width(); ++x) ++h[size_t(Luma(row + x * 3))];
  }
  return h;
}

}  // namespace

uint8_t GreyValue(uint8_t r, uint8_t g, uint8_t b) { return uint8_t((19595 * r + 38470 * g + 7471 * b) >> 16); }

bool ChangeContrast(Raster& picture, int amount) {
  if (picture.Empty() || !InRange(amount, -1000, 1000)) return false;
  if (amount != 0) ApplyTable(picture, ContrastTable(amount, 127.5));
  return true;
}

bool ChangeIntensity(Raster& picture, int amount) {
  if (picture.Empty() || !InRange(amount, -1000, 1000)) return false;
  if (amount == 0) return true;
  Table t;
  for (int v = 0; v < 256; ++v)
    t[size_t(v)] = Clamp255(amount > 0 ? v + (255 - v) * amount / 1000.0 : v * (1000 + amount) / 1000.0);
  ApplyTable(picture, t);
  return true;
}

bool ChangeHue(Raster& picture, int degrees) {
  if (picture.Empty() || !InRange(degrees, -360, 360)) return false;
  // Hue in 1/60 of a degree steps of a 6 x 256 wheel: a colour's hue is a position on the
  // wheel of its largest and smallest value; turning keeps both.
  int turn = ((degrees % 360) + 360) % 360;
  if (turn == 0) return true;
  const int kWheel = 6 * 256;
  int shift = turn * kWheel / 360;
  for (int y = 0; y < picture.Height(); ++y) {
    uint8_t* p = picture.Row(y);
    for (int x = 0; x < picture.Width(); ++x, p += 3) {
      int r = p[2], g = p[1], b = p[0];
      int hi = std::max({r, g, b}), lo = std::min({r, g, b}), span = hi - lo;
      if (span == 0) continue;
      // Position on the wheel: sector (0 red->yellow, 1 yellow->green, ...) x 256 + step.
      int h;
      if (hi == r) h = g >= b ? (g - b) * 256 / span : kWheel - (b - g) * 256 / span;
      else if (hi == g) h = 512 + (b - r) * 256 / span;
      else h = 1024 + (r - g) * 256 / span;
      h = (h + shift) % kWheel;
      int sector = h >> 8, step = h & 255;
      int up = lo + (span * step + 128) / 256, down = hi - (span * step + 128) / 256;
      switch (sector) {
        case 0: r = hi, g = up, b = lo; break;
        case 1: r = down, g = hi, b = lo; break;
        case 2: r = lo, g = hi, b = up; break;
        case 3: r = lo, g = down, b = hi; break;
        case 4: r = up, g = lo, b = hi; break;
        default: r = hi, g = lo, b = down; break;
      }
      p[0] = uint8_t(b);
      p[1] = uint8_t(g);
      p[2] = uint8_t(r);
    }
  }
  return true;
}

bool ChangeSaturation(Raster& picture, int amount) {
  if (picture.Empty() || !InRange(amount, -1000, 1000)) return false;
  if (amount == 0) return true;
  int factor = 1000 + amount;  // in thousandths
  for (int y = 0; y < picture.Height(); ++y) {
    uint8_t* p = picture.Row(y);
    for (int x = 0; x < picture.Width(); ++x, p += 3) {
      int grey = Luma(p);
      for (int c = 0; c < 3; ++c) p[c] = uint8_t(std::clamp(grey + ((p[c] - grey) * factor + 500) / 1000, 0, 255));
    }
  }
  return true;
}

bool GammaCorrect(Raster& picture, int gamma) {
  if (picture.Empty() || !InRange(gamma, 1, 1000)) return false;
  if (gamma == 100) return true;
  Table t;
  double exponent = 100.0 / gamma;
  for (int v = 0; v < 256; ++v) t[size_t(v)] = Clamp255(255.0 * std::pow(v / 255.0, exponent));
  ApplyTable(picture, t);
  return true;
}

bool Invert(Raster& picture) {
  if (picture.Empty()) return false;
  Table t;
  for (int v = 0; v < 256; ++v) t[size_t(v)] = uint8_t(255 - v);
  ApplyTable(picture, t);
  return true;
}

bool GreyScale(Raster& picture) {
  if (picture.Empty()) return false;
  for (int y = 0; y < picture.Height(); ++y) {
    uint8_t* p = picture.Row(y);
    for (int x = 0; x < picture.Width(); ++x, p += 3) p[0] = p[1] = p[2] = uint8_t(Luma(p));
  }
  return true;
}

bool HistoContrast(Raster& picture, int amount) {
  if (picture.Empty() || !InRange(amount, -1000, 1000)) return false;
  if (amount == 0) return true;
  std::array<uint64_t, 256> h = GreyHistogram(picture);
  double sum = 0, count = 0;
  for (int v = 0; v < 256; ++v) {
    sum += double(h[size_t(v)]) * v;
    count += double(h[size_t(v)]);
  }
  ApplyTable(picture, ContrastTable(amount, sum / count));
  return true;
}

bool HistoEqualize(Raster& picture) {
  if (picture.Empty()) return false;
  std::array<uint64_t, 256> h{};
  for (int y = 0; y < picture.Height(); ++y) {
    const uint8_t* row = picture.Row(y);
    for (int i = 0; i < picture.Width() * 3; ++i) ++h[row[i]];
  }
  uint64_t total = uint64_t(picture.Width()) * uint64_t(picture.Height()) * 3;
  uint64_t first = 0;
  for (uint64_t n : h)
    if (n) {
      first = n;
      break;
    }
  Table t;
  uint64_t running = 0;
  for (int v = 0; v < 256; ++v) {
    running += h[size_t(v)];
    // The classic mapping: the darkest level present goes to 0, the lightest to 255.
    t[size_t(v)] = total == first ? uint8_t(v) : Clamp255(double(running - first) * 255.0 / double(total - first));
  }
  ApplyTable(picture, t);
  return true;
}

bool StretchIntensity(Raster& picture) {
  if (picture.Empty()) return false;
  int lo = 255, hi = 0;
  for (int y = 0; y < picture.Height(); ++y) {
    const uint8_t* row = picture.Row(y);
    for (int i = 0; i < picture.Width() * 3; ++i) {
      lo = std::min<int>(lo, row[i]);
      hi = std::max<int>(hi, row[i]);
    }
  }
  if (hi <= lo || (lo == 0 && hi == 255)) return true;
  Table t;
  for (int v = 0; v < 256; ++v) t[size_t(v)] = Clamp255(double(std::clamp(v, lo, hi) - lo) * 255.0 / (hi - lo));
  ApplyTable(picture, t);
  return true;
}

bool Solarize(Raster& picture, int threshold) {
  if (picture.Empty() || !InRange(threshold, 0, 255)) return false;
  Table t;
  for (int v = 0; v < 256; ++v) t[size_t(v)] = uint8_t(v > threshold ? 255 - v : v);
  ApplyTable(picture, t);
  return true;
}

bool Posterize(Raster& picture, int levels) {
  if (picture.Empty() || !InRange(levels, 2, 256)) return false;
  Table t;
  for (int v = 0; v < 256; ++v) {
    int step = (v * (levels - 1) + 127) / 255;
    t[size_t(v)] = uint8_t((step * 255 + (levels - 1) / 2) / (levels - 1));
  }
  ApplyTable(picture, t);
  return true;
}

}  // namespace imglib
