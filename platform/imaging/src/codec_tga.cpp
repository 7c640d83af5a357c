// Truevision Targa: colour-mapped, true-colour and grey pictures, raw or run-length
// coded, at 8, 15, 16, 24 and 32 bits, any origin. Writes 8 and 24 bits.
#include <algorithm>
#include <cstring>

#include "codec_util.h"
#include "imglib/byte_io.h"

namespace imglib {

namespace {

Rgb From16(uint32_t v) {
  auto s = [](uint32_t c) { return uint8_t((c << 3) | (c >> 2)); };
  return {s((v >> 10) & 31), s((v >> 5) & 31), s(v & 31)};
}

// Reads one pixel of the given size as a colour (true colour) or index (mapped, grey).
struct PixelReader {
  int bytesPerPixel;
  bool mapped;
  bool grey;
  const std::vector<Rgb>* palette;
  int mapFirst;
  Rgb Read(const uint8_t* p) const {
    if (mapped) {
      int i = (bytesPerPixel == 1 ? p[0] : p[0] | p[1] << 8) - mapFirst;
      return i >= 0 && size_t(i) < palette->size() ? (*palette)[size_t(i)] : Rgb{};
    }
    if (grey) return {p[0], p[0], p[0]};
    switch (bytesPerPixel) {
      case 2: return From16(uint32_t(p[0] | p[1] << 8));
      case 3:
      case 4: return {p[2], p[1], p[0]};
      default: return {p[0], p[0], p[0]};
    }
  }
};

}  // namespace

int DecodeTga(std::string_view bytes, Picture& out, bool infoOnly) {
  ByteReader in(bytes);
  int idLength = in.U8(), mapType = in.U8(), type = in.U8();
  int mapFirst = in.U16LE(), mapLength = in.U16LE(), mapEntryBits = in.U8();
  in.U16LE();
  in.U16LE();
  int width = in.U16LE(), height = in.U16LE(), depth = in.U8(), descriptor = in.U8();
  if (in.Failed()) return kFileCorrupt;
  int base = type & 7;
  bool rle = type & 8;
  if (mapType > 1 || (type & ~(8 | 3)) != 0 || base == 0) return kNotAPicture;
  if (width == 0 || height == 0) return kFileCorrupt;
  bool mapped = base == 1, grey = base == 3;
  if (mapped && (mapType != 1 || (depth != 8 && depth != 16))) return kFileCorrupt;
  if (grey && depth != 8 && depth != 16) return kUnsupported;
  if (base == 2 && depth != 15 && depth != 16 && depth != 24 && depth != 32) return kUnsupported;

  out.info = {};
  out.info.format = kFormatTga;
  out.info.width = width;
  out.info.height = height;
  out.info.bitsPerPixel = depth == 15 ? 16 : depth;
  out.info.grey = grey;
  out.info.colours = mapped ? mapLength : ColoursForDepth(depth);
  in.Skip(size_t(idLength));
  std::vector<Rgb> palette;
  if (mapType == 1) {
    int entryBytes = (mapEntryBits + 7) / 8;
    if (entryBytes < 2 || entryBytes > 4) return kFileCorrupt;
    for (int i = 0; i < mapLength; ++i) {
      const uint8_t* e = in.Take(size_t(entryBytes));
      if (!e) return kFileCorrupt;
      palette.push_back(entryBytes == 2 ? From16(uint32_t(e[0] | e[1] << 8)) : Rgb{e[2], e[1], e[0]});
    }
  }
  if (infoOnly) return kSuccess;

  int bpp = (depth + 7) / 8;
  double ratio = rle ? 128.0 / (bpp + 1) + 1 : 1.0 / bpp + 1;
  if (!PlausibleSize(width, height, in.Remaining(), ratio)) return kFileCorrupt;
  if (!out.pixels.Allocate(width, height)) return kNoMemory;
  // Grey at 16 bits is grey plus alpha: the first byte is the level.
  PixelReader reader{bpp, mapped, grey, &palette, mapFirst};
  bool rightToLeft = descriptor & 0x10, topDown = descriptor & 0x20;
  size_t total = size_t(width) * size_t(height), done = 0;
  auto put = [&](const Rgb& c) {
    size_t row = done / size_t(width), col = done % size_t(width);
    int y = topDown ? int(row) : height - 1 - int(row);
    int x = rightToLeft ? width - 1 - int(col) : int(col);
    out.pixels.Set(x, y, c.r, c.g, c.b);
    ++done;
  };
  while (done < total) {
    if (rle) {
      uint8_t packet = in.U8();
      size_t count = size_t(packet & 0x7F) + 1;
      if (packet & 0x80) {
        const uint8_t* p = in.Take(size_t(bpp));
        if (!p) break;
        Rgb c = reader.Read(p);
        for (size_t i = 0; i < count && done < total; ++i) put(c);
      } else {
        for (size_t i = 0; i < count && done < total; ++i) {
          const uint8_t* p = in.Take(size_t(bpp));
          if (!p) break;
          put(reader.Read(p));
        }
      }
      if (in.Failed()) break;
    } else {
      const uint8_t* p = in.Take(size_t(bpp));
      if (!p) break;
      put(reader.Read(p));
    }
  }
  return done >= size_t(width) ? kSuccess : kFileCorrupt;  // a cut-off file keeps its rows
}

int EncodeTga(const Raster& pixels, int bitsPerPixel, std::string& out) {
  if (pixels.Empty()) return kInvalidParameter;
  int width = pixels.Width(), height = pixels.Height();
  bool mapped = detail::WriterDepth(bitsPerPixel) < 24;
  std::vector<Rgb> palette;
  std::vector<uint8_t> indices;
  if (mapped) {
    palette = BuildPalette(pixels, 256);
    MapToPalette(pixels, palette, indices);
  }
  out.clear();
  ByteWriter w(out);
  w.U8(0);
  w.U8(mapped ? 1 : 0);
  w.U8(mapped ? 1 : 2);
  w.U16LE(0);
  w.U16LE(mapped ? unsigned(palette.size()) : 0);
  w.U8(mapped ? 24 : 0);
  w.U16LE(0);
  w.U16LE(0);
  w.U16LE(unsigned(width));
  w.U16LE(unsigned(height));
  w.U8(mapped ? 8 : 24);
  w.U8(0);  // origin at the bottom left
  for (const Rgb& c : palette) {
    w.U8(c.b);
    w.U8(c.g);
    w.U8(c.r);
  }
  for (int y = height - 1; y >= 0; --y) {
    if (mapped)
      w.Bytes(indices.data() + size_t(y) * size_t(width), size_t(width));
    else
      w.Bytes(pixels.Row(y), size_t(width) * 3);
  }
  // The version 2 footer: no extension area, no developer directory.
  w.U32LE(0);
  w.U32LE(0);
  w.Text("TRUEVISION-XFILE.");
  w.U8(0);
  return kSuccess;
}

}  // namespace imglib
