// Helpers the single-format codecs share. Portable, internal.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "imglib/codecs.h"

namespace imglib::detail {

// Writes one row of palette indices into the picture; an index beyond the palette is black.
inline void PutIndexedRow(Raster& out, int y, const uint8_t* indices, int count, const std::vector<Rgb>& palette) {
  uint8_t* row = out.Row(y);
  for (int x = 0; x < count && x < out.Width(); ++x) {
    Rgb c = indices[x] < palette.size() ? palette[indices[x]] : Rgb{};
    row[x * 3] = c.b;
    row[x * 3 + 1] = c.g;
    row[x * 3 + 2] = c.r;
  }
}

// The index of pixel x in a row packed at bits per pixel, most significant bits first.
inline uint8_t PackedIndex(const uint8_t* row, int x, int bits) {
  switch (bits) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 2: return (row[x >> 2] >> (6 - 2 * (x & 3))) & 3;
    case 4: return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15;
    default: return row[x];
  }
}

// A grey ramp palette of 2^bits entries.
inline std::vector<Rgb> GreyPalette(int bits) {
  int n = 1 << bits;
  std::vector<Rgb> p(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    uint8_t v = uint8_t(n > 1 ? i * 255 / (n - 1) : 0);
    p[size_t(i)] = {v, v, v};
  }
  return p;
}

// The depth a writer uses for a requested one: 1, 4, 8 or 24.
inline int WriterDepth(int requested) {
  if (requested == 1) return 1;
  if (requested >= 2 && requested <= 4) return 4;
  if (requested >= 5 && requested <= 8) return 8;
  return 24;
}

// Packs a row of indices at 1, 4 or 8 bits into bytes (most significant first).
inline void PackRow(const uint8_t* indices, int count, int bits, uint8_t* out) {
  if (bits == 8) {
    for (int x = 0; x < count; ++x) out[x] = indices[x];
    return;
  }
  int perByte = 8 / bits;
  int bytes = (count * bits + 7) / 8;
  for (int i = 0; i < bytes; ++i) out[i] = 0;
  for (int x = 0; x < count; ++x) {
    int shift = 8 - bits * (x % perByte + 1);
    out[x / perByte] |= uint8_t((indices[x] & ((1 << bits) - 1)) << shift);
  }
}

// For the 1-bit writers: whether palette entry 0 and 1 count as the light one. Of two
// entries the brighter is light; a single entry is light when it is brighter than mid-grey.
inline void LightEntries(const std::vector<Rgb>& palette, bool light[2]) {
  auto lum = [](const Rgb& c) { return c.r * 299 + c.g * 587 + c.b * 114; };
  if (palette.size() >= 2) {
    light[1] = lum(palette[1]) >= lum(palette[0]);
    light[0] = !light[1];
  } else {
    light[0] = palette.empty() || lum(palette[0]) > 127 * 1000;
    light[1] = !light[0];
  }
}

// Grey level of a pixel (ITU-R 601 weights).
inline uint8_t GreyOf(const uint8_t* bgr) {
  return uint8_t((bgr[2] * 299 + bgr[1] * 587 + bgr[0] * 114 + 500) / 1000);
}

// PackBits (MacPaint, PICT): literal runs "n - 1, n bytes" and repeats "1 - n, byte", at
// most 128 bytes each; appended to out.
inline void PackBits(const uint8_t* data, size_t count, std::string& out) {
  size_t i = 0;
  while (i < count) {
    size_t run = 1;
    while (i + run < count && run < 128 && data[i + run] == data[i]) ++run;
    if (run >= 2) {
      out.push_back(char(int8_t(1 - int(run))));
      out.push_back(char(data[i]));
      i += run;
      continue;
    }
    // A literal run up to the next pair of equal bytes.
    size_t start = i, n = 0;
    while (i < count && n < 128 && !(i + 1 < count && data[i + 1] == data[i])) ++i, ++n;
    if (n == 0) ++i, ++n;  // a lone byte before a pair
    out.push_back(char(n - 1));
    out.append(reinterpret_cast<const char*>(data + start), n);
  }
}

// One row as 1-bit pixels, most significant first: a pixel's bit is set when it is dark
// (grey below 128) and setIsDark, or light and not setIsDark.
inline void ThresholdRow(const Raster& pixels, int y, bool setIsDark, uint8_t* out) {
  const uint8_t* p = pixels.Row(y);
  int bytes = (pixels.Width() + 7) / 8;
  for (int i = 0; i < bytes; ++i) out[i] = 0;
  for (int x = 0; x < pixels.Width(); ++x, p += 3)
    if ((GreyOf(p) < 128) == setIsDark) out[x >> 3] |= uint8_t(0x80 >> (x & 7));
}

}  // namespace imglib::detail
