// WordPerfect graphics (".WPG", version 1): a 16-byte header, then records of a type byte
// and a length. Written as a start record, a colour map of up to 256 colours, one 8-bit
// (or 1-bit) bitmap record with run-length coded rows, and the end record. Read: the
// first bitmap record (types 11 and 20) at 1, 2, 4 or 8 bits with the colour map that
// came before it (the standard 16-colour map for 4 bits, a grey ramp otherwise).
#include <algorithm>

#include "codec_util.h"
#include "imglib/byte_io.h"

namespace imglib {

namespace {

constexpr uint8_t kRecColourMap = 0x0E;
constexpr uint8_t kRecBitmap1 = 0x0B;
constexpr uint8_t kRecStart = 0x0F;
constexpr uint8_t kRecEnd = 0x10;
constexpr uint8_t kRecBitmap2 = 0x14;

// The length field: a byte, or 0xFF and a word, whose top bit adds a second word.
uint32_t ReadLength(ByteReader& in) {
  uint32_t n = in.U8();
  if (n != 0xFF) return n;
  n = in.U16LE();
  if (n & 0x8000) n = ((n & 0x7FFF) << 16) | in.U16LE();
  return n;
}

void WriteRecord(ByteWriter& w, uint8_t type, const std::string& data) {
  w.U8(type);
  size_t n = data.size();
  if (n < 0xFF) {
    w.U8(unsigned(n));
  } else if (n < 0x8000) {
    w.U8(0xFF);
    w.U16LE(unsigned(n));
  } else {
    w.U8(0xFF);
    w.U16LE(0x8000 | unsigned(n >> 16));
    w.U16LE(unsigned(n & 0xFFFF));
  }
  w.Bytes(data.data(), n);
}

std::vector<Rgb> EgaPalette() {
  static const uint8_t kEga[16][3] = {{0, 0, 0},       {0, 0, 170},     {0, 170, 0},     {0, 170, 170},
                                      {170, 0, 0},     {170, 0, 170},   {170, 85, 0},    {170, 170, 170},
                                      {85, 85, 85},    {85, 85, 255},   {85, 255, 85},   {85, 255, 255},
                                      {255, 85, 85},   {255, 85, 255},  {255, 255, 85},  {255, 255, 255}};
  std::vector<Rgb> p;
  for (const auto& c : kEga) p.push_back({c[0], c[1], c[2]});
  return p;
}

// Decodes the run-length rows of a bitmap record into out (rowBytes x height).
bool UnpackRows(ByteReader& in, size_t end, size_t rowBytes, int height, std::vector<uint8_t>& out) {
  out.assign(rowBytes * size_t(height), 0);
  size_t made = 0, total = out.size();
  auto put = [&](uint8_t b) {
    if (made < total) out[made++] = b;
  };
  while (made < total && in.Position() < end && !in.Failed()) {
    uint8_t b = in.U8();
    int count = b & 0x7F;
    if (b & 0x80) {
      if (count) {
        uint8_t v = in.U8();
        for (int i = 0; i < count; ++i) put(v);
      } else {
        int n = in.U8();
        for (int i = 0; i < n; ++i) put(0xFF);
      }
    } else if (count) {
      for (int i = 0; i < count && in.Position() < end; ++i) put(in.U8());
    } else {
      // Repeat the last whole row n times.
      int n = in.U8();
      size_t row = made / rowBytes;
      if (made % rowBytes != 0 || row == 0) return false;
      for (int i = 0; i < n && made < total; ++i)
        for (size_t k = 0; k < rowBytes; ++k) put(out[(row - 1) * rowBytes + k]);
    }
  }
  return made > 0;
}

}  // namespace

int DecodeWpg(std::string_view bytes, Picture& out, bool infoOnly) {
  ByteReader in(bytes);
  if (in.U32LE() != 0x435057FF) return kNotAPicture;  // FF "WPC"
  uint32_t start = in.U32LE();
  in.U8();  // product
  uint8_t fileType = in.U8();
  uint8_t major = in.U8();
  if (in.Failed() || fileType != 0x16) return kNotAPicture;
  if (major != 1) return kUnsupported;  // version 2 files have records of another form
  if (!in.Seek(start)) return kFileCorrupt;
  std::vector<Rgb> palette;
  while (!in.Failed() && in.Remaining() > 0) {
    uint8_t type = in.U8();
    uint32_t length = ReadLength(in);
    size_t body = in.Position();
    if (in.Failed() || length > in.Remaining()) return kFileCorrupt;
    size_t end = body + length;
    if (type == kRecEnd) break;
    if (type == kRecColourMap) {
      int first = in.U16LE(), count = in.U16LE();
      if (first + count > 256) return kFileCorrupt;
      if (palette.size() < size_t(first + count)) palette.resize(size_t(first + count));
      for (int i = 0; i < count; ++i) palette[size_t(first + i)] = {in.U8(), in.U8(), in.U8()};
    } else if (type == kRecBitmap1 || type == kRecBitmap2) {
      if (type == kRecBitmap2) in.Skip(10);  // angle and corners
      int width = in.U16LE(), height = in.U16LE(), depth = in.U16LE();
      in.U16LE();  // resolution
      in.U16LE();
      if (in.Failed() || width == 0 || height == 0) return kFileCorrupt;
      if (depth != 1 && depth != 2 && depth != 4 && depth != 8) return kUnsupported;
      out.info = {};
      out.info.format = kFormatWpg;
      out.info.width = width;
      out.info.height = height;
      out.info.bitsPerPixel = depth;
      out.info.colours = ColoursForDepth(depth);
      if (infoOnly) return kSuccess;
      if (palette.empty()) palette = depth == 4 ? EgaPalette() : detail::GreyPalette(depth);
      size_t rowBytes = (size_t(width) * size_t(depth) + 7) / 8;
      if (!PlausibleSize(width, height, length, 8.0 * 127)) return kFileCorrupt;
      std::vector<uint8_t> rows;
      if (!UnpackRows(in, end, rowBytes, height, rows)) return kFileCorrupt;
      if (!out.pixels.Allocate(width, height)) return kNoMemory;
      std::vector<uint8_t> indices(static_cast<size_t>(width));
      for (int y = 0; y < height; ++y) {
        const uint8_t* row = &rows[size_t(y) * rowBytes];
        for (int x = 0; x < width; ++x) indices[size_t(x)] = detail::PackedIndex(row, x, depth);
        detail::PutIndexedRow(out.pixels, y, indices.data(), width, palette);
      }
      return kSuccess;
    }
    if (!in.Seek(end)) return kFileCorrupt;
  }
  return kUnsupported;  // a drawing without a bitmap
}

int EncodeWpg(const Raster& pixels, int bitsPerPixel, std::string& out) {
  if (pixels.Empty()) return kInvalidParameter;
  int width = pixels.Width(), height = pixels.Height();
  if (width > 65535 || height > 65535) return kInvalidParameter;
  int depth = bitsPerPixel == 1 ? 1 : 8;
  std::vector<Rgb> palette = depth == 1 ? std::vector<Rgb>{{0, 0, 0}, {255, 255, 255}} : BuildPalette(pixels, 256);
  std::vector<uint8_t> indices;
  if (depth == 1) {
    indices.resize(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        indices[size_t(y) * size_t(width) + size_t(x)] = detail::GreyOf(pixels.Row(y) + size_t(x) * 3) >= 128;
  } else {
    MapToPalette(pixels, palette, indices);
  }
  out.clear();
  ByteWriter w(out);
  w.U8(0xFF);
  w.Text("WPC");
  w.U32LE(16);  // the records start after the header
  w.U8(1);      // WordPerfect
  w.U8(0x16);   // a graphics file
  w.U8(1);      // version 1.0
  w.U8(0);
  w.U16LE(0);  // not encrypted
  w.U16LE(0);
  std::string data;
  ByteWriter d(data);
  // Start: version 1, no PostScript, the size in 1/1200 inch at 75 pixels per inch.
  d.U8(1);
  d.U8(0);
  d.U16LE(unsigned(std::min(65535, width * 16)));
  d.U16LE(unsigned(std::min(65535, height * 16)));
  WriteRecord(w, kRecStart, data);
  data.clear();
  d.U16LE(0);
  d.U16LE(unsigned(palette.size()));
  for (const Rgb& c : palette) {
    d.U8(c.r);
    d.U8(c.g);
    d.U8(c.b);
  }
  WriteRecord(w, kRecColourMap, data);
  data.clear();
  for (int v : {width, height, depth, 75, 75}) d.U16LE(unsigned(v));
  size_t rowBytes = (size_t(width) * size_t(depth) + 7) / 8;
  std::vector<uint8_t> row(rowBytes);
  for (int y = 0; y < height; ++y) {
    detail::PackRow(&indices[size_t(y) * size_t(width)], width, depth, row.data());
    // Runs "0x80 | n, byte" of 2 to 127 equal bytes, literals "n, bytes" of up to 127.
    size_t i = 0;
    while (i < rowBytes) {
      size_t run = 1;
      while (i + run < rowBytes && run < 127 && row[i + run] == row[i]) ++run;
      if (run >= 2) {
        d.U8(0x80 | unsigned(run));
        d.U8(row[i]);
        i += run;
        continue;
      }
      size_t start = i, n = 0;
      while (i < rowBytes && n < 127 && !(i + 1 < rowBytes && row[i + 1] == row[i])) ++i, ++n;
      d.U8(unsigned(n));
      d.Bytes(row.data() + start, n);
    }
  }
  WriteRecord(w, kRecBitmap1, data);
  WriteRecord(w, kRecEnd, {});
  return kSuccess;
}

}  // namespace imglib
