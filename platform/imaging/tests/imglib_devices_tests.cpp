// The imaging layer on devices: clipboard round trips, screen capture, printing a bitmap
// into a device context.
#include <gtest/gtest.h>

#include <cstring>

#include "imglib/imglib_devices.h"

namespace {

// A bitmap of width x height with a colour per pixel from its position.
void Fill(ImgBitmap& b) {
  for (int y = 0; y < b.height; ++y)
    for (int x = 0; x < b.width; ++x) {
      uint8_t* p = b.bits + size_t(y) * size_t(b.stride) + size_t(x) * 3;
      p[0] = uint8_t(x * 7);
      p[1] = uint8_t(y * 11);
      p[2] = uint8_t(200);
    }
}

bool SamePixels(const ImgBitmap& a, const ImgBitmap& b) {
  if (a.width != b.width || a.height != b.height) return false;
  for (int y = 0; y < a.height; ++y)
    for (int x = 0; x < a.width * 3; ++x)
      if (a.bits[size_t(y) * size_t(a.stride) + size_t(x)] != b.bits[size_t(y) * size_t(b.stride) + size_t(x)])
        return false;
  return true;
}

TEST(ImagingDevices, ClipboardRoundTripKeepsEveryPixelAndTheOrientation) {
  imglib::BitmapOwner source, back;
  ASSERT_EQ(L_CreateBitmap(source.Get(), 13, 7, 24), imglib::kSuccess);
  Fill(*source);
  ASSERT_EQ(L_CopyToClipboard(nullptr, source.Get()), imglib::kSuccess);
  EXPECT_EQ(L_ClipboardReady(), 1);
  ASSERT_EQ(L_CopyFromClipboard(nullptr, back.Get()), imglib::kSuccess);
  EXPECT_TRUE(SamePixels(*source, *back));
  // Text only on the clipboard: no picture.
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 3);
  std::memcpy(GlobalLock(text), "hi", 3);
  GlobalUnlock(text);
  SetClipboardData(CF_TEXT, text);
  CloseClipboard();
  EXPECT_EQ(L_ClipboardReady(), 0);
  EXPECT_EQ(L_CopyFromClipboard(nullptr, back.Get()), imglib::kFailure);
  // The failed read keeps the bitmap it had.
  EXPECT_EQ(back->width, 13);
}

TEST(ImagingDevices, ScreenCaptureHasTheScreensSize) {
  imglib::BitmapOwner shot;
  ASSERT_EQ(L_ScreenCaptureBitmap(shot.Get()), imglib::kSuccess);
  EXPECT_EQ(shot->width, GetSystemMetrics(SM_CXVIRTUALSCREEN));
  EXPECT_EQ(shot->height, GetSystemMetrics(SM_CYVIRTUALSCREEN));
  EXPECT_EQ(L_ScreenCaptureBitmap(nullptr), imglib::kInvalidParameter);
}

TEST(ImagingDevices, PrintingStretchesTheBitmapIntoTheRectangle) {
  imglib::BitmapOwner source, target;
  ASSERT_EQ(L_CreateBitmap(source.Get(), 2, 2, 24), imglib::kSuccess);
  // Top-left red, the rest blue (blue, green, red order).
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) {
      uint8_t* p = source->bits + size_t(y) * size_t(source->stride) + size_t(x) * 3;
      bool red = x == 0 && y == 0;
      p[0] = red ? 0 : 255;
      p[2] = red ? 255 : 0;
    }
  ASSERT_EQ(L_CreateBitmap(target.Get(), 40, 40, 24), imglib::kSuccess);
  HDC dc = L_CreateLeadDC(target.Get());
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(L_PrintBitmapExt(dc, source.Get(), 10, 10, 20, 20), imglib::kSuccess);
  // Stretching may smooth the edges between the quarters; their middles keep the colours.
  COLORREF red = GetPixel(dc, 11, 11), blue = GetPixel(dc, 28, 28);
  EXPECT_GT(GetRValue(red), 200) << std::hex << red;
  EXPECT_LT(GetBValue(red), 60) << std::hex << red;
  EXPECT_GT(GetBValue(blue), 200) << std::hex << blue;
  EXPECT_LT(GetRValue(blue), 60) << std::hex << blue;
  EXPECT_EQ(GetPixel(dc, 5, 5), RGB(0, 0, 0));  // outside the rectangle: untouched
  EXPECT_EQ(L_PrintBitmapExt(dc, source.Get(), 0, 0, 0, 10), imglib::kInvalidParameter);
  L_DeleteLeadDC(dc);
}

}  // namespace
