#include <gtest/gtest.h>
#include <windows.h>

#include "grilton/transparent_blit.h"
#include "win/raii.h"

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);

// A 4 x 2 source: magenta, red, blue, magenta / blue, blue, red, magenta.
struct Pictures {
  win::WindowDC screen{nullptr};
  win::MemoryDC source{screen, 4, 2};
  win::MemoryDC target{screen, 6, 4};
  Pictures() {
    const COLORREF row0[] = {kMagenta, kRed, kBlue, kMagenta};
    const COLORREF row1[] = {kBlue, kBlue, kRed, kMagenta};
    for (int x = 0; x < 4; ++x) {
      SetPixelV(source, x, 0, row0[x]);
      SetPixelV(source, x, 1, row1[x]);
    }
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 6; ++x) SetPixelV(target, x, y, kGreen);
  }
};

TEST(TransparentBlit, PixelsOfTheTransparentColourLeaveTheDestinationAsItWas) {
  Pictures p;
  ASSERT_EQ(DIAPOTRANSBLT(p.target, 1, 1, 4, 2, p.source, 0, 0, int32_t(kMagenta)), 1);
  EXPECT_EQ(GetPixel(p.target, 1, 1), kGreen);
  EXPECT_EQ(GetPixel(p.target, 2, 1), kRed);
  EXPECT_EQ(GetPixel(p.target, 3, 1), kBlue);
  EXPECT_EQ(GetPixel(p.target, 4, 1), kGreen);
  EXPECT_EQ(GetPixel(p.target, 1, 2), kBlue);
  EXPECT_EQ(GetPixel(p.target, 3, 2), kRed);
  EXPECT_EQ(GetPixel(p.target, 4, 2), kGreen);
  // Outside the rectangle nothing changed.
  EXPECT_EQ(GetPixel(p.target, 0, 0), kGreen);
  EXPECT_EQ(GetPixel(p.target, 5, 3), kGreen);
}

TEST(TransparentBlit, MinusOneTakesTheSourcesFirstPixelAsTransparent) {
  Pictures p;
  SetPixelV(p.source, 0, 0, kBlue);
  ASSERT_EQ(DIAPOTRANSBLT(p.target, 0, 0, 4, 2, p.source, 0, 0, -1), 1);
  EXPECT_EQ(GetPixel(p.target, 0, 0), kGreen);  // blue: transparent
  EXPECT_EQ(GetPixel(p.target, 1, 0), kRed);
  EXPECT_EQ(GetPixel(p.target, 2, 0), kGreen);
  EXPECT_EQ(GetPixel(p.target, 3, 0), kMagenta);  // magenta is a colour like any other now
  EXPECT_EQ(GetPixel(p.target, 0, 1), kGreen);
  EXPECT_EQ(GetPixel(p.target, 2, 1), kRed);
  EXPECT_EQ(DIAPOTRANSBLT(p.target, 0, 0, 0, 2, p.source, 0, 0, -1), 0);
}

}  // namespace
