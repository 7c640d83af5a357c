// The colour chart, the round pipette that follows the cursor over it and the colour
// swatch of the text and shape boxes.
#include "colorpick.h"

#include <commctrl.h>

#include <algorithm>
#include <map>
#include <string>

#include "fontbox.h"
#include "imaging/gdiplus_helpers.h"
#include "skin/sk_controls.h"
#include "skin/sk_draw.h"
#include "skin/skin.h"
#include "state.h"
#include "win/gdiplus_raii.h"
#include "win/raii.h"
#include "win/window_class.h"

namespace bravik {
namespace {

namespace gp = Gdiplus;
namespace flat = Gdiplus::DllExports;

constexpr UINT_PTR kHoverTimer = 1;
constexpr int kPipetteSize = 24;
constexpr COLORREF kMagenta = RGB(255, 0, 255);

struct Chart {
  win::Bitmap bitmap;   // the resource "COLOR"
  gp::GpBitmap* pixels = nullptr;  // GDI+ over it, for reading and drawing
  HWND pipette = nullptr;
};

std::map<HWND, Chart>& Charts() {
  static std::map<HWND, Chart> charts;
  return charts;
}

LRESULT CALLBACK PipetteProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    win::PaintDC dc(w);
    SKFILLRECT(dc, 0, 0, kPipetteSize, kPipetteSize, COLORREF(GetWindowLongPtrA(w, GWLP_USERDATA)));
    return 0;
  }
  if (message == WM_ERASEBKGND) return 1;
  return DefWindowProcA(w, message, wParam, lParam);
}

LRESULT CALLBACK SwatchProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    win::PaintDC dc(w);
    RECT r;
    GetClientRect(w, &r);
    SKFILLRECT(dc, 0, 0, r.right, r.bottom, COLORREF(GetWindowLongPtrA(w, GWLP_USERDATA)));
    SKDRAWRECT3D(dc, 0, 0, r.right - 1, r.bottom - 1, SKGETSYSCOLOR(119), SKGETSYSCOLOR(118));
    return 0;
  }
  if (message == WM_ERASEBKGND) return 1;
  return DefWindowProcA(w, message, wParam, lParam);
}

// The parent box's red, green and blue bars and labels, and its swatch, take the colour.
void Pick(HWND chart, int x, int y) {
  COLORREF c = ChartColourAt(chart, x, y);
  HWND box = GetParent(chart);
  int bytes[3] = {GetRValue(c), GetGValue(c), GetBValue(c)};
  for (int i = 0; i < 3; ++i) {
    SKSETTRACKPOS(GetDlgItem(box, kFontAlpha + 1 + i), bytes[i]);
    SetWindowTextA(GetDlgItem(box, kFontValueLabel + 1 + i), std::to_string(bytes[i]).c_str());
  }
  SetSwatchColour(GetDlgItem(box, kFontSwatch), c);
  SendMessageA(box, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(chart), 0), LPARAM(chart));
  auto it = Charts().find(chart);
  if (it == Charts().end() || !it->second.pipette) return;
  HWND pipette = it->second.pipette;
  SetWindowLongPtrA(pipette, GWLP_USERDATA, LONG_PTR(c));
  POINT p{x + 12, y + 12};
  ClientToScreen(chart, &p);
  SetWindowPos(pipette, HWND_TOPMOST, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(pipette, nullptr, FALSE);
}

}  // namespace

COLORREF ChartColourAt(HWND chart, int x, int y) {
  auto it = Charts().find(chart);
  if (it == Charts().end() || !it->second.pixels) return RGB(0, 0, 0);
  RECT r;
  GetClientRect(chart, &r);
  UINT w = 0, h = 0;
  flat::GdipGetImageWidth(it->second.pixels, &w);
  flat::GdipGetImageHeight(it->second.pixels, &h);
  if (r.right <= 0 || r.bottom <= 0 || w == 0 || h == 0) return RGB(0, 0, 0);
  int sx = std::clamp(int(int64_t(x) * w / r.right), 0, int(w) - 1);
  int sy = std::clamp(int(int64_t(y) * h / r.bottom), 0, int(h) - 1);
  gp::ARGB argb = 0;
  flat::GdipBitmapGetPixel(it->second.pixels, sx, sy, &argb);
  return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

HWND CREATEPIPETTE(HWND owner) {
  HINSTANCE instance = App().instance;
  if (!win::RegisterClassOnce({.name = kPipetteClass, .procedure = PipetteProc, .instance = instance})) return nullptr;
  HWND pipette = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kPipetteClass, "", WS_POPUP, 0,
                                 0, kPipetteSize, kPipetteSize, owner, nullptr, instance, nullptr);
  if (!pipette) return nullptr;
  win::Bitmap circle(static_cast<HBITMAP>(LoadImageA(instance, "CIRCLE", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (HRGN region = circle ? SKBMPTORGN(circle.Get(), kMagenta) : nullptr)
    SetWindowRgn(pipette, region, FALSE);  // the window owns the region from now on
  return pipette;
}

HWND CREATESWATCH(HWND parent, int x, int y, int width, int height, int id, COLORREF colour) {
  HINSTANCE instance = App().instance;
  if (!win::RegisterClassOnce({.name = kSwatchClass, .procedure = SwatchProc, .instance = instance})) return nullptr;
  HWND swatch = CreateWindowExA(0, kSwatchClass, "", WS_CHILD | WS_VISIBLE, x, y, width, height, parent,
                                reinterpret_cast<HMENU>(INT_PTR(id)), instance, nullptr);
  if (swatch) SetWindowLongPtrA(swatch, GWLP_USERDATA, LONG_PTR(colour));
  return swatch;
}

void SetSwatchColour(HWND swatch, COLORREF colour) {
  if (!swatch) return;
  SetWindowLongPtrA(swatch, GWLP_USERDATA, LONG_PTR(colour));
  InvalidateRect(swatch, nullptr, FALSE);
}

HWND CREATECOLORPICK(HWND parent, int x, int y, int width, int height, int id) {
  HINSTANCE instance = App().instance;
  if (!win::RegisterClassOnce({.name = kColourPickClass, .procedure = COLORPICKPROC, .instance = instance}))
    return nullptr;
  HWND chart = CreateWindowExA(WS_EX_CLIENTEDGE, kColourPickClass, "", WS_CHILD | WS_VISIBLE, x, y, width, height,
                               parent, reinterpret_cast<HMENU>(INT_PTR(id)), instance, nullptr);
  if (!chart) return nullptr;
  Chart& c = Charts()[chart];
  c.bitmap.Reset(static_cast<HBITMAP>(LoadImageA(instance, "COLOR", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (c.bitmap) c.pixels = BITMAPFROMHBITMAP(c.bitmap.Get());
  c.pipette = CREATEPIPETTE(GetAncestor(parent, GA_ROOT));
  return chart;
}

LRESULT CALLBACK COLORPICKPROC(HWND chart, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      win::PaintDC dc(chart);
      RECT r;
      GetClientRect(chart, &r);
      auto it = Charts().find(chart);
      if (it != Charts().end() && it->second.pixels) {
        win::gdip::Graphics g(dc);
        if (g) {
          flat::GdipSetInterpolationMode(g.Get(), gp::InterpolationModeNearestNeighbor);
          flat::GdipSetPixelOffsetMode(g.Get(), gp::PixelOffsetModeHalf);
          flat::GdipDrawImageRectI(g.Get(), it->second.pixels, 0, 0, r.right, r.bottom);
        }
      } else {
        SKFILLRECT(dc, 0, 0, r.right, r.bottom, SKGETSYSCOLOR(kSkinControlBack));
      }
      return 0;
    }
    case WM_SETCURSOR: {
      HCURSOR pipette = LoadCursorA(App().instance, "PIPETTE");
      SetCursor(pipette ? pipette : LoadCursor(nullptr, IDC_CROSS));
      SetTimer(chart, kHoverTimer, 100, nullptr);
      return TRUE;
    }
    case WM_TIMER: {
      POINT p;
      GetCursorPos(&p);
      if (wParam == kHoverTimer && WindowFromPoint(p) != chart) {
        KillTimer(chart, kHoverTimer);
        auto it = Charts().find(chart);
        if (it != Charts().end() && it->second.pipette) ShowWindow(it->second.pipette, SW_HIDE);
      }
      return 0;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
      Pick(chart, short(LOWORD(lParam)), short(HIWORD(lParam)));
      return 0;
    case WM_DESTROY: {
      KillTimer(chart, kHoverTimer);
      auto it = Charts().find(chart);
      if (it != Charts().end()) {
        if (it->second.pixels) flat::GdipDisposeImage(it->second.pixels);
        if (it->second.pipette) DestroyWindow(it->second.pipette);
        Charts().erase(it);
      }
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcA(chart, message, wParam, lParam);
}

}  // namespace bravik
