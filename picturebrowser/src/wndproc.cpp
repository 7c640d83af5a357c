#include "wndproc.h"

#include <algorithm>

#include "closing.h"
#include "commands.h"
#include "copydata.h"
#include "imaging/copydata.h"
#include "imaging/program_start.h"
#include "mainwindow.h"
#include "skin/sk_draw.h"
#include "skin/skin.h"
#include "state.h"
#include "strip.h"
#include "win/raii.h"
#include "zoom.h"

namespace hessam {
namespace {

// The holder: the skin's control background and a 3-D line under the button row.
void PaintHolder(HWND window) {
  BrowserState& b = App();
  win::PaintDC dc(window);
  RECT r;
  GetClientRect(window, &r);
  SKTILEBLT(dc, 0, 0, r.right, r.bottom, SKCTLBACK());
  int y = b.layout.lineY;
  SKDRAWRECT3D(dc, 0, y, r.right + 3, y + 1, SKGETSYSCOLOR(kSkinEdgeDark), SKGETSYSCOLOR(kSkinEdgeLight));
}

// A window drawn through its memory bitmap.
void PaintFromMemory(HWND window) {
  win::PaintDC dc(window);
  RECT r;
  GetClientRect(window, &r);
  if (HDC memory = SKGETHDCMEMBMP(window)) BitBlt(dc, 0, 0, r.right, r.bottom, memory, 0, 0, SRCCOPY);
}

bool DrawnFromMemory(HWND window) {
  const BrowserState& b = App();
  return window && (window == b.pictureStrip || window == b.selectionStrip || window == b.zoom);
}

void OnDestroy(HWND window) {
  BrowserState& b = App();
  if (window != b.frame) return;
  SKDELETEMEMBMP(b.pictureStrip);
  SKDELETEMEMBMP(b.selectionStrip);
  SKDELETEMEMBMP(b.zoom);
  for (HWND button : b.skinnedButtons) SKDELETEMEMBMP(button);
}

int SlotOf(HWND window) {
  const auto& slots = App().slots;
  auto it = std::find(slots.begin(), slots.end(), window);
  return it == slots.end() || !window ? 0 : int(it - slots.begin()) + 1;
}

}  // namespace

void CALLBACK StartTimerProc(HWND window, UINT, UINT_PTR id, DWORD) { WNDPROC(window, WM_TIMER, id, 0); }

LRESULT CALLBACK WNDPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  BrowserState& b = App();
  // The start-up timer has no window.
  if (message == WM_TIMER && !window) {
    OnStartTimer(UINT_PTR(wParam));
    return 0;
  }
  if (LRESULT answer = SKGETMESSAGE(window, message, wParam, lParam)) return answer;
  switch (message) {
    case WM_COPYDATA:
      return OnCopyData(wParam, lParam);
    case kMsgOpenReceived:
      OnOpenReceived();
      return 0;
    case WM_INITDIALOG:
      if (window == b.frame) OnInitDialog();
      return 0;
    case WM_COMMAND:
      OnCommand(window, wParam, lParam);
      return 0;
    case WM_CLOSE:
    case WM_SYSCOMMAND:
      // A plain WM_CLOSE (another program, the task list) ends the browser as its close
      // command does; left to the default it would take the window and leave the loop.
      if (window == b.frame && startup::IsCloseRequest(message, wParam)) {
        CloseBrowser();
        return message == WM_CLOSE ? 0 : 1;
      }
      if (window == b.frame && message == WM_SYSCOMMAND && wParam == 0) {
        ShowAbout();
        return 1;
      }
      break;
    case WM_SIZE:
      if (window == b.frame) PlaceHelpButton();
      break;
    case WM_DESTROY:
      OnDestroy(window);
      break;
    case WM_ERASEBKGND:
      if (DrawnFromMemory(window)) return 1;
      break;
    case WM_PAINT:
      if (window == b.holder) {
        PaintHolder(window);
        return 1;
      }
      if (DrawnFromMemory(window)) {
        PaintFromMemory(window);
        return 1;
      }
      break;
    case WM_KEYDOWN:
      if (ZoomKeyDown(int(wParam))) return 0;
      break;
    case WM_LBUTTONDOWN:
      if (int position = SlotOf(window)) {
        OnSlotClick(position);
        return 0;
      }
      [[fallthrough]];
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MOUSEMOVE:
      if (window == b.zoom) {
        ZoomMouse(message, lParam);
        return 0;
      }
      if (window == b.pictureStrip || window == b.selectionStrip) {
        StripMouse(window, message, lParam);
        return 0;
      }
      break;
    default:
      break;
  }
  return SkDefaultProc(window, message, wParam, lParam);
}

}  // namespace hessam
