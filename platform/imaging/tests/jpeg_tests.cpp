#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "imglib/byte_io.h"
#include "imglib/codecs.h"
#include "imglib/jpeg.h"
#include "imglib/transforms.h"
#include "test_pictures.h"

using namespace imglib;
using testpics::Compare;

namespace {
#include "data/jpeg_fixtures.inc"

std::string Bytes(const unsigned char* p, size_t n) { return std::string(reinterpret_cast<const char*>(p), n); }
#define FIXTURE(name) Bytes(name, sizeof(name))

Picture DecodeOk(const std::string& jpeg, int minWidth = 0, int minHeight = 0) {
  Picture p;
  DecodeOptions o;
  o.minWidth = minWidth;
  o.minHeight = minHeight;
  EXPECT_EQ(DecodeJpeg(jpeg, p, o), kSuccess);
  return p;
}

std::string EncodeOk(const Raster& r, int qf, bool grey = false, int restart = 0) {
  std::string out;
  EXPECT_EQ(EncodeJpeg(r, qf, grey, out, restart), kSuccess);
  return out;
}

// A grey picture of one row of blocks whose DC differences are all +32767 (the largest
// a 15-bit size codes), with a 16-bit quantiser of 65535: the DC values add up without
// end. Progressive files carry only the first DC scan, its values shifted by al.
std::string ExtremeDcFile(int blocks, bool progressive, int al) {
  std::string f;
  ByteWriter w(f);
  w.U16BE(0xFFD8);
  w.U16BE(0xFFDB);  // one 16-bit table, every entry 65535
  w.U16BE(2 + 1 + 128);
  w.U8(0x10);
  for (int i = 0; i < 64; ++i) w.U16BE(0xFFFF);
  w.U16BE(progressive ? 0xFFC2 : 0xFFC0);
  w.U16BE(11);
  w.U8(8);
  w.U16BE(8);
  w.U16BE(uint16_t(8 * blocks));
  w.U8(1);
  w.U8(1);
  w.U8(0x11);
  w.U8(0);
  for (int table : {0x00, 0x10}) {  // DC: the one code "0" means size 15; AC: "0" ends the block
    w.U16BE(0xFFC4);
    w.U16BE(2 + 1 + 16 + 1);
    w.U8(unsigned(table));
    w.U8(1);
    w.Zeros(15);
    w.U8(table == 0 ? 15 : 0);
  }
  w.U16BE(0xFFDA);
  w.U16BE(8);
  w.U8(1);
  w.U8(1);
  w.U8(0x00);
  w.U8(0);
  w.U8(progressive ? 0 : 63);
  w.U8(progressive ? unsigned(al) : 0);
  std::string bits;
  for (int b = 0; b < blocks; ++b) bits += progressive ? "0111111111111111" : "01111111111111110";
  bits.resize((bits.size() + 7) / 8 * 8, '1');
  for (size_t i = 0; i < bits.size(); i += 8) {
    unsigned byte = unsigned(std::stoi(bits.substr(i, 8), nullptr, 2));
    w.U8(byte);
    if (byte == 0xFF) w.U8(0);
  }
  w.U16BE(0xFFD9);
  return f;
}

}  // namespace

// DC values that add up beyond 16 bits wrap around, as the 16-bit coefficients of other
// decoders do, at every size and in both codings; they never overflow the arithmetic
// (the native build's sanitizer checks that).
TEST(Jpeg, EndlessDcValuesWrapAround) {
  // Baseline: 32767, then 65534 = -2, 32765, -4, ...: white and black in turn.
  std::string baseline = ExtremeDcFile(16, false, 0);
  for (int scale : {1, 2, 8}) {
    Picture p = DecodeOk(baseline, 128 / scale, 8 / scale);
    ASSERT_EQ(p.pixels.Width(), 128 / scale);
    for (int block = 0; block < 16; ++block)
      EXPECT_EQ(testpics::PixelAt(p.pixels, block * 8 / scale, 0), block % 2 == 0 ? 0xFFFFFFu : 0u)
          << "1/" << scale << " block " << block;
  }
  // Progressive, shifted by 13: the k-th value is -k * 8192 in 16 bits: black for k = 1
  // to 4, white for 5 to 7, grey (0) for 8.
  std::string progressive = ExtremeDcFile(16, true, 13);
  for (int scale : {1, 8}) {
    Picture p = DecodeOk(progressive, 128 / scale, 8 / scale);
    ASSERT_EQ(p.pixels.Width(), 128 / scale);
    for (int block = 0; block < 16; ++block) {
      int k = block % 8 + 1;
      unsigned expected = k <= 4 ? 0u : k <= 7 ? 0xFFFFFFu : 0x808080u;
      EXPECT_EQ(testpics::PixelAt(p.pixels, block * 8 / scale, 0), expected) << "1/" << scale << " block " << block;
    }
  }
}

// Files written by another encoder (libjpeg-turbo): our decoding of its 4:2:0 file is
// its own but for the transforms' rounding, and its progressive and subsampling
// variants agree.
TEST(Jpeg, DecodesWhatAnotherEncoderWrote) {
  Raster truth = testpics::FromRgb(k_source_rgb, 67, 45);
  Raster theirs = testpics::FromRgb(k_base420_rgb, 67, 45);
  Picture base = DecodeOk(FIXTURE(k_base420_jpg));
  ASSERT_EQ(base.pixels.Width(), 67);
  ASSERT_EQ(base.pixels.Height(), 45);
  // Only where the two inverse transforms differ, by a level here and there, and never
  // leaning one way in any channel.
  auto d = Compare(base.pixels, theirs);
  EXPECT_LT(d.mean, 0.1);
  EXPECT_LE(d.maximum, 2);
  for (int channel = 0; channel < 3; ++channel)
    EXPECT_NEAR(testpics::MeanSignedDifference(base.pixels, theirs, channel), 0.0, 0.05) << "channel " << channel;
  EXPECT_GT(Compare(base.pixels, truth).psnr, 26.0);

  // Progressive files hold the same coefficients as their baseline twins.
  struct Pair {
    std::string base, progressive;
  } pairs[] = {{FIXTURE(k_base420_jpg), FIXTURE(k_prog420_jpg)},
               {FIXTURE(k_base422_jpg), FIXTURE(k_prog422_jpg)},
               {FIXTURE(k_base444_jpg), FIXTURE(k_prog444_jpg)},
               {FIXTURE(k_basegrey_jpg), FIXTURE(k_proggrey_jpg)}};
  for (const Pair& pair : pairs) {
    JpegHeader h;
    ASSERT_EQ(ReadJpegHeader(pair.progressive, h), kSuccess);
    EXPECT_TRUE(h.progressive);
    for (int scale : {1, 2, 4, 8}) {
      int w = (67 + scale - 1) / scale, hh = (45 + scale - 1) / scale;
      Picture a = DecodeOk(pair.base, w, hh), b = DecodeOk(pair.progressive, w, hh);
      EXPECT_EQ(a.pixels.Width(), w);
      EXPECT_EQ(Compare(a.pixels, b.pixels).maximum, 0) << "scale 1/" << scale;
    }
  }
  for (const std::string& colour : {FIXTURE(k_base422_jpg), FIXTURE(k_base444_jpg)})
    EXPECT_GT(Compare(DecodeOk(colour).pixels, truth).psnr, 26.0);
  // The grey file holds the luminance of the source.
  Picture grey = DecodeOk(FIXTURE(k_basegrey_jpg));
  EXPECT_TRUE(grey.info.grey);
  Raster luma = truth;
  for (int y = 0; y < luma.Height(); ++y)
    for (int x = 0; x < luma.Width(); ++x) {
      uint8_t* p = luma.Row(y) + x * 3;
      p[0] = p[1] = p[2] = uint8_t((p[2] * 299 + p[1] * 587 + p[0] * 114 + 500) / 1000);
    }
  EXPECT_GT(Compare(grey.pixels, luma).psnr, 28.0);
  EXPECT_EQ(grey.info.bitsPerPixel, 8);
  // CMYK with the Adobe marker: the colours come back.
  Picture cmyk = DecodeOk(FIXTURE(k_cmyk_jpg));
  EXPECT_GT(Compare(cmyk.pixels, truth).psnr, 24.0);
}

TEST(Jpeg, RoundTripAndQualityFactor) {
  Raster photo = testpics::Photo(203, 117);
  std::string finest = EncodeOk(photo, 2), normal = EncodeOk(photo, 25), coarse = EncodeOk(photo, 80);
  EXPECT_GT(finest.size(), normal.size());
  EXPECT_GT(normal.size(), coarse.size());
  double pFinest = Compare(DecodeOk(finest).pixels, photo).psnr, pNormal = Compare(DecodeOk(normal).pixels, photo).psnr,
         pCoarse = Compare(DecodeOk(coarse).pixels, photo).psnr;
  EXPECT_GT(pFinest, 38.0);
  EXPECT_GT(pFinest, pNormal);
  EXPECT_GT(pNormal, pCoarse);
  EXPECT_GT(pCoarse, 22.0);
  EXPECT_EQ(JpegQualityForFactor(2), 98);
  EXPECT_EQ(JpegQualityForFactor(0), 98);
  EXPECT_EQ(JpegQualityForFactor(-1), 98);
  EXPECT_EQ(JpegQualityForFactor(25), 75);
  EXPECT_EQ(JpegQualityForFactor(255), 1);

  Picture g = DecodeOk(EncodeOk(photo, 10, true));
  EXPECT_TRUE(g.info.grey);
  EXPECT_EQ(testpics::PixelAt(g.pixels, 5, 5) & 0xFF, (testpics::PixelAt(g.pixels, 5, 5) >> 8) & 0xFF);
}

// Opening and saving a photograph again and again keeps its colours: no channel creeps
// (a green rounded up in every decoding rose by 4 levels in five rounds). Subsampled
// colour may lose a little red and blue where saturated edges clip; green stays.
TEST(Jpeg, OpenAndSaveCyclesKeepTheColours) {
  Raster photo = testpics::Photo(160, 120);
  for (int qualityFactor : {2, 10}) {
    Raster current = photo;
    for (int round = 0; round < 5; ++round) current = DecodeOk(EncodeOk(current, qualityFactor)).pixels;
    for (int channel = 0; channel < 3; ++channel)
      EXPECT_NEAR(testpics::MeanChannel(current, channel), testpics::MeanChannel(photo, channel),
                  channel == 1 || qualityFactor == 2 ? 0.2 : 1.5)
          << "quality factor " << qualityFactor << " channel " << channel;
  }
}

TEST(Jpeg, RestartMarkersDecodeLikeTheSameFileWithout) {
  Raster photo = testpics::Photo(100, 70);
  std::string plain = EncodeOk(photo, 20), marked = EncodeOk(photo, 20, false, 3);
  EXPECT_NE(marked.find("\xFF\xDD"), std::string::npos);
  EXPECT_NE(marked.find("\xFF\xD1"), std::string::npos);
  for (int scale : {1, 8}) {
    int w = (100 + scale - 1) / scale, h = (70 + scale - 1) / scale;
    EXPECT_EQ(Compare(DecodeOk(plain, w, h).pixels, DecodeOk(marked, w, h).pixels).maximum, 0);
  }
}

// At 1/8 only the mean of each block is kept and the AC codes are passed over unread:
// grey noise at the finest quality has long codes and large values (the lookups' slow
// roads), and a wrong skip shows at once as wrong means in every later block. Each
// sample is the mean of its block in the full decoding (the noise never reaches the
// clamps), also with restart markers.
TEST(Jpeg, EighthSizeMeansFollowEveryCodeOfNoise) {
  const int w = 256, h = 64;
  Raster noise;
  ASSERT_TRUE(noise.Allocate(w, h));
  uint32_t seed = 12345;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      seed = seed * 1664525u + 1013904223u;
      uint8_t v = uint8_t(80 + (seed >> 24) % 96);
      noise.Set(x, y, v, v, v);
    }
  for (int restart : {0, 5}) {
    SCOPED_TRACE(restart);
    std::string jpeg = EncodeOk(noise, 2, true, restart);
    Picture full = DecodeOk(jpeg), eighth = DecodeOk(jpeg, w / 8, h / 8);
    ASSERT_EQ(eighth.pixels.Width(), w / 8);
    ASSERT_EQ(eighth.pixels.Height(), h / 8);
    int worst = 0;
    for (int by = 0; by < h / 8; ++by)
      for (int bx = 0; bx < w / 8; ++bx) {
        int sum = 0;
        for (int y = 0; y < 8; ++y)
          for (int x = 0; x < 8; ++x) sum += int(testpics::PixelAt(full.pixels, bx * 8 + x, by * 8 + y) & 0xFF);
        int mean = (sum + 32) / 64, got = int(testpics::PixelAt(eighth.pixels, bx, by) & 0xFF);
        worst = std::max(worst, std::abs(mean - got));
      }
    EXPECT_LE(worst, 1);
  }
}

// The reduced sizes come from the same picture: their means match the full decoding
// reduced by area averaging.
TEST(Jpeg, ScaledDecodingPicksTheSmallestCoveringSize) {
  Raster photo = testpics::Photo(333, 215);
  std::string jpeg = EncodeOk(photo, 10);
  Picture full = DecodeOk(jpeg);
  struct Case {
    int minW, minH, w, h;
  } cases[] = {{0, 0, 333, 215}, {200, 100, 333, 215}, {160, 100, 167, 108}, {80, 50, 84, 54},
               {40, 27, 42, 27}, {40, 28, 84, 54}, {1, 1, 42, 27}};
  for (const Case& c : cases) {
    Picture p = DecodeOk(jpeg, c.minW, c.minH);
    EXPECT_EQ(p.pixels.Width(), c.w) << c.minW << "x" << c.minH;
    EXPECT_EQ(p.pixels.Height(), c.h);
    EXPECT_EQ(p.info.width, 333);  // the information keeps the full size
    EXPECT_EQ(p.info.height, 215);
    // Each output pixel stands for a square of `scale` pixels of the full picture.
    int scale = (333 + c.w - 1) / c.w;
    Raster reduced = testpics::AreaAverage(full.pixels, scale);
    // A size far below 1/8 may take the colour at the subsampled resolution.
    auto d = Compare(p.pixels, reduced);
    EXPECT_LT(d.mean, c.minW * 2 > c.w ? 3.0 : 8.0) << c.w;
    for (int ch = 0; ch < 3; ++ch)
      EXPECT_NEAR(testpics::MeanChannel(p.pixels, ch), testpics::MeanChannel(full.pixels, ch), 1.5);
  }
}

// An Exif thumbnail, however well it fits the asked size and the picture's shape, never
// stands in for the picture: what is shown is what the file's own picture holds.
TEST(Jpeg, TheExifThumbnailIsNeverShown) {
  Raster photo = testpics::Photo(600, 400);
  std::string main = EncodeOk(photo, 10);
  auto withThumbnail = [&](const Raster& thumb) {
    std::string t = EncodeOk(thumb, 10);
    std::string tiff;
    ByteWriter w(tiff);
    w.Text("II");
    w.U16LE(42);
    w.U32LE(8);
    w.U16LE(0);   // IFD0: no entries
    w.U32LE(14);  // next: IFD1
    w.U16LE(2);
    w.U16LE(0x0201);
    w.U16LE(4);
    w.U32LE(1);
    w.U32LE(14 + 2 + 24 + 4);
    w.U16LE(0x0202);
    w.U16LE(4);
    w.U32LE(1);
    w.U32LE(uint32_t(t.size()));
    w.U32LE(0);
    tiff += t;
    std::string app1 = std::string("Exif\0\0", 6) + tiff;
    std::string seg = "\xFF\xE1";
    seg.push_back(char((app1.size() + 2) >> 8));
    seg.push_back(char((app1.size() + 2) & 255));
    return main.substr(0, 2) + seg + app1 + main.substr(2);
  };
  Raster thumb;
  thumb.Allocate(180, 120);
  thumb.Fill(0, 0, 255);  // blue: tells the thumbnail from the picture
  std::string file = withThumbnail(thumb);
  for (auto [w, h] : {std::pair{160, 107}, std::pair{80, 54}, std::pair{200, 130}}) {
    Picture p = DecodeOk(file, w, h), plain = DecodeOk(main, w, h);
    EXPECT_EQ(p.info.width, 600);
    EXPECT_EQ(Compare(p.pixels, plain.pixels).maximum, 0) << w;
  }
  EXPECT_EQ(DecodeOk(file, 160, 107).pixels.Width(), 300);  // the picture at 1/2
}

TEST(Jpeg, RefusesWhatItCannotDecode) {
  std::string jpeg = EncodeOk(testpics::Photo(16, 16), 10);
  Picture p;
  std::string arithmetic = jpeg;
  size_t sof = arithmetic.find("\xFF\xC0");
  ASSERT_NE(sof, std::string::npos);
  arithmetic[sof + 1] = char(0xC9);
  EXPECT_EQ(DecodeJpeg(arithmetic, p), kUnsupported);
  std::string twelveBit = jpeg;
  twelveBit[sof + 4] = 12;
  EXPECT_EQ(DecodeJpeg(twelveBit, p), kUnsupported);
  EXPECT_EQ(DecodeJpeg("not a jpeg", p), kNotAPicture);
  EXPECT_EQ(DecodeJpeg(jpeg.substr(0, 20), p), kFileCorrupt);
}
