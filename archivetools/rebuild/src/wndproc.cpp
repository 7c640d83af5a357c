#include "wndproc.h"

#include <string>

#include "commands.h"
#include "imaging/copydata.h"
#include "mainwindow.h"
#include "narwen/command_line.h"
#include "narwen/tool_rules.h"
#include "skin/skin.h"
#include "state.h"
#include "imaging/program_start.h"

namespace narwen {

LRESULT CALLBACK WNDPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT answer = SKGETMESSAGE(window, message, wParam, lParam)) return answer;
  Narwen& a = App();
  if (window == a.frame && startup::IsCloseRequest(message, wParam)) {
    PostQuitMessage(0);
    return 0;
  }
  switch (message) {
    case kMsgCompactJob:
    case kMsgIndexOnlyJob:
      if (window == a.frame && lParam) {
        const std::string path(reinterpret_cast<const char*>(lParam), size_t(wParam));
        RunCommandLineJob(path, message == kMsgIndexOnlyJob ? kModeIndexOnly : kModeCompact);
        return 0;
      }
      break;
    case WM_COPYDATA: {
      std::string text;
      if (GETCOPYDATA(text, wParam, lParam) == kCodeClose) PostQuitMessage(0);
      return 1;
    }
    case WM_SIZE:
      if (window == a.clientHolder) LayoutChildren();
      break;
    case WM_COMMAND:
      OnCommand(int(short(LOWORD(wParam))));
      return 0;
    default:
      break;
  }
  return SkDefaultProc(window, message, wParam, lParam);
}

}  // namespace narwen
