// Macintosh PICT files (".PCT"): a 512-byte header of the application, then the picture's
// drawing opcodes. Written as a version 2 picture of one DirectBitsRect: 32-bit pixels
// with their red, green and blue planes PackBits-coded row by row. Read: the first bitmap
// opcode of a version 1 or 2 picture (BitsRect, PackBitsRect, DirectBitsRect and their
// region forms; 1- to 8-bit indexed, 16- and 32-bit direct pixels); the drawing opcodes
// before it are skipped.
#include <algorithm>
#include <cstring>

#include "codec_util.h"
#include "imglib/byte_io.h"

namespace imglib {

namespace {

constexpr size_t kFileHeader = 512;

struct PixMap {
  int rowBytes = 0;
  int top = 0, left = 0, bottom = 0, right = 0;
  int packType = 0;
  int pixelSize = 1;
  int cmpCount = 1;
  bool isPixMap = false;
  std::vector<Rgb> palette;
};

int16_t S16(ByteReader& in) { return int16_t(in.U16BE()); }

// Unpacks one PackBits row of want bytes; false when the data ends first.
bool UnpackRow(ByteReader& in, size_t packedBytes, uint8_t* out, size_t want) {
  const uint8_t* src = in.Take(packedBytes);
  if (!src) return false;
  size_t i = 0, made = 0;
  while (i < packedBytes && made < want) {
    int n = int8_t(src[i++]);
    if (n >= 0) {
      for (int k = 0; k <= n && i < packedBytes; ++k) {
        uint8_t b = src[i++];
        if (made < want) out[made++] = b;
      }
    } else if (n != -128) {
      if (i >= packedBytes) break;
      uint8_t b = src[i++];
      for (int k = 0; k < 1 - n && made < want; ++k) out[made++] = b;
    }
  }
  std::fill(out + made, out + want, 0);
  return true;
}

// Unpacks 16-bit words (packType 3): the counts count words.
bool UnpackWords(ByteReader& in, size_t packedBytes, uint8_t* out, size_t want) {
  const uint8_t* src = in.Take(packedBytes);
  if (!src) return false;
  size_t i = 0, made = 0;
  auto word = [&](size_t at) {
    for (size_t j = 0; j < 2 && made < want; ++j) out[made++] = src[at + j];
  };
  while (i < packedBytes && made < want) {
    int n = int8_t(src[i++]);
    if (n >= 0) {
      for (int k = 0; k <= n && i + 2 <= packedBytes; ++k, i += 2) word(i);
    } else if (n != -128) {
      if (i + 2 > packedBytes) break;
      for (int k = 0; k < 1 - n; ++k) word(i);
      i += 2;
    }
  }
  std::fill(out + made, out + want, 0);
  return true;
}

bool ReadPixMap(ByteReader& in, bool direct, PixMap& pm) {
  if (direct) in.U32BE();  // the base address
  int rb = in.U16BE();
  pm.isPixMap = (rb & 0x8000) != 0;
  pm.rowBytes = rb & 0x3FFF;
  pm.top = S16(in), pm.left = S16(in), pm.bottom = S16(in), pm.right = S16(in);
  if (pm.isPixMap) {
    in.U16BE();  // version
    pm.packType = in.U16BE();
    in.U32BE();  // packed size
    in.U32BE();  // resolution
    in.U32BE();
    in.U16BE();  // pixel type
    pm.pixelSize = in.U16BE();
    pm.cmpCount = in.U16BE();
    in.U16BE();  // component size
    in.U32BE();  // plane bytes
    in.U32BE();  // colour table handle
    in.U32BE();
    if (!direct) {
      in.U32BE();  // seed
      in.U16BE();  // flags
      int entries = in.U16BE() + 1;
      if (in.Failed() || entries > 256 * 4) return false;
      pm.palette.assign(256, Rgb{});
      for (int i = 0; i < entries; ++i) {
        int index = in.U16BE();
        Rgb c{uint8_t(in.U16BE() >> 8), uint8_t(in.U16BE() >> 8), uint8_t(in.U16BE() >> 8)};
        // An index beyond the table stands for the entry's place (the device flag).
        pm.palette[size_t(index < 256 ? index : i & 255)] = c;
      }
    }
  } else {
    pm.pixelSize = 1;
    pm.palette = {Rgb{255, 255, 255}, Rgb{0, 0, 0}};  // a bit set is black
  }
  if (pm.isPixMap && !direct && pm.pixelSize != 1 && pm.pixelSize != 2 && pm.pixelSize != 4 && pm.pixelSize != 8)
    return false;
  if (direct && pm.pixelSize != 16 && pm.pixelSize != 32) return false;
  return !in.Failed();
}

int ReadBits(ByteReader& in, bool direct, bool region, bool packed, Picture& out, bool infoOnly) {
  PixMap pm;
  if (!ReadPixMap(in, direct, pm)) return kFileCorrupt;
  int width = pm.right - pm.left, height = pm.bottom - pm.top;
  for (int i = 0; i < 8; ++i) in.U16BE();  // source and destination rectangles
  in.U16BE();                              // transfer mode
  if (region) {
    int size = in.U16BE();
    if (size < 2 || !in.Skip(size_t(size) - 2)) return kFileCorrupt;
  }
  if (in.Failed() || width <= 0 || height <= 0) return kFileCorrupt;
  out.info = {};
  out.info.format = kFormatPct;
  out.info.width = width;
  out.info.height = height;
  out.info.bitsPerPixel = direct ? 24 : pm.pixelSize;
  out.info.colours = ColoursForDepth(out.info.bitsPerPixel);
  if (infoOnly) return kSuccess;
  size_t rowBytes = size_t(pm.rowBytes);
  // Rows shorter than 8 bytes are stored as they are; longer ones with a byte count (a
  // word when rows may exceed 250 bytes), unless a direct pixmap says it is unpacked.
  int packType = pm.packType;
  if (direct && packType == 0) packType = pm.pixelSize == 32 ? 4 : 3;  // the default packing
  bool unpacked = !packed || rowBytes < 8 || (direct && (packType == 1 || packType == 2));
  bool planar = direct && pm.pixelSize == 32 && packType == 4 && !unpacked;
  bool threeBytes = direct && pm.pixelSize == 32 && packType == 2;
  size_t needed;
  if (!direct) needed = (size_t(width) * size_t(pm.pixelSize) + 7) / 8;
  else if (pm.pixelSize == 16) needed = size_t(width) * 2;
  else if (planar) needed = size_t(width) * size_t(std::clamp(pm.cmpCount, 3, 4));
  else if (threeBytes) needed = size_t(width) * 3;
  else needed = size_t(width) * 4;
  if (rowBytes == 0 || (unpacked && !threeBytes && rowBytes < needed)) return kFileCorrupt;
  if (!PlausibleSize(width, height, in.Remaining(), 8.0 * 127)) return kFileCorrupt;
  if (!out.pixels.Allocate(width, height)) return kNoMemory;
  std::vector<uint8_t> row(std::max(needed, rowBytes));
  for (int y = 0; y < height; ++y) {
    bool ok;
    if (unpacked) {
      ok = in.Bytes(row.data(), threeBytes ? needed : rowBytes);
    } else {
      size_t count = rowBytes > 250 ? in.U16BE() : in.U8();
      ok = !in.Failed() && (direct && pm.pixelSize == 16 ? UnpackWords(in, count, row.data(), needed)
                                                         : UnpackRow(in, count, row.data(), needed));
    }
    if (!ok) return y ? kSuccess : kFileCorrupt;  // a cut file keeps the rows it has
    uint8_t* dst = out.pixels.Row(y);
    for (int x = 0; x < width; ++x) {
      Rgb c;
      if (!direct) {
        uint8_t index = detail::PackedIndex(row.data(), x, pm.pixelSize);
        c = index < pm.palette.size() ? pm.palette[index] : Rgb{};
      } else if (pm.pixelSize == 16) {
        unsigned v = unsigned(row[size_t(x) * 2]) << 8 | row[size_t(x) * 2 + 1];
        auto five = [](unsigned f) { return uint8_t((f << 3) | (f >> 2)); };
        c = {five((v >> 10) & 31), five((v >> 5) & 31), five(v & 31)};
      } else if (planar) {
        // Planes of a row: (alpha,) red, green, blue.
        size_t skip = pm.cmpCount >= 4 ? size_t(width) : 0;
        c = {row[skip + size_t(x)], row[skip + size_t(width) + size_t(x)], row[skip + 2 * size_t(width) + size_t(x)]};
      } else if (threeBytes) {
        c = {row[size_t(x) * 3], row[size_t(x) * 3 + 1], row[size_t(x) * 3 + 2]};
      } else {
        c = {row[size_t(x) * 4 + 1], row[size_t(x) * 4 + 2], row[size_t(x) * 4 + 3]};
      }
      dst[x * 3] = c.b;
      dst[x * 3 + 1] = c.g;
      dst[x * 3 + 2] = c.r;
    }
  }
  return kSuccess;
}

// Skips the data of an opcode that draws nothing this reader keeps; false for an opcode
// whose length it does not know.
bool SkipOpcode(ByteReader& in, int op, bool version2) {
  auto skip = [&](size_t n) { return in.Skip(n); };
  auto region = [&] {
    int size = in.U16BE();
    return size >= 2 && in.Skip(size_t(size) - 2);
  };
  switch (op) {
    case 0x00: case 0x1C: case 0x1E: case 0x38: case 0x39: case 0x3A: case 0x3B: case 0x3C:
    case 0x48: case 0x49: case 0x4A: case 0x4B: case 0x4C:
    case 0x58: case 0x59: case 0x5A: case 0x5B: case 0x5C:
    case 0x78: case 0x79: case 0x7A: case 0x7B: case 0x7C:
    case 0x88: case 0x89: case 0x8A: case 0x8B: case 0x8C: case 0x02FF:
      return true;
    case 0x01: return region();
    case 0x03: case 0x04: case 0x05: case 0x08: case 0x0D: case 0x15: case 0x16: case 0x23: case 0xA0:
      return skip(op == 0x04 && !version2 ? 1 : 2);
    case 0x06: case 0x07: case 0x0B: case 0x0C: case 0x0E: case 0x0F: case 0x21: case 0x68: case 0x69:
    case 0x6A: case 0x6B: case 0x6C:
      return skip(4);
    case 0x1A: case 0x1B: case 0x1D: case 0x1F: case 0x22:
      return skip(6);
    case 0x02: case 0x09: case 0x0A: case 0x10: case 0x20: case 0x2E: case 0x30: case 0x31: case 0x32: case 0x33:
    case 0x34: case 0x40: case 0x41: case 0x42: case 0x43: case 0x44: case 0x50: case 0x51: case 0x52: case 0x53:
    case 0x54:
      return skip(8);
    case 0x60: case 0x61: case 0x62: case 0x63: case 0x64:
      return skip(12);
    case 0x0C00:
      return skip(24);
    case 0x11:
      return skip(1);
    case 0xA1: {
      in.U16BE();
      int n = in.U16BE();
      return in.Skip(size_t(n));
    }
    case 0x70: case 0x71: case 0x72: case 0x73: case 0x74: case 0x80: case 0x81: case 0x82: case 0x83: case 0x84:
      return region();
    case 0x28: {  // long text: point and a counted string
      if (!skip(4)) return false;
      return skip(in.U8());
    }
    case 0x29: case 0x2A: {
      if (!skip(1)) return false;
      return skip(in.U8());
    }
    case 0x2B: {
      if (!skip(2)) return false;
      return skip(in.U8());
    }
    case 0x2C: case 0x2D: case 0x2F: {  // counted data
      int n = in.U16BE();
      return skip(size_t(n));
    }
    default:
      // Reserved opcodes of version 2 carry their length in a known way.
      if (version2 && op >= 0x100 && op <= 0x7FFF) return skip(size_t((op >> 8) * 2));
      if (version2 && op >= 0x8000 && op <= 0x80FF) return true;
      if (version2 && op >= 0x8100) {
        uint32_t n = in.U32BE();
        return in.Skip(n);
      }
      return false;
  }
}

}  // namespace

int DecodePict(std::string_view bytes, Picture& out, bool infoOnly) {
  // Most files have the application's 512-byte header; some start with the picture.
  for (size_t start : {kFileHeader, size_t(0)}) {
    ByteReader in(bytes);
    if (!in.Seek(start)) continue;
    in.U16BE();  // size (low 16 bits)
    int top = S16(in), left = S16(in), bottom = S16(in), right = S16(in);
    int version = 0;
    uint16_t first = in.U16BE();
    if (first == 0x0011) {
      if (in.U16BE() != 0x02FF) continue;
      version = 2;
    } else if ((first >> 8) == 0x11 && (first & 0xFF) == 0x01) {
      version = 1;
    }
    if (in.Failed() || version == 0 || bottom <= top || right <= left) continue;
    for (int guard = 0; guard < 1 << 20 && !in.Failed(); ++guard) {
      if (version == 2 && (in.Position() & 1)) in.U8();
      int op = version == 2 ? in.U16BE() : in.U8();
      if (in.Failed() || op == 0xFF) break;
      switch (op) {
        case 0x90: case 0x91: case 0x98: case 0x99: case 0x9A: case 0x9B:
          return ReadBits(in, op >= 0x9A, op & 1, op != 0x90 && op != 0x91, out, infoOnly);
        default:
          if (!SkipOpcode(in, op, version == 2)) return kUnsupported;
      }
    }
    return kUnsupported;  // a picture of drawings only
  }
  return kNotAPicture;
}

int EncodePict(const Raster& pixels, std::string& out) {
  if (pixels.Empty()) return kInvalidParameter;
  int width = pixels.Width(), height = pixels.Height();
  // Rectangles hold signed 16-bit values; row bytes fit in 14 bits.
  if (width > 4095 || height > 32767) return kInvalidParameter;
  out.assign(kFileHeader, '\0');
  ByteWriter w(out);
  size_t sizeAt = out.size();
  w.U16BE(0);
  auto rect = [&w](int t, int l, int b, int r) {
    w.U16BE(unsigned(t));
    w.U16BE(unsigned(l));
    w.U16BE(unsigned(b));
    w.U16BE(unsigned(r));
  };
  rect(0, 0, height, width);
  w.U16BE(0x0011);
  w.U16BE(0x02FF);
  w.U16BE(0x0C00);  // extended version 2 header at 72 dpi
  w.U16BE(0xFFFE);
  w.U16BE(0);
  w.U32BE(0x00480000);
  w.U32BE(0x00480000);
  rect(0, 0, height, width);
  w.U32BE(0);
  w.U16BE(0x0001);  // clip region: the picture
  w.U16BE(10);
  rect(0, 0, height, width);
  // A one-pixel-wide row is too short to pack: its pixels go as red, green and blue bytes
  // (the pad byte dropped, pack type 2).
  bool packed = width * 4 >= 8;
  unsigned rowBytes = unsigned(width) * 4;
  w.U16BE(0x009A);
  w.U32BE(0x000000FF);  // base address
  w.U16BE(0x8000 | rowBytes);
  rect(0, 0, height, width);
  w.U16BE(0);                  // version
  w.U16BE(packed ? 4 : 2);     // pack type
  w.U32BE(0);                  // packed size
  w.U32BE(0x00480000);         // resolution
  w.U32BE(0x00480000);
  w.U16BE(16);                 // RGB direct
  w.U16BE(32);                 // pixel size
  w.U16BE(3);                  // components
  w.U16BE(8);                  // component size
  w.U32BE(0);
  w.U32BE(0);
  w.U32BE(0);
  rect(0, 0, height, width);   // source
  rect(0, 0, height, width);   // destination
  w.U16BE(0);                  // copy mode
  std::vector<uint8_t> planes(size_t(width) * 4);
  std::string packedRow;
  for (int y = 0; y < height; ++y) {
    const uint8_t* p = pixels.Row(y);
    if (!packed) {
      for (int x = 0; x < width; ++x) {
        w.U8(p[x * 3 + 2]);
        w.U8(p[x * 3 + 1]);
        w.U8(p[x * 3]);
      }
      continue;
    }
    for (int x = 0; x < width; ++x) {
      planes[size_t(x)] = p[x * 3 + 2];
      planes[size_t(width) + size_t(x)] = p[x * 3 + 1];
      planes[2 * size_t(width) + size_t(x)] = p[x * 3];
    }
    packedRow.clear();
    detail::PackBits(planes.data(), size_t(width) * 3, packedRow);
    if (rowBytes > 250) w.U16BE(unsigned(packedRow.size()));
    else w.U8(unsigned(packedRow.size()));
    w.Text(packedRow);
  }
  if (out.size() & 1) w.U8(0);
  w.U16BE(0x00FF);
  size_t size = out.size() - kFileHeader;
  out[sizeAt] = char((size >> 8) & 0xFF);
  out[sizeAt + 1] = char(size & 0xFF);
  return kSuccess;
}

}  // namespace imglib
