// The GDI+ session and object owners under Wine.
#include <gtest/gtest.h>

#include "win/gdiplus_raii.h"
#include "win/gdiplus_session.h"

namespace {

using namespace win::gdip;

TEST(GdiplusSession, StartsAndMoves) {
  win::GdiplusSession session = win::StartGdiplusSession();
  ASSERT_TRUE(session);
  win::GdiplusSession moved(std::move(session));
  EXPECT_FALSE(session);
  EXPECT_TRUE(moved);
  // A second session is counted separately; ending it leaves the first working.
  {
    win::GdiplusSession inner = win::StartGdiplusSession();
    EXPECT_TRUE(inner);
  }
  gp::GpBitmap* bitmap = nullptr;
  EXPECT_EQ(flat::GdipCreateBitmapFromScan0(2, 2, 0, PixelFormat32bppARGB, nullptr, &bitmap), gp::Ok);
  Image image(bitmap);
  EXPECT_TRUE(image);
}

TEST(GdiplusOwners, GraphicsDrawsOnTheContextAndReportsFailure) {
  win::GdiplusSession session = win::StartGdiplusSession();
  Graphics none(nullptr);
  EXPECT_FALSE(none);
  EXPECT_EQ(none.Status(), int(gp::GenericError));

  win::MemoryDC mem(win::WindowDC(nullptr), 4, 4);
  ASSERT_TRUE(mem);
  {
    Graphics g(mem);
    ASSERT_TRUE(g);
    EXPECT_EQ(g.Status(), 0);
    Brush red;
    ASSERT_EQ(SolidBrush(0xFFFF0000u, red), gp::Ok);
    EXPECT_EQ(flat::GdipFillRectangleI(g.Get(), red.Get(), 0, 0, 4, 4), gp::Ok);
  }
  EXPECT_EQ(GetPixel(mem, 1, 1), RGB(255, 0, 0));
}

TEST(GdiplusOwners, OutReplacesWhatWasOwned) {
  win::GdiplusSession session = win::StartGdiplusSession();
  Pen pen;
  ASSERT_EQ(flat::GdipCreatePen1(0xFF000000u, 1.0f, gp::UnitPixel, pen.Out()), gp::Ok);
  gp::GpPen* first = pen.Get();
  ASSERT_NE(first, nullptr);
  ASSERT_EQ(flat::GdipCreatePen1(0xFF0000FFu, 2.0f, gp::UnitPixel, pen.Out()), gp::Ok);
  EXPECT_NE(pen.Get(), nullptr);
  float width = 0;
  EXPECT_EQ(flat::GdipGetPenWidth(pen.Get(), &width), gp::Ok);
  EXPECT_EQ(width, 2.0f);
  Pen moved(std::move(pen));
  EXPECT_FALSE(pen);
  EXPECT_TRUE(moved);
}

}  // namespace
