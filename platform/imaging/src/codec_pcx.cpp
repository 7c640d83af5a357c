// PCX (and PCC): 1, 2, 4 and 8 bits with 1 to 4 planes, run-length coded; the first page
// of a multi-page DCX file. Writes 1, 4, 8 and 24 bits.
#include <algorithm>
#include <cstring>

#include "codec_util.h"
#include "imglib/byte_io.h"

namespace imglib {

namespace {

constexpr uint32_t kDcxMagic = 987654321;

std::vector<Rgb> HeaderPalette(const uint8_t* header, int entries) {
  std::vector<Rgb> p;
  for (int i = 0; i < entries && i < 16; ++i) p.push_back({header[16 + i * 3], header[17 + i * 3], header[18 + i * 3]});
  return p;
}

// Decodes runs until `out` holds `want` bytes or the data ends; returns the bytes made.
size_t Unpack(ByteReader& in, uint8_t* out, size_t want) {
  size_t made = 0;
  while (made < want) {
    uint8_t c = in.U8();
    if (in.Failed()) break;
    if ((c & 0xC0) == 0xC0) {
      size_t n = c & 0x3F;
      uint8_t v = in.U8();
      if (in.Failed()) break;
      n = std::min(n, want - made);
      std::memset(out + made, v, n);
      made += n;
    } else {
      out[made++] = c;
    }
  }
  return made;
}

void PackRun(ByteWriter& w, const uint8_t* data, size_t count) {
  size_t i = 0;
  while (i < count) {
    uint8_t v = data[i];
    size_t run = 1;
    while (i + run < count && run < 63 && data[i + run] == v) ++run;
    if (run > 1 || (v & 0xC0) == 0xC0) {
      w.U8(0xC0 | unsigned(run));
      w.U8(v);
    } else {
      w.U8(v);
    }
    i += run;
  }
}

}  // namespace

int DecodePcx(std::string_view bytes, Picture& out, bool infoOnly) {
  ByteReader in(bytes);
  const uint8_t* h = in.Take(128);
  if (!h || h[0] != 0x0A || h[1] > 5) return h && h[0] != 0x0A ? kNotAPicture : kFileCorrupt;
  int encoding = h[2], bitsPerPlane = h[3], planes = h[65];
  int xmin = h[4] | h[5] << 8, ymin = h[6] | h[7] << 8, xmax = h[8] | h[9] << 8, ymax = h[10] | h[11] << 8;
  int bytesPerLine = h[66] | h[67] << 8;
  int width = xmax - xmin + 1, height = ymax - ymin + 1;
  if (width <= 0 || height <= 0 || encoding > 1) return kFileCorrupt;
  bool supported = (planes == 1 && (bitsPerPlane == 1 || bitsPerPlane == 2 || bitsPerPlane == 4 || bitsPerPlane == 8)) ||
                   (bitsPerPlane == 1 && (planes == 2 || planes == 3 || planes == 4)) ||
                   (bitsPerPlane == 8 && (planes == 3 || planes == 4));
  if (!supported) return kUnsupported;
  if (bytesPerLine < (width * bitsPerPlane + 7) / 8) return kFileCorrupt;
  int depth = bitsPerPlane * planes;
  if (depth == 32) depth = 24;  // the fourth plane of 8-bit RGB is alpha: not kept

  out.info = {};
  out.info.format = kFormatPcx;
  out.info.width = width;
  out.info.height = height;
  out.info.bitsPerPixel = depth;
  out.info.xDpi = h[12] | h[13] << 8;
  out.info.yDpi = h[14] | h[15] << 8;
  out.info.colours = ColoursForDepth(depth);

  std::vector<Rgb> palette;
  if (depth == 8 && planes == 1) {
    // The 256-colour palette closes the file, after the byte 12.
    if (bytes.size() >= 128 + 769 && uint8_t(bytes[bytes.size() - 769]) == 12) {
      const uint8_t* p = reinterpret_cast<const uint8_t*>(bytes.data()) + bytes.size() - 768;
      for (int i = 0; i < 256; ++i) palette.push_back({p[i * 3], p[i * 3 + 1], p[i * 3 + 2]});
    } else {
      palette = detail::GreyPalette(8);
      out.info.grey = true;
    }
  } else if (depth == 1) {
    palette = {{0, 0, 0}, {255, 255, 255}};
  } else if (depth <= 4) {
    palette = HeaderPalette(h, 1 << depth);
  }
  if (infoOnly) return kSuccess;

  size_t lineBytes = size_t(bytesPerLine) * size_t(planes);
  double ratio = encoding ? 63.0 * 8 / depth : 8.0 / depth + 1;
  if (!PlausibleSize(width, height, in.Remaining(), ratio)) return kFileCorrupt;
  if (!out.pixels.Allocate(width, height)) return kNoMemory;
  std::vector<uint8_t> line(lineBytes), indices(static_cast<size_t>(width));
  int rows = 0;
  for (int y = 0; y < height; ++y) {
    size_t made;
    if (encoding) {
      made = Unpack(in, line.data(), lineBytes);
    } else {
      made = std::min(lineBytes, in.Remaining());
      in.Bytes(line.data(), made);
    }
    if (made < lineBytes) {
      if (made == 0) break;
      std::fill(line.begin() + long(made), line.end(), 0);
    }
    ++rows;
    uint8_t* dst = out.pixels.Row(y);
    if (bitsPerPlane == 8 && planes >= 3) {
      for (int x = 0; x < width; ++x) {
        dst[x * 3 + 2] = line[size_t(x)];
        dst[x * 3 + 1] = line[size_t(bytesPerLine + x)];
        dst[x * 3] = line[size_t(2 * bytesPerLine + x)];
      }
    } else if (planes == 1) {
      for (int x = 0; x < width; ++x) indices[size_t(x)] = detail::PackedIndex(line.data(), x, bitsPerPlane);
      detail::PutIndexedRow(out.pixels, y, indices.data(), width, palette);
    } else {  // 1-bit planes: plane p gives bit p of the index
      for (int x = 0; x < width; ++x) {
        uint8_t v = 0;
        for (int p = 0; p < planes; ++p)
          v |= uint8_t(((line[size_t(p * bytesPerLine + (x >> 3))] >> (7 - (x & 7))) & 1) << p);
        indices[size_t(x)] = v;
      }
      detail::PutIndexedRow(out.pixels, y, indices.data(), width, palette);
    }
    if (made < lineBytes) break;
  }
  return rows > 0 ? kSuccess : kFileCorrupt;
}

int DecodeDcx(std::string_view bytes, Picture& out, bool infoOnly) {
  ByteReader in(bytes);
  if (in.U32LE() != kDcxMagic) return kNotAPicture;
  std::vector<uint32_t> offsets;
  for (int i = 0; i < 1023; ++i) {
    uint32_t o = in.U32LE();
    if (in.Failed() || o == 0) break;
    offsets.push_back(o);
  }
  if (offsets.empty() || offsets[0] >= bytes.size()) return kFileCorrupt;
  size_t end = bytes.size();
  if (offsets.size() > 1 && offsets[1] > offsets[0] && offsets[1] <= bytes.size()) end = offsets[1];
  int r = DecodePcx(bytes.substr(offsets[0], end - offsets[0]), out, infoOnly);
  if (r == kNotAPicture) r = kFileCorrupt;
  out.info.format = kFormatDcx;
  out.info.pages = int(offsets.size());
  return r;
}

int EncodePcx(const Raster& pixels, int bitsPerPixel, std::string& out) {
  if (pixels.Empty()) return kInvalidParameter;
  int bits = detail::WriterDepth(bitsPerPixel);
  int width = pixels.Width(), height = pixels.Height();
  if (width > 65535 || height > 65535) return kInvalidParameter;
  int planes = bits == 24 ? 3 : bits == 4 ? 4 : 1;
  int bitsPerPlane = bits == 24 || bits == 8 ? 8 : 1;
  int bytesPerLine = (width * bitsPerPlane + 7) / 8;
  bytesPerLine += bytesPerLine & 1;  // always even
  std::vector<Rgb> palette;
  std::vector<uint8_t> indices;
  if (bits < 24) {
    palette = BuildPalette(pixels, 1 << bits);
    MapToPalette(pixels, palette, indices);
  }
  out.clear();
  ByteWriter w(out);
  uint8_t header[128] = {};
  header[0] = 0x0A;
  header[1] = 5;
  header[2] = 1;
  header[3] = uint8_t(bitsPerPlane);
  header[8] = uint8_t(width - 1);
  header[9] = uint8_t((width - 1) >> 8);
  header[10] = uint8_t(height - 1);
  header[11] = uint8_t((height - 1) >> 8);
  header[12] = header[14] = 96;
  if (bits == 1) {
    // Readers show 1-bit PCX as black (a clear bit) and white (a set bit) whatever the
    // header says, and so does our reader: the header says the same.
    std::memset(header + 19, 255, 3);
  } else if (bits == 4) {
    for (size_t i = 0; i < palette.size() && i < 16; ++i) {
      header[16 + i * 3] = palette[i].r;
      header[17 + i * 3] = palette[i].g;
      header[18 + i * 3] = palette[i].b;
    }
  }
  header[65] = uint8_t(planes);
  header[66] = uint8_t(bytesPerLine);
  header[67] = uint8_t(bytesPerLine >> 8);
  header[68] = 1;
  w.Bytes(header, 128);
  std::vector<uint8_t> plane(static_cast<size_t>(bytesPerLine));
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = pixels.Row(y);
    const uint8_t* idx = indices.empty() ? nullptr : indices.data() + size_t(y) * size_t(width);
    for (int p = 0; p < planes; ++p) {
      std::fill(plane.begin(), plane.end(), 0);
      if (bits == 24) {
        for (int x = 0; x < width; ++x) plane[size_t(x)] = row[x * 3 + 2 - p];
      } else if (bits == 8) {
        for (int x = 0; x < width; ++x) plane[size_t(x)] = idx[x];
      } else if (bits == 4) {
        for (int x = 0; x < width; ++x)
          if ((idx[x] >> p) & 1) plane[size_t(x >> 3)] |= uint8_t(0x80 >> (x & 7));
      } else {
        // One plane of 1 bit: a set bit is white.
        bool light[2];
        detail::LightEntries(palette, light);
        for (int x = 0; x < width; ++x)
          if (light[idx[x] & 1]) plane[size_t(x >> 3)] |= uint8_t(0x80 >> (x & 7));
      }
      PackRun(w, plane.data(), plane.size());
    }
  }
  if (bits == 8) {
    w.U8(12);
    for (int i = 0; i < 256; ++i) {
      Rgb c = size_t(i) < palette.size() ? palette[size_t(i)] : Rgb{};
      w.U8(c.r);
      w.U8(c.g);
      w.U8(c.b);
    }
  }
  return kSuccess;
}

int EncodeDcx(const Raster& pixels, int bitsPerPixel, std::string& out) {
  std::string page;
  int r = EncodePcx(pixels, bitsPerPixel, page);
  if (r != kSuccess) return r;
  // The magic number and a table of 1024 page offsets (one page, then the end mark).
  constexpr uint32_t kHeader = 4 + 1024 * 4;
  out.clear();
  ByteWriter w(out);
  w.U32LE(kDcxMagic);
  w.U32LE(kHeader);
  w.Zeros(kHeader - 8);
  w.Bytes(page.data(), page.size());
  return kSuccess;
}

}  // namespace imglib
