// Whole-picture steps: cutting a plain border off and multiplying by an underlay.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

#include "imglib/filters.h"

namespace imglib {

namespace {

bool Near(const uint8_t* p, const uint8_t* corner, int threshold) {
  return std::abs(p[0] - corner[0]) <= threshold && std::abs(p[1] - corner[1]) <= threshold &&
         std::abs(p[2] - corner[2]) <= threshold;
}

}  // namespace

bool AutoTrim(Raster& picture, int threshold) {
  if (picture.Empty() || threshold < 0 || threshold > 255) return false;
  uint8_t corner[3];
  std::memcpy(corner, picture.Row(0), 3);
  int w = picture.Width(), h = picture.Height();
  auto rowPlain = [&](int y, int left, int right) {
    const uint8_t* p = picture.Row(y);
    for (int x = left; x < right; ++x)
      if (!Near(p + size_t(x) * 3, corner, threshold)) return false;
    return true;
  };
  auto columnPlain = [&](int x, int top, int bottom) {
    for (int y = top; y < bottom; ++y)
      if (!Near(picture.Row(y) + size_t(x) * 3, corner, threshold)) return false;
    return true;
  };
  int top = 0, bottom = h, left = 0, right = w;
  while (top < bottom && rowPlain(top, 0, w)) ++top;
  if (top == bottom) return true;  // all border: nothing would be left
  while (bottom > top && rowPlain(bottom - 1, 0, w)) --bottom;
  while (left < right && columnPlain(left, top, bottom)) ++left;
  while (right > left && columnPlain(right - 1, top, bottom)) --right;
  if (top == 0 && left == 0 && bottom == h && right == w) return true;
  Raster cut;
  if (!cut.Allocate(right - left, bottom - top)) return false;
  for (int y = top; y < bottom; ++y)
    std::memcpy(cut.Row(y - top), picture.Row(y) + size_t(left) * 3, size_t(right - left) * 3);
  picture = std::move(cut);
  return true;
}

bool Underlay(Raster& picture, const Raster& underlay) {
  if (picture.Empty() || underlay.Empty()) return false;
  int uw = underlay.Width(), uh = underlay.Height();
  try {
    std::vector<uint8_t> greys(size_t(uw) * size_t(uh));
    for (int y = 0; y < uh; ++y) {
      const uint8_t* p = underlay.Row(y);
      for (int x = 0; x < uw; ++x, p += 3) greys[size_t(y) * size_t(uw) + size_t(x)] = GreyValue(p[2], p[1], p[0]);
    }
    for (int y = 0; y < picture.Height(); ++y) {
      uint8_t* p = picture.Row(y);
      const uint8_t* tile = &greys[size_t(y % uh) * size_t(uw)];
      for (int x = 0; x < picture.Width(); ++x, p += 3) {
        unsigned g = tile[x % uw];
        for (int c = 0; c < 3; ++c) p[c] = uint8_t((p[c] * g + 127) / 255);
      }
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

}  // namespace imglib
