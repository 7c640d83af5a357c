// The median filter in time independent of the window's size: a histogram per column of
// the window's height, moved down a row at a time, and the window's histogram made from
// them in two levels (16 coarse bins of 16 values each). The coarse level finds the bin
// that holds the median; only that bin's 16 fine counts are brought up to date, lazily,
// for the columns the window moved since they were last needed.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

#include "filters_window.h"
#include "imglib/filters.h"

namespace imglib {

namespace {

struct ColumnHistograms {
  int columns = 0;
  std::vector<uint16_t> coarse;  // 16 per column
  std::vector<uint16_t> fine;    // 256 per column

  void Reset(int count) {
    columns = count;
    coarse.assign(size_t(count) * 16, 0);
    fine.assign(size_t(count) * 256, 0);
  }
  void Add(int column, uint8_t v) {
    ++coarse[size_t(column) * 16 + (v >> 4)];
    ++fine[size_t(column) * 256 + v];
  }
  void Remove(int column, uint8_t v) {
    --coarse[size_t(column) * 16 + (v >> 4)];
    --fine[size_t(column) * 256 + v];
  }
  const uint16_t* Coarse(int column) const { return &coarse[size_t(column) * 16]; }
  const uint16_t* Fine(int column, int bin) const { return &fine[size_t(column) * 256 + size_t(bin) * 16]; }
};

// Filters one channel (a plane padded by the window on every side) into out.
void MedianPlane(const std::vector<uint8_t>& padded, int paddedWidth, int width, int height, int size,
                 uint8_t* out, size_t outStride) {
  ColumnHistograms columns;
  columns.Reset(paddedWidth);
  const uint32_t rank = (uint32_t(size) * uint32_t(size) - 1) / 2;  // the lower median
  auto row = [&](int y) { return &padded[size_t(y) * size_t(paddedWidth)]; };
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < paddedWidth; ++x) columns.Add(x, row(y)[x]);
  std::array<uint32_t, 16> coarse;
  std::array<std::array<uint32_t, 16>, 16> fine;
  std::array<int, 16> fineStart;  // the window start each fine bin is exact for
  for (int y = 0; y < height; ++y) {
    if (y > 0)
      for (int x = 0; x < paddedWidth; ++x) {
        columns.Remove(x, row(y - 1)[x]);
        columns.Add(x, row(y + size - 1)[x]);
      }
    coarse.fill(0);
    for (int x = 0; x < size; ++x)
      for (int b = 0; b < 16; ++b) coarse[size_t(b)] += columns.Coarse(x)[b];
    fineStart.fill(-size - 1);  // none is exact yet
    uint8_t* target = out + size_t(y) * outStride;
    for (int x = 0; x < width; ++x) {
      if (x > 0) {
        const uint16_t *add = columns.Coarse(x + size - 1), *drop = columns.Coarse(x - 1);
        for (int b = 0; b < 16; ++b) coarse[size_t(b)] += uint32_t(add[b]) - drop[b];
      }
      uint32_t below = 0;
      int bin = 0;
      while (bin < 15 && below + coarse[size_t(bin)] <= rank) below += coarse[size_t(bin++)];
      auto& f = fine[size_t(bin)];
      int& start = fineStart[size_t(bin)];
      if (x - start >= size) {
        f.fill(0);
        for (int c = x; c < x + size; ++c) {
          const uint16_t* h = columns.Fine(c, bin);
          for (int i = 0; i < 16; ++i) f[size_t(i)] += h[i];
        }
      } else {
        for (int c = start; c < x; ++c) {
          const uint16_t *add = columns.Fine(c + size, bin), *drop = columns.Fine(c, bin);
          for (int i = 0; i < 16; ++i) f[size_t(i)] += uint32_t(add[i]) - drop[i];
        }
      }
      start = x;
      int value = 0;
      while (value < 15 && below + f[size_t(value)] <= rank) below += f[size_t(value++)];
      target[size_t(x) * 3] = uint8_t(bin * 16 + value);
    }
  }
}

inline uint8_t Min3(uint8_t a, uint8_t b, uint8_t c) { return std::min(a, std::min(b, c)); }
inline uint8_t Max3(uint8_t a, uint8_t b, uint8_t c) { return std::max(a, std::max(b, c)); }
inline uint8_t Med3(uint8_t a, uint8_t b, uint8_t c) { return std::max(std::min(a, b), std::min(std::max(a, b), c)); }

// The 3 x 3 window, the commonest, without histograms: each column's three values sorted
// once, then the median of nine is the middle of (the largest low, the middle middle,
// the smallest high).
void Median3(Raster& picture) {
  Raster source = picture;
  int w = picture.Width(), h = picture.Height();
  size_t bytes = size_t(w) * 3, padded = bytes + 6;
  std::vector<uint8_t> lo(padded), mid(padded), hi(padded), rows[3];
  for (auto& r : rows) r.resize(padded);
  for (int y = 0; y < h; ++y) {
    for (int k = 0; k < 3; ++k) {
      const uint8_t* src = source.Row(Window::Clamp(y - 1 + k, h));
      std::memcpy(rows[k].data() + 3, src, bytes);
      std::memcpy(rows[k].data(), src, 3);  // the edges repeat their outer pixels
      std::memcpy(rows[k].data() + 3 + bytes, src + bytes - 3, 3);
    }
    // Plain pointers that do not alias let the compiler work on many bytes at once.
    const uint8_t* __restrict r0 = rows[0].data();
    const uint8_t* __restrict r1 = rows[1].data();
    const uint8_t* __restrict r2 = rows[2].data();
    uint8_t* __restrict l = lo.data();
    uint8_t* __restrict m = mid.data();
    uint8_t* __restrict u = hi.data();
    for (size_t i = 0; i < padded; ++i) {
      l[i] = Min3(r0[i], r1[i], r2[i]);
      m[i] = Med3(r0[i], r1[i], r2[i]);
      u[i] = Max3(r0[i], r1[i], r2[i]);
    }
    uint8_t* __restrict out = picture.Row(y);
    for (size_t i = 0; i < bytes; ++i)
      out[i] = Med3(Max3(l[i], l[i + 3], l[i + 6]), Med3(m[i], m[i + 3], m[i + 6]), Min3(u[i], u[i + 3], u[i + 6]));
  }
}

}  // namespace

bool MedianFilter(Raster& picture, int size) {
  if (picture.Empty() || size < 0 || size > 1000) return false;
  if (size <= 1) return true;
  try {
    if (size == 3) {
      Median3(picture);
      return true;
    }
    int w = picture.Width(), h = picture.Height();
    Window win(size);
    int pw = w + size - 1, ph = h + size - 1;
    std::vector<uint8_t> padded(size_t(pw) * size_t(ph));
    Raster source = picture;
    for (int c = 0; c < 3; ++c) {
      for (int y = 0; y < ph; ++y) {
        const uint8_t* src = source.Row(Window::Clamp(y - win.back, h));
        uint8_t* dst = &padded[size_t(y) * size_t(pw)];
        for (int x = 0; x < pw; ++x) dst[x] = src[size_t(Window::Clamp(x - win.back, w)) * 3 + size_t(c)];
      }
      MedianPlane(padded, pw, w, h, size, picture.Data() + c, picture.Stride());
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

}  // namespace imglib
