// Damaged and cut files never crash a decoder nor make it read outside the data (the
// native build runs this under AddressSanitizer); a decoder either refuses the file or
// delivers a picture of the size it reports.
#include <gtest/gtest.h>

#include "damage.h"
#include "gif/gif_decoder.h"
#include "gif_writer.h"
#include "imglib/codecs.h"
#include "imglib/jpeg.h"
#include "test_pictures.h"

using namespace imglib;

namespace {

struct Tally {
  int decoded = 0;
  int refused = 0;
};

void CheckDecoder(const std::string& good, int format, Tally& tally, int mutations = 1500, bool reduced = false) {
  damage::ForEachDamagedCopy(good, mutations, uint32_t(format) * 7919u, [&](const std::string& bytes) {
    Picture p;
    DecodeOptions o;
    if (reduced) {
      o.minWidth = 20;
      o.minHeight = 20;
    }
    int r = DecodePicture(bytes, p, format, o);
    if (r == kSuccess) {
      ++tally.decoded;
      ASSERT_FALSE(p.pixels.Empty());
      ASSERT_GT(p.info.width, 0);
      ASSERT_LE(p.pixels.Width(), p.info.width);
      ASSERT_LE(p.pixels.Height(), p.info.height);
    } else {
      ++tally.refused;
      ASSERT_LT(r, 0);
    }
    PictureInfo info;
    ReadPictureInfo(bytes, info, format);
  });
}

std::string Encoded(const Raster& r, int format, int bits) {
  std::string out;
  EXPECT_EQ(EncodePicture(r, format, bits, 10, out), kSuccess);
  return out;
}

}  // namespace

TEST(DamagedInput, Pcx) {
  Tally t;
  CheckDecoder(Encoded(testpics::Photo(61, 23), kFormatPcx, 24), kFormatPcx, t);
  CheckDecoder(Encoded(testpics::Flat(33, 17, 200), kFormatPcx, 8), kFormatPcx, t);
  CheckDecoder(Encoded(testpics::Flat(33, 17, 16), kFormatPcx, 4), kFormatPcx, t);
  EXPECT_GT(t.decoded, 0);
  EXPECT_GT(t.refused, 0);
}

TEST(DamagedInput, Tga) {
  Tally t;
  CheckDecoder(Encoded(testpics::Photo(61, 23), kFormatTga, 24), kFormatTga, t);
  CheckDecoder(Encoded(testpics::Flat(33, 17, 7), kFormatTga, 8), kFormatTga, t);
  EXPECT_GT(t.decoded, 0);
  EXPECT_GT(t.refused, 0);
}

TEST(DamagedInput, Gif) {
  giftest::Frame f;
  f.width = 45;
  f.height = 21;
  for (int i = 0; i < 45 * 21; ++i) f.indices.push_back(uint8_t((i / 7 + i / 45) % 4));
  giftest::Frame inter = f;
  inter.interlaced = true;
  inter.localTable = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  inter.left = 3;
  inter.transparent = 2;
  std::string good = giftest::WriteGif(50, 30, {0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255}, 1, {f, inter});
  std::string second = giftest::WriteGif(50, 30, {}, 0, {inter});
  Tally t;
  CheckDecoder(good, kFormatGif, t, 800);
  CheckDecoder(second, kFormatGif, t, 800);
  EXPECT_GT(t.decoded, 0);
  EXPECT_GT(t.refused, 0);
  // The GIF layer's own entry as well.
  damage::ForEachDamagedCopy(good, 500, 99, [](const std::string& bytes) {
    gif::Image im;
    if (gif::Decode(bytes, im) == gif::kOk) {
      ASSERT_EQ(im.rgb.size(), size_t(im.width) * size_t(im.height) * 3);
    }
  });
}

TEST(DamagedInput, JpegBaselineProgressiveAndRestarts) {
  Raster photo = testpics::Photo(70, 45);
  std::string baseline, restarts, grey;
  ASSERT_EQ(EncodeJpeg(photo, 10, false, baseline), kSuccess);
  ASSERT_EQ(EncodeJpeg(photo, 3, false, restarts, 2), kSuccess);
  ASSERT_EQ(EncodeJpeg(photo, 10, true, grey), kSuccess);
  Tally t;
  CheckDecoder(baseline, kFormatJpeg, t, 500);
  CheckDecoder(restarts, kFormatJpeg, t, 500);
  CheckDecoder(grey, kFormatJpeg, t, 200, true);
  CheckDecoder(baseline, kFormatJpeg, t, 200, true);
  EXPECT_GT(t.decoded, 0);
  EXPECT_GT(t.refused, 0);
}

TEST(DamagedInput, OtherFormats) {
  Tally t;
  CheckDecoder(Encoded(testpics::Photo(31, 13), kFormatBmp, 24), kFormatBmp, t, 500);
  CheckDecoder(Encoded(testpics::Flat(31, 13, 9), kFormatBmp, 4), kFormatBmp, t, 500);
  CheckDecoder(Encoded(testpics::Photo(31, 13), kFormatRas, 24), kFormatRas, t, 500);
  CheckDecoder(Encoded(testpics::Flat(31, 13, 2), kFormatRas, 1), kFormatRas, t, 500);
  CheckDecoder(Encoded(testpics::Photo(31, 13), kFormatPsd, 24), kFormatPsd, t, 500);
  CheckDecoder(Encoded(testpics::Photo(31, 13), kFormatIco, 24), kFormatIco, t, 500);
  EXPECT_GT(t.decoded, 0);
  EXPECT_GT(t.refused, 0);
}

// The formats whose files the layer now writes as well: PICT and WordPerfect graphics
// (decoders of their own), and the writers' output of the paint-program formats and DCX.
TEST(DamagedInput, PictWpgAndTheWrittenFormats) {
  Tally t;
  CheckDecoder(Encoded(testpics::Photo(37, 11), kFormatPct, 24), kFormatPct, t, 250);
  CheckDecoder(Encoded(testpics::Photo(90, 4), kFormatPct, 24), kFormatPct, t, 250);
  CheckDecoder(Encoded(testpics::Flat(37, 11, 30), kFormatWpg, 8), kFormatWpg, t, 250);
  CheckDecoder(Encoded(testpics::Flat(37, 11, 2), kFormatWpg, 1), kFormatWpg, t, 250);
  CheckDecoder(Encoded(testpics::Flat(37, 11, 2), kFormatMsp, 1), kFormatMsp, t, 250);
  CheckDecoder(Encoded(testpics::Flat(37, 11, 9), kFormatImg, 4), kFormatImg, t, 250);
  CheckDecoder(Encoded(testpics::Photo(23, 9), kFormatDcx, 24), kFormatDcx, t, 250);
  EXPECT_GT(t.decoded, 0);
  EXPECT_GT(t.refused, 0);
}

// FlashPix: the generic damage, and damage aimed at the compound file's header, allocation
// table and directory (the first sectors), where a wrong sector number or a loop would
// send a careless reader astray.
TEST(DamagedInput, FlashPix) {
  Tally t;
  std::string colour = Encoded(testpics::Photo(70, 66), kFormatFpx, 24);
  std::string grey = Encoded(testpics::Photo(30, 20), kFormatFpx, 8);
  CheckDecoder(colour, kFormatFpx, t, 400);
  CheckDecoder(grey, kFormatFpx, t, 400);
  std::mt19937 rng(4242);
  for (const std::string* good : {&colour, &grey})
    for (int i = 0; i < 1500; ++i) {
      std::string bad = *good;
      for (int e = 0; e < 1 + int(rng() % 3); ++e) {
        size_t at = 512 + rng() % 2048;
        bad[at] = rng() % 2 ? char(rng()) : char(bad[at] ^ (1 << (rng() % 8)));
      }
      Picture p;
      int r = DecodePicture(bad, p, kFormatFpx);
      if (r == kSuccess) {
        ++t.decoded;
        ASSERT_EQ(p.pixels.Width(), p.info.width);
        ASSERT_EQ(p.pixels.Height(), p.info.height);
      } else {
        ++t.refused;
        ASSERT_LT(r, 0);
        ASSERT_TRUE(p.pixels.Empty());
      }
    }
  EXPECT_GT(t.decoded, 0);
  EXPECT_GT(t.refused, 0);
}
