// A white memory canvas for the drawing tests, pixel reading, and a font.
#pragma once
#include <windows.h>

#include <cstdlib>
#include <vector>

#include "win/gdiplus_raii.h"
#include "win/raii.h"

// The header of a 32-bit picture whose rows run from the top.
inline BITMAPINFO TopDown32(int width, int height) {
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
  bmi.bmiHeader.biWidth = width;
  bmi.bmiHeader.biHeight = -height;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  return bmi;
}

class Canvas {
 public:
  Canvas(int width, int height)
      : width_(width), height_(height), bitmap_(MakeDib(width, height, bits_)), selected_(dc_, bitmap_.Get()) {
    Clear();
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  HDC dc() const { return dc_.Get(); }
  void Clear(COLORREF c = RGB(255, 255, 255)) {
    RECT r{0, 0, width_, height_};
    win::Brush b(CreateSolidBrush(c));
    FillRect(dc_, &r, b.Get());
    GdiFlush();
  }
  // 0xRRGGBB
  unsigned At(int x, int y) const {
    GdiFlush();
    return bits_[size_t(y) * size_t(width_) + size_t(x)] & 0xFFFFFF;
  }
  static int Red(unsigned c) { return int(c >> 16) & 255; }
  static int Green(unsigned c) { return int(c >> 8) & 255; }
  static int Blue(unsigned c) { return int(c) & 255; }
  // Pixels in a rectangle that are not white.
  int Marked(int left, int top, int right, int bottom) const {
    int n = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x)
        if (At(x, y) != 0xFFFFFF) ++n;
    return n;
  }

 private:
  static HBITMAP MakeDib(int width, int height, unsigned*& bits) {
    BITMAPINFO bmi = TopDown32(width, height);
    return CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
  }

  int width_, height_;
  unsigned* bits_ = nullptr;
  win::CompatibleDC dc_{nullptr};
  win::Bitmap bitmap_;
  win::SelectObj selected_;
};

// Pixels of a GDI bitmap as 0xRRGGBB, row after row.
inline std::vector<unsigned> BitmapPixels(HBITMAP bitmap, int& width, int& height) {
  BITMAP bm{};
  GetObjectA(bitmap, sizeof bm, &bm);
  width = bm.bmWidth;
  height = bm.bmHeight;
  std::vector<unsigned> px(size_t(width) * size_t(height));
  BITMAPINFO bmi = TopDown32(width, height);
  GetDIBits(win::WindowDC(nullptr), bitmap, 0, UINT(height), px.data(), &bmi, DIB_RGB_COLORS);
  for (unsigned& p : px) p &= 0xFFFFFF;
  return px;
}

// Whether two colours are within a tolerance per channel.
inline bool Near(unsigned a, unsigned b, int tolerance) {
  for (int shift : {0, 8, 16})
    if (std::abs(int((a >> shift) & 255) - int((b >> shift) & 255)) > tolerance) return false;
  return true;
}

// Arial of a size in pixels, for the text drawing tests (Get() is null when it is missing).
class ArialFont {
 public:
  explicit ArialFont(float pixels) {
    namespace flat = Gdiplus::DllExports;
    if (flat::GdipCreateFontFamilyFromName(L"Arial", nullptr, family_.Out()) == Gdiplus::Ok)
      flat::GdipCreateFont(family_.Get(), pixels, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel, font_.Out());
  }
  Gdiplus::GpFont* Get() const { return font_.Get(); }

 private:
  win::gdip::FontFamily family_;
  win::gdip::Font font_;
};
