#include "boxes.h"

#include <windows.h>

#include "skin/sk_msgbox.h"
#include "skin/skin.h"
#include "state.h"

namespace lumbric {

namespace {

HWND Owner() {
  HWND frame = App().frame;
  return frame && IsWindow(frame) && IsWindowVisible(frame) ? frame : nullptr;
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
    if ((msg.message == WM_SYSCOMMAND && (msg.wParam & 0xFFF0) == SC_CLOSE) || msg.message == WM_CLOSE) {
      closeAsked = true;
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  if (closeAsked && a.frame) PostMessageA(a.frame, WM_SYSCOMMAND, SC_CLOSE, 0);
  return a.cancelled;
}

}  // namespace lumbric
