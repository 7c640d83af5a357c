#include "wndproc.h"

#include "closing.h"
#include "commands.h"
#include "imaging/copydata.h"
#include "mainwindow.h"
#include "skin/skin.h"
#include "state.h"
#include "imaging/program_start.h"

namespace ostrel {

LRESULT CALLBACK WNDPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT answer = SKGETMESSAGE(window, message, wParam, lParam)) return answer;
  Ostrel& a = App();
  if (window == a.frame && startup::IsCloseRequest(message, wParam)) {
    OnSysClose();
    return 0;
  }
  switch (message) {
    case WM_INITDIALOG:
      if (window == a.frame) {
        BuildChildren();
        return 1;
      }
      break;
    case WM_COPYDATA:
      return OnCopyData(wParam, lParam);
    case WM_SIZE:
      if (window == a.clientHolder) LayoutChildren();
      break;
    case WM_COMMAND:
      OnCommand(int(short(LOWORD(wParam))), HIWORD(wParam));
      return 0;
    default:
      break;
  }
  return SkDefaultProc(window, message, wParam, lParam);
}

}  // namespace ostrel

// The name the query tool exports (ostrel.def).
extern "C" LRESULT CALLBACK OstrelWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return ostrel::WNDPROC(window, message, wParam, lParam);
}
