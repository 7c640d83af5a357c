// A picture in memory: 24-bit pixels in blue, green, red order, rows from the top, every
// row padded to a multiple of 4 bytes (the layout of a top-down Windows DIB). Portable.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace imglib {

// The largest picture the layer holds: enough for any photograph, small enough that a
// damaged header cannot make it reserve gigabytes.
constexpr int kMaxSide = 65535;
constexpr int64_t kMaxPixels = int64_t(1) << 27;  // 134 million pixels, 384 MB

class Raster {
 public:
  Raster() = default;
  // False (and empty) when the size is 0, above the limits or the memory is lacking.
  bool Allocate(int width, int height);
  void Clear();
  bool Empty() const { return width_ <= 0 || height_ <= 0; }

  int Width() const { return width_; }
  int Height() const { return height_; }
  size_t Stride() const { return stride_; }
  uint8_t* Row(int y) { return bytes_.data() + size_t(y) * stride_; }
  const uint8_t* Row(int y) const { return bytes_.data() + size_t(y) * stride_; }
  uint8_t* Data() { return bytes_.data(); }
  const uint8_t* Data() const { return bytes_.data(); }
  size_t ByteSize() const { return bytes_.size(); }

  // Sets one pixel from red, green, blue.
  void Set(int x, int y, uint8_t r, uint8_t g, uint8_t b) {
    uint8_t* p = Row(y) + size_t(x) * 3;
    p[0] = b;
    p[1] = g;
    p[2] = r;
  }
  void Fill(uint8_t r, uint8_t g, uint8_t b);

  static size_t StrideFor(int width) { return (size_t(width) * 3 + 3) & ~size_t(3); }
  static bool SizeAllowed(int width, int height);

 private:
  int width_ = 0;
  int height_ = 0;
  size_t stride_ = 0;
  std::vector<uint8_t> bytes_;
};

// One palette entry.
struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

// What a file says about its picture.
struct PictureInfo {
  int format = 0;        // a Format number
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;  // the depth stored in the file (1, 4, 8, 16, 24, 32)
  int colours = 0;       // 2^bits up to 8 bits (or the palette's size); 16777216 above
  bool grey = false;
  int xDpi = 0;          // 0 when the file does not say
  int yDpi = 0;
  int pages = 1;
};

// The colour count that the information reports for a depth.
int ColoursForDepth(int bitsPerPixel);

// A decoded picture: its pixels (24-bit) and what the file said.
struct Picture {
  Raster pixels;
  PictureInfo info;
};

}  // namespace imglib
