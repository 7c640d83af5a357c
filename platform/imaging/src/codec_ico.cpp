// Windows icons and cursors: the largest, deepest picture of the file. Bitmap pictures are
// decoded here; a PNG-coded one (the 256 x 256 picture of most icons made today) is left
// to the system codecs through IconPngEntry, its size read here. Transparent pixels
// become white. Writes one 24-bit picture of at most 256 x 256.
#include <algorithm>
#include <cstring>

#include "codec_util.h"
#include "imglib/byte_io.h"

namespace imglib {

namespace {

bool IsPng(std::string_view entry) { return entry.size() >= 8 && std::memcmp(entry.data(), "\x89PNG\r\n\x1A\n", 8) == 0; }

// The entry of the largest, deepest picture whose data lies in the file (of the bitmaps
// only, when asked), the directory's type and its number of entries; or kNotAPicture /
// kFileCorrupt.
int BestEntry(std::string_view bytes, std::string_view& entry, int& type, int& count, bool bitmapsOnly = false) {
  ByteReader in(bytes);
  int reserved = in.U16LE();
  type = in.U16LE();
  count = in.U16LE();
  if (in.Failed() || reserved != 0 || (type != 1 && type != 2)) return kNotAPicture;
  if (count == 0) return kFileCorrupt;
  int best = -1;
  uint32_t bestOffset = 0, bestSize = 0;
  int bestArea = -1, bestBits = -1;
  for (int i = 0; i < count; ++i) {
    int w = in.U8(), h = in.U8();
    in.U8();
    in.U8();
    in.U16LE();
    int bits = in.U16LE();
    uint32_t size = in.U32LE(), offset = in.U32LE();
    if (in.Failed()) return kFileCorrupt;
    if (w == 0) w = 256;
    if (h == 0) h = 256;
    if (offset >= bytes.size() || size > bytes.size() - offset || size < 16) continue;
    // A PNG picture's directory entry often leaves its depth at 0: it has the depth it
    // says in its own header, at least that of any bitmap of its size.
    bool png = IsPng(bytes.substr(offset, size));
    if (png && bitmapsOnly) continue;
    if (bits == 0 && png) bits = 32;
    if (w * h > bestArea || (w * h == bestArea && bits > bestBits)) {
      best = i;
      bestArea = w * h;
      bestBits = bits;
      bestOffset = offset;
      bestSize = size;
    }
  }
  if (best < 0) return kFileCorrupt;
  entry = bytes.substr(bestOffset, bestSize);
  return kSuccess;
}

// The size and depth from a PNG picture's header chunk.
int PngInfo(std::string_view png, PictureInfo& info) {
  ByteReader in(png);
  in.Skip(8);
  uint32_t length = in.U32BE();
  char name[4] = {};
  in.Bytes(name, 4);
  uint32_t width = in.U32BE(), height = in.U32BE();
  int depth = in.U8(), colourType = in.U8();
  if (in.Failed() || length != 13 || std::memcmp(name, "IHDR", 4) != 0) return kFileCorrupt;
  if (width == 0 || height == 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF) return kFileCorrupt;
  info.width = int(width);
  info.height = int(height);
  // Alpha is not kept: the picture lies over white.
  info.bitsPerPixel = colourType == 2 || colourType == 6 ? 24 : std::clamp(depth, 1, 8);
  info.grey = colourType == 0 || colourType == 4;
  info.colours = ColoursForDepth(info.bitsPerPixel);
  return kSuccess;
}

}  // namespace

std::string_view IconPngEntry(std::string_view bytes) {
  std::string_view entry;
  int type = 0, count = 0;
  if (BestEntry(bytes, entry, type, count) != kSuccess || !IsPng(entry)) return {};
  return entry;
}

int DecodeIco(std::string_view bytes, Picture& out, bool infoOnly) {
  std::string_view entry;
  int type = 0, count = 0;
  int found = BestEntry(bytes, entry, type, count);
  if (found != kSuccess) return found;
  if (IsPng(entry)) {
    out.info = {};
    if (PngInfo(entry, out.info) != kSuccess) return DecodeIcoBitmaps(bytes, out, infoOnly);  // a damaged PNG
    out.info.format = type == 1 ? kFormatIco : kFormatCur;
    out.info.pages = count;
    return infoOnly ? kSuccess : kUnsupported;  // the pixels: IconPngEntry, for the system codecs
  }
  return DecodeIcoBitmaps(bytes, out, infoOnly);
}

int DecodeIcoBitmaps(std::string_view bytes, Picture& out, bool infoOnly) {
  std::string_view entry;
  int type = 0, count = 0;
  int found = BestEntry(bytes, entry, type, count, true);
  if (found != kSuccess) return found;
  ByteReader bi(entry);
  uint32_t headerSize = bi.U32LE();
  int width = bi.I32LE(), doubled = bi.I32LE();
  bi.U16LE();
  int bits = bi.U16LE();
  uint32_t compression = bi.U32LE();
  bi.U32LE();
  bi.U32LE();
  bi.U32LE();
  uint32_t used = bi.U32LE();
  if (bi.Failed() || headerSize < 40 || headerSize > entry.size() || compression != 0) return kFileCorrupt;
  int height = doubled / 2;
  if (width <= 0 || width > 1024 || height <= 0 || height > 1024) return kFileCorrupt;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return kUnsupported;
  out.info = {};
  out.info.format = type == 1 ? kFormatIco : kFormatCur;
  out.info.width = width;
  out.info.height = height;
  out.info.bitsPerPixel = bits;
  out.info.colours = ColoursForDepth(bits);
  out.info.pages = count;
  if (infoOnly) return kSuccess;

  bi.Seek(headerSize);
  std::vector<Rgb> palette;
  if (bits <= 8) {
    uint32_t n = used ? std::min<uint32_t>(used, 256) : (1u << bits);
    for (uint32_t i = 0; i < n; ++i) {
      uint8_t b = bi.U8(), g = bi.U8(), r = bi.U8();
      bi.U8();
      palette.push_back({r, g, b});
    }
    if (bi.Failed()) return kFileCorrupt;
  }
  size_t xorRow = ((size_t(width) * size_t(bits) + 31) / 32) * 4;
  size_t andRow = ((size_t(width) + 31) / 32) * 4;
  const uint8_t* xorBits = bi.Take(xorRow * size_t(height));
  if (!xorBits) return kFileCorrupt;
  const uint8_t* andBits = bi.Take(andRow * size_t(height));  // may be missing with 32 bits
  if (!out.pixels.Allocate(width, height)) return kNoMemory;
  for (int r = 0; r < height; ++r) {
    const uint8_t* src = xorBits + size_t(r) * xorRow;
    const uint8_t* mask = andBits ? andBits + size_t(r) * andRow : nullptr;
    int y = height - 1 - r;
    uint8_t* dst = out.pixels.Row(y);
    for (int x = 0; x < width; ++x) {
      int red, green, blue, alpha = 255;
      if (bits <= 8) {
        uint8_t i = detail::PackedIndex(src, x, bits);
        Rgb c = i < palette.size() ? palette[i] : Rgb{};
        red = c.r, green = c.g, blue = c.b;
      } else {
        const uint8_t* p = src + size_t(x) * size_t(bits / 8);
        blue = p[0], green = p[1], red = p[2];
        if (bits == 32) alpha = p[3];
      }
      if (bits != 32 && mask && ((mask[x / 8] >> (7 - x % 8)) & 1)) alpha = 0;
      // Over white.
      dst[x * 3] = uint8_t((blue * alpha + 255 * (255 - alpha)) / 255);
      dst[x * 3 + 1] = uint8_t((green * alpha + 255 * (255 - alpha)) / 255);
      dst[x * 3 + 2] = uint8_t((red * alpha + 255 * (255 - alpha)) / 255);
    }
  }
  return kSuccess;
}

int EncodeIco(const Raster& pixels, bool cursor, std::string& out) {
  if (pixels.Empty() || pixels.Width() > 256 || pixels.Height() > 256) return kInvalidParameter;
  int width = pixels.Width(), height = pixels.Height();
  size_t xorRow = ((size_t(width) * 24 + 31) / 32) * 4, andRow = ((size_t(width) + 31) / 32) * 4;
  uint32_t dataSize = uint32_t(40 + (xorRow + andRow) * size_t(height));
  out.clear();
  ByteWriter w(out);
  w.U16LE(0);
  w.U16LE(cursor ? 2 : 1);
  w.U16LE(1);
  w.U8(width == 256 ? 0 : unsigned(width));
  w.U8(height == 256 ? 0 : unsigned(height));
  w.U8(0);
  w.U8(0);
  w.U16LE(cursor ? 0 : 1);   // planes, or the hot spot's x
  w.U16LE(cursor ? 0 : 24);  // bits, or the hot spot's y
  w.U32LE(dataSize);
  w.U32LE(22);
  w.U32LE(40);
  w.U32LE(uint32_t(width));
  w.U32LE(uint32_t(height * 2));
  w.U16LE(1);
  w.U16LE(24);
  w.Zeros(24);
  std::vector<uint8_t> row(xorRow, 0);
  for (int y = height - 1; y >= 0; --y) {
    std::memcpy(row.data(), pixels.Row(y), size_t(width) * 3);
    w.Bytes(row.data(), xorRow);
  }
  w.Zeros(andRow * size_t(height));  // every pixel opaque
  return kSuccess;
}

}  // namespace imglib
