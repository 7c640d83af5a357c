// The small drawing wrappers: one graphics object, one drawing call, everything deleted.
#include <cstring>

#include "win/gdiplus_raii.h"
#include "imaging/gdiplus_helpers.h"
#include "imaging/shape_plan.h"
#include "text_shadow.h"
#include "win/wide_text.h"

using namespace win::gdip;

gp::Status DrawTextShadow(gp::GpGraphics* g, const std::wstring& text, gp::GpFont* font, gp::GpStringFormat* format,
                          float x, float y, int depth) {
  Brush shadow;
  SolidBrush(shapes::kShadowColour, shadow);
  shapes::Offset d = shapes::ShadowOffset(depth);
  gp::RectF at{x + d.dx, y + d.dy, 0, 0};
  return flat::GdipDrawString(g, text.c_str(), -1, font, &at, format, shadow.Get());
}

int DRAWELLIPSEPEN(HDC dc, gp::GpPen* pen, int x, int y, int width, int height) {
  Graphics g(dc);
  if (!g) return dc ? g.Status() : -1;
  return flat::GdipDrawEllipseI(g.Get(), pen, x, y, width, height);
}

int DRAWLINEPEN(HDC dc, gp::GpPen* pen, int x1, int y1, int x2, int y2) {
  Graphics g(dc);
  if (!g) return dc ? g.Status() : -1;
  return flat::GdipDrawLineI(g.Get(), pen, x1, y1, x2, y2);
}

int DRAWSTRINGBRUSH(HDC dc, const std::string& text, gp::GpFont* font, float x, float y, float width, float height,
                    gp::GpBrush* brush) {
  Graphics g(dc);
  if (!g) return dc ? g.Status() : -1;
  gp::RectF layout{x, y, width, height};
  std::wstring w = win::Widen(text);
  return flat::GdipDrawString(g.Get(), w.c_str(), -1, font, &layout, nullptr, brush);
}

int DRAWSHADOWTEXT(HDC dc, const std::string& text, int x, int y, uint32_t colour, int renderingHint,
                   gp::GpFont* font, int depth) {
  Graphics g(dc);
  if (!g) return dc ? g.Status() : -1;
  flat::GdipSetTextRenderingHint(g.Get(), gp::TextRenderingHint(renderingHint));
  std::wstring w = win::Widen(text);
  int status = 0;
  if (depth != 0) status = DrawTextShadow(g.Get(), w, font, nullptr, float(x), float(y), depth);
  Brush brush;
  SolidBrush(colour, brush);
  gp::RectF at{float(x), float(y), 0, 0};
  status = flat::GdipDrawString(g.Get(), w.c_str(), -1, font, &at, nullptr, brush.Get());
  return status;
}

int DRAWTEXTBOX(HDC dc, const std::string& text, int x, int y, int width, int height, uint32_t colour,
                int renderingHint, gp::GpFont* font, gp::GpStringFormat* format) {
  Graphics g(dc);
  if (!g) return dc ? g.Status() : -1;
  flat::GdipSetTextRenderingHint(g.Get(), gp::TextRenderingHint(renderingHint));
  Brush brush;
  SolidBrush(colour, brush);
  gp::RectF layout{float(x), float(y), float(width), float(height)};
  std::wstring w = win::Widen(text);
  return flat::GdipDrawString(g.Get(), w.c_str(), -1, font, &layout, format, brush.Get());
}

int DRAWRECTFRAME(HDC dc, gp::GpPen*& penSlot, int x, int y, int width, int height, uint32_t colour, int penWidth) {
  penSlot = nullptr;
  Graphics g(dc);
  if (!g) return dc ? g.Status() : -1;
  Pen pen;
  flat::GdipCreatePen1(gp::ARGB(colour), float(penWidth), gp::UnitPixel, pen.Out());
  return flat::GdipDrawRectangleI(g.Get(), pen.Get(), x, y, width, height);
}

int FILLRECTSOLID(HDC dc, int x, int y, int width, int height, uint32_t colour) {
  Graphics g(dc);
  if (!g) return dc ? g.Status() : -1;
  Brush brush;
  SolidBrush(colour, brush);
  return flat::GdipFillRectangleI(g.Get(), brush.Get(), x, y, width, height);
}

int FILLELLIPSESOLID(HDC dc, int x, int y, int width, int height, uint32_t colour) {
  Graphics g(dc);
  if (!g) return dc ? g.Status() : -1;
  Brush brush;
  SolidBrush(colour, brush);
  return flat::GdipFillEllipseI(g.Get(), brush.Get(), x, y, width, height);
}

int FILLPIESOLID(HDC dc, int x, int y, int width, int height, uint32_t colour, float startAngle, float sweepAngle) {
  Graphics g(dc);
  if (!g) return dc ? g.Status() : -1;
  Brush brush;
  SolidBrush(colour, brush);
  return flat::GdipFillPieI(g.Get(), brush.Get(), x, y, width, height, startAngle, sweepAngle);
}

namespace {
gp::Status HatchBrush(int style, uint32_t fore, uint32_t back, Brush& brush) {
  return flat::GdipCreateHatchBrush(gp::HatchStyle(style), gp::ARGB(fore), gp::ARGB(back),
                                    reinterpret_cast<gp::GpHatch**>(brush.Out()));
}
}  // namespace

int FILLELLIPSEHATCH(HDC dc, int x, int y, int width, int height, uint32_t foreColour, uint32_t backColour,
                     int hatchStyle) {
  Graphics g(dc);
  if (!g) return dc ? g.Status() : -1;
  Brush brush;
  gp::Status s = HatchBrush(hatchStyle, foreColour, backColour, brush);
  if (s != gp::Ok) return int(s);
  return flat::GdipFillEllipseI(g.Get(), brush.Get(), x, y, width, height);
}

int FILLPIEHATCH(HDC dc, int x, int y, int width, int height, uint32_t foreColour, uint32_t backColour, int hatchStyle,
                 float startAngle, float sweepAngle) {
  Graphics g(dc);
  if (!g) return dc ? g.Status() : -1;
  Brush brush;
  gp::Status s = HatchBrush(hatchStyle, foreColour, backColour, brush);
  if (s != gp::Ok) return int(s);
  return flat::GdipFillPieI(g.Get(), brush.Get(), x, y, width, height, startAngle, sweepAngle);
}

int FILLRECTBRUSH(HDC dc, gp::GpBrush* brush, float x, float y, float width, float height) {
  Graphics g(dc);
  if (!g) return dc ? g.Status() : -1;
  return flat::GdipFillRectangle(g.Get(), brush, x, y, width, height);
}

int FILLELLIPSEBRUSH(HDC dc, gp::GpBrush* brush, float x, float y, float width, float height) {
  Graphics g(dc);
  if (!g) return dc ? g.Status() : -1;
  return flat::GdipFillEllipse(g.Get(), brush, x, y, width, height);
}

int DRAWIMAGEAT(HDC dc, gp::GpImage* image, int x, int y) {
  Graphics g(dc);
  if (!g) return dc ? g.Status() : -1;
  return flat::GdipDrawImageI(g.Get(), image, x, y);
}

int DRAWIMAGEROTATED(HDC dc, gp::GpImage* image, int x, int y, int width, int height, float angle, int matrixOrder) {
  Graphics g(dc);
  if (!g) return dc ? g.Status() : -1;
  flat::GdipRotateWorldTransform(g.Get(), angle, gp::MatrixOrder(matrixOrder));
  return flat::GdipDrawImageRectI(g.Get(), image, x, y, width, height);
}

int DRAWIMAGEPART(HDC dc, gp::GpImage* image, const RECT& d, const RECT& s, int interpolation,
                  gp::GpImageAttributes*& attributes) {
  int status = -1;
  {
    Graphics g(dc);
    if (g) {
      flat::GdipSetInterpolationMode(g.Get(), gp::InterpolationMode(interpolation));
      status = flat::GdipDrawImageRectRectI(g.Get(), image, d.left, d.top, d.right - d.left, d.bottom - d.top, s.left,
                                            s.top, s.right - s.left, s.bottom - s.top, gp::UnitPixel, attributes,
                                            nullptr, nullptr);
    } else if (dc) {
      status = g.Status();
    }
  }
  if (attributes) flat::GdipDisposeImageAttributes(attributes);
  attributes = nullptr;
  return status;
}

int ALPHAATTRIBUTES(int alpha, gp::GpImageAttributes*& attributes) {
  attributes = nullptr;
  gp::Status s = flat::GdipCreateImageAttributes(&attributes);
  if (s != gp::Ok) return int(s);
  gp::ColorMatrix m;
  std::memset(&m, 0, sizeof m);
  for (int i = 0; i < 5; ++i) m.m[i][i] = 1.0f;
  m.m[3][3] = float(alpha < 0 ? 0 : alpha > 255 ? 255 : alpha) / 255.0f;
  return flat::GdipSetImageAttributesColorMatrix(attributes, gp::ColorAdjustTypeDefault, TRUE, &m, nullptr,
                                                 gp::ColorMatrixFlagsDefault);
}

gp::GpBitmap* BITMAPFROMHBITMAP(HBITMAP bitmap) {
  gp::GpBitmap* out = nullptr;
  if (!bitmap || flat::GdipCreateBitmapFromHBITMAP(bitmap, nullptr, &out) != gp::Ok) return nullptr;
  return out;
}

HBITMAP DCTOBITMAP(HDC dc, int x, int y, int width, int height) {
  if (!dc || width <= 0 || height <= 0) return nullptr;
  win::MemoryDC copy(dc, width, height);
  if (!copy) return nullptr;
  BitBlt(copy, 0, 0, width, height, dc, x, y, SRCCOPY);
  return copy.ReleaseBitmap();
}
