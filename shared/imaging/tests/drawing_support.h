// A white memory canvas for the drawing tests, and pixel reading.
#pragma once
#include <windows.h>

#include <cstdlib>
#include <vector>

class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height) {
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bitmap_ = CreateDIBSection(screen, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    ReleaseDC(nullptr, screen);
    old_ = SelectObject(dc_, bitmap_);
    Clear();
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  HDC dc() const { return dc_; }
  void Clear(COLORREF c = RGB(255, 255, 255)) {
    RECT r{0, 0, width_, height_};
    HBRUSH b = CreateSolidBrush(c);
    FillRect(dc_, &r, b);
    DeleteObject(b);
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
  int width_, height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  unsigned* bits_ = nullptr;
};

// Pixels of a GDI bitmap as 0xRRGGBB, row after row.
inline std::vector<unsigned> BitmapPixels(HBITMAP bitmap, int& width, int& height) {
  BITMAP bm{};
  GetObjectA(bitmap, sizeof bm, &bm);
  width = bm.bmWidth;
  height = bm.bmHeight;
  std::vector<unsigned> px(size_t(width) * size_t(height));
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
  bmi.bmiHeader.biWidth = width;
  bmi.bmiHeader.biHeight = -height;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, bitmap, 0, UINT(height), px.data(), &bmi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  for (unsigned& p : px) p &= 0xFFFFFF;
  return px;
}

// Whether two colours are within a tolerance per channel.
inline bool Near(unsigned a, unsigned b, int tolerance) {
  for (int shift : {0, 8, 16})
    if (std::abs(int((a >> shift) & 255) - int((b >> shift) & 255)) > tolerance) return false;
  return true;
}
