#include "controls/listbox.h"

#include <algorithm>

#include "controls/controls_host.h"
#include "export_name.h"
#include "skin/sk_draw.h"
#include "skin/skin.h"
#include "win/raii.h"
#include "win/window_class.h"

namespace {

ListScrollState& State() {
  static ListScrollState state;
  return state;
}

LRESULT CallHost(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
  ::WNDPROC host = CurrentControlsHost().windowProc;
  return host ? CallWindowProcA(host, panel, message, wParam, lParam) : 0;
}

// The client rectangle less its right and bottom pixel; drawn by exclusive-or, so a second
// drawing removes it.
void DrawFocus(HWND panel, HDC dc) {
  RECT r;
  GetClientRect(panel, &r);
  r.right -= 1;
  r.bottom -= 1;
  DrawFocusRect(dc, &r);
}

void DrawFocus(HWND panel) {
  win::WindowDC dc(panel);
  DrawFocus(panel, dc);
}

void UpdateScrollBar(HWND panel) {
  const ListScrollState& s = State();
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  si.nMin = 0;
  si.nMax = ListScrollBarMaximum(s);
  si.nPage = UINT(ListPage(s));
  si.nPos = s.position;
  SetScrollInfo(panel, SB_VERT, &si, TRUE);
}

LRESULT OnSize(HWND panel, LPARAM lParam) {
  ListResize(State(), LOWORD(lParam), HIWORD(lParam));
  UpdateScrollBar(panel);
  return 1;
}

LRESULT OnScroll(HWND panel, WPARAM wParam) {
  ListScrollState& s = State();
  const int code = LOWORD(wParam);
  int thumb = HIWORD(wParam);
  if (code == kListThumbTrack) {
    // The message's word stops at 65535 rows: the bar's own track position is the whole
    // number, when it is the one the message speaks of.
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_TRACKPOS;
    if (GetScrollInfo(panel, SB_VERT, &si) && LOWORD(si.nTrackPos) == thumb) thumb = si.nTrackPos;
  }
  const int step = ListStep(s, code, thumb);
  if (step == 0) return 1;
  s.position += step;
  const int64_t pixels = -int64_t(s.rowHeight) * step;
  ScrollWindowEx(panel, 0, int(std::clamp<int64_t>(pixels, INT32_MIN, INT32_MAX)), nullptr, nullptr, nullptr, nullptr,
                 SW_SCROLLCHILDREN);
  SetScrollPos(panel, SB_VERT, s.position, TRUE);
  InvalidateRect(panel, nullptr, TRUE);
  UpdateWindow(panel);
  return 1;
}

LRESULT OnErase(HWND panel, HDC dc) {
  RECT r;
  GetClientRect(panel, &r);
  SKTILEBLT(dc, 0, 0, r.right, r.bottom, SKCTLBACK());
  if (GetFocus() == panel) DrawFocus(panel, dc);
  return 1;
}

}  // namespace

const ListScrollState& ListScroll() { return State(); }

LRESULT CALLBACK LISTPROC(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
  // The parameter message comes without a window, which the skin engine has nothing to say about.
  if (panel) {
    if (LRESULT answer = SKGETMESSAGE(panel, message, wParam, lParam)) return answer;
  }
  switch (message) {
    case WM_COMMAND:
      return CallHost(panel, message, wParam, lParam);
    case WM_LBUTTONDOWN:
      if (GetFocus() != panel) SetFocus(panel);
      break;
    case WM_KILLFOCUS:
      DrawFocus(panel);
      break;
    case WM_SETFOCUS:
      DrawFocus(panel);
      CallHost(panel, message, wParam, lParam);
      break;
    case kListParameters:
      State().rows = int(wParam);
      State().rowHeight = int(lParam);
      // New content starts at its first row: a position left from another panel would
      // scroll this one's rows off their places.
      State().position = 0;
      return 1;
    case WM_SIZE:
      return OnSize(panel, lParam);
    case WM_VSCROLL:
      return OnScroll(panel, wParam);
    case WM_KEYDOWN:
      if (int code = ListScrollCodeForKey(int(wParam)); code >= 0) SendMessageA(panel, WM_VSCROLL, WPARAM(code), 0);
      return 1;
    case WM_GETDLGCODE:
      // Up and Down scroll the panel also inside a dialog's message loop.
      return DLGC_WANTARROWS;
    case WM_ERASEBKGND:
      return OnErase(panel, reinterpret_cast<HDC>(wParam));
    default:
      break;
  }
  // The engine's default gives the rows' controls the skin's colours.
  return SkDefaultProc(panel, message, wParam, lParam);
}

HWND SKLISTBOX(int32_t extendedStyle, HWND parent, int32_t style, int32_t x, int32_t y, int32_t width,
               int32_t height, HBRUSH background, int32_t rows, int32_t rowHeight, ListSizing sizing) {
  if (sizing == ListSizing::FromParent) {
    RECT client{};
    if (parent) GetClientRect(parent, &client);
    width = std::max<int32_t>(1, client.right - x - width);
    height = std::max<int32_t>(1, client.bottom - y - height);
  }
  rows = ListRowsKept(rows, rowHeight, height);
  LISTPROC(nullptr, kListParameters, WPARAM(rows), LPARAM(rowHeight));
  if (!win::RegisterClassOnce(
          {.name = kListClass, .procedure = LISTPROC, .style = CS_HREDRAW | CS_VREDRAW, .background = background}))
    return nullptr;
  return CreateWindowExA(DWORD(extendedStyle), kListClass, "", DWORD(style), x, y, width, height, parent, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

// The panel for programs and tools that look it up by name: SKLISTBOX and LISTPROC, with
// the arguments the system fixes (all of them 32-bit values or handles).
extern "C" HWND CALLBACK ControlsListBox(int32_t extendedStyle, HWND parent, int32_t style, int32_t x, int32_t y,
                                         int32_t width, int32_t height, HBRUSH background, int32_t rows,
                                         int32_t rowHeight) {
  return SKLISTBOX(extendedStyle, parent, style, x, y, width, height, background, rows, rowHeight);
}

extern "C" LRESULT CALLBACK ControlsListProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
  return LISTPROC(panel, message, wParam, lParam);
}

CONTROLS_EXPORT_AS("SKLISTBOX", "ControlsListBox", 40);
CONTROLS_EXPORT_AS("LISTPROC", "ControlsListProc", 16);
