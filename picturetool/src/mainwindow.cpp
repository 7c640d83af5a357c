#include "mainwindow.h"

#include <algorithm>

#include "commands.h"
#include "imaging/suite_classes.h"
#include "skin/sk_controls.h"
#include "skin/sk_draw.h"
#include "skin/sk_menu.h"
#include "skin/skin.h"
#include "state.h"
#include "win/window_class.h"
#include "wndproc.h"

namespace bravik {
namespace {

constexpr int kArrowWidth = 39;

void AddWindowStyle(HWND window, LONG_PTR style) {
  SetWindowLongPtrA(window, GWL_STYLE, GetWindowLongPtrA(window, GWL_STYLE) | style);
  SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CreateControls() {
  ToolState& t = App();
  HWND panel = t.controlPanel;
  HFONT marlett = SKMARLETT(15);
  struct Arrow {
    int id;
    const char* glyph;
    int x;
    int tip;
  };
  for (const Arrow& a : {Arrow{kButtonPrevious, "3", 2, 36}, Arrow{kButtonFullView, "1", 41, 37},
                         Arrow{kButtonNext, "4", 80, 38}}) {
    HWND b = SKBUT3D(panel, a.glyph, a.x, 2, kArrowWidth, 20, a.id, marlett);
    SKBUTTONTIP(b, Ui(a.tip));
  }
  int textWidth = 0, textHeight = 0;
  SKGETTEXTEXTENT(t.defaultFont, Ui(22), textWidth, textHeight);
  HWND reload = SKBUT3D(panel, Ui(22), 124, 2, textWidth + 20, 20, kButtonReload, t.defaultFont);
  SKBUTTONTIP(reload, Ui(39));
  int trackX = 3 * kArrowWidth + textWidth + 33;
  t.trackBar = SKTRACKBAR(panel, trackX, 0, 120, 24, kTrackList, 1, 1);
  SKBUTTONTIP(t.trackBar, Ui(34));
  t.listLabel = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, trackX + 124, 5, 20,
                                15, panel, nullptr, t.instance, nullptr);
  SendMessageA(t.listLabel, WM_SETFONT, reinterpret_cast<WPARAM>(t.defaultFont), FALSE);
  SKSETCOLOR(t.listLabel, SKGETSYSCOLOR(101), SKGETSYSCOLOR(103));
  const char* bitmaps[] = {"TOOLTXT", "ELLIPSE", "RECT", "CURVE", "ARROW", "POLYLINE"};
  for (int i = 0; i < 6; ++i) {
    HWND b = SKBUTIMAGE(panel, bitmaps[i], 24 + 25 * i, 26, 24, 22, kCmdNewText + i);
    SKBUTTONTIP(b, Ui(48 + i));
  }
}

}  // namespace

bool CreateMainWindow(int left, int top, int width, int height) {
  ToolState& t = App();
  if (!win::RegisterClassOnce({.name = kClassPictureTool,
                               .procedure = WNDPROC,
                               .instance = t.instance,
                               .style = CS_HREDRAW | CS_VREDRAW,
                               .icon = LoadIconA(t.instance, "PROGRAM"),
                               .systemSmallIcon = true}))
    return false;
  SKWINDOWSTYLE(31);
  int maxWidth = t.screenWidth, maxHeight = t.screenHeight;
  SKSETMAXSIZE(width, height, maxWidth, maxHeight);
  t.frame = CreateWindowExA(0, kClassPictureTool, t.caption.c_str(), WS_POPUP | WS_SYSMENU, left, top, width, height,
                            nullptr, nullptr, t.instance, nullptr);
  if (!t.frame) return false;
  t.menuPanel = SKHOLDER(t.frame, "SKMENU", WNDPROC);
  t.mainMenu = SKMENU(t.frame, t.menus);
  t.controlPanel = SKHOLDER(t.frame, "SKHOLDER", WNDPROC);
  AddWindowStyle(t.controlPanel, WS_CLIPCHILDREN);
  t.status = SKSTATUSWINDOW(t.frame, "");
  t.zoomPanel = SKHOLDER(t.frame, "SKZOOM", WNDPROC);
  ShowWindow(t.zoomPanel, SW_HIDE);
  t.canvas = SKHOLDER(t.controlPanel, "SKCTL", WNDPROC);
  AddWindowStyle(t.canvas, WS_HSCROLL | WS_VSCROLL);
  if (!Ui(33).empty()) SKSETSYSBUTTONTIP(Ui(33));
  t.helpButton = SKBUT3D(t.menuPanel, "?", 0, 1, 18, 18, kHelpButton, t.defaultFont);
  CreateControls();
  LayoutPanels();
  return t.controlPanel && t.canvas && t.zoomPanel && t.status;
}

void LayoutPanels() {
  ToolState& t = App();
  if (t.controlPanel && t.canvas) {
    RECT r;
    GetClientRect(t.controlPanel, &r);
    SetWindowPos(t.canvas, nullptr, 0, kControlRowsHeight, r.right, std::max(0L, r.bottom - kControlRowsHeight),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (t.menuPanel && t.helpButton) {
    RECT r;
    GetClientRect(t.menuPanel, &r);
    int size = std::max(12, std::min<int>(SKGETSYSTEMMETRICS(7), r.bottom - 3));
    SetWindowPos(t.helpButton, nullptr, r.right - size - 4, std::max(0L, (r.bottom - size) / 2), size, size,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

}  // namespace bravik
