#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "imglib/transforms.h"
#include "test_pictures.h"

using namespace imglib;
using testpics::PixelAt;

namespace {
// Four quadrant colours: red top left, green top right, blue bottom left, white bottom right.
Raster Quadrants(int w, int h) {
  Raster r;
  r.Allocate(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      bool right = x >= w / 2, bottom = y >= h / 2;
      if (!right && !bottom) r.Set(x, y, 255, 0, 0);
      if (right && !bottom) r.Set(x, y, 0, 255, 0);
      if (!right && bottom) r.Set(x, y, 0, 0, 255);
      if (right && bottom) r.Set(x, y, 255, 255, 255);
    }
  return r;
}
}  // namespace

TEST(Transforms, ResizeKeepsColoursAndAverages) {
  Raster q = Quadrants(40, 20), small;
  ASSERT_TRUE(Resize(q, 4, 2, kSizeResample, small));
  EXPECT_EQ(PixelAt(small, 0, 0), 0xFF0000u);
  EXPECT_EQ(PixelAt(small, 3, 0), 0x00FF00u);
  EXPECT_EQ(PixelAt(small, 0, 1), 0x0000FFu);
  EXPECT_EQ(PixelAt(small, 3, 1), 0xFFFFFFu);
  // Halving a 1-pixel checkerboard gives the mean grey.
  Raster checker;
  checker.Allocate(8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      if ((x + y) % 2) checker.Set(x, y, 255, 255, 255);
  Raster half;
  ASSERT_TRUE(Resize(checker, 4, 4, kSizeResample, half));
  EXPECT_EQ(PixelAt(half, 1, 1), 0x808080u);
  ASSERT_TRUE(Resize(checker, 4, 4, kSizeNearest, half));
  unsigned v = PixelAt(half, 1, 1);
  EXPECT_TRUE(v == 0 || v == 0xFFFFFFu);
  // Enlarging keeps the corners' colours.
  Raster big;
  ASSERT_TRUE(Resize(q, 400, 200, kSizeResample, big));
  EXPECT_EQ(PixelAt(big, 0, 0), 0xFF0000u);
  EXPECT_EQ(PixelAt(big, 399, 199), 0xFFFFFFu);
  EXPECT_FALSE(Resize(q, 0, 10, kSizeResample, big));
}

// Every output pixel of a reduction by any ratio is the area average of the source
// pixels it covers, in whichever order the rows of the source come through the passes:
// a thumbnail's slight reduction, a deep one whose pixels span many rows, one of a
// single row. The source is noise, so that any row taken twice or left out shows.
TEST(Transforms, ReductionsAreAreaAveragesAtAnyRatio) {
  auto noise = [](int w, int h) {
    Raster r;
    r.Allocate(w, h);
    uint32_t seed = 7;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        seed = seed * 1664525u + 1013904223u;
        r.Set(x, y, uint8_t(seed >> 24), uint8_t(seed >> 16), uint8_t(seed >> 8));
      }
    return r;
  };
  // The share of source pixel s in output o along a side of `from` reduced to `to`.
  auto share = [](int s, int o, int from, int to) {
    double scale = double(from) / to, a = o * scale, b = (o + 1) * scale;
    return std::max(0.0, std::min(b, s + 1.0) - std::max(a, double(s))) / scale;
  };
  struct Case {
    int w, h, toW, toH;
  } cases[] = {{375, 250, 320, 213}, {300, 200, 7, 5}, {90, 1, 40, 1}, {50, 61, 50, 17}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h) + " to " + std::to_string(c.toW) + "x" +
                 std::to_string(c.toH));
    Raster source = noise(c.w, c.h), small;
    ASSERT_TRUE(Resize(source, c.toW, c.toH, kSizeResample, small));
    ASSERT_EQ(small.Width(), c.toW);
    ASSERT_EQ(small.Height(), c.toH);
    int worst = 0;
    for (int oy = 0; oy < c.toH; ++oy)
      for (int ox = 0; ox < c.toW; ++ox)
        for (int channel = 0; channel < 3; ++channel) {
          double sum = 0;
          // The source pixels that can share in it: those below the next output's start.
          for (int y = oy * c.h / c.toH; y <= std::min(c.h - 1, (oy + 1) * c.h / c.toH); ++y)
            for (int x = ox * c.w / c.toW; x <= std::min(c.w - 1, (ox + 1) * c.w / c.toW); ++x)
              sum += share(y, oy, c.h, c.toH) * share(x, ox, c.w, c.toW) * source.Row(y)[x * 3 + channel];
          int got = small.Row(oy)[ox * 3 + channel];
          worst = std::max(worst, int(std::lround(std::abs(sum - got))));
        }
    EXPECT_LE(worst, 1);
  }
}

TEST(Transforms, FlipsAndQuarterTurns) {
  Raster q = Quadrants(6, 4);
  Raster f = q;
  FlipVertical(f);
  EXPECT_EQ(PixelAt(f, 0, 0), 0x0000FFu);
  FlipHorizontal(f);
  EXPECT_EQ(PixelAt(f, 0, 0), 0xFFFFFFu);
  Raster r;
  ASSERT_TRUE(Rotate(q, 9000, true, {}, r));  // clockwise: the bottom left comes to the top left
  EXPECT_EQ(r.Width(), 4);
  EXPECT_EQ(r.Height(), 6);
  EXPECT_EQ(PixelAt(r, 0, 0), 0x0000FFu);
  EXPECT_EQ(PixelAt(r, 3, 0), 0xFF0000u);
  ASSERT_TRUE(Rotate(q, -9000, true, {}, r));
  EXPECT_EQ(PixelAt(r, 0, 0), 0x00FF00u);
  ASSERT_TRUE(Rotate(q, 18000, true, {}, r));
  EXPECT_EQ(PixelAt(r, 0, 0), 0xFFFFFFu);
  EXPECT_EQ(r.Width(), 6);
}

TEST(Transforms, FreeAnglesFillTheCorners) {
  Raster q = Quadrants(40, 40), r;
  ASSERT_TRUE(Rotate(q, 4500, true, {1, 2, 3}, r));
  EXPECT_EQ(r.Width(), 57);
  EXPECT_EQ(PixelAt(r, 0, 0), 0x010203u);
  EXPECT_EQ(PixelAt(r, 28, 5), 0xFF0000u);  // the red top-left quadrant turned to the top
  ASSERT_TRUE(Rotate(q, 4500, false, {}, r));
  EXPECT_EQ(r.Width(), 40);
}
