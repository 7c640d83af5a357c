// The writers of GIF, PICT, WordPerfect graphics, DCX, the paint-program formats and the
// metafiles: each file comes back through its reader (the metafiles are read by the
// system codecs: imglib_tests.cpp).
#include <gtest/gtest.h>

#include <string>

#include "imglib/byte_io.h"
#include "imglib/codecs.h"
#include "test_pictures.h"

using namespace imglib;
using testpics::Compare;
using testpics::PixelAt;

namespace {

std::string Encode(const Raster& r, int format, int bits = 24) {
  std::string out;
  EXPECT_EQ(EncodePicture(r, format, bits, 0, out), kSuccess) << format;
  return out;
}

Picture Decode(const std::string& bytes, int format) {
  Picture p;
  EXPECT_EQ(DecodePicture(bytes, p, format), kSuccess) << format;
  return p;
}

// Black and white in a pattern that leaves no row plain.
Raster Checks(int w, int h) {
  Raster r;
  r.Allocate(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      bool dark = ((x / 3 + y / 2) % 3 == 0) || x == y;
      uint8_t v = dark ? 0 : 255;
      r.Set(x, y, v, v, v);
    }
  return r;
}

}  // namespace

TEST(Writers, GifIsExactUpTo256ColoursAndCloseAbove) {
  Raster flat = testpics::Flat(67, 41, 200);
  ASSERT_LE(CountColours(flat), 256);
  std::string gif = Encode(flat, kFormatGif);
  EXPECT_EQ(gif.substr(0, 6), "GIF89a");
  EXPECT_EQ(DetectFormat(gif), kFormatGif);
  Picture p = Decode(gif, kFormatGif);
  EXPECT_EQ(Compare(p.pixels, flat).maximum, 0);
  Raster two = testpics::Flat(9, 5, 2);
  EXPECT_EQ(Compare(Decode(Encode(two, kFormatGif), kFormatGif).pixels, two).maximum, 0);
  Raster photo = testpics::Photo(120, 90);
  ASSERT_GT(CountColours(photo), 256);
  EXPECT_GT(Compare(Decode(Encode(photo, kFormatGif), kFormatGif).pixels, photo).psnr, 28);
}

TEST(Writers, PictKeepsEveryPixelAtAnyWidth) {
  // 1 pixel: unpacked rows; 37: one-byte counts; 90: rows above 250 bytes, word counts.
  for (int width : {1, 37, 90}) {
    SCOPED_TRACE(width);
    Raster photo = testpics::Photo(width, 23);
    std::string pct = Encode(photo, kFormatPct);
    ASSERT_GT(pct.size(), 512u);
    EXPECT_EQ(DetectFormat(pct, "pct"), kFormatPct);
    Picture p = Decode(pct, kFormatPct);
    EXPECT_EQ(p.info.width, width);
    EXPECT_EQ(p.info.height, 23);
    EXPECT_EQ(Compare(p.pixels, photo).maximum, 0);
  }
  PictureInfo info;
  ASSERT_EQ(ReadPictureInfo(Encode(testpics::Photo(12, 7), kFormatPct), info, kFormatPct), kSuccess);
  EXPECT_EQ(info.width, 12);
}

TEST(Writers, WpgKeepsItsPaletteOrTwoColours) {
  Raster flat = testpics::Flat(45, 21, 150);
  std::string wpg = Encode(flat, kFormatWpg, 8);
  EXPECT_EQ(DetectFormat(wpg), kFormatWpg);
  Picture p = Decode(wpg, kFormatUnknown);
  EXPECT_EQ(p.info.format, kFormatWpg);
  EXPECT_EQ(p.info.bitsPerPixel, 8);
  EXPECT_EQ(Compare(p.pixels, flat).maximum, 0);
  Raster checks = Checks(33, 9);
  Picture mono = Decode(Encode(checks, kFormatWpg, 1), kFormatWpg);
  EXPECT_EQ(mono.info.bitsPerPixel, 1);
  EXPECT_EQ(Compare(mono.pixels, checks).maximum, 0);
  // A picture of 300 rows: the records' long length form.
  Raster tall = testpics::Flat(200, 300, 40);
  EXPECT_EQ(Compare(Decode(Encode(tall, kFormatWpg, 8), kFormatWpg).pixels, tall).maximum, 0);
}

TEST(Writers, DcxHoldsOnePcxPage) {
  Raster photo = testpics::Photo(29, 17);
  std::string dcx = Encode(photo, kFormatDcx);
  EXPECT_EQ(DetectFormat(dcx), kFormatDcx);
  Picture p = Decode(dcx, kFormatUnknown);
  EXPECT_EQ(p.info.format, kFormatDcx);
  EXPECT_EQ(p.info.pages, 1);
  EXPECT_EQ(Compare(p.pixels, photo).maximum, 0);
}

TEST(Writers, PaintProgramFormatsKeepBlackAndWhite) {
  Raster checks = Checks(53, 19);
  std::string msp = Encode(checks, kFormatMsp, 1);
  EXPECT_EQ(DetectFormat(msp), kFormatMsp);
  EXPECT_EQ(Compare(Decode(msp, kFormatMsp).pixels, checks).maximum, 0);
  // The header's 13 words XOR to 0 (the checksum).
  ByteReader in(msp);
  unsigned x = 0;
  for (int i = 0; i < 13; ++i) x ^= in.U16LE();
  EXPECT_EQ(x, 0u);

  std::string img = Encode(checks, kFormatImg, 1);
  EXPECT_EQ(Compare(Decode(img, kFormatImg).pixels, checks).maximum, 0);
  // Eight planes keep every grey.
  Raster greys;
  greys.Allocate(256, 2);
  for (int x = 0; x < 256; ++x) {
    greys.Set(x, 0, uint8_t(x), uint8_t(x), uint8_t(x));
    greys.Set(x, 1, uint8_t(255 - x), uint8_t(255 - x), uint8_t(255 - x));
  }
  Picture g = Decode(Encode(greys, kFormatImg, 8), kFormatImg);
  EXPECT_EQ(g.info.bitsPerPixel, 8);
  EXPECT_EQ(Compare(g.pixels, greys).maximum, 0);

  Raster page = Checks(576, 720);
  std::string mac = Encode(page, kFormatMac);
  EXPECT_EQ(Compare(Decode(mac, kFormatMac).pixels, page).maximum, 0);
  std::string refused;
  EXPECT_EQ(EncodePicture(Checks(576, 719), kFormatMac, 1, 0, refused), kInvalidParameter);
  EXPECT_TRUE(refused.empty());
}

TEST(Writers, MetafilesRecordTheirSizesConsistently) {
  Raster photo = testpics::Photo(21, 11);
  std::string emf = Encode(photo, kFormatEmf);
  EXPECT_EQ(DetectFormat(emf), kFormatEmf);
  ByteReader e(emf);
  ASSERT_EQ(e.U32LE(), 1u);
  uint32_t headerSize = e.U32LE();
  e.Seek(48);
  EXPECT_EQ(e.U32LE(), emf.size());  // nBytes
  EXPECT_EQ(e.U32LE(), 3u);          // records
  // The records chain to the end of the file, the last one EMR_EOF.
  size_t at = headerSize, records = 1;
  uint32_t type = 0;
  while (at < emf.size()) {
    e.Seek(at);
    type = e.U32LE();
    uint32_t size = e.U32LE();
    ASSERT_GE(size, 8u);
    at += size;
    ++records;
  }
  EXPECT_EQ(at, emf.size());
  EXPECT_EQ(records, 3u);
  EXPECT_EQ(type, 14u);

  std::string wmf = Encode(photo, kFormatWmf);
  EXPECT_EQ(DetectFormat(wmf), kFormatWmf);
  ByteReader w(wmf);
  w.Seek(22 + 6);
  EXPECT_EQ(w.U32LE() * 2, wmf.size() - 22);  // the size in words, after the placeable header
  std::string tooWide;
  EXPECT_EQ(EncodePicture(testpics::Flat(40000, 1, 2), kFormatWmf, 24, 0, tooWide), kInvalidParameter);
}
