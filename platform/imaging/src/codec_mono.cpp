// The black-and-white formats of early paint programs: Microsoft Paint (versions 1 and
// 2), MacPaint (with or without a MacBinary header) and GEM raster (one or more planes).
#include <algorithm>
#include <cstring>

#include "codec_util.h"
#include "imglib/byte_io.h"

namespace imglib {

namespace {

// Writes a 1-bit row (set bit = black unless setIsWhite) into the picture.
void PutBits(Raster& out, int y, const uint8_t* row, bool setIsWhite) {
  uint8_t* dst = out.Row(y);
  for (int x = 0; x < out.Width(); ++x) {
    bool set = (row[x >> 3] >> (7 - (x & 7))) & 1;
    uint8_t v = (set == setIsWhite) ? 255 : 0;
    dst[x * 3] = dst[x * 3 + 1] = dst[x * 3 + 2] = v;
  }
}

void MonoInfo(Picture& out, int format, int width, int height) {
  out.info = {};
  out.info.format = format;
  out.info.width = width;
  out.info.height = height;
  out.info.bitsPerPixel = 1;
  out.info.colours = 2;
  out.info.grey = true;
}

// PackBits as MacPaint uses it; returns the bytes made.
size_t UnpackBits(ByteReader& in, uint8_t* out, size_t want) {
  size_t made = 0;
  while (made < want) {
    int n = int8_t(in.U8());
    if (in.Failed()) break;
    if (n >= 0) {
      for (int i = 0; i <= n; ++i) {
        uint8_t b = in.U8();
        if (in.Failed()) return made;
        if (made < want) out[made++] = b;
      }
    } else if (n != -128) {
      uint8_t b = in.U8();
      if (in.Failed()) break;
      for (int i = 0; i < 1 - n && made < want; ++i) out[made++] = b;
    }
  }
  return made;
}

}  // namespace

int DecodeMsp(std::string_view bytes, Picture& out, bool infoOnly) {
  ByteReader in(bytes);
  uint16_t key1 = in.U16LE(), key2 = in.U16LE();
  int width = in.U16LE(), height = in.U16LE();
  in.Seek(32);
  if (in.Failed()) return kFileCorrupt;
  bool v1 = key1 == 0x6144 && key2 == 0x4D6E, v2 = key1 == 0x694C && key2 == 0x536E;
  if (!v1 && !v2) return kNotAPicture;
  if (width == 0 || height == 0) return kFileCorrupt;
  MonoInfo(out, kFormatMsp, width, height);
  if (infoOnly) return kSuccess;
  size_t rowBytes = (size_t(width) + 7) / 8;
  if (!PlausibleSize(width, height, bytes.size(), v1 ? 9.0 : 8.0 * 255)) return kFileCorrupt;
  if (!out.pixels.Allocate(width, height)) return kNoMemory;
  std::vector<uint8_t> row(rowBytes);
  if (v1) {
    for (int y = 0; y < height; ++y) {
      if (!in.Bytes(row.data(), rowBytes)) return y ? kSuccess : kFileCorrupt;
      PutBits(out.pixels, y, row.data(), true);
    }
    return kSuccess;
  }
  // Version 2: a table of coded row lengths, then rows of runs.
  std::vector<uint16_t> lengths(static_cast<size_t>(height));
  for (auto& n : lengths) n = in.U16LE();
  if (in.Failed()) return kFileCorrupt;
  for (int y = 0; y < height; ++y) {
    std::fill(row.begin(), row.end(), 0xFF);  // an empty row is white
    const uint8_t* src = in.Take(lengths[size_t(y)]);
    if (!src) return y ? kSuccess : kFileCorrupt;
    size_t i = 0, made = 0, n = lengths[size_t(y)];
    while (i < n && made < rowBytes) {
      uint8_t type = src[i++];
      if (type == 0) {
        if (i + 2 > n) break;
        size_t count = src[i];
        uint8_t value = src[i + 1];
        i += 2;
        for (size_t k = 0; k < count && made < rowBytes; ++k) row[made++] = value;
      } else {
        for (size_t k = 0; k < type && i < n && made < rowBytes; ++k) row[made++] = src[i++];
      }
    }
    PutBits(out.pixels, y, row.data(), true);
  }
  return kSuccess;
}

int DecodeMac(std::string_view bytes, Picture& out, bool infoOnly) {
  constexpr int kWidth = 576, kHeight = 720;
  size_t start = 0;
  // A MacBinary header names the file type "PNTG" at offset 65.
  if (bytes.size() > 128 + 512 && bytes[0] == 0 && uint8_t(bytes[1]) >= 1 && uint8_t(bytes[1]) <= 63 &&
      bytes.substr(65, 4) == "PNTG")
    start = 128;
  if (bytes.size() < start + 512 + 2) return kFileCorrupt;
  MonoInfo(out, kFormatMac, kWidth, kHeight);
  if (infoOnly) return kSuccess;
  if (!out.pixels.Allocate(kWidth, kHeight)) return kNoMemory;
  out.pixels.Fill(255, 255, 255);
  ByteReader in(bytes);
  in.Seek(start + 512);
  uint8_t row[kWidth / 8];
  for (int y = 0; y < kHeight; ++y) {
    std::memset(row, 0, sizeof row);
    size_t made = UnpackBits(in, row, sizeof row);
    if (made == 0) return y ? kSuccess : kFileCorrupt;
    PutBits(out.pixels, y, row, false);
  }
  return kSuccess;
}

int DecodeGem(std::string_view bytes, Picture& out, bool infoOnly) {
  ByteReader in(bytes);
  int version = in.U16BE(), headerWords = in.U16BE(), planes = in.U16BE(), patternLength = in.U16BE();
  in.U16BE();
  in.U16BE();
  int width = in.U16BE(), height = in.U16BE();
  if (in.Failed() || version > 3 || headerWords < 8 || size_t(headerWords) * 2 > bytes.size()) return kNotAPicture;
  if (width == 0 || height == 0 || planes < 1 || planes > 8 || patternLength < 1 || patternLength > 8)
    return kFileCorrupt;
  MonoInfo(out, kFormatImg, width, height);
  out.info.bitsPerPixel = planes;
  out.info.colours = ColoursForDepth(planes);
  if (infoOnly) return kSuccess;
  size_t planeBytes = (size_t(width) + 7) / 8, lineBytes = planeBytes * size_t(planes);
  if (!PlausibleSize(width, height, bytes.size(), 8.0 * 127 * 255)) return kFileCorrupt;
  if (!out.pixels.Allocate(width, height)) return kNoMemory;
  in.Seek(size_t(headerWords) * 2);
  std::vector<uint8_t> line(lineBytes), indices(static_cast<size_t>(width));
  std::vector<Rgb> palette = detail::GreyPalette(planes);
  std::reverse(palette.begin(), palette.end());  // all planes set is black
  int y = 0;
  while (y < height && !in.Failed()) {
    int repeat = 1;
    std::fill(line.begin(), line.end(), 0);
    size_t made = 0;
    while (made < lineBytes && !in.Failed()) {
      uint8_t b = in.U8();
      if (b == 0) {
        uint8_t p = in.U8();
        if (p == 0) {  // 0 0 FF n: the next line n times
          in.U8();
          repeat = std::max(1, int(in.U8()));
          continue;
        }
        const uint8_t* pattern = in.Take(size_t(patternLength));
        if (!pattern) break;
        for (int k = 0; k < p; ++k)
          for (int j = 0; j < patternLength && made < lineBytes; ++j) line[made++] = pattern[j];
      } else if (b == 0x80) {
        uint8_t n = in.U8();
        for (int k = 0; k < n && made < lineBytes; ++k) line[made++] = in.U8();
      } else {
        uint8_t v = (b & 0x80) ? 0xFF : 0x00;
        for (int k = 0; k < (b & 0x7F) && made < lineBytes; ++k) line[made++] = v;
      }
    }
    if (made == 0) break;
    for (int x = 0; x < width; ++x) {
      uint8_t v = 0;
      for (int p = 0; p < planes; ++p)
        v |= uint8_t(((line[size_t(p) * planeBytes + size_t(x >> 3)] >> (7 - (x & 7))) & 1) << p);
      indices[size_t(x)] = v;
    }
    for (int k = 0; k < repeat && y < height; ++k, ++y) detail::PutIndexedRow(out.pixels, y, indices.data(), width, palette);
  }
  return y > 0 ? kSuccess : kFileCorrupt;
}

int EncodeMsp(const Raster& pixels, std::string& out) {
  if (pixels.Empty()) return kInvalidParameter;
  int width = pixels.Width(), height = pixels.Height();
  if (width > 65535 || height > 65535) return kInvalidParameter;
  // Version 2: the header, a table of the coded length of every row, then the rows as
  // runs ("0, count, byte") and literals ("count, bytes"); a set bit is white.
  size_t rowBytes = (size_t(width) + 7) / 8;
  std::vector<uint8_t> row(rowBytes);
  std::string rows;
  std::vector<uint16_t> lengths;
  for (int y = 0; y < height; ++y) {
    detail::ThresholdRow(pixels, y, false, row.data());
    size_t before = rows.size(), i = 0;
    while (i < rowBytes) {
      size_t run = 1;
      while (i + run < rowBytes && run < 255 && row[i + run] == row[i]) ++run;
      if (run >= 3) {
        rows.push_back('\0');
        rows.push_back(char(run));
        rows.push_back(char(row[i]));
        i += run;
        continue;
      }
      size_t start = i, n = 0;
      while (i < rowBytes && n < 255 &&
             !(i + 2 < rowBytes && row[i + 1] == row[i] && row[i + 2] == row[i]))
        ++i, ++n;
      if (n == 0) ++i, n = 1;
      rows.push_back(char(n));
      rows.append(reinterpret_cast<const char*>(row.data() + start), n);
    }
    if (rows.size() - before > 65535) return kInvalidParameter;
    lengths.push_back(uint16_t(rows.size() - before));
  }
  out.clear();
  ByteWriter w(out);
  uint16_t header[13] = {0x694C, 0x536E, uint16_t(width), uint16_t(height), uint16_t(width), uint16_t(height),
                         0, 0, 0, 0, 0, 0, 0};
  for (int i = 0; i < 12; ++i) header[12] ^= header[i];  // every header word XORs to 0
  for (uint16_t v : header) w.U16LE(v);
  w.Zeros(32 - 26);
  for (uint16_t n : lengths) w.U16LE(n);
  w.Text(rows);
  return kSuccess;
}

int EncodeMac(const Raster& pixels, std::string& out) {
  constexpr int kWidth = 576, kHeight = 720;
  // A MacPaint page has one size; anything else would lose or invent pixels.
  if (pixels.Width() != kWidth || pixels.Height() != kHeight) return kInvalidParameter;
  out.assign(512, '\0');  // version 0: no patterns, the header's other bytes unused
  uint8_t row[kWidth / 8];
  for (int y = 0; y < kHeight; ++y) {
    detail::ThresholdRow(pixels, y, true, row);
    detail::PackBits(row, sizeof row, out);
  }
  return kSuccess;
}

int EncodeGem(const Raster& pixels, int bitsPerPixel, std::string& out) {
  if (pixels.Empty()) return kInvalidParameter;
  int width = pixels.Width(), height = pixels.Height();
  if (width > 32767 || height > 32767) return kInvalidParameter;
  int planes = std::clamp(bitsPerPixel, 1, 8);
  int top = (1 << planes) - 1;
  out.clear();
  ByteWriter w(out);
  // Version 1, 8 header words, the planes, a pattern length of 1, pixels of 85 microns.
  for (int v : {1, 8, planes, 1, 85, 85, width, height}) w.U16BE(unsigned(v));
  size_t planeBytes = (size_t(width) + 7) / 8;
  std::vector<uint8_t> plane(planeBytes);
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = pixels.Row(y);
    for (int p = 0; p < planes; ++p) {
      std::fill(plane.begin(), plane.end(), 0);
      for (int x = 0; x < width; ++x) {
        int grey = detail::GreyOf(row + size_t(x) * 3);
        // All planes set is black, none white (the reader's ramp).
        int index = planes == 1 ? (grey < 128 ? 1 : 0) : top - (grey * top + 127) / 255;
        if ((index >> p) & 1) plane[size_t(x) >> 3] |= uint8_t(0x80 >> (x & 7));
      }
      // Solid runs of 00 or FF bytes (up to 127), literal strings of the others.
      size_t i = 0;
      while (i < planeBytes) {
        uint8_t b = plane[i];
        if (b == 0x00 || b == 0xFF) {
          size_t run = 1;
          while (i + run < planeBytes && run < 127 && plane[i + run] == b) ++run;
          w.U8(unsigned((b ? 0x80 : 0x00) | run));
          i += run;
          continue;
        }
        size_t start = i, n = 0;
        while (i < planeBytes && n < 255 && plane[i] != 0x00 && plane[i] != 0xFF) ++i, ++n;
        w.U8(0x80);
        w.U8(unsigned(n));
        w.Bytes(plane.data() + start, n);
      }
    }
  }
  return kSuccess;
}

}  // namespace imglib
