// Sun raster: 1, 8, 24 and 32 bits, with or without a colour map, raw or byte-encoded.
// Writes 1, 8 and 24 bits.
#include <algorithm>
#include <cstring>

#include "codec_util.h"
#include "imglib/byte_io.h"

namespace imglib {

namespace {

constexpr uint32_t kRasMagic = 0x59A66A95;
constexpr uint32_t kTypeOld = 0, kTypeStandard = 1, kTypeByteEncoded = 2, kTypeRgb = 3;

// Undoes the byte encoding: 0x80 0 is one 0x80, 0x80 n v is n + 1 copies of v.
void Unpack(ByteReader& in, std::vector<uint8_t>& out, size_t want) {
  out.clear();
  out.reserve(want);
  while (out.size() < want) {
    uint8_t c = in.U8();
    if (in.Failed()) break;
    if (c != 0x80) {
      out.push_back(c);
      continue;
    }
    uint8_t n = in.U8();
    if (in.Failed()) break;
    if (n == 0) {
      out.push_back(0x80);
      continue;
    }
    uint8_t v = in.U8();
    if (in.Failed()) break;
    out.insert(out.end(), std::min<size_t>(size_t(n) + 1, want - out.size()), v);
  }
}

}  // namespace

int DecodeRas(std::string_view bytes, Picture& out, bool infoOnly) {
  ByteReader in(bytes);
  if (in.U32BE() != kRasMagic) return kNotAPicture;
  uint32_t width = in.U32BE(), height = in.U32BE(), depth = in.U32BE();
  in.U32BE();  // data length: not trusted
  uint32_t type = in.U32BE(), mapType = in.U32BE(), mapLength = in.U32BE();
  if (in.Failed()) return kFileCorrupt;
  if (width == 0 || height == 0 || width > uint32_t(kMaxSide) || height > uint32_t(kMaxSide)) return kFileCorrupt;
  if (depth != 1 && depth != 8 && depth != 24 && depth != 32) return kUnsupported;
  if (type != kTypeOld && type != kTypeStandard && type != kTypeByteEncoded && type != kTypeRgb) return kUnsupported;
  if (mapType > 2) return kUnsupported;

  out.info = {};
  out.info.format = kFormatRas;
  out.info.width = int(width);
  out.info.height = int(height);
  out.info.bitsPerPixel = int(depth);
  out.info.colours = ColoursForDepth(int(depth));
  std::vector<Rgb> palette;
  const uint8_t* map = in.Take(mapLength);
  if (!map) return kFileCorrupt;
  if (mapType == 1 && mapLength >= 3) {
    uint32_t n = std::min<uint32_t>(mapLength / 3, 256);
    for (uint32_t i = 0; i < n; ++i) palette.push_back({map[i], map[mapLength / 3 + i], map[2 * (mapLength / 3) + i]});
    out.info.colours = int(palette.size());
  } else if (depth == 1) {
    palette = {{255, 255, 255}, {0, 0, 0}};  // a set bit is black
  } else if (depth == 8) {
    palette = detail::GreyPalette(8);
    out.info.grey = true;
  }
  if (infoOnly) return kSuccess;

  size_t rowBytes = (size_t(width) * depth + 7) / 8;
  rowBytes += rowBytes & 1;  // rows end on 16 bits
  double ratio = type == kTypeByteEncoded ? 256.0 / 3 * 8 / depth : 8.0 / depth + 1;
  if (!PlausibleSize(int(width), int(height), in.Remaining(), ratio)) return kFileCorrupt;
  std::vector<uint8_t> data;
  size_t want = rowBytes * height;
  if (type == kTypeByteEncoded) {
    Unpack(in, data, want);
  } else {
    size_t n = std::min(want, in.Remaining());
    data.resize(n);
    in.Bytes(data.data(), n);
  }
  size_t rows = data.size() / rowBytes;
  if (rows == 0) return kFileCorrupt;
  if (!out.pixels.Allocate(int(width), int(height))) return kNoMemory;
  std::vector<uint8_t> indices(width);
  bool rgbOrder = type == kTypeRgb;
  for (size_t y = 0; y < rows && y < height; ++y) {
    const uint8_t* src = data.data() + y * rowBytes;
    uint8_t* dst = out.pixels.Row(int(y));
    if (depth <= 8) {
      for (uint32_t x = 0; x < width; ++x) indices[x] = detail::PackedIndex(src, int(x), int(depth));
      detail::PutIndexedRow(out.pixels, int(y), indices.data(), int(width), palette);
    } else {
      int step = depth == 32 ? 4 : 3, skip = depth == 32 ? 1 : 0;
      for (uint32_t x = 0; x < width; ++x) {
        const uint8_t* p = src + x * size_t(step) + size_t(skip);
        uint8_t a = p[0], b = p[1], c = p[2];
        if (rgbOrder) std::swap(a, c);
        dst[x * 3] = a;  // blue
        dst[x * 3 + 1] = b;
        dst[x * 3 + 2] = c;
      }
    }
  }
  return kSuccess;
}

int EncodeRas(const Raster& pixels, int bitsPerPixel, std::string& out) {
  if (pixels.Empty()) return kInvalidParameter;
  int width = pixels.Width(), height = pixels.Height();
  int bits = detail::WriterDepth(bitsPerPixel);
  if (bits == 4) bits = 8;
  std::vector<Rgb> palette;
  std::vector<uint8_t> indices;
  if (bits < 24) {
    palette = BuildPalette(pixels, 1 << bits);
    MapToPalette(pixels, palette, indices);
  }
  size_t rowBytes = (size_t(width) * size_t(bits) + 7) / 8;
  rowBytes += rowBytes & 1;
  out.clear();
  ByteWriter w(out);
  w.U32BE(kRasMagic);
  w.U32BE(uint32_t(width));
  w.U32BE(uint32_t(height));
  w.U32BE(uint32_t(bits));
  w.U32BE(uint32_t(rowBytes * size_t(height)));
  w.U32BE(kTypeStandard);
  w.U32BE(bits == 8 ? 1 : 0);
  w.U32BE(bits == 8 ? 768 : 0);
  if (bits == 8) {
    for (int c = 0; c < 3; ++c)
      for (int i = 0; i < 256; ++i) {
        Rgb e = size_t(i) < palette.size() ? palette[size_t(i)] : Rgb{};
        w.U8(c == 0 ? e.r : c == 1 ? e.g : e.b);
      }
  }
  std::vector<uint8_t> row(rowBytes);
  for (int y = 0; y < height; ++y) {
    std::fill(row.begin(), row.end(), 0);
    const uint8_t* idx = indices.empty() ? nullptr : indices.data() + size_t(y) * size_t(width);
    if (bits == 24) {
      std::memcpy(row.data(), pixels.Row(y), size_t(width) * 3);
    } else if (bits == 8) {
      std::memcpy(row.data(), idx, size_t(width));
    } else {
      // Without a colour map a set bit is black.
      bool light[2];
      detail::LightEntries(palette, light);
      for (int x = 0; x < width; ++x)
        if (!light[idx[x] & 1]) row[size_t(x >> 3)] |= uint8_t(0x80 >> (x & 7));
    }
    w.Bytes(row.data(), rowBytes);
  }
  return kSuccess;
}

}  // namespace imglib
