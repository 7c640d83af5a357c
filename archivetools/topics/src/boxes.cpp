#include "boxes.h"

#include <windows.h>

#include "skin/sk_msgbox.h"
#include "skin/skin.h"
#include "state.h"
#include "imaging/program_start.h"

namespace lumbric {

namespace {

HWND Owner() { return startup::BoxOwner(App().frame); }

// What the user or another program asks of a window that is not taking commands.
bool IsInputOrCommand(const MSG& msg) {
  return (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) ||
         (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) ||
         (msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCMBUTTONDBLCLK) || msg.message == WM_COMMAND ||
         msg.message == WM_SYSCOMMAND;
}

void PostCloseAgain() {
  if (HWND frame = App().frame) PostMessageA(frame, WM_SYSCOMMAND, SC_CLOSE, 0);
}

const std::string& YesNo() {
  static const std::string kYesNo = "Yes|No";
  return Ui(46).empty() ? kYesNo : Ui(46);
}

}  // namespace

void ErrorBox(const std::string& message, const std::string& caption) {
  SKMSGBOX(Owner(), SKCAPTIONFONT(), caption.empty() ? Ui(20) : caption, message, "",
           SkBoxStyle::Skinned(LoadIcon(nullptr, IDI_HAND)));
}

void CodeBox(int code) { ErrorBox(SKWINERR(code)); }

void InfoBox(const std::string& caption, const std::string& message) {
  SKMSGBOX(Owner(), SKCAPTIONFONT(), caption, message, "",
           SkBoxStyle::Skinned(LoadIcon(nullptr, IDI_ASTERISK), kSkBoxInformation));
}

bool Ask(const std::string& caption, const std::string& question) {
  return SKMSGBOX(Owner(), SKCAPTIONFONT(), caption, question, YesNo(), SkBoxStyle::Question()) == 1;
}

bool CancelRequested() {
  Lumbric& a = App();
  MSG msg;
  bool closeAsked = false;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(int(msg.wParam));
      a.cancelled = true;
      break;
    }
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
      if (Ask(Ui(30), Ui(47))) a.cancelled = true;
      continue;
    }
    // A close meanwhile waits until the loop is over.
    if (startup::IsCloseRequest(msg.message, msg.wParam)) {
      closeAsked = true;
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  if (closeAsked) PostCloseAgain();
  return a.cancelled;
}

bool WaitForProcess(HANDLE process) {
  bool closeAsked = false, quit = false;
  int quitCode = 0;
  while (!quit) {
    // Sent messages are answered inside the wait and the peek; posted ones are taken here.
    DWORD r = MsgWaitForMultipleObjectsEx(1, &process, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (r != WAIT_OBJECT_0 + 1) break;  // ended, or a handle that cannot be waited on
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        quit = true;
        quitCode = int(msg.wParam);
        break;
      }
      if (startup::IsCloseRequest(msg.message, msg.wParam)) {
        closeAsked = true;
        continue;
      }
      if (IsInputOrCommand(msg)) continue;
      DispatchMessageA(&msg);
    }
  }
  if (quit) PostQuitMessage(quitCode);
  else if (closeAsked) PostCloseAgain();
  return !quit;
}

}  // namespace lumbric
