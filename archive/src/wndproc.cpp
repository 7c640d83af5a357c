#include "wndproc.h"

#include <mmsystem.h>

#include "closing.h"
#include "commands.h"
#include "copydata.h"
#include "form.h"
#include "imaging/copydata.h"
#include "mainwindow.h"
#include "recording.h"
#include "skin/sk_menu.h"
#include "skin/skin.h"
#include "state.h"
#include "imaging/program_start.h"

namespace grilton {

LRESULT CALLBACK WNDPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT answer = SKGETMESSAGE(window, message, wParam, lParam)) return answer;
  Grilton& a = App();
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
    case MM_WIM_DATA:
      OnWaveData(wParam, lParam);
      return 0;
    case WM_COPYDATA:
      return OnCopyData(wParam, lParam);
    case kMsgOpenReceived:
      OpenReceivedLists();
      return 0;
    case WM_INITMENU:
      if (window == a.frame) {
        if (HMENU popup = SKPOPUPHANDLE(kCmdFileAll / 100))
          EnableMenuItem(popup, kCmdFileAll, MF_BYCOMMAND | (AnyTopic() ? MF_ENABLED : MF_GRAYED));
      }
      break;
    case WM_KEYDOWN:
      if (wParam == VK_F1) {
        PostMessageA(a.frame, WM_COMMAND, kCmdHelp, 0);
        return 0;
      }
      break;
    case WM_SIZE:
      if (window == a.clientHolder) LayoutChildren();
      break;
    case WM_HSCROLL:
      if (GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == kVolumeBar) {
        OnCommand(kVolumeBar, 0);
        return 0;
      }
      break;
    case WM_COMMAND:
      OnCommand(int(short(LOWORD(wParam))), HIWORD(wParam));
      return 0;
    case WM_DESTROY:
      if (window == a.frame) OnDestroy();
      break;
    default:
      break;
  }
  return SkDefaultProc(window, message, wParam, lParam);
}

}  // namespace grilton

// The names the archive exports (grilton.def).
extern "C" LRESULT CALLBACK GriltonWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return grilton::WNDPROC(window, message, wParam, lParam);
}
