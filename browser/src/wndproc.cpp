#include "wndproc.h"

#include "imaging/copydata.h"
#include "mainwindow.h"
#include "skin/skin.h"
#include "state.h"

namespace kelmor {

LRESULT CALLBACK WNDPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT answer = SKGETMESSAGE(window, message, wParam, lParam)) return answer;
  BrowserState& b = Browser();
  switch (message) {
    case WM_COPYDATA:
      return OnCopyData(window, wParam, lParam);
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE) {
        OnSysClose();
        return 0;
      }
      break;
    case WM_CLOSE:
      // Every way of closing goes through SC_CLOSE, which writes the settings.
      if (window == b.frame) {
        PostMessageA(b.frame, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
      }
      break;
    case WM_SIZE:
      if (window == b.clientHolder) {
        LayoutControls();
        if (b.fileList) PostMessageA(b.frame, kMsgRepaint, reinterpret_cast<WPARAM>(b.fileList), 0);
      }
      break;
    case WM_ACTIVATE:
      // The control that had the keyboard gets it back when the browser is activated again.
      if (window == b.frame && LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(b.frame, focus)) b.lastFocus = focus;
      }
      break;
    case WM_SETFOCUS:
      if (window == b.frame) {
        SetFocus(b.lastFocus && IsWindow(b.lastFocus) && IsWindowVisible(b.lastFocus) ? b.lastFocus : b.fileList);
        return 0;
      }
      break;
    case kMsgRepaint:
      InvalidateRgn(reinterpret_cast<HWND>(wParam), nullptr, lParam != 0);
      return 0;
    case WM_COMMAND:
      OnCommand(window, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_MEASUREITEM:
      if (OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return 1;
      break;
    case WM_DRAWITEM:
      if (OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return 1;
      break;
    default:
      break;
  }
  return SkDefaultProc(window, message, wParam, lParam);
}

}  // namespace kelmor
