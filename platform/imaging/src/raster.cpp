#include "imglib/raster.h"

#include <cstring>
#include <new>

namespace imglib {

bool Raster::SizeAllowed(int width, int height) {
  return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
         int64_t(width) * height <= kMaxPixels;
}

bool Raster::Allocate(int width, int height) {
  Clear();
  if (!SizeAllowed(width, height)) return false;
  size_t stride = StrideFor(width);
  try {
    bytes_.assign(stride * size_t(height), 0);
  } catch (const std::bad_alloc&) {
    return false;
  }
  width_ = width;
  height_ = height;
  stride_ = stride;
  return true;
}

void Raster::Clear() {
  width_ = height_ = 0;
  stride_ = 0;
  std::vector<uint8_t>().swap(bytes_);
}

void Raster::Fill(uint8_t r, uint8_t g, uint8_t b) {
  if (Empty()) return;
  uint8_t* first = Row(0);
  for (int x = 0; x < width_; ++x) {
    first[x * 3] = b;
    first[x * 3 + 1] = g;
    first[x * 3 + 2] = r;
  }
  for (int y = 1; y < height_; ++y) std::memcpy(Row(y), first, stride_);
}

int ColoursForDepth(int bitsPerPixel) {
  if (bitsPerPixel <= 0) return 0;
  if (bitsPerPixel <= 8) return 1 << bitsPerPixel;
  if (bitsPerPixel <= 16) return 1 << bitsPerPixel;
  return 16777216;
}

}  // namespace imglib
