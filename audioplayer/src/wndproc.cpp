#include "wndproc.h"

#include "boxes.h"
#include "closing.h"
#include "commands.h"
#include "copydata.h"
#include "imaging/copydata.h"
#include "skin/sk_system.h"
#include "skin/skin.h"
#include "state.h"

namespace jorvel {

namespace {

void CALLBACK TimerThunk(HWND, UINT, UINT_PTR id, DWORD time) { WNDPROC(nullptr, WM_TIMER, id, LPARAM(time)); }

}  // namespace

UINT_PTR StartHandOverTimer(UINT milliseconds) { return SetTimer(nullptr, 0, milliseconds, TimerThunk); }

LRESULT CALLBACK WNDPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Jorvel& p = App();
  if (!window) {
    if (message == WM_TIMER) OnHandOverTimer(UINT_PTR(wParam));
    return 0;
  }
  if (message == WM_SIZE && window == p.frame && p.pane && IsWindow(p.pane)) {
    InvalidateRect(p.pane, nullptr, FALSE);
    UpdateWindow(p.pane);
  }
  if (LRESULT answer = SKGETMESSAGE(window, message, wParam, lParam)) return answer;
  switch (message) {
    case WM_COPYDATA:
      return OnCopyData(wParam, lParam);
    case kMsgOpenReceived:
      OpenReceivedLists();
      return 0;
    case WM_SYSCOMMAND:
      if (window != p.frame) break;
      if ((wParam & 0xFFF0) == SC_CLOSE) {
        // The window stays until the message loop has ended.
        OnSysClose();
        return 0;
      }
      if (wParam == 0) {
        AboutBox();
        return 0;
      }
      break;
    case WM_CLOSE:
      // Every close goes the one way that writes the settings and tells the partners.
      if (window != p.frame) break;
      PostMessageA(p.frame, WM_SYSCOMMAND, SC_CLOSE, 0);
      return 0;
    case WM_COMMAND:
      if (OnCommand(LOWORD(wParam), lParam)) return 1;
      break;
    case WM_DESTROY:
      if (window == p.frame && p.dialUp) {
        SKRASHANGUP(p.dialUp);
        p.dialUp = nullptr;
      }
      break;
    default:
      break;
  }
  return SkDefaultProc(window, message, wParam, lParam);
}

}  // namespace jorvel
