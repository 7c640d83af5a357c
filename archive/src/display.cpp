#include "display.h"

#include <algorithm>
#include <vector>

#include "grilton/recording_display.h"
#include "imaging/gdiplus_helpers.h"
#include "skin/sk_draw.h"
#include "state.h"
#include "win/gdiplus_raii.h"
#include "win/raii.h"
#include "win/window_class.h"

namespace grilton {

namespace {

namespace gp = Gdiplus;
namespace flat = Gdiplus::DllExports;

constexpr const char* kDisplayClass = "GRILTONSPECTRUM";
constexpr uint32_t kCyan = 0xFF00FFFF;

HWND display = nullptr;
win::Bitmap background;

uint32_t Argb(COLORREF c, uint8_t alpha) {
  return (uint32_t(alpha) << 24) | (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c);
}

// A figure filled with a path gradient: the ramp's colour in the middle, translucent cyan
// at the rim.
void Figure(HDC dc, bool ellipse, int x, int y, int w, int h, COLORREF centre) {
  if (w <= 0 || h <= 0) return;
  win::gdip::Path path;
  if (flat::GdipCreatePath(gp::FillModeAlternate, path.Out()) != gp::Ok) return;
  if (ellipse)
    flat::GdipAddPathEllipseI(path.Get(), x, y, w, h);
  else
    flat::GdipAddPathRectangleI(path.Get(), x, y, w, h);
  win::gdip::Brush brush;
  if (flat::GdipCreatePathGradientFromPath(path.Get(), reinterpret_cast<gp::GpPathGradient**>(brush.Out())) != gp::Ok)
    return;
  auto* gradient = reinterpret_cast<gp::GpPathGradient*>(brush.Get());
  flat::GdipSetPathGradientCenterColor(gradient, gp::ARGB(Argb(centre, 255)));
  gp::ARGB rim = WithAlpha(kCyan, 32);
  INT count = 1;
  flat::GdipSetPathGradientSurroundColorsWithCount(gradient, &rim, &count);
  if (ellipse)
    FILLELLIPSEBRUSH(dc, brush.Get(), float(x), float(y), float(w), float(h));
  else
    FILLRECTBRUSH(dc, brush.Get(), float(x), float(y), float(w), float(h));
}

// Style 2: a curve through the points, closed down to the bottom edge, filled with a
// gradient from the ramp's top colour to translucent blue.
void Curve(HDC dc, const std::vector<TracePoint>& points, int height) {
  if (points.size() < 2) return;
  win::gdip::Graphics g(dc);
  if (g.Status() != 0) return;
  flat::GdipSetSmoothingMode(g.Get(), gp::SmoothingModeAntiAlias);
  std::vector<gp::Point> pts;
  for (size_t i = 0; i < points.size(); i += 4) pts.push_back({points[i].x, points[i].y});
  if (pts.size() < 2) return;
  win::gdip::Path path;
  if (flat::GdipCreatePath(gp::FillModeAlternate, path.Out()) != gp::Ok) return;
  flat::GdipAddPathCurveI(path.Get(), pts.data(), INT(pts.size()));
  flat::GdipAddPathLineI(path.Get(), pts.back().X, pts.back().Y, pts.back().X, height);
  flat::GdipAddPathLineI(path.Get(), pts.back().X, height, pts.front().X, height);
  flat::GdipClosePathFigure(path.Get());
  gp::Point top{0, 0}, bottom{0, height};
  win::gdip::Brush brush;
  if (flat::GdipCreateLineBrushI(&top, &bottom, gp::ARGB(Argb(RampColour(0, height), 200)),
                                 gp::ARGB(WithAlpha(0xFF0000FF, 64)), gp::WrapModeTileFlipXY,
                                 reinterpret_cast<gp::GpLineGradient**>(brush.Out())) != gp::Ok)
    return;
  flat::GdipFillPath(g.Get(), brush.Get(), path.Get());
}

void Draw(HDC dc, int width, int height) {
  Grilton& a = App();
  if (background) SKTILEBLT(dc, 0, 0, width, height, background.Get());
  int style = DrawnStyle(a.settings.displayStyle, a.recording);
  std::vector<TracePoint> points =
      a.recording ? TracePoints(a.captureCopy.data(), a.captureBytes, a.captureBits, width, height)
                  : std::vector<TracePoint>{};
  if (points.empty()) {
    // Nothing recorded: a flat line in the middle.
    SKLINE(dc, 0, height / 2, width - 1, height / 2, COLORREF(RampColour(height / 2, height)), 1);
    return;
  }
  switch (style) {
    case 2:
      Curve(dc, points, height);
      break;
    case 3:
      for (size_t i = 0; i < points.size(); i += 8) Figure(dc, true, points[i].x - 4, points[i].y - 4, 9, 9,
                                                          COLORREF(RampColour(points[i].y / 2, height)));
      break;
    case 4:
      for (size_t i = 0; i < points.size(); i += 6)
        Figure(dc, false, points[i].x, points[i].y, 5, std::max(1, height - points[i].y),
               COLORREF(RampColour(points[i].y / 2, height)));
      break;
    case 5:
      for (size_t i = 0; i < points.size(); i += 16) {
        int size = std::max(4, std::abs(height / 2 - points[i].y) * 2);
        Figure(dc, true, points[i].x - size / 2, height / 2 - size / 2, size, size,
               COLORREF(RampColour(points[i].y / 2, height)));
      }
      break;
    case 6:
      for (size_t i = 0; i < points.size(); i += 10) {
        int top = std::min(points[i].y, height / 2), h = std::max(2, std::abs(height / 2 - points[i].y));
        Figure(dc, false, points[i].x - 3, top, 7, h, COLORREF(RampColour(points[i].y / 2, height)));
        Figure(dc, true, points[i].x - 3, points[i].y - 3, 7, 7, COLORREF(RampColour(0, height)));
      }
      break;
    default: {
      SetPixelV(dc, points[0].x, points[0].y, COLORREF(RampColour(points[0].y / 2, height)));
      for (size_t i = 1; i < points.size(); ++i)
        SKLINE(dc, points[i - 1].x, points[i - 1].y, points[i].x, points[i].y,
               COLORREF(RampColour(points[i].y / 2, height)), 1);
      break;
    }
  }
}

void Paint(HWND window, HDC target) {
  RECT r;
  GetClientRect(window, &r);
  HDC memory = SKGETHDCMEMBMP(window);
  if (!memory) memory = SKCREATEMEMBMP(window, r.right, r.bottom);
  if (!memory) return;
  Draw(memory, r.right, r.bottom);
  BitBlt(target, 0, 0, r.right, r.bottom, memory, 0, 0, SRCCOPY);
}

LRESULT CALLBACK DisplayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Grilton& a = App();
  switch (message) {
    case WM_CREATE: {
      RECT r;
      GetClientRect(window, &r);
      if (!SKGETHDCMEMBMP(window)) SKCREATEMEMBMP(window, r.right, r.bottom);
      background = win::Bitmap(LoadBitmapA(a.instance, "MAGNET"));
      return 0;
    }
    case WM_ERASEBKGND:
      Paint(window, reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_PAINT: {
      win::PaintDC paint(window);
      Paint(window, paint);
      return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      if (a.recording) {
        a.settings.displayStyle = NextDisplayStyle(a.settings.displayStyle, message == WM_RBUTTONUP);
        InvalidateRect(window, nullptr, FALSE);
      }
      return 0;
    case WM_DESTROY:
      SKDELETEMEMBMP(window);
      background.Reset();
      display = nullptr;
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

HWND CreateRecordingDisplay(HWND parent, int x, int y, int width, int height) {
  if (!win::RegisterClassOnce({.name = kDisplayClass, .procedure = DisplayProc, .instance = App().instance}))
    return nullptr;
  display = CreateWindowExA(0, kDisplayClass, "", WS_CHILD | WS_VISIBLE, x, y, width, height, parent, nullptr,
                            App().instance, nullptr);
  return display;
}

void RepaintRecordingDisplay() {
  if (display) InvalidateRect(display, nullptr, FALSE);
}

}  // namespace grilton
