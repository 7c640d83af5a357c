// The VU window on a test window: it shows its bitmap, the meter draws its bars into it,
// and the meter parts from it when it goes. One meter per program: one test holds the steps
// in their order.
#include <gtest/gtest.h>
#include <windows.h>

#include "jorvel/vu_meter.h"
#include "win/raii.h"

namespace {

constexpr COLORREF kBackground = RGB(10, 200, 30);

HBITMAP FilledBitmap(int width, int height, COLORREF colour) {
  win::MemoryDC dc(win::WindowDC(nullptr), width, height);
  RECT all{0, 0, width, height};
  win::Brush brush(CreateSolidBrush(colour));
  FillRect(dc, &all, brush.Get());
  return dc.ReleaseBitmap();
}

TEST(VuMeter, ShowsItsBitmapTakesTheBarsAndPartsFromTheMeterWhenItGoes) {
  HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 120, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(parent, nullptr);
  win::MemoryDC target(win::WindowDC(nullptr), 20, 66);
  RECT all{0, 0, 20, 66};
  win::Brush grey(CreateSolidBrush(RGB(77, 77, 77)));
  FillRect(target, &all, grey.Get());

  // Without a VU window the meter draws nothing and fixes no geometry.
  EXPECT_EQ(VUMETERWIN(parent, nullptr, 0, 0), nullptr);
  jorvel::DRAWLEVELMETER(target, 128, 128);
  EXPECT_EQ(GetPixel(target, 2, 0), RGB(77, 77, 77));

  HBITMAP bitmap = FilledBitmap(20, 66, kBackground);
  HWND vu = VUMETERWIN(parent, bitmap, 5, 7);
  ASSERT_NE(vu, nullptr);
  EXPECT_EQ(jorvel::LevelMeterWindow(), vu);
  char cls[32] = {};
  GetClassNameA(vu, cls, sizeof cls);
  EXPECT_STREQ(cls, "VUMETER");
  EXPECT_TRUE(GetWindowLongPtrA(vu, GWL_EXSTYLE) & WS_EX_TRANSPARENT);
  RECT r{};
  GetWindowRect(vu, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 5);
  EXPECT_EQ(r.top, 7);
  EXPECT_EQ(r.right - r.left, 20);
  EXPECT_EQ(r.bottom - r.top, 66);

  // Its background is the bitmap.
  EXPECT_EQ(SendMessageA(vu, WM_ERASEBKGND, reinterpret_cast<WPARAM>(target.Get()), 0), 1);
  EXPECT_EQ(GetPixel(target, 10, 30), kBackground);

  // Full level on the left: red at the top, blue at the bottom, each bar 2 pixels high;
  // nothing on the right.
  jorvel::DRAWLEVELMETER(target, 128, 0);
  EXPECT_EQ(GetPixel(target, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(target, 9, 1), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(target, 9, 65), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(target, 10, 0), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(target, 19, 65), RGB(0, 0, 0));

  // The fade leaves it black.
  jorvel::FadeLevelMeter();
  jorvel::DRAWLEVELMETER(target, 0, 0);
  for (int y = 0; y < 66; y += 5) EXPECT_EQ(GetPixel(target, 3, y), RGB(0, 0, 0)) << y;

  DestroyWindow(vu);
  EXPECT_EQ(jorvel::LevelMeterWindow(), nullptr);
  BITMAP info{};
  EXPECT_EQ(GetObjectA(bitmap, sizeof info, &info), 0);  // deleted with the window
  DestroyWindow(parent);
}

}  // namespace
