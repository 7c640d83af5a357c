#include <gtest/gtest.h>

#include <string>

#include "data/icon_fixture.inc"
#include "imglib/byte_io.h"
#include "imglib/codecs.h"
#include "test_pictures.h"

using namespace imglib;
using testpics::Compare;
using testpics::PixelAt;

namespace {

Picture Decode(const std::string& bytes, int format = kFormatUnknown) {
  Picture p;
  EXPECT_EQ(DecodePicture(bytes, p, format), kSuccess);
  return p;
}

std::string Encode(const Raster& r, int format, int bits) {
  std::string out;
  EXPECT_EQ(EncodePicture(r, format, bits, 0, out), kSuccess);
  return out;
}

}  // namespace

// Every writer's file comes back with the same pixels: exactly at 24 bits and at the
// palette depths for pictures with few enough colours.
TEST(Codecs, LosslessRoundTrips) {
  Raster photo = testpics::Photo(37, 23);  // odd sizes: row padding and partial bytes
  for (int format : {kFormatBmp, kFormatPcx, kFormatTga, kFormatRas, kFormatPsd}) {
    SCOPED_TRACE(format);
    Picture p = Decode(Encode(photo, format, 24), format == kFormatTga ? kFormatTga : kFormatUnknown);
    EXPECT_EQ(p.info.format, format);
    EXPECT_EQ(p.info.width, 37);
    EXPECT_EQ(p.info.height, 23);
    EXPECT_EQ(Compare(p.pixels, photo).maximum, 0);
  }
  Raster sixteen = testpics::Flat(41, 19, 16), two = testpics::Flat(41, 19, 2), many = testpics::Flat(41, 19, 16);
  for (int format : {kFormatBmp, kFormatPcx, kFormatTga, kFormatRas}) {
    SCOPED_TRACE(format);
    Picture p8 = Decode(Encode(sixteen, format, 8), format);
    EXPECT_EQ(p8.info.bitsPerPixel, 8);
    EXPECT_EQ(Compare(p8.pixels, sixteen).maximum, 0);
    Picture p1 = Decode(Encode(two, format, 1), format);
    EXPECT_EQ(Compare(p1.pixels, two).maximum, 0) << "1 bit";
  }
  for (int format : {kFormatBmp, kFormatPcx}) {
    Picture p4 = Decode(Encode(many, format, 4), format);
    EXPECT_EQ(p4.info.bitsPerPixel, 4);
    EXPECT_EQ(Compare(p4.pixels, many).maximum, 0);
  }
}

TEST(Codecs, OneBitWritersKeepLightAndDarkForSingleColourPictures) {
  Raster white, black;
  white.Allocate(9, 3);
  white.Fill(255, 255, 255);
  black.Allocate(9, 3);
  for (int format : {kFormatPcx, kFormatRas, kFormatBmp}) {
    EXPECT_EQ(PixelAt(Decode(Encode(white, format, 1), format).pixels, 4, 1), 0xFFFFFFu) << format;
    EXPECT_EQ(PixelAt(Decode(Encode(black, format, 1), format).pixels, 4, 1), 0x000000u) << format;
  }
}

TEST(Codecs, PalettesOfPhotosStayClose) {
  Raster photo = testpics::Photo(64, 48);
  Picture p = Decode(Encode(photo, kFormatBmp, 8));
  auto d = Compare(p.pixels, photo);
  EXPECT_GT(d.psnr, 26.0);
  EXPECT_LT(d.mean, 6.0);
  EXPECT_LE(CountColours(p.pixels), 256);
  EXPECT_EQ(CountColours(testpics::Flat(20, 20, 5)), 5);
}

TEST(Codecs, DetectsFormatsBySignatureAndExtension) {
  Raster r = testpics::Flat(8, 8, 3);
  EXPECT_EQ(DetectFormat(Encode(r, kFormatBmp, 24)), kFormatBmp);
  EXPECT_EQ(DetectFormat(Encode(r, kFormatPcx, 24)), kFormatPcx);
  EXPECT_EQ(DetectFormat(Encode(r, kFormatRas, 24)), kFormatRas);
  EXPECT_EQ(DetectFormat(Encode(r, kFormatPsd, 24)), kFormatPsd);
  EXPECT_EQ(DetectFormat(Encode(r, kFormatJpeg, 24)), kFormatJpeg);
  EXPECT_EQ(DetectFormat(Encode(r, kFormatIco, 24)), kFormatIco);
  EXPECT_EQ(DetectFormat(Encode(r, kFormatCur, 24)), kFormatCur);
  // Targa has no signature: only its extension names it.
  std::string tga = Encode(r, kFormatTga, 24);
  EXPECT_EQ(DetectFormat(tga), kFormatUnknown);
  EXPECT_EQ(DetectFormat(tga, "tga"), kFormatTga);
  EXPECT_EQ(DetectFormat("GIF89a......"), kFormatGif);
  EXPECT_EQ(DetectFormat(std::string("\x89PNG\r\n\x1A\n", 8)), kFormatPng);
  EXPECT_EQ(DetectFormat("junk", "cmp"), kFormatCmp);
  Picture p;
  EXPECT_EQ(DecodePicture("junk", p), kNotAPicture);
  EXPECT_EQ(DecodePicture("junk", p, kFormatCmp), kUnsupported);
  std::string out;
  EXPECT_EQ(EncodePicture(r, kFormatCmp, 24, 0, out), kUnsupported);
  EXPECT_EQ(EncodePicture(r, kFormatPcd, 24, 0, out), kUnsupported);
  EXPECT_TRUE(CanEncode(kFormatGif));
  EXPECT_TRUE(CanEncode(kFormatFpx));
  EXPECT_FALSE(CanEncode(kFormatCmp));
}

TEST(Codecs, InformationWithoutPixels) {
  Raster r = testpics::Flat(30, 10, 16);
  PictureInfo info;
  ASSERT_EQ(ReadPictureInfo(Encode(r, kFormatPcx, 8), info), kSuccess);
  EXPECT_EQ(info.width, 30);
  EXPECT_EQ(info.height, 10);
  EXPECT_EQ(info.bitsPerPixel, 8);
  EXPECT_EQ(info.colours, 256);
  ASSERT_EQ(ReadPictureInfo(Encode(r, kFormatBmp, 24), info), kSuccess);
  EXPECT_EQ(info.bitsPerPixel, 24);
  EXPECT_EQ(info.colours, 16777216);
  ASSERT_EQ(ReadPictureInfo(Encode(r, kFormatBmp, 4), info), kSuccess);
  EXPECT_EQ(info.bitsPerPixel, 4);
  EXPECT_EQ(info.colours, 16);
}

// Bitmaps as other programs write them: RLE8, 16-bit 5-6-5 bit fields, top-down rows.
TEST(Codecs, BmpVariants) {
  std::string rle;
  ByteWriter w(rle);
  auto header = [&](std::string& s, int width, int height, int bits, int compression, int colours, int extra) {
    ByteWriter h(s);
    h.Text("BM");
    h.U32LE(0);
    h.U32LE(0);
    h.U32LE(uint32_t(14 + 40 + extra + colours * 4));
    h.U32LE(40);
    h.U32LE(uint32_t(width));
    h.U32LE(uint32_t(height));
    h.U16LE(1);
    h.U16LE(unsigned(bits));
    h.U32LE(uint32_t(compression));
    h.Zeros(12);
    h.U32LE(uint32_t(colours));
    h.U32LE(0);
  };
  header(rle, 6, 2, 8, 1, 2, 0);
  w.U32LE(0x00FF0000);  // index 0: red (stored B, G, R, 0)
  w.U32LE(0x0000FF00);  // index 1: green
  // Bottom row: 3 x index 1, then absolute 0 1 0 (padded); top row: delta, 2 x index 0.
  for (int b : {3, 1, 0, 3, 0, 1, 0, 0, 0, 0, 0, 2, 2, 0, 2, 0, 0, 1}) w.U8(unsigned(b));
  Picture p = Decode(rle);
  EXPECT_EQ(p.info.width, 6);
  EXPECT_EQ(PixelAt(p.pixels, 0, 1), 0x00FF00u);
  EXPECT_EQ(PixelAt(p.pixels, 3, 1), 0xFF0000u);
  EXPECT_EQ(PixelAt(p.pixels, 4, 1), 0x00FF00u);
  EXPECT_EQ(PixelAt(p.pixels, 5, 1), 0xFF0000u);
  EXPECT_EQ(PixelAt(p.pixels, 1, 0), 0xFF0000u);  // skipped by the delta: index 0
  EXPECT_EQ(PixelAt(p.pixels, 2, 0), 0xFF0000u);

  std::string fields;
  header(fields, 2, -2, 16, 3, 0, 12);
  ByteWriter f(fields);
  f.U32LE(0xF800);
  f.U32LE(0x07E0);
  f.U32LE(0x001F);
  for (unsigned v : {0xF800u, 0x07E0u, 0x001Fu, 0xFFFFu}) f.U16LE(v);  // top-down
  p = Decode(fields);
  EXPECT_EQ(PixelAt(p.pixels, 0, 0), 0xFF0000u);
  EXPECT_EQ(PixelAt(p.pixels, 1, 0), 0x00FF00u);
  EXPECT_EQ(PixelAt(p.pixels, 0, 1), 0x0000FFu);
  EXPECT_EQ(PixelAt(p.pixels, 1, 1), 0xFFFFFFu);
}

// Targa as other programs write it: run-length coded, origin at the top, 16 bits.
TEST(Codecs, TgaRleTopDown16Bits) {
  std::string tga;
  ByteWriter w(tga);
  for (unsigned b : {0u, 0u, 10u, 0u, 0u, 0u, 0u, 0u, 0u, 0u, 0u, 0u}) w.U8(b);
  w.U16LE(3);
  w.U16LE(2);
  w.U8(16);
  w.U8(0x20);        // top-down
  w.U8(0x82);        // run of 3: red
  w.U16LE(0x7C00);
  w.U8(0x02);        // 3 raw pixels: blue, white, black
  w.U16LE(0x001F);
  w.U16LE(0x7FFF);
  w.U16LE(0x0000);
  Picture p = Decode(tga, kFormatTga);
  EXPECT_EQ(p.info.bitsPerPixel, 16);
  EXPECT_EQ(PixelAt(p.pixels, 0, 0), 0xFF0000u);
  EXPECT_EQ(PixelAt(p.pixels, 2, 0), 0xFF0000u);
  EXPECT_EQ(PixelAt(p.pixels, 0, 1), 0x0000FFu);
  EXPECT_EQ(PixelAt(p.pixels, 1, 1), 0xFFFFFFu);
  EXPECT_EQ(PixelAt(p.pixels, 2, 1), 0x000000u);
}

TEST(Codecs, RasByteEncodedAndPcxWithoutPaletteAndDcx) {
  std::string ras;
  ByteWriter w(ras);
  w.U32BE(0x59A66A95);
  w.U32BE(4);
  w.U32BE(2);
  w.U32BE(8);
  w.U32BE(0);
  w.U32BE(2);  // byte-encoded
  w.U32BE(0);
  w.U32BE(0);
  for (unsigned b : {0x80u, 3u, 10u, 0x80u, 0u, 1u, 2u, 3u}) w.U8(b);  // 10 10 10 10 | 0x80 1 2 3
  Picture p = Decode(ras);
  EXPECT_EQ(PixelAt(p.pixels, 3, 0), 0x0A0A0Au);
  EXPECT_EQ(PixelAt(p.pixels, 0, 1), 0x808080u);
  EXPECT_EQ(PixelAt(p.pixels, 3, 1), 0x030303u);

  // An 8-bit PCX cut before its palette is read as grey.
  Raster grey;
  grey.Allocate(4, 1);
  grey.Set(1, 0, 1, 1, 1);
  grey.Set(2, 0, 2, 2, 2);
  std::string pcx = Encode(grey, kFormatPcx, 8);
  pcx.resize(pcx.size() - 769);
  p = Decode(pcx);
  EXPECT_TRUE(p.info.grey);

  // A DCX of two pages shows the first.
  std::string page1 = Encode(testpics::Flat(5, 5, 2), kFormatPcx, 24), page2 = Encode(testpics::Flat(7, 3, 2), kFormatPcx, 24);
  std::string dcx;
  ByteWriter d(dcx);
  d.U32LE(987654321);
  d.U32LE(16);
  d.U32LE(uint32_t(16 + page1.size()));
  d.U32LE(0);
  dcx += page1 + page2;
  p = Decode(dcx);
  EXPECT_EQ(p.info.format, kFormatDcx);
  EXPECT_EQ(p.info.pages, 2);
  EXPECT_EQ(p.info.width, 5);
}

TEST(Codecs, IconsAndCursors) {
  Raster r = testpics::Flat(32, 32, 8);
  for (int format : {kFormatIco, kFormatCur}) {
    Picture p = Decode(Encode(r, format, 24));
    EXPECT_EQ(p.info.format, format);
    EXPECT_EQ(Compare(p.pixels, r).maximum, 0);
  }
  std::string out;
  EXPECT_EQ(EncodePicture(testpics::Flat(300, 20, 2), kFormatIco, 24, 0, out), kInvalidParameter);
}

// An icon whose largest picture is PNG-coded: its size is that picture's, and its bytes are
// what goes to the system codecs (not the small bitmaps before it).
TEST(Codecs, IconsWithAPngCodedPicture) {
  std::string icon(reinterpret_cast<const char*>(k_png256_ico), sizeof k_png256_ico);
  ASSERT_EQ(DetectFormat(icon), kFormatIco);
  PictureInfo info;
  ASSERT_EQ(ReadPictureInfo(icon, info), kSuccess);
  EXPECT_EQ(info.width, 256);
  EXPECT_EQ(info.height, 256);
  EXPECT_EQ(info.bitsPerPixel, 1);  // two colours: ImageMagick writes a 1-bit palette PNG
  EXPECT_EQ(info.pages, 3);
  Picture p;
  EXPECT_EQ(DecodePicture(icon, p), kUnsupported);
  std::string_view png = IconPngEntry(icon);
  ASSERT_GT(png.size(), 8u);
  EXPECT_EQ(DetectFormat(png), kFormatPng);
  // Icons of bitmaps only have no PNG picture; a damaged directory gives none either.
  EXPECT_TRUE(IconPngEntry(Encode(testpics::Flat(32, 32, 8), kFormatIco, 24)).empty());
  std::string cut = icon.substr(0, 40);
  EXPECT_TRUE(IconPngEntry(cut).empty());
  // A damaged PNG header: the best bitmap picture (48 x 48, green) shows instead.
  std::string broken = icon;
  size_t at = icon.find("IHDR");
  ASSERT_NE(at, std::string::npos);
  broken[at] = 'X';
  ASSERT_EQ(ReadPictureInfo(broken, info), kSuccess);
  EXPECT_EQ(info.width, 48);
  Picture bitmap;
  ASSERT_EQ(DecodePicture(broken, bitmap), kSuccess);
  EXPECT_EQ(bitmap.info.width, 48);
  EXPECT_EQ(PixelAt(bitmap.pixels, 20, 20), 0x00C800u);
}

TEST(Codecs, PaintProgramFormats) {
  // Microsoft Paint version 1: raw rows, a set bit is white.
  std::string msp;
  ByteWriter w(msp);
  w.U16LE(0x6144);
  w.U16LE(0x4D6E);
  w.U16LE(10);
  w.U16LE(2);
  w.Zeros(24);
  for (unsigned b : {0xFFu, 0xC0u, 0x00u, 0x00u}) w.U8(b);
  Picture p = Decode(msp);
  EXPECT_EQ(p.info.format, kFormatMsp);
  EXPECT_EQ(PixelAt(p.pixels, 9, 0), 0xFFFFFFu);
  EXPECT_EQ(PixelAt(p.pixels, 0, 1), 0x000000u);

  // Version 2: row lengths, then runs (0, count, value) and literals.
  std::string msp2;
  ByteWriter w2(msp2);
  w2.U16LE(0x694C);
  w2.U16LE(0x536E);
  w2.U16LE(16);
  w2.U16LE(1);
  w2.Zeros(24);
  w2.U16LE(4);
  for (unsigned b : {0u, 1u, 0x00u, 1u}) w2.U8(b);  // a run of one 0x00, then a cut literal
  p = Decode(msp2);
  EXPECT_EQ(PixelAt(p.pixels, 0, 0), 0x000000u);

  // MacPaint: 512-byte header, PackBits rows of 72 bytes, a set bit is black.
  std::string mac(512, '\0');
  ByteWriter m(mac);
  for (int y = 0; y < 720; ++y) {
    m.U8(uint8_t(-71));  // 72 copies
    m.U8(y == 0 ? 0xFF : 0x00);
  }
  p = Decode(mac, kFormatMac);
  EXPECT_EQ(p.info.width, 576);
  EXPECT_EQ(PixelAt(p.pixels, 100, 0), 0x000000u);
  EXPECT_EQ(PixelAt(p.pixels, 100, 1), 0xFFFFFFu);

  // GEM: solid runs, a bit string and vertical replication.
  std::string gem;
  ByteWriter g(gem);
  for (unsigned v : {1u, 8u, 1u, 1u, 85u, 85u, 16u, 3u}) g.U16BE(v);
  for (unsigned b : {0u, 0u, 0xFFu, 2u, 0x81u, 0x80u, 1u, 0x0Fu}) g.U8(b);  // 2 lines: FF then 0F
  g.U8(0x01);  // third line: white
  g.U8(0x00 | 0x01);
  p = Decode(gem, kFormatImg);
  EXPECT_EQ(p.info.width, 16);
  EXPECT_EQ(PixelAt(p.pixels, 0, 0), 0x000000u);
  EXPECT_EQ(PixelAt(p.pixels, 12, 1), 0x000000u);
  EXPECT_EQ(PixelAt(p.pixels, 9, 1), 0xFFFFFFu);
}

// A binary EPS: its PostScript (level 2, the picture at its depth) and a TIFF preview of
// the same pixels, which is what the suite itself shows.
TEST(Codecs, EpsIsWrittenAsPostScriptWithATiffPreview) {
  Raster r = testpics::Flat(5, 4, 4);
  std::string eps = Encode(r, kFormatEps, 8);
  EXPECT_EQ(DetectFormat(eps), kFormatEps);
  ByteReader in(eps);
  ASSERT_EQ(in.U32LE(), 0xC6D3D0C5u);
  uint32_t psOffset = in.U32LE(), psLength = in.U32LE();
  ASSERT_EQ(psOffset, 30u);
  ASSERT_LE(size_t(psOffset) + psLength, eps.size());
  std::string ps = eps.substr(psOffset, psLength);
  EXPECT_EQ(ps.rfind("%!PS-Adobe-3.0 EPSF-3.0\n", 0), 0u);
  EXPECT_NE(ps.find("%%BoundingBox: 0 0 5 4"), std::string::npos);
  EXPECT_NE(ps.find("/Indexed /DeviceRGB 255"), std::string::npos);
  EXPECT_NE(ps.find("/Width 5 /Height 4"), std::string::npos);
  EXPECT_EQ(ps.substr(ps.size() - 6), "%%EOF\n");
  int format = -1;
  std::string_view preview = EpsPreview(eps, format);
  EXPECT_EQ(format, kFormatTif);
  EXPECT_EQ(preview.size(), eps.size() - 30 - psLength);
  EXPECT_EQ(CheckTiff(preview), kSuccess);
  // RGB at 24 bits, in the PostScript and in the preview.
  std::string rgb = Encode(r, kFormatEps, 24);
  EXPECT_NE(rgb.find("/DeviceRGB setcolorspace"), std::string::npos);
  // 20 pixels of 3 bytes as hex digits.
  size_t start = rgb.find("image\n") + 6, end = rgb.find(">\n", start);
  std::string hex;
  for (size_t i = start; i < end; ++i)
    if (rgb[i] != '\n') hex.push_back(rgb[i]);
  EXPECT_EQ(hex.size(), 120u);
  preview = EpsPreview(rgb, format);
  EXPECT_EQ(format, kFormatTif);
  EXPECT_GE(preview.size(), 20u * 3u);
}

// TIFF pixels are left to the system codecs, but only a TIFF whose directory lies in the
// file is handed on: one pointing outside is damaged.
TEST(Codecs, TiffIsCheckedBeforeTheSystemCodecsGetIt) {
  std::string tiff;
  ASSERT_EQ(EncodeTiff(testpics::Flat(9, 7, 5), 8, tiff), kSuccess);
  EXPECT_EQ(DetectFormat(tiff), kFormatTif);
  EXPECT_EQ(CheckTiff(tiff), kSuccess);
  Picture p;
  EXPECT_EQ(DecodePicture(tiff, p), kUnsupported);  // sound: for the system codecs
  PictureInfo info;
  EXPECT_EQ(ReadPictureInfo(tiff, info), kUnsupported);
  std::string far = tiff;
  far[4] = far[5] = far[6] = '\xFF';
  far[7] = '\x7F';
  EXPECT_EQ(DecodePicture(far, p), kFileCorrupt);
  EXPECT_EQ(ReadPictureInfo(far, info), kFileCorrupt);
  // A directory whose entries run past the end, and one right at the end.
  std::string cut = tiff.substr(0, 8 + 2 + 12 * 3);
  EXPECT_EQ(CheckTiff(cut), kFileCorrupt);
  std::string atEnd = tiff;
  atEnd[4] = char(tiff.size() & 0xFF);
  atEnd[5] = char((tiff.size() >> 8) & 0xFF);
  atEnd[6] = atEnd[7] = 0;
  EXPECT_EQ(CheckTiff(atEnd), kFileCorrupt);
  // Big-endian headers are checked the same way; BigTIFF is left to the system codecs.
  EXPECT_EQ(CheckTiff(std::string("MM\0*\x7F\xFF\xFF\xFF", 8) + std::string(40, '\0')), kFileCorrupt);
  EXPECT_EQ(CheckTiff(std::string("MM\0*\0\0\0\x08\0\x01", 10) + std::string(16, '\0')), kSuccess);
  EXPECT_EQ(CheckTiff(std::string("II+\0\x08\0\0\0", 8) + std::string(40, '\0')), kUnsupported);
  EXPECT_EQ(CheckTiff("II*"), kFileCorrupt);
}
