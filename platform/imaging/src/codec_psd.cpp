// Photoshop files: the composite picture of bitmap, grey, indexed, RGB, CMYK and duotone
// files at 1, 8 and 16 bits, raw or PackBits coded. Writes 8-bit RGB without layers.
#include <algorithm>
#include <cstring>

#include "codec_util.h"
#include "imglib/byte_io.h"

namespace imglib {

namespace {

enum PsdMode { kBitmap = 0, kGrey = 1, kIndexed = 2, kRgb = 3, kCmyk = 4, kDuotone = 8 };

// Unpacks one PackBits row into `want` bytes; false when the data runs short.
bool UnpackRow(const uint8_t* src, size_t srcBytes, uint8_t* out, size_t want) {
  size_t i = 0, made = 0;
  while (made < want && i < srcBytes) {
    int n = int8_t(src[i++]);
    if (n >= 0) {
      size_t count = std::min<size_t>(size_t(n) + 1, want - made);
      if (i + count > srcBytes) return false;
      std::memcpy(out + made, src + i, count);
      i += size_t(n) + 1;
      made += count;
    } else if (n != -128) {
      if (i >= srcBytes) return false;
      size_t count = std::min<size_t>(size_t(1 - n), want - made);
      std::memset(out + made, src[i++], count);
      made += count;
    }
  }
  return made == want;
}

}  // namespace

int DecodePsd(std::string_view bytes, Picture& out, bool infoOnly) {
  ByteReader in(bytes);
  if (in.U32BE() != 0x38425053) return kNotAPicture;  // "8BPS"
  int version = in.U16BE();
  in.Skip(6);
  int channels = in.U16BE();
  uint32_t height = in.U32BE(), width = in.U32BE();
  int depth = in.U16BE(), mode = in.U16BE();
  if (in.Failed()) return kFileCorrupt;
  if (version != 1) return kUnsupported;  // large documents
  if (width == 0 || height == 0 || channels < 1 || channels > 56) return kFileCorrupt;
  if (width > uint32_t(kMaxSide) || height > uint32_t(kMaxSide)) return kFileCorrupt;
  if (depth != 1 && depth != 8 && depth != 16) return kUnsupported;
  if (mode != kBitmap && mode != kGrey && mode != kIndexed && mode != kRgb && mode != kCmyk && mode != kDuotone)
    return kUnsupported;
  if ((mode == kBitmap) != (depth == 1)) return kFileCorrupt;
  int needed = mode == kRgb ? 3 : mode == kCmyk ? 4 : 1;
  if (channels < needed) return kFileCorrupt;

  out.info = {};
  out.info.format = kFormatPsd;
  out.info.width = int(width);
  out.info.height = int(height);
  out.info.bitsPerPixel = mode == kRgb || mode == kCmyk ? 24 : depth == 16 ? 8 : depth;
  out.info.grey = mode == kGrey || mode == kDuotone;
  out.info.colours = ColoursForDepth(out.info.bitsPerPixel);

  uint32_t colourData = in.U32BE();
  const uint8_t* colourMap = in.Take(colourData);
  std::vector<Rgb> palette;
  if (mode == kIndexed) {
    if (!colourMap || colourData < 768) return kFileCorrupt;
    for (int i = 0; i < 256; ++i) palette.push_back({colourMap[i], colourMap[256 + i], colourMap[512 + i]});
  }
  if (infoOnly) return in.Failed() ? kFileCorrupt : kSuccess;
  uint32_t resources = in.U32BE();
  in.Skip(resources);
  uint32_t layers = in.U32BE();
  in.Skip(layers);
  int compression = in.U16BE();
  if (in.Failed()) return kFileCorrupt;
  if (compression > 1) return kUnsupported;  // zip-coded data

  size_t rowBytes = (size_t(width) * size_t(depth) + 7) / 8;
  double ratio = compression ? 128.0 * 8 / depth / needed : 8.0 / depth / needed + 1;
  if (!PlausibleSize(int(width), int(height), in.Remaining(), ratio)) return kFileCorrupt;
  // Planes: one per channel that the picture uses.
  std::vector<std::vector<uint8_t>> planes(static_cast<size_t>(needed));
  try {
    for (auto& p : planes) p.assign(rowBytes * height, 0);
  } catch (const std::bad_alloc&) {
    return kNoMemory;
  }
  if (compression == 0) {
    for (int c = 0; c < needed; ++c) {
      size_t n = std::min(rowBytes * height, in.Remaining());
      in.Bytes(planes[size_t(c)].data(), n);
    }
  } else {
    std::vector<uint32_t> counts(size_t(channels) * height);
    for (auto& n : counts) n = in.U16BE();
    if (in.Failed()) return kFileCorrupt;
    for (int c = 0; c < needed; ++c)
      for (uint32_t y = 0; y < height; ++y) {
        uint32_t n = counts[size_t(c) * height + y];
        const uint8_t* src = in.Take(n);
        if (!src) break;
        UnpackRow(src, n, planes[size_t(c)].data() + y * rowBytes, rowBytes);
      }
  }
  if (!out.pixels.Allocate(int(width), int(height))) return kNoMemory;
  auto sample = [&](int c, uint32_t x, uint32_t y) -> uint8_t {
    const uint8_t* row = planes[size_t(c)].data() + y * rowBytes;
    return depth == 16 ? row[x * 2] : row[x];  // 16 bits: the high byte
  };
  for (uint32_t y = 0; y < height; ++y) {
    uint8_t* dst = out.pixels.Row(int(y));
    for (uint32_t x = 0; x < width; ++x) {
      uint8_t r, g, b;
      if (mode == kBitmap) {
        bool black = (planes[0][y * rowBytes + x / 8] >> (7 - x % 8)) & 1;
        r = g = b = black ? 0 : 255;
      } else if (mode == kIndexed) {
        Rgb c = palette[sample(0, x, y)];
        r = c.r, g = c.g, b = c.b;
      } else if (mode == kRgb) {
        r = sample(0, x, y), g = sample(1, x, y), b = sample(2, x, y);
      } else if (mode == kCmyk) {
        // Stored inverted: 255 is no ink.
        int k = sample(3, x, y);
        r = uint8_t(sample(0, x, y) * k / 255);
        g = uint8_t(sample(1, x, y) * k / 255);
        b = uint8_t(sample(2, x, y) * k / 255);
      } else {
        r = g = b = sample(0, x, y);
      }
      dst[x * 3] = b;
      dst[x * 3 + 1] = g;
      dst[x * 3 + 2] = r;
    }
  }
  return kSuccess;
}

int EncodePsd(const Raster& pixels, std::string& out) {
  if (pixels.Empty()) return kInvalidParameter;
  int width = pixels.Width(), height = pixels.Height();
  if (width > 30000 || height > 30000) return kInvalidParameter;  // the format's limit
  out.clear();
  ByteWriter w(out);
  w.Text("8BPS");
  w.U16BE(1);
  w.Zeros(6);
  w.U16BE(3);
  w.U32BE(uint32_t(height));
  w.U32BE(uint32_t(width));
  w.U16BE(8);
  w.U16BE(kRgb);
  w.U32BE(0);  // colour mode data
  w.U32BE(0);  // image resources
  w.U32BE(0);  // layers and masks
  w.U16BE(0);  // raw data, planar
  for (int c = 0; c < 3; ++c)
    for (int y = 0; y < height; ++y) {
      const uint8_t* row = pixels.Row(y);
      for (int x = 0; x < width; ++x) w.U8(row[x * 3 + 2 - c]);
    }
  return kSuccess;
}

}  // namespace imglib
