// Our JPEG decoding beside an established decoder's (djpeg of libjpeg-turbo) on files that
// ImageMagick wrote: exactly the same pixels where both inverse transforms give the same
// samples, no bias of any channel elsewhere, and reduced decodes that are the full
// decoding reduced by area averaging.
#include <gtest/gtest.h>

#include <string>

#include "imglib/codecs.h"
#include "imglib/jpeg.h"
#include "test_pictures.h"

using namespace imglib;
using testpics::Compare;

namespace {
#include "data/jpeg_reference.inc"

std::string Bytes(const unsigned char* p, size_t n) { return std::string(reinterpret_cast<const char*>(p), n); }
#define FIXTURE(name) Bytes(name, sizeof(name))

Picture Decode(const std::string& jpeg, int scale = 1) {
  JpegHeader h;
  EXPECT_EQ(ReadJpegHeader(jpeg, h), kSuccess);
  Picture p;
  DecodeOptions o;
  if (scale > 1) {
    o.minWidth = (h.width + scale - 1) / scale;
    o.minHeight = (h.height + scale - 1) / scale;
  }
  EXPECT_EQ(DecodeJpeg(jpeg, p, o), kSuccess);
  EXPECT_EQ(p.pixels.Width(), (h.width + scale - 1) / scale);
  return p;
}

struct Reference {
  const char* name;
  std::string jpeg;
  Raster djpeg;
};

}  // namespace

// Flat 16 x 16 tiles: every block holds its DC coefficient alone, so every decoder's
// samples are the same and the colours must come out exactly as djpeg's, black as
// 0,0,0, in every sampling, and at every reduced size.
TEST(JpegReference, FlatColoursExactlyAsDjpegDecodesThem) {
  Reference tiles[] = {{"4:4:4", FIXTURE(k_tiles444_jpg), testpics::FromRgb(k_tiles444_rgb, 64, 32)},
                       {"4:2:2 progressive", FIXTURE(k_tiles422p_jpg), testpics::FromRgb(k_tiles422p_rgb, 64, 32)},
                       {"4:2:0", FIXTURE(k_tiles420_jpg), testpics::FromRgb(k_tiles420_rgb, 64, 32)}};
  for (const Reference& t : tiles) {
    SCOPED_TRACE(t.name);
    Picture full = Decode(t.jpeg);
    auto d = Compare(full.pixels, t.djpeg);
    EXPECT_EQ(d.maximum, 0);
    EXPECT_EQ(testpics::PixelAt(full.pixels, 8, 8), 0x000000u);   // the black tile
    EXPECT_EQ(testpics::PixelAt(full.pixels, 24, 8), 0xFFFFFFu);  // the white one
    // Reduced: each tile keeps its colour away from its edges (there the colour of a
    // subsampled file is softened as in the full size), and everywhere in 4:4:4.
    bool subsampled = t.name[2] != '4';
    for (int scale : {2, 4, 8}) {
      Picture small = Decode(t.jpeg, scale);
      int wrong = 0, checked = 0;
      for (int y = 0; y < small.pixels.Height(); ++y)
        for (int x = 0; x < small.pixels.Width(); ++x) {
          auto tile = [&](int v) { return v * scale / 16; };
          if (subsampled && (tile(x - 1) != tile(x + 1) || tile(y - 1) != tile(y + 1))) continue;
          ++checked;
          unsigned expected = testpics::PixelAt(t.djpeg, tile(x) * 16 + 8, tile(y) * 16 + 8);
          if (testpics::PixelAt(small.pixels, x, y) != expected) ++wrong;
        }
      EXPECT_EQ(wrong, 0) << "1/" << scale;
      if (scale < 8 || !subsampled) {
        EXPECT_GT(checked, 10) << "1/" << scale;
      }
    }
  }
}

// Where the transforms differ by a level here and there, no channel may lean one way:
// a rounding that always errs upwards raises a photograph at every open and save.
TEST(JpegReference, NoChannelLeansAgainstDjpeg) {
  Reference photos[] = {{"4:2:0", FIXTURE(k_photo420_jpg), testpics::FromRgb(k_photo420_rgb, 96, 64)},
                        {"4:4:4 progressive", FIXTURE(k_photo444p_jpg), testpics::FromRgb(k_photo444p_rgb, 96, 64)}};
  for (const Reference& p : photos) {
    SCOPED_TRACE(p.name);
    Picture ours = Decode(p.jpeg);
    auto d = Compare(ours.pixels, p.djpeg);
    EXPECT_LE(d.maximum, 3);
    EXPECT_LT(d.mean, 0.5);
    for (int channel = 0; channel < 3; ++channel)
      EXPECT_NEAR(testpics::MeanSignedDifference(ours.pixels, p.djpeg, channel), 0.0, 0.05) << "channel " << channel;
  }
}

// 1/2 and 1/4: each pixel the average of the samples it stands for, so that line art,
// text and the finest patterns come out as the full picture reduced, not striped.
TEST(JpegReference, ReducedDecodesAreTheFullDecodingAveraged) {
  struct Case {
    const char* name;
    std::string jpeg;
  } cases[] = {{"photo 4:2:0", FIXTURE(k_photo420_jpg)},      {"photo 4:4:4 progressive", FIXTURE(k_photo444p_jpg)},
               {"line art 4:4:4", FIXTURE(k_lineart444_jpg)}, {"text 4:4:4", FIXTURE(k_text444_jpg)},
               {"patterns 4:4:4", FIXTURE(k_pattern444_jpg)}, {"tiles 4:2:0", FIXTURE(k_tiles420_jpg)},
               {"tiles 4:2:2 progressive", FIXTURE(k_tiles422p_jpg)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Picture full = Decode(c.jpeg);
    for (int scale : {2, 4}) {
      Picture small = Decode(c.jpeg, scale);
      EXPECT_GE(Compare(small.pixels, testpics::AreaAverage(full.pixels, scale)).psnr, 40.0) << "1/" << scale;
    }
  }
}

// Saturated thin strokes and patterns in subsampled colour: the full decoding clips the
// colour that the subsampling spreads around them, which no reduced decoding can follow
// pixel for pixel. It must still be as true to the picture as the full decoding reduced.
TEST(JpegReference, ReducedDecodesOfSubsampledStrokesAreTrueToThePicture) {
  struct Case {
    const char* name;
    std::string jpeg;
    Raster half, quarter;
  } cases[] = {
      {"line art 4:2:0", FIXTURE(k_lineart420_jpg), testpics::FromRgb(k_lineart_half_rgb, 48, 32),
       testpics::FromRgb(k_lineart_quarter_rgb, 24, 16)},
      {"text 4:2:0", FIXTURE(k_text420_jpg), testpics::FromRgb(k_text_half_rgb, 48, 32),
       testpics::FromRgb(k_text_quarter_rgb, 24, 16)},
      {"text 4:2:2 progressive", FIXTURE(k_text422p_jpg), testpics::FromRgb(k_text_half_rgb, 48, 32),
       testpics::FromRgb(k_text_quarter_rgb, 24, 16)},
      {"patterns 4:2:0", FIXTURE(k_pattern420_jpg), testpics::FromRgb(k_pattern_half_rgb, 48, 32),
       testpics::FromRgb(k_pattern_quarter_rgb, 24, 16)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Picture full = Decode(c.jpeg);
    for (int scale : {2, 4}) {
      const Raster& source = scale == 2 ? c.half : c.quarter;
      Picture small = Decode(c.jpeg, scale);
      double reduced = Compare(small.pixels, source).psnr;
      double fullReduced = Compare(testpics::AreaAverage(full.pixels, scale), source).psnr;
      EXPECT_GE(reduced, fullReduced) << "1/" << scale;
      EXPECT_GE(Compare(small.pixels, testpics::AreaAverage(full.pixels, scale)).psnr, 27.0) << "1/" << scale;
    }
  }
}

// A camera file whose Exif thumbnail is another picture (as an editor leaves it after a
// change): the reduced decoding shows the file's picture, never the thumbnail.
TEST(JpegReference, TheEmbeddedThumbnailNeverStandsInForThePicture) {
  std::string file = FIXTURE(k_exif_jpg);
  ASSERT_NE(file.find("Exif"), std::string::npos);
  // The same file without its Exif block.
  size_t app1 = file.find("\xFF\xE1");
  ASSERT_NE(app1, std::string::npos);
  size_t length = size_t(uint8_t(file[app1 + 2])) << 8 | uint8_t(file[app1 + 3]);
  std::string plain = file.substr(0, app1) + file.substr(app1 + 2 + length);
  for (int box : {160, 100, 40}) {
    Picture p, q;
    DecodeOptions o;
    o.minWidth = box;
    o.minHeight = box;
    o.fitBox = true;
    ASSERT_EQ(DecodeJpeg(file, p, o), kSuccess);
    ASSERT_EQ(DecodeJpeg(plain, q, o), kSuccess);
    EXPECT_EQ(p.info.width, 320);
    EXPECT_EQ(Compare(p.pixels, q.pixels).maximum, 0) << box;
    EXPECT_GT(testpics::MeanChannel(p.pixels, 2), 150) << box;  // red, not the blue thumbnail
    EXPECT_LT(testpics::MeanChannel(p.pixels, 0), 120) << box;
  }
}

namespace {
#include "data/jpeg_scans.inc"
}  // namespace

// Scan layouts ImageMagick does not write (one scan per component, restart markers,
// spectral selection and refinement, colour halved down only, progressive grey), on a
// picture whose last MCUs lie partly outside it: the same transform and upsampling as
// djpeg, so the very same pixels.
TEST(JpegReference, EveryScanLayoutDecodesAsDjpegDecodesIt) {
  Reference files[] = {
      {"one scan per component", FIXTURE(k_noninterleaved420_jpg), testpics::FromRgb(k_noninterleaved420_rgb, 45, 37)},
      {"restart markers", FIXTURE(k_restart422_jpg), testpics::FromRgb(k_restart422_rgb, 45, 37)},
      {"progressive 4:2:0", FIXTURE(k_progressive420_jpg), testpics::FromRgb(k_progressive420_rgb, 45, 37)},
      {"4:4:0", FIXTURE(k_sampling440_jpg), testpics::FromRgb(k_sampling440_rgb, 45, 37)},
      {"progressive grey", FIXTURE(k_greyprogressive_jpg), testpics::FromRgb(k_greyprogressive_rgb, 45, 37)}};
  for (const Reference& f : files) {
    SCOPED_TRACE(f.name);
    Picture ours = Decode(f.jpeg);
    auto d = Compare(ours.pixels, f.djpeg);
    EXPECT_EQ(d.maximum, 0) << "mean " << d.mean;
  }
}
