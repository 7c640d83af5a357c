#include "boxes.h"

#include <windows.h>

#include "skin/sk_draw.h"
#include "skin/sk_msgbox.h"
#include "skin/skin.h"
#include "state.h"
#include "imaging/program_start.h"

namespace grilton {

namespace {

HWND Owner() { return startup::BoxOwner(App().frame); }

}  // namespace

void WarningBox(const std::string& message) {
  SKMSGBOX(Owner(), SKCAPTIONFONT(), Ui(10), message, "", SkBoxStyle::Skinned(LoadIcon(nullptr, IDI_EXCLAMATION)));
}

bool AskYesNo(const std::string& question, const std::string& caption) {
  return SKMSGBOX(Owner(), SKCAPTIONFONT(), caption.empty() ? Ui(11) : caption, question, Ui(18),
                  SkBoxStyle::Question(LoadIcon(nullptr, IDI_EXCLAMATION))) == 1;
}

void StopBox(const std::string& text, int error) {
  SKMSGBOX(nullptr, SKCAPTIONFONT(), App().programName, text + "|" + SKWINERR(error), "", SkBoxStyle::Stop());
}

bool EscapeCheck(const std::string& text) {
  if (!text.empty() && App().status) SetWindowTextA(App().status, text.c_str());
  MSG msg;
  bool goOn = true;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    SKCURSORWAIT();
    if (msg.message == WM_QUIT) {
      PostQuitMessage(int(msg.wParam));
      return false;
    }
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
      if (AskYesNo(Ui(42))) goOn = false;
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return goOn;
}

}  // namespace grilton
