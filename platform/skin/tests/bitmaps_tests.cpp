// Regions from bitmaps and bitmap files from device contexts.
#include <gtest/gtest.h>
#include <windows.h>

#include "skin/sk_draw.h"
#include "temp_dir.h"
#include "win/raii.h"

namespace {

// A 10 x 6 bitmap: magenta everywhere but a 3 x 2 block at (4, 1) and the pixel (0, 5).
HBITMAP TestBitmap() {
  win::MemoryDC dc(win::WindowDC(nullptr), 10, 6);
  win::Brush magenta(CreateSolidBrush(RGB(255, 0, 255)));
  RECT all{0, 0, 10, 6};
  FillRect(dc, &all, magenta.Get());
  win::Brush blue(CreateSolidBrush(RGB(0, 0, 200)));
  RECT block{4, 1, 7, 3};
  FillRect(dc, &block, blue.Get());
  SetPixel(dc, 0, 5, RGB(1, 2, 3));
  return dc.ReleaseBitmap();
}

TEST(SkBitmaps, RegionHoldsExactlyTheOpaquePixels) {
  win::Bitmap b(TestBitmap());
  win::Region r(SKBMPTORGN(b.Get(), RGB(255, 0, 255)));
  ASSERT_TRUE(r);
  int inside = 0;
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 10; ++x) inside += PtInRegion(r.Get(), x, y) ? 1 : 0;
  EXPECT_EQ(inside, 7);
  EXPECT_TRUE(PtInRegion(r.Get(), 6, 2));
  EXPECT_TRUE(PtInRegion(r.Get(), 0, 5));
  EXPECT_FALSE(PtInRegion(r.Get(), 7, 2));
  // Everything transparent: no region.
  win::Region other(SKBMPTORGN(b.Get(), RGB(0, 0, 200)));
  EXPECT_TRUE(other);
  win::Bitmap blank(CreateBitmap(4, 4, 1, 1, nullptr));
  EXPECT_EQ(SKBMPTORGN(blank.Get(), RGB(0, 0, 0)), nullptr);
  EXPECT_EQ(SKBMPTORGN(nullptr, 0), nullptr);
}

TEST(SkBitmaps, PixmapSizeOfABitmapAndOfNone) {
  win::Bitmap b(TestBitmap());
  int width = -1, height = -1;
  EXPECT_EQ(SKGETPIXMAPSIZE(b.Get(), width, height), 1);
  EXPECT_EQ(width, 10);
  EXPECT_EQ(height, 6);
  EXPECT_EQ(SKGETPIXMAPSIZE(nullptr, width, height), 0);
  EXPECT_EQ(width, 0);
  EXPECT_EQ(height, 0);
}

TEST(SkBitmaps, LayeredAlphaMakesTheWindowLayered) {
  HWND w = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(SKSETLAYEREDALPHA(w, 160), 1);
  EXPECT_TRUE(GetWindowLongPtrA(w, GWL_EXSTYLE) & WS_EX_LAYERED);
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(w, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 160);
  EXPECT_TRUE(flags & LWA_ALPHA);
  EXPECT_EQ(SKSETLAYEREDALPHA(nullptr, 160), 0);
  DestroyWindow(w);
}

TEST(SkBitmaps, SavesARectangleOfADeviceContextAsBmp) {
  TempDir dir;
  win::Bitmap b(TestBitmap());
  std::string path = dir.File("part.bmp");
  {
    win::CompatibleDC dc(nullptr);
    win::SelectObj selected(dc, b.Get());
    EXPECT_EQ(SKSAVETOBMPFILE(dc, 3, 1, 5, 3, path), 0);
  }
  int w = 0, h = 0;
  win::Bitmap back(SKLOADBITMAPFILE(path, w, h));
  ASSERT_TRUE(back);
  EXPECT_EQ(w, 5);
  EXPECT_EQ(h, 3);
  win::CompatibleDC check(nullptr);
  win::SelectObj selected(check, back.Get());
  EXPECT_EQ(GetPixel(check, 0, 0), RGB(255, 0, 255));
  EXPECT_EQ(GetPixel(check, 1, 0), RGB(0, 0, 200));
  EXPECT_EQ(GetPixel(check, 3, 1), RGB(0, 0, 200));
  EXPECT_EQ(GetPixel(check, 4, 1), RGB(255, 0, 255));
  EXPECT_NE(SKSAVETOBMPFILE(nullptr, 0, 0, 5, 5, path), 0);
  EXPECT_NE(SKSAVETOBMPFILE(win::WindowDC(nullptr), 0, 0, 5, 5, dir.File("no\\such\\folder\\x.bmp")), 0);
}

}  // namespace
