#include "boxes.h"

#include <windows.h>

#include "skin/sk_boxes.h"
#include "skin/sk_draw.h"
#include "skin/sk_msgbox.h"
#include "skin/skin.h"
#include "state.h"
#include "imaging/program_start.h"

namespace ostrel {

namespace {

HWND Owner() { return startup::BoxOwner(App().frame); }

}  // namespace

void WarningBox(const std::string& message) {
  SKMSGBOX(Owner(), SKCAPTIONFONT(), Ui(30), message, "", SkBoxStyle::Skinned(LoadIcon(nullptr, IDI_EXCLAMATION)));
}

void ErrorBox(const std::string& message) {
  SKMSGBOX(Owner(), SKCAPTIONFONT(), Ui(20), message, "", SkBoxStyle::Skinned(LoadIcon(nullptr, IDI_HAND)));
}

void InfoBox(const std::string& caption, const std::string& message) {
  SKMSGBOX(Owner(), SKCAPTIONFONT(), caption, message, "",
           SkBoxStyle::Skinned(LoadIcon(nullptr, IDI_ASTERISK), kSkBoxInformation));
}

bool AskYesNo(const std::string& question) {
  return SKMSGBOX(Owner(), SKCAPTIONFONT(), Ui(30), question, Ui(54), SkBoxStyle::Question()) == 1;
}

bool AskText(const std::string& prompt, std::string& answer) {
  return SKINPUTBOX(Owner(), SKCAPTIONFONT(), Ui(30), prompt, Ui(18), answer,
                    SkBoxStyle::Input(nullptr, 200)) == 1;
}

void StopBox(const std::string& text, int error) {
  SKMSGBOX(nullptr, SKCAPTIONFONT(), App().programName, text + "|" + SKWINERR(error), "", SkBoxStyle::Stop());
}

bool RunPendingMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(int(msg.wParam));
      return false;
    }
    if (App().frame && SKDIALOGMESSAGE(App().frame, msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return true;
}

}  // namespace ostrel
