#include "zoom.h"

#include <windows.h>

#include <algorithm>

#include "grilton/zoom_view.h"
#include "imaging/thumbnails.h"
#include "skin/sk_draw.h"
#include "state.h"
#include "win/raii.h"
#include "win/window_class.h"

namespace grilton {

namespace {

constexpr const char* kZoomClass = "GRILTONZOOM";

struct Zoom {
  HWND window = nullptr;
  win::Bitmap picture;
  int width = 0;
  int height = 0;
  ZoomOffset offset;
};

Zoom& Z() {
  static Zoom zoom;
  return zoom;
}

void ViewSize(HWND window, int& w, int& h) {
  RECT r;
  GetClientRect(window, &r);
  w = r.right;
  h = r.bottom;
}

void Close() {
  Zoom& z = Z();
  if (z.window && IsWindow(z.window)) DestroyWindow(z.window);
  z.window = nullptr;
  z.picture.Reset();
  if (App().strip) SetFocus(App().frame);
}

LRESULT CALLBACK ZoomProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Zoom& z = Z();
  int vw = 0, vh = 0;
  ViewSize(window, vw, vh);
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      win::PaintDC paint(window);
      SKFILLRECT(paint, 0, 0, vw, vh, RGB(0, 0, 0));
      if (z.picture) {
        win::CompatibleDC source(paint);
        win::SelectObj select(source, z.picture.Get());
        int x = std::max(0, (vw - z.width) / 2), y = std::max(0, (vh - z.height) / 2);
        BitBlt(paint, x, y, std::min(vw, z.width), std::min(vh, z.height), source, z.offset.x, z.offset.y, SRCCOPY);
      }
      return 0;
    }
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS;
    case WM_KEYDOWN: {
      ZoomKey key = ZoomKeyOf(int(wParam));
      if (key == ZoomKey::Other) {
        Close();
        return 0;
      }
      z.offset = ScrollZoom(z.offset, key, z.width, z.height, vw, vh);
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    }
    case WM_MOUSEMOVE:
      z.offset = ZoomAtMouse(short(LOWORD(lParam)), short(HIWORD(lParam)), z.width, z.height, vw, vh);
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      Close();
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

void ShowZoom(int index) {
  Grilton& a = App();
  if (index < 0 || index >= int(a.pictures.size()) || !a.clientHolder) return;
  Close();
  Zoom& z = Z();
  int colours = 0, hasLayer = 0;
  uint8_t bits = 0;
  z.picture = win::Bitmap(LOADTHUMB(a.pictures[size_t(index)], 0, 0, z.width, z.height, colours, bits, hasLayer, 0));
  if (!z.picture) return;
  SKGETPIXMAPSIZE(z.picture.Get(), z.width, z.height);
  z.offset = {};
  if (!win::RegisterClassOnce({.name = kZoomClass, .procedure = ZoomProc, .instance = a.instance})) return;
  RECT r;
  GetClientRect(a.clientHolder, &r);
  z.window = CreateWindowExA(0, kZoomClass, "", WS_CHILD | WS_VISIBLE, 0, 0, r.right, r.bottom, a.clientHolder,
                             nullptr, a.instance, nullptr);
  if (z.window) {
    BringWindowToTop(z.window);
    SetFocus(z.window);
  }
}

bool ZoomOpen() { return Z().window != nullptr; }

}  // namespace grilton
