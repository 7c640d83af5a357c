// Our writers and readers against an established tool: ImageMagick reads what we write and
// we read what it writes, pixel for pixel. Native only; skipped where ImageMagick is absent
// (scripts/setup.sh installs it).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "imglib/codecs.h"
#include "temp_dir.h"
#include "test_pictures.h"

using namespace imglib;

namespace {

#ifdef _WIN32
constexpr bool kHaveTool = false;
#else
const bool kHaveTool = std::system("test -x /usr/bin/convert") == 0;
#endif

bool Convert(const std::string& arguments) {
  std::string command = "/usr/bin/convert " + arguments + " 2>/dev/null";
  return std::system(command.c_str()) == 0;
}

// Raw RGB bytes (as "convert ... rgb:file" writes them) into a picture.
Raster FromRgb(const std::string& rgb, int w, int h) {
  if (rgb.size() != size_t(w) * size_t(h) * 3) return Raster{};
  return testpics::FromRgb(reinterpret_cast<const unsigned char*>(rgb.data()), w, h);
}

// A picture of black and white only (for the 1-bit formats).
Raster Mono(int w, int h) {
  Raster r;
  r.Allocate(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint8_t v = (x * 7 + y * 3) % 11 < 5 ? 0 : 255;
      r.Set(x, y, v, v, v);
    }
  return r;
}

class EstablishedTool : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!kHaveTool) GTEST_SKIP() << "ImageMagick is not installed";
  }
  // What the tool reads from our file, as a picture of the given size.
  Raster ToolReads(const Raster& picture, int format, int bits, const std::string& ext) {
    std::string bytes;
    EXPECT_EQ(EncodePicture(picture, format, bits, 0, bytes), kSuccess);
    std::string file = dir_.Write("ours." + ext, bytes);
    std::string rgb = dir_.File("tool.rgb");
    std::remove(rgb.c_str());
    EXPECT_TRUE(Convert(ext + ":" + file + "[0] -depth 8 rgb:" + rgb)) << ext;
    return FromRgb(dir_.Read("tool.rgb"), picture.Width(), picture.Height());
  }
  // What we read from the tool's file of the picture (extra: the tool's options).
  Picture WeRead(const Raster& picture, const std::string& ext, const std::string& extra = "") {
    std::string source = dir_.Write("source.ppm", testpics::Ppm(picture));
    std::string file = dir_.File("tool." + ext);
    std::remove(file.c_str());
    EXPECT_TRUE(Convert(source + " " + extra + " " + ext + ":" + file)) << ext;
    Picture p;
    EXPECT_EQ(DecodePicture(dir_.Read("tool." + ext), p, DetectFormat(dir_.Read("tool." + ext), ext)), kSuccess)
        << ext;
    return p;
  }
  TempDir dir_;
};

// Not MacPaint: ImageMagick 6.9's reader misplaces the runs of PackBits rows that mix runs
// and literals.
TEST_F(EstablishedTool, ReadsOurGifPictDcxAndWpg) {
  Raster flat = testpics::Flat(47, 29, 120), photo = testpics::Photo(61, 27);
  EXPECT_EQ(testpics::Compare(ToolReads(flat, kFormatGif, 8, "gif"), flat).maximum, 0);
  EXPECT_EQ(testpics::Compare(ToolReads(photo, kFormatPct, 24, "pict"), photo).maximum, 0);
  Raster narrow = testpics::Photo(1, 5);
  EXPECT_EQ(testpics::Compare(ToolReads(narrow, kFormatPct, 24, "pict"), narrow).maximum, 0);
  EXPECT_EQ(testpics::Compare(ToolReads(photo, kFormatDcx, 24, "dcx"), photo).maximum, 0);
  EXPECT_EQ(testpics::Compare(ToolReads(flat, kFormatWpg, 8, "wpg"), flat).maximum, 0);
  Raster mono = Mono(37, 13);
  EXPECT_EQ(testpics::Compare(ToolReads(mono, kFormatWpg, 1, "wpg"), mono).maximum, 0);
}

TEST_F(EstablishedTool, WeReadItsGifPictAndDcx) {
  Raster flat = testpics::Flat(43, 31, 60), photo = testpics::Photo(57, 33);
  EXPECT_EQ(testpics::Compare(WeRead(flat, "gif").pixels, flat).maximum, 0);
  Picture direct = WeRead(photo, "pict");
  EXPECT_EQ(direct.info.format, kFormatPct);
  EXPECT_EQ(testpics::Compare(direct.pixels, photo).maximum, 0);
  // A picture of few colours: the tool writes an indexed PackBitsRect.
  Picture indexed = WeRead(flat, "pict", "-type Palette");
  EXPECT_EQ(indexed.info.bitsPerPixel, 8);
  EXPECT_EQ(testpics::Compare(indexed.pixels, flat).maximum, 0);
  EXPECT_EQ(testpics::Compare(WeRead(photo, "dcx").pixels, photo).maximum, 0);
}

}  // namespace
