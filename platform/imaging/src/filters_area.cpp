// Area filters: each output pixel depends on the pixels around it. Edges repeat their
// outer pixels. The window of size n reaches (n - 1) / 2 pixels back and n / 2 forward.
#include <algorithm>
#include <array>
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

#include "filters_window.h"
#include "imglib/filters.h"

namespace imglib {

namespace {

bool ValidSize(int size) { return size >= 0 && size <= 1000; }

}  // namespace

bool Sharpen(Raster& picture, int amount) {
  if (picture.Empty() || amount < -1000 || amount > 1000) return false;
  if (amount == 0) return true;
  try {
    Raster source = picture;
    int w = picture.Width(), h = picture.Height();
    std::vector<int> left(static_cast<size_t>(w)), right(static_cast<size_t>(w));
    for (int x = 0; x < w; ++x) {
      left[size_t(x)] = std::max(0, x - 1) * 3;
      right[size_t(x)] = std::min(w - 1, x + 1) * 3;
    }
    for (int y = 0; y < h; ++y) {
      const uint8_t* rows[3] = {source.Row(std::max(0, y - 1)), source.Row(y), source.Row(std::min(h - 1, y + 1))};
      uint8_t* out = picture.Row(y);
      for (int x = 0; x < w; ++x) {
        int l = left[size_t(x)], m = x * 3, r = right[size_t(x)];
        for (int c = 0; c < 3; ++c) {
          int sum = 0;
          for (const uint8_t* row : rows) sum += row[l + c] + row[m + c] + row[r + c];
          int v = rows[1][m + c];
          // Sharpening adds up to twice the difference from the 3 x 3 mean; blurring moves
          // all the way to the mean.
          int d = amount > 0 ? (9 * v - sum) * amount / 4500 : (sum - 9 * v) * -amount / 9000;
          out[m + c] = uint8_t(std::clamp(v + d, 0, 255));
        }
      }
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

bool Mosaic(Raster& picture, int size) {
  if (picture.Empty() || !ValidSize(size)) return false;
  if (size <= 1) return true;
  int w = picture.Width(), h = picture.Height();
  for (int top = 0; top < h; top += size) {
    int bottom = std::min(h, top + size);
    for (int left = 0; left < w; left += size) {
      int right = std::min(w, left + size);
      uint64_t sum[3] = {0, 0, 0};
      for (int y = top; y < bottom; ++y) {
        const uint8_t* p = picture.Row(y) + size_t(left) * 3;
        for (int x = left; x < right; ++x, p += 3)
          for (int c = 0; c < 3; ++c) sum[c] += p[c];
      }
      uint64_t n = uint64_t(bottom - top) * uint64_t(right - left);
      uint8_t mean[3];
      for (int c = 0; c < 3; ++c) mean[c] = uint8_t((sum[c] + n / 2) / n);
      for (int y = top; y < bottom; ++y) {
        uint8_t* p = picture.Row(y) + size_t(left) * 3;
        for (int x = left; x < right; ++x, p += 3)
          for (int c = 0; c < 3; ++c) p[c] = mean[c];
      }
    }
  }
  return true;
}

bool AverageFilter(Raster& picture, int size) {
  if (picture.Empty() || !ValidSize(size)) return false;
  if (size <= 1) return true;
  try {
    int w = picture.Width(), h = picture.Height();
    Window win(size);
    Raster source = picture;
    // Column sums over the window's rows, moved down a row at a time; then a running sum
    // along each row.
    std::vector<uint32_t> columns(size_t(w) * 3, 0);
    for (int k = -win.back; k <= win.forward; ++k) {
      const uint8_t* row = source.Row(Window::Clamp(k, h));
      for (size_t i = 0; i < columns.size(); ++i) columns[i] += row[i];
    }
    uint32_t area = uint32_t(size) * uint32_t(size);
    for (int y = 0; y < h; ++y) {
      uint8_t* out = picture.Row(y);
      uint32_t sum[3] = {0, 0, 0};
      for (int k = -win.back; k <= win.forward; ++k) {
        size_t at = size_t(Window::Clamp(k, w)) * 3;
        for (int c = 0; c < 3; ++c) sum[c] += columns[at + size_t(c)];
      }
      for (int x = 0; x < w; ++x) {
        for (int c = 0; c < 3; ++c) out[x * 3 + c] = uint8_t((sum[c] + area / 2) / area);
        size_t add = size_t(Window::Clamp(x + win.forward + 1, w)) * 3, drop = size_t(Window::Clamp(x - win.back, w)) * 3;
        for (int c = 0; c < 3; ++c) sum[c] += columns[add + size_t(c)] - columns[drop + size_t(c)];
      }
      if (y + 1 < h) {
        const uint8_t* add = source.Row(Window::Clamp(y + 1 + win.forward, h));
        const uint8_t* drop = source.Row(Window::Clamp(y - win.back, h));
        for (size_t i = 0; i < columns.size(); ++i) columns[i] += uint32_t(add[i]) - drop[i];
      }
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

bool Emboss(Raster& picture, int direction, int depth) {
  if (picture.Empty() || direction < kNorth || direction > kNorthWest || depth < 0 || depth > 1000) return false;
  // The step towards the light for each direction.
  static constexpr int kDx[8] = {0, 1, 1, 1, 0, -1, -1, -1};
  static constexpr int kDy[8] = {-1, -1, 0, 1, 1, 1, 0, -1};
  int dx = kDx[direction], dy = kDy[direction];
  try {
    Raster source = picture;
    int w = picture.Width(), h = picture.Height();
    for (int y = 0; y < h; ++y) {
      const uint8_t* lit = source.Row(Window::Clamp(y + dy, h));
      const uint8_t* shaded = source.Row(Window::Clamp(y - dy, h));
      uint8_t* out = picture.Row(y);
      for (int x = 0; x < w; ++x) {
        size_t a = size_t(Window::Clamp(x + dx, w)) * 3, b = size_t(Window::Clamp(x - dx, w)) * 3;
        for (int c = 0; c < 3; ++c) {
          int d = int(shaded[b + size_t(c)]) - int(lit[a + size_t(c)]);
          out[x * 3 + c] = uint8_t(std::clamp(128 + d * depth / 200, 0, 255));
        }
      }
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

bool Oilify(Raster& picture, int size) {
  if (picture.Empty() || !ValidSize(size)) return false;
  if (size <= 1) return true;
  constexpr int kLevels = 64;  // brightness classes
  struct Bin {
    uint32_t count = 0;
    uint32_t sum[3] = {0, 0, 0};
  };
  try {
    Raster source = picture;
    int w = picture.Width(), h = picture.Height();
    Window win(size);
    std::vector<uint8_t> level(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y) {
      const uint8_t* p = source.Row(y);
      for (int x = 0; x < w; ++x, p += 3) level[size_t(y) * size_t(w) + size_t(x)] = GreyValue(p[2], p[1], p[0]) >> 2;
    }
    std::array<Bin, kLevels> bins;
    auto column = [&](int x, int y, int sign) {
      int cx = Window::Clamp(x, w);
      for (int k = -win.back; k <= win.forward; ++k) {
        int cy = Window::Clamp(y + k, h);
        Bin& b = bins[level[size_t(cy) * size_t(w) + size_t(cx)]];
        const uint8_t* p = source.Row(cy) + size_t(cx) * 3;
        b.count += uint32_t(sign);
        for (int c = 0; c < 3; ++c) b.sum[c] += uint32_t(sign * p[c]);
      }
    };
    for (int y = 0; y < h; ++y) {
      bins.fill(Bin{});
      for (int k = -win.back; k <= win.forward; ++k) column(k, y, 1);
      uint8_t* out = picture.Row(y);
      for (int x = 0; x < w; ++x) {
        const Bin* best = &bins[0];
        for (const Bin& b : bins)
          if (b.count > best->count) best = &b;
        for (int c = 0; c < 3; ++c) out[x * 3 + c] = uint8_t((best->sum[c] + best->count / 2) / best->count);
        column(x + win.forward + 1, y, 1);
        column(x - win.back, y, -1);
      }
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

}  // namespace imglib
