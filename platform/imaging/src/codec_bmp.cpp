// Windows bitmaps: every header version, 1 to 32 bits, RLE4, RLE8 and bit fields; writes
// 1, 4, 8 and 24 bits.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "codec_util.h"
#include "imglib/byte_io.h"

namespace imglib {

namespace {

using detail::PackedIndex;
using detail::PutIndexedRow;

constexpr uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3, kBiAlphaBitfields = 6;

// A channel of a bit-field pixel, scaled to 8 bits.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  int bits = 0;
  void Set(uint32_t m) {
    mask = m;
    shift = 0;
    bits = 0;
    if (!m) return;
    while (!((m >> shift) & 1)) ++shift;
    while (shift + bits < 32 && ((m >> (shift + bits)) & 1)) ++bits;
  }
  uint8_t Of(uint32_t v) const {
    if (!bits) return 0;
    uint32_t x = (v & mask) >> shift;
    if (bits >= 8) return uint8_t(x >> (bits - 8));
    return uint8_t(x * 255 / ((1u << bits) - 1));
  }
};

// Decodes RLE8 or RLE4 data into rows of indices (bottom-up order as stored).
bool DecodeRle(ByteReader& in, bool four, int width, int height, std::vector<uint8_t>& indices) {
  indices.assign(size_t(width) * size_t(height), 0);
  int x = 0, y = 0;
  auto put = [&](uint8_t v) {
    if (x < width && y < height) indices[size_t(y) * size_t(width) + size_t(x)] = v;
    ++x;
  };
  while (y < height) {
    uint8_t count = in.U8(), value = in.U8();
    if (in.Failed()) return y > 0;  // a cut-off file keeps the rows it has
    if (count) {
      for (int i = 0; i < count; ++i) put(four ? uint8_t((i & 1) ? value & 15 : value >> 4) : value);
      continue;
    }
    if (value == 0) {  // end of line
      x = 0;
      ++y;
    } else if (value == 1) {  // end of picture
      break;
    } else if (value == 2) {  // delta
      x += in.U8();
      y += in.U8();
    } else {  // absolute run of value pixels, padded to a 16-bit boundary
      int bytes = four ? (value + 1) / 2 : value;
      const uint8_t* p = in.Take(size_t(bytes));
      if (!p) return y > 0;
      for (int i = 0; i < value; ++i) put(four ? uint8_t((i & 1) ? p[i / 2] & 15 : p[i / 2] >> 4) : p[i]);
      if (bytes & 1) in.U8();
    }
  }
  return true;
}

}  // namespace

int DecodeBmp(std::string_view bytes, Picture& out, bool infoOnly) {
  ByteReader in(bytes);
  if (in.U8() != 'B' || in.U8() != 'M') return kNotAPicture;
  in.Skip(8);
  uint32_t dataOffset = in.U32LE();
  size_t headerStart = in.Position();
  uint32_t headerSize = in.U32LE();
  int width = 0, height = 0, bits = 0;
  uint32_t compression = kBiRgb, coloursUsed = 0;
  int xDpi = 0, yDpi = 0;
  bool core = headerSize == 12;
  if (core) {
    width = in.U16LE();
    height = int16_t(in.U16LE());
    in.U16LE();
    bits = in.U16LE();
  } else if (headerSize >= 16 && headerSize <= 256) {
    width = in.I32LE();
    height = in.I32LE();
    in.U16LE();
    bits = in.U16LE();
    if (headerSize >= 40) {
      compression = in.U32LE();
      in.U32LE();
      xDpi = int(in.U32LE() * 254 / 10000);
      yDpi = int(in.U32LE() * 254 / 10000);
      coloursUsed = in.U32LE();
      in.U32LE();
    }
  } else {
    return kFileCorrupt;
  }
  if (in.Failed()) return kFileCorrupt;
  bool topDown = height < 0;
  if (height == INT32_MIN) return kFileCorrupt;
  height = std::abs(height);
  if (width <= 0 || height == 0) return kFileCorrupt;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return kUnsupported;
  if (compression != kBiRgb && compression != kBiRle8 && compression != kBiRle4 && compression != kBiBitfields &&
      compression != kBiAlphaBitfields)
    return kUnsupported;  // embedded JPEG or PNG: not for this decoder
  if ((compression == kBiRle8 && bits != 8) || (compression == kBiRle4 && bits != 4)) return kFileCorrupt;
  if (topDown && (compression == kBiRle8 || compression == kBiRle4)) return kFileCorrupt;

  out.info = {};
  out.info.format = kFormatBmp;
  out.info.width = width;
  out.info.height = height;
  out.info.bitsPerPixel = bits;
  out.info.xDpi = xDpi;
  out.info.yDpi = yDpi;

  // Palette (and bit-field masks) follow the header.
  in.Seek(headerStart + headerSize);
  Channel red, green, blue;
  if (bits == 16) {
    red.Set(0x7C00);
    green.Set(0x03E0);
    blue.Set(0x001F);
  } else if (bits == 32) {
    red.Set(0xFF0000);
    green.Set(0xFF00);
    blue.Set(0xFF);
  }
  if (compression == kBiBitfields || compression == kBiAlphaBitfields) {
    // The masks sit in the header from version 4 on, else right after a 40-byte header.
    ByteReader masks(bytes);
    masks.Seek(headerStart + 40);
    red.Set(masks.U32LE());
    green.Set(masks.U32LE());
    blue.Set(masks.U32LE());
    if (masks.Failed()) return kFileCorrupt;
    if (headerSize == 40) in.Skip(compression == kBiAlphaBitfields ? 16 : 12);
  }
  std::vector<Rgb> palette;
  if (bits <= 8) {
    uint32_t entries = coloursUsed ? std::min<uint32_t>(coloursUsed, 256u) : (1u << bits);
    int entrySize = core ? 3 : 4;
    for (uint32_t i = 0; i < entries; ++i) {
      uint8_t b = in.U8(), g = in.U8(), r = in.U8();
      if (entrySize == 4) in.U8();
      if (in.Failed()) break;
      palette.push_back({r, g, b});
    }
    if (palette.empty()) palette = detail::GreyPalette(bits);
    out.info.colours = int(palette.size());
    bool grey = true;
    for (const Rgb& c : palette) grey = grey && c.r == c.g && c.g == c.b;
    out.info.grey = grey;
  } else {
    out.info.colours = ColoursForDepth(bits);
  }
  if (infoOnly) return kSuccess;

  if (dataOffset >= bytes.size()) return kFileCorrupt;
  ByteReader data(bytes);
  data.Seek(dataOffset);
  double ratio = (compression == kBiRle8 || compression == kBiRle4) ? 255.0 * 2 : 8.0 / bits + 1;
  if (!PlausibleSize(width, height, data.Remaining(), ratio)) return kFileCorrupt;
  if (!out.pixels.Allocate(width, height)) return kNoMemory;

  if (compression == kBiRle8 || compression == kBiRle4) {
    std::vector<uint8_t> indices;
    if (!DecodeRle(data, compression == kBiRle4, width, height, indices)) return kFileCorrupt;
    for (int y = 0; y < height; ++y)
      PutIndexedRow(out.pixels, height - 1 - y, indices.data() + size_t(y) * size_t(width), width, palette);
    return kSuccess;
  }
  size_t rowBytes = ((size_t(width) * size_t(bits) + 31) / 32) * 4;
  std::vector<uint8_t> rowIndices(static_cast<size_t>(width));
  int rowsRead = 0;
  for (int r = 0; r < height; ++r) {
    const uint8_t* src = data.Take(rowBytes);
    if (!src) break;  // a cut-off file keeps the rows it has
    ++rowsRead;
    int y = topDown ? r : height - 1 - r;
    uint8_t* dst = out.pixels.Row(y);
    if (bits <= 8) {
      for (int x = 0; x < width; ++x) rowIndices[size_t(x)] = PackedIndex(src, x, bits);
      PutIndexedRow(out.pixels, y, rowIndices.data(), width, palette);
    } else if (bits == 24) {
      std::memcpy(dst, src, size_t(width) * 3);
    } else {
      for (int x = 0; x < width; ++x) {
        uint32_t v = bits == 16 ? uint32_t(src[x * 2] | (src[x * 2 + 1] << 8))
                                : uint32_t(src[x * 4] | (src[x * 4 + 1] << 8) | (src[x * 4 + 2] << 16) |
                                           (uint32_t(src[x * 4 + 3]) << 24));
        dst[x * 3] = blue.Of(v);
        dst[x * 3 + 1] = green.Of(v);
        dst[x * 3 + 2] = red.Of(v);
      }
    }
  }
  return rowsRead > 0 ? kSuccess : kFileCorrupt;
}

int EncodeBmp(const Raster& pixels, int bitsPerPixel, std::string& out) {
  if (pixels.Empty()) return kInvalidParameter;
  int bits = detail::WriterDepth(bitsPerPixel);
  int width = pixels.Width(), height = pixels.Height();
  std::vector<Rgb> palette;
  std::vector<uint8_t> indices;
  if (bits < 24) {
    palette = BuildPalette(pixels, 1 << bits);
    MapToPalette(pixels, palette, indices);
  }
  size_t rowBytes = ((size_t(width) * size_t(bits) + 31) / 32) * 4;
  uint32_t paletteBytes = bits < 24 ? (1u << bits) * 4 : 0;
  uint32_t offset = 14 + 40 + paletteBytes;
  uint64_t fileSize = uint64_t(offset) + uint64_t(rowBytes) * uint64_t(height);
  if (fileSize > 0xFFFFFFFFull) return kNoMemory;
  out.clear();
  out.reserve(size_t(fileSize));
  ByteWriter w(out);
  w.Text("BM");
  w.U32LE(uint32_t(fileSize));
  w.U32LE(0);
  w.U32LE(offset);
  w.U32LE(40);
  w.U32LE(uint32_t(width));
  w.U32LE(uint32_t(height));  // bottom-up, as most readers expect
  w.U16LE(1);
  w.U16LE(unsigned(bits));
  w.U32LE(kBiRgb);
  w.U32LE(uint32_t(rowBytes * size_t(height)));
  w.U32LE(3780);  // 96 dots per inch
  w.U32LE(3780);
  w.U32LE(bits < 24 ? (1u << bits) : 0);
  w.U32LE(0);
  for (uint32_t i = 0; bits < 24 && i < (1u << bits); ++i) {
    Rgb c = i < palette.size() ? palette[i] : Rgb{};
    w.U8(c.b);
    w.U8(c.g);
    w.U8(c.r);
    w.U8(0);
  }
  std::vector<uint8_t> row(rowBytes, 0);
  for (int y = height - 1; y >= 0; --y) {
    std::fill(row.begin(), row.end(), 0);
    if (bits == 24)
      std::memcpy(row.data(), pixels.Row(y), size_t(width) * 3);
    else
      detail::PackRow(indices.data() + size_t(y) * size_t(width), width, bits, row.data());
    w.Bytes(row.data(), rowBytes);
  }
  return kSuccess;
}

}  // namespace imglib
