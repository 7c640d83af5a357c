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

namespace {

COLORREF At(HDC dc, int x, int y) { return GetPixel(dc, x, y); }

TEST(SkDrawing, HorizontalTilesOutlinedTextAndEdges) {
  // A 3 x 2 tile: red, then two green columns.
  win::MemoryDC tileDc(win::WindowDC(nullptr), 3, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) SetPixel(tileDc, x, y, x == 0 ? RGB(255, 0, 0) : RGB(0, 255, 0));
  win::Bitmap tile(tileDc.ReleaseBitmap());
  win::MemoryDC dc(win::WindowDC(nullptr), 40, 30);
  SKFILLRECT(dc, 0, 0, 40, 30, RGB(0, 0, 0));
  SKHORZTILE(dc, 2, 5, 10, tile.Get());
  EXPECT_EQ(At(dc, 2, 5), RGB(255, 0, 0));
  EXPECT_EQ(At(dc, 5, 6), RGB(255, 0, 0));
  EXPECT_EQ(At(dc, 11, 6), RGB(255, 0, 0));  // the fourth tile, cut to one column
  EXPECT_EQ(At(dc, 12, 5), RGB(0, 0, 0));
  EXPECT_EQ(At(dc, 3, 7), RGB(0, 0, 0));     // the band is as high as the tile
  SKHORZTILE(dc, 0, 0, 40, nullptr);         // no tile: nothing
  EXPECT_EQ(At(dc, 0, 0), RGB(0, 0, 0));

  // Outlined text: yellow strokes with black around them, never on the background alone.
  win::MemoryDC text(win::WindowDC(nullptr), 40, 30);
  SKFILLRECT(text, 0, 0, 40, 30, RGB(0, 0, 255));
  SkPrintOutlined(text, 2, 2, "8", RGB(255, 255, 0), RGB(0, 0, 0), nullptr);
  int yellow = 0, black = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      yellow += At(text, x, y) == RGB(255, 255, 0);
      black += At(text, x, y) == RGB(0, 0, 0);
    }
  EXPECT_GT(yellow, 3);
  EXPECT_GT(black, 3);
  EXPECT_EQ(At(text, 0, 0), RGB(0, 0, 255));

  // A raised edge: light at the top left, dark at the bottom right.
  win::MemoryDC edge(win::WindowDC(nullptr), 20, 20);
  SKFILLRECT(edge, 0, 0, 20, 20, RGB(255, 255, 255));
  SKDRAWEDGE(edge, 0, 0, 20, 20, EDGE_RAISED);
  EXPECT_NE(At(edge, 19, 10), RGB(255, 255, 255));
  EXPECT_EQ(At(edge, 10, 10), RGB(255, 255, 255));
}

}  // namespace
