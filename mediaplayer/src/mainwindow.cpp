#include "mainwindow.h"

#include "falcet/options.h"
#include "skin/sk_menu.h"
#include "skin/skin.h"
#include "state.h"
#include "win/window_class.h"
#include "wndproc.h"

namespace falcet {

namespace {

// The popup menu that holds an item (items of menu n are numbered from n * 100).
HMENU MenuOf(int item) {
  Player& p = App();
  switch (item / 100) {
    case kPopupWindow: return p.popup1;
    case kPopupView: return p.popup3;
    case kPopupShow: return p.popup4;
    default: return nullptr;
  }
}

bool RegisterChildClass(const char* name, UINT style, HBRUSH brush) {
  return win::RegisterClassOnce(
      {.name = name, .procedure = WNDPROC, .instance = App().instance, .style = style, .background = brush});
}

}  // namespace

bool CreateMainWindow(int left, int top, int width, int height) {
  Player& p = App();
  if (!win::RegisterClassOnce({.name = kClassPlayer,
                               .procedure = WNDPROC,
                               .instance = p.instance,
                               .style = CS_HREDRAW | CS_VREDRAW,
                               .icon = p.icon}))
    return false;
  RegisterChildClass(kViewClass, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  RegisterChildClass(kPictureClass, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, nullptr);
  RegisterChildClass(kZoomClass, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, nullptr);
  RegisterChildClass(kPopupClass, 0, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));

  bool fullScreen = Option(kOptFullScreen) != 0;
  if (fullScreen) {
    // The frame lies outside the screen; the skin's maximum follows the larger window.
    left = -SKGETSYSTEMMETRICS(4);
    top = -(SKGETSYSTEMMETRICS(1) + SKGETSYSTEMMETRICS(2));
    width += 1;
    height += 1;
    int mw = width, mh = height;
    SKSETMAXSIZE(width, height, mw, mh);
  }
  DWORD exStyle = (p.topMost || fullScreen) ? WS_EX_TOPMOST : 0;
  p.frame = CreateWindowExA(exStyle, kClassPlayer, Ui(1).c_str(), WS_POPUP | WS_SYSMENU | WS_CLIPCHILDREN, left, top,
                            width, height, nullptr, nullptr, p.instance, nullptr);
  if (!p.frame) return false;
  p.clip = SKHOLDER(p.frame, "SKCLIP", WNDPROC);
  if (!SKINSET(Option(kOptFrameStyle), 64)) p.menuBar = SKHOLDER(p.frame, "SKMENU", WNDPROC);
  p.status = SKSTATUSWINDOW(p.frame, "");
  if (!p.clip) return false;
  SetWindowLongPtrA(p.clip, GWL_STYLE, GetWindowLongPtrA(p.clip, GWL_STYLE) | WS_CLIPCHILDREN);
  if (!Ui(13).empty()) SKSETSYSBUTTONTIP(Ui(13));
  SKMENU(p.frame, p.menus);
  p.popup1 = SKPOPUPHANDLE(kPopupWindow);
  p.popup3 = SKPOPUPHANDLE(kPopupView);
  p.popup4 = SKPOPUPHANDLE(kPopupShow);

  DWORD viewStyle = DWORD(Option(kOptVideoStyle)) & ~DWORD(WS_POPUP | WS_VISIBLE);
  p.view = CreateWindowExA(0, kViewClass, "", WS_CHILD | WS_CLIPSIBLINGS | viewStyle, 0, 0, 0, 0, p.clip,
                           reinterpret_cast<HMENU>(INT_PTR(kViewId)), p.instance, nullptr);
  p.popup = CreateWindowExA(WS_EX_TOOLWINDOW, kPopupClass, "", WS_POPUP, 0, 0, 0, 0, p.clip, nullptr, p.instance,
                            nullptr);
  SetWindowTextA(p.frame, Ui(1).c_str());
  return p.view != nullptr;
}

HWND PictureArea() {
  Player& p = App();
  if (!p.pictureArea || !IsWindow(p.pictureArea))
    p.pictureArea = CreateWindowExA(0, kPictureClass, "", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, p.clip,
                                    reinterpret_cast<HMENU>(INT_PTR(kPictureId)), p.instance, nullptr);
  return p.pictureArea;
}

HWND CreateZoomHolder() {
  Player& p = App();
  DestroyZoomHolder();
  HWND under = p.pictureArea && IsWindowVisible(p.pictureArea) ? p.pictureArea : p.clip;
  RECT r{};
  GetWindowRect(under, &r);
  p.zoom = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kZoomClass, "", WS_POPUP, r.left, r.top,
                           r.right - r.left, r.bottom - r.top, p.frame, nullptr, p.instance, nullptr);
  if (p.zoom) {
    SetWindowPos(p.zoom, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
    SetForegroundWindow(p.frame);
  }
  return p.zoom;
}

void DestroyZoomHolder() {
  Player& p = App();
  if (p.zoom && IsWindow(p.zoom)) DestroyWindow(p.zoom);
  p.zoom = nullptr;
}

void SetStatusText(const std::string& text) {
  if (App().status) SetWindowTextA(App().status, text.c_str());
}

void SetTitle(const std::string& text) {
  if (App().frame) SetWindowTextA(App().frame, text.c_str());
}

bool MenuChecked(int item) {
  HMENU menu = MenuOf(item);
  if (!menu) return false;
  // CheckMenuItem answers the previous state; it is put back at once.
  DWORD previous = CheckMenuItem(menu, UINT(item), MF_BYCOMMAND | MF_UNCHECKED);
  if (previous == DWORD(-1)) return false;
  CheckMenuItem(menu, UINT(item), MF_BYCOMMAND | (previous & MF_CHECKED));
  return (previous & MF_CHECKED) != 0;
}

void SetMenuCheck(int item, bool on) {
  if (HMENU menu = MenuOf(item)) CheckMenuItem(menu, UINT(item), MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
  if (MenuItem* m = App().menus.FindItem(item)) m->checked = on;
}

void CheckSizeItem(int item) {
  for (int i = kSizeHalf; i <= kSizeFullScreen; ++i) SetMenuCheck(i, i == item);
}

void SetTopMost(bool on) {
  Player& p = App();
  p.topMost = on;
  SetMenuCheck(kMenuTopMost, on);
  if (p.frame)
    SetWindowPos(p.frame, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace falcet
