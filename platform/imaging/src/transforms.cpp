#include "imglib/transforms.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

namespace imglib {

namespace {

// Contributions of source samples to one output sample, weights in 1/16384 summing to
// exactly 16384.
struct Taps {
  std::vector<int> first;     // first source index per output
  std::vector<int> count;     // number of taps per output
  std::vector<int> weights;   // all taps, output after output
  std::vector<size_t> offset; // where each output's taps start
};

Taps MakeTaps(int sourceSize, int outSize, bool smooth) {
  Taps t;
  t.first.resize(size_t(outSize));
  t.count.resize(size_t(outSize));
  t.offset.resize(size_t(outSize));
  double scale = double(sourceSize) / outSize;
  std::vector<double> w;
  w.reserve(size_t(scale) + 3);
  for (int o = 0; o < outSize; ++o) {
    t.offset[size_t(o)] = t.weights.size();
    w.clear();
    int first;
    if (!smooth) {
      first = std::min(sourceSize - 1, int((o + 0.5) * scale));
      w.push_back(1.0);
    } else if (scale > 1.0) {  // area average over [o * scale, (o + 1) * scale)
      double a = o * scale, b = (o + 1) * scale;
      first = int(std::floor(a));
      int last = std::min(sourceSize - 1, int(std::ceil(b)) - 1);
      for (int s = first; s <= last; ++s) w.push_back(std::min(b, s + 1.0) - std::max(a, double(s)));
    } else {  // bilinear
      double centre = (o + 0.5) * scale - 0.5;
      int s0 = int(std::floor(centre));
      double f = centre - s0;
      int a = std::clamp(s0, 0, sourceSize - 1), b = std::clamp(s0 + 1, 0, sourceSize - 1);
      first = std::min(a, b);
      if (a == b) {
        w.push_back(1.0);
      } else {
        w.push_back(1.0 - f);
        w.push_back(f);
      }
    }
    double sum = 0;
    for (double v : w) sum += v;
    int total = 0;
    for (size_t i = 0; i < w.size(); ++i) {
      int v = int(std::lround(w[i] / sum * 16384));
      if (i + 1 == w.size()) v = 16384 - total;
      total += v;
      t.weights.push_back(v);
    }
    t.first[size_t(o)] = first;
    t.count[size_t(o)] = int(w.size());
  }
  return t;
}

// The horizontal pass of one source row into 16-bit precision (value * 64).
void ResizeRow(const uint8_t* src, const Taps& h, int width, uint16_t* dst) {
  for (int x = 0; x < width; ++x) {
    const int* w = h.weights.data() + h.offset[size_t(x)];
    int first = h.first[size_t(x)], n = h.count[size_t(x)];
    int b = 0, g = 0, r = 0;
    for (int k = 0; k < n; ++k) {
      const uint8_t* p = src + size_t(first + k) * 3;
      b += p[0] * w[k];
      g += p[1] * w[k];
      r += p[2] * w[k];
    }
    dst[x * 3] = uint16_t((b + 128) >> 8);  // 16384 / 64 = 256
    dst[x * 3 + 1] = uint16_t((g + 128) >> 8);
    dst[x * 3 + 2] = uint16_t((r + 128) >> 8);
  }
}

}  // namespace

bool Resize(const Raster& source, int width, int height, int flags, Raster& out) {
  if (source.Empty() || !Raster::SizeAllowed(width, height)) return false;
  bool smooth = flags == kSizeResample;
  try {
    Taps h = MakeTaps(source.Width(), width, smooth), v = MakeTaps(source.Height(), height, smooth);
    Raster result;
    if (!result.Allocate(width, height)) return false;
    // The vertical taps move down the source: only the rows they span at a time are kept
    // through the horizontal pass, row s in slot s modulo the widest span. A thumbnail's
    // pass then stays in the cache instead of filling a picture-sized buffer.
    int span = 1;
    for (int n : v.count) span = std::max(span, n);
    const size_t values = size_t(width) * 3;
    std::vector<uint16_t> rows(values * size_t(span));
    std::vector<int32_t> acc(values);
    int made = 0;  // source rows through the horizontal pass
    for (int y = 0; y < height; ++y) {
      const int* w = v.weights.data() + v.offset[size_t(y)];
      int first = v.first[size_t(y)], n = v.count[size_t(y)];
      for (; made < first + n; ++made)
        if (made >= first) ResizeRow(source.Row(made), h, width, rows.data() + size_t(made % span) * values);
      // Weights of 1/16384 on values of 64 times a sample: the sums stay below 2^29.
      std::fill(acc.begin(), acc.end(), 0);
      for (int k = 0; k < n; ++k) {
        const uint16_t* src = rows.data() + size_t((first + k) % span) * values;
        int32_t weight = w[k];
        for (size_t i = 0; i < values; ++i) acc[i] += int32_t(src[i]) * weight;
      }
      uint8_t* dst = result.Row(y);
      for (size_t i = 0; i < values; ++i) {
        int32_t value = (acc[i] + (int32_t(1) << 19)) >> 20;  // 64 * 16384
        dst[i] = uint8_t(std::clamp<int32_t>(value, 0, 255));
      }
    }
    out = std::move(result);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

void FlipVertical(Raster& picture) {
  std::vector<uint8_t> tmp(picture.Stride());
  for (int top = 0, bottom = picture.Height() - 1; top < bottom; ++top, --bottom) {
    std::memcpy(tmp.data(), picture.Row(top), picture.Stride());
    std::memcpy(picture.Row(top), picture.Row(bottom), picture.Stride());
    std::memcpy(picture.Row(bottom), tmp.data(), picture.Stride());
  }
}

void FlipHorizontal(Raster& picture) {
  for (int y = 0; y < picture.Height(); ++y) {
    uint8_t* row = picture.Row(y);
    for (int l = 0, r = picture.Width() - 1; l < r; ++l, --r)
      for (int c = 0; c < 3; ++c) std::swap(row[l * 3 + c], row[r * 3 + c]);
  }
}

bool Rotate(const Raster& source, int hundredths, bool resize, Rgb fill, Raster& out) {
  if (source.Empty()) return false;
  int angle = ((hundredths % 36000) + 36000) % 36000;
  int w = source.Width(), h = source.Height();
  Raster result;
  // Quarter turns with a growing canvas are exact copies.
  if (angle % 9000 == 0 && (resize || angle == 0 || angle == 18000)) {
    int quarter = angle / 9000;
    int ow = quarter % 2 ? h : w, oh = quarter % 2 ? w : h;
    if (!result.Allocate(ow, oh)) return false;
    for (int y = 0; y < oh; ++y) {
      uint8_t* dst = result.Row(y);
      for (int x = 0; x < ow; ++x) {
        int sx, sy;
        switch (quarter) {
          case 0: sx = x, sy = y; break;
          case 1: sx = y, sy = h - 1 - x; break;  // clockwise
          case 2: sx = w - 1 - x, sy = h - 1 - y; break;
          default: sx = w - 1 - y, sy = x; break;
        }
        std::memcpy(dst + size_t(x) * 3, source.Row(sy) + size_t(sx) * 3, 3);
      }
    }
    out = std::move(result);
    return true;
  }
  const double radians = angle / 100.0 * 3.14159265358979323846 / 180.0;
  double c = std::cos(radians), s = std::sin(radians);
  int ow = w, oh = h;
  if (resize) {
    ow = int(std::ceil(std::abs(w * c) + std::abs(h * s) - 1e-6));
    oh = int(std::ceil(std::abs(w * s) + std::abs(h * c) - 1e-6));
  }
  if (!result.Allocate(std::max(1, ow), std::max(1, oh))) return false;
  double cxIn = w / 2.0, cyIn = h / 2.0, cxOut = result.Width() / 2.0, cyOut = result.Height() / 2.0;
  for (int y = 0; y < result.Height(); ++y) {
    uint8_t* dst = result.Row(y);
    for (int x = 0; x < result.Width(); ++x) {
      // Inverse mapping: turn the output point back by the angle.
      double dx = x + 0.5 - cxOut, dy = y + 0.5 - cyOut;
      double sx = dx * c + dy * s + cxIn - 0.5, sy = -dx * s + dy * c + cyIn - 0.5;
      uint8_t* p = dst + size_t(x) * 3;
      if (sx < -0.5 || sy < -0.5 || sx > w - 0.5 || sy > h - 0.5) {
        p[0] = fill.b;
        p[1] = fill.g;
        p[2] = fill.r;
        continue;
      }
      int x0 = int(std::floor(sx)), y0 = int(std::floor(sy));
      double fx = sx - x0, fy = sy - y0;
      int x1 = std::min(x0 + 1, w - 1), y1 = std::min(y0 + 1, h - 1);
      x0 = std::max(x0, 0);
      y0 = std::max(y0, 0);
      const uint8_t *a = source.Row(y0) + size_t(x0) * 3, *b = source.Row(y0) + size_t(x1) * 3,
                    *cc = source.Row(y1) + size_t(x0) * 3, *d = source.Row(y1) + size_t(x1) * 3;
      for (int k = 0; k < 3; ++k) {
        double top = a[k] + (b[k] - a[k]) * fx, bottom = cc[k] + (d[k] - cc[k]) * fx;
        p[k] = uint8_t(std::clamp(int(std::lround(top + (bottom - top) * fy)), 0, 255));
      }
    }
  }
  out = std::move(result);
  return true;
}

}  // namespace imglib
