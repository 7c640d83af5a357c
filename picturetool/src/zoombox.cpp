#include "zoombox.h"

#include <algorithm>

#include "skin/sk_boxes.h"
#include "skin/sk_draw.h"
#include "skin/skin.h"
#include "state.h"
#include "win/raii.h"
#include "win/window_class.h"

namespace bravik {
namespace {

constexpr const char* kZoomClass = "ZOOMBOX";
constexpr const char* kViewClass = "LEAD";
constexpr int kViewWidth = 182;
constexpr int kViewHeight = 180;
constexpr int kHeader = 16;

void PaintView(HWND view) {
  ToolState& t = App();
  int zoomFactor = t.zoomFactor;
  win::PaintDC dc(view);
  RECT client;
  GetClientRect(view, &client);
  win::MemoryDC mem(dc, client.right, client.bottom);
  SKFILLRECT(mem, 0, 0, client.right, kHeader, SKGETSYSCOLOR(106));
  char title[128] = {};
  GetWindowTextA(GetParent(view), title, sizeof title);
  std::string text = std::string(title).substr(0, std::string(title).find('|')) + " " + std::to_string(zoomFactor) + " x";
  SKPRINT3DU(mem, 4, 1, text, SKGETSYSCOLOR(107), SKGETSYSCOLOR(112), SKDEFAULTFONT());
  SKDRAWRECT3D(mem, 0, kHeader - 2, client.right - 1, kHeader - 1, SKGETSYSCOLOR(118), SKGETSYSCOLOR(119));
  int viewHeight = client.bottom - kHeader;
  SKFILLRECT(mem, 0, kHeader, client.right, viewHeight, kCanvasGrey);
  if (HDC canvas = SKGETHDCMEMBMP(t.canvas)) {
    int sw = std::max(1, int(client.right) / zoomFactor), sh = std::max(1, viewHeight / zoomFactor);
    int sx = t.zoomCentre.x - sw / 2, sy = t.zoomCentre.y - sh / 2;
    SetStretchBltMode(mem, COLORONCOLOR);
    StretchBlt(mem, 0, kHeader, sw * zoomFactor, sh * zoomFactor, canvas, sx, sy, sw, sh, SRCCOPY);
  }
  int cx = client.right / 2, cy = kHeader + viewHeight / 2;
  int old = SetROP2(mem, R2_NOT);
  MoveToEx(mem, cx - 8, cy, nullptr);
  LineTo(mem, cx + 9, cy);
  MoveToEx(mem, cx, cy - 8, nullptr);
  LineTo(mem, cx, cy + 9);
  SetROP2(mem, old);
  BitBlt(dc, 0, 0, client.right, client.bottom, mem, 0, 0, SRCCOPY);
}

LRESULT CALLBACK LEADVIEWPROC(HWND view, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      PaintView(view);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (App().zoomFactor < 10) ++App().zoomFactor;
      InvalidateRect(view, nullptr, FALSE);
      return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      if (App().zoomFactor > 1) --App().zoomFactor;
      InvalidateRect(view, nullptr, FALSE);
      return 0;
    default:
      return DefWindowProcA(view, message, wParam, lParam);
  }
}

LRESULT CALLBACK ZOOMBOXPROC(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT answer = SKGETMESSAGE(box, message, wParam, lParam)) return answer;
  ToolState& t = App();
  switch (message) {
    case WM_COMMAND:
    case WM_CLOSE:
      DestroyWindow(box);
      return 0;
    case WM_DESTROY: {
      RECT r;
      GetWindowRect(box, &r);
      t.zoomLeft = r.left;
      t.zoomTop = r.top;
      if (t.zoomBox == box) t.zoomBox = nullptr;
      return 0;
    }
    default:
      break;
  }
  return SkDefaultProc(box, message, wParam, lParam);
}

}  // namespace

HWND CREATEZOOMBOX(const std::string& title) {
  ToolState& t = App();
  if (t.zoomBox && IsWindow(t.zoomBox)) {
    ShowWindow(t.zoomBox, SW_SHOWNA);
    return t.zoomBox;
  }
  // Until the mouse moves over the canvas, the window shows the picture's middle.
  if (t.zoomCentre.x == 0 && t.zoomCentre.y == 0) t.zoomCentre = POINT{t.pictureWidth / 2, t.pictureHeight / 2};
  win::RegisterClassOnce({.name = kZoomClass, .procedure = ZOOMBOXPROC, .instance = t.instance});
  win::RegisterClassOnce({.name = kViewClass, .procedure = LEADVIEWPROC, .instance = t.instance, .style = CS_DBLCLKS});
  int width = kViewWidth + SKGETSYSTEMMETRICS(4) + SKGETSYSTEMMETRICS(5);
  int height = kViewHeight + kHeader + SKGETSYSTEMMETRICS(1) + SKGETSYSTEMMETRICS(6);
  int x = std::clamp(t.zoomLeft, 0, std::max(0, t.screenWidth - width));
  int y = std::clamp(t.zoomTop, 0, std::max(0, t.screenHeight - height));
  HWND box = CreateWindowExA(WS_EX_TOOLWINDOW, kZoomClass, title.c_str(), WS_POPUP | WS_SYSMENU, x, y, width, height,
                             t.frame, nullptr, t.instance, nullptr);
  if (!box) return nullptr;
  SKPOPUPCONTAINER(box, title, x, y, width, height, ZOOMBOXPROC);
  CreateWindowExA(0, kViewClass, "", WS_CHILD | WS_VISIBLE, 0, 0, kViewWidth, kViewHeight + kHeader, box, nullptr,
                  t.instance, nullptr);
  t.zoomBox = box;
  ShowWindow(box, SW_SHOWNA);
  return box;
}

}  // namespace bravik
