// TIFF: the system codecs decode the pixels; here the structure is checked first (a first
// directory outside the file is damage, not a variant), and the plain uncompressed TIFF
// that encapsulated PostScript carries as its preview is written.
#include <cstring>

#include "codec_util.h"
#include "imglib/byte_io.h"

namespace imglib {

int CheckTiff(std::string_view bytes) {
  if (bytes.size() < 8) return kFileCorrupt;
  bool little = bytes[0] == 'I' && bytes[1] == 'I';
  bool big = bytes[0] == 'M' && bytes[1] == 'M';
  if (!little && !big) return kNotAPicture;
  ByteReader in(bytes);
  in.Skip(2);
  uint16_t magic = little ? in.U16LE() : in.U16BE();
  if (magic != 42) return kUnsupported;  // BigTIFF and others: for the system codecs
  uint32_t directory = little ? in.U32LE() : in.U32BE();
  if (directory < 8 || directory > bytes.size() - 2) return kFileCorrupt;
  in.Seek(directory);
  uint16_t entries = little ? in.U16LE() : in.U16BE();
  if (in.Failed() || entries == 0 || size_t(entries) * 12 > in.Remaining()) return kFileCorrupt;
  return kSuccess;
}

int EncodeTiff(const Raster& pixels, int bitsPerPixel, std::string& out) {
  out.clear();
  if (pixels.Empty()) return kInvalidParameter;
  int width = pixels.Width(), height = pixels.Height();
  bool indexed = bitsPerPixel > 0 && bitsPerPixel <= 8;
  std::vector<Rgb> palette;
  std::vector<uint8_t> indices;
  if (indexed) {
    palette = BuildPalette(pixels, 256);
    MapToPalette(pixels, palette, indices);
    palette.resize(256);
  }
  uint64_t pixelBytes = uint64_t(width) * uint64_t(height) * (indexed ? 1u : 3u);
  // The entries, in the order of their tags, and what follows them.
  const int entryCount = indexed ? 12 : 11;
  const uint32_t directory = 8;
  const uint32_t extra = directory + 2 + uint32_t(entryCount) * 12 + 4;
  const uint32_t bitsAt = extra, xResAt = bitsAt + 8, yResAt = xResAt + 8, mapAt = yResAt + 8;
  const uint32_t dataAt = indexed ? mapAt + 3 * 256 * 2 : mapAt;
  // The preview's offsets and lengths are 32-bit, as are those of the file that holds it.
  if (pixelBytes + dataAt > 0xFFFFFFF0u) return kNoMemory;
  out.reserve(size_t(dataAt + pixelBytes));
  ByteWriter w(out);
  w.Text("II");
  w.U16LE(42);
  w.U32LE(directory);
  w.U16LE(unsigned(entryCount));
  auto entry = [&](unsigned tag, unsigned type, uint32_t count, uint32_t value) {
    w.U16LE(tag);
    w.U16LE(type);
    w.U32LE(count);
    if (type == 3 && count == 1) {  // a short sits in the first two bytes of the field
      w.U16LE(value);
      w.U16LE(0);
    } else {
      w.U32LE(value);
    }
  };
  constexpr unsigned kShort = 3, kLong = 4, kRational = 5;
  entry(256, kLong, 1, uint32_t(width));
  entry(257, kLong, 1, uint32_t(height));
  if (indexed) entry(258, kShort, 1, 8);
  else entry(258, kShort, 3, bitsAt);
  entry(259, kShort, 1, 1);                 // no compression
  entry(262, kShort, 1, indexed ? 3 : 2);   // palette or RGB
  entry(273, kLong, 1, dataAt);
  entry(277, kShort, 1, indexed ? 1 : 3);
  entry(278, kLong, 1, uint32_t(height));
  entry(279, kLong, 1, uint32_t(pixelBytes));
  entry(282, kRational, 1, xResAt);
  entry(283, kRational, 1, yResAt);
  if (indexed) entry(320, kShort, 3 * 256, mapAt);
  w.U32LE(0);  // no further directory
  for (int i = 0; i < 3; ++i) w.U16LE(8);
  w.U16LE(0);
  for (int i = 0; i < 2; ++i) {
    w.U32LE(72);
    w.U32LE(1);
  }
  if (indexed) {
    // The colour map: all reds, then all greens, then all blues, 16 bits each.
    for (int channel = 0; channel < 3; ++channel)
      for (const Rgb& c : palette) w.U16LE(unsigned(channel == 0 ? c.r : channel == 1 ? c.g : c.b) * 257u);
  }
  for (int y = 0; y < height; ++y) {
    if (indexed) {
      w.Bytes(indices.data() + size_t(y) * size_t(width), size_t(width));
      continue;
    }
    const uint8_t* row = pixels.Row(y);
    for (int x = 0; x < width; ++x) {
      w.U8(row[x * 3 + 2]);
      w.U8(row[x * 3 + 1]);
      w.U8(row[x * 3]);
    }
  }
  return kSuccess;
}

}  // namespace imglib
