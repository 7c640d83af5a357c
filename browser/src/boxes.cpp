#include "boxes.h"

#include "kelmor/modal_boxes.h"
#include "kelmor/pump_rules.h"
#include "skin/sk_draw.h"
#include "skin/sk_msgbox.h"
#include "skin/skin.h"
#include "state.h"

namespace kelmor {

namespace {

std::string FrameTitle() {
  BrowserState& b = App();
  char title[256] = {};
  if (b.frame) GetWindowTextA(b.frame, title, sizeof title);
  return title[0] ? std::string(title) : b.title;
}

// The stop question of the pumps: the first button stops.
bool AskToStop(const std::string& text, int16_t reserved) {
  BrowserState& b = App();
  SkBoxStyle style = SkBoxStyle::Skinned(LoadIcon(nullptr, IDI_EXCLAMATION), kSkBoxWarning);
  style.reserved = reserved;
  int answer = SKMSGBOX(b.frame, SKCAPTIONFONT(), Ui(51), text, Ui(29), style);
  if (b.frame) UpdateWindow(b.frame);
  return answer == 1;
}

// Puts a close back for the main loop: the operation stops first, the close comes after.
void PutBack(const MSG& msg) {
  if (msg.message == WM_QUIT) PostQuitMessage(int(msg.wParam));
  else PostMessageA(msg.hwnd, msg.message, msg.wParam, msg.lParam);
}

}  // namespace

void MESSAGEBOXICON(const std::string& text) {
  BrowserState& b = App();
  // The browser fills the warning's record as it does for its questions.
  SKMSGBOX(b.frame, SKCAPTIONFONT(), FrameTitle(), text, "",
           SkBoxStyle::Skinned(LoadIcon(nullptr, IDI_EXCLAMATION), kSkBoxQuestion));
  if (b.frame) UpdateWindow(b.frame);
}

int QUESTIONBOX(const std::string& text, const std::string& buttons) {
  BrowserState& b = App();
  int answer = SKMSGBOX(b.frame, SKCAPTIONFONT(), b.title, text, buttons, SkBoxStyle::Question(b.icon));
  if (b.frame) UpdateWindow(b.frame);
  return answer;
}

int WAITMESSAGEBOX(const std::string& text) {
  int result = 0;
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    SKCURSORWAIT();
    PumpAction action = ClassifyPumpMessage(msg.message, msg.wParam, false, SKOSVERSION(), !text.empty());
    if (action == PumpAction::kClose) {
      PutBack(msg);
      return -1;
    }
    if (action == PumpAction::kAskToStop && AskToStop(text, 1)) result = -1;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return result;
}

int PUMPMESSAGEBOX(int waitCursor) {
  BrowserState& b = App();
  int result = 0;
  HCURSOR cursor = waitCursor ? LoadCursor(nullptr, IDC_WAIT) : nullptr;
  MSG msg;
  while (result == 0 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (cursor) SetCursor(cursor);
    switch (ClassifyPumpMessage(msg.message, msg.wParam, msg.hwnd && msg.hwnd == b.fileList, SKOSVERSION(), true)) {
      case PumpAction::kClose:
        PutBack(msg);
        result = -1;
        break;
      case PumpAction::kRightClick:
        PutBack(msg);
        result = -2;
        break;
      case PumpAction::kAskToStop: {
        HWND focus = GetFocus();
        MessageBeep(UINT(-1));
        if (AskToStop(Ui(52), 0)) result = -1;
        if (focus && IsWindow(focus)) SetFocus(focus);
        break;
      }
      case PumpAction::kDispatch:
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        break;
    }
  }
  return result;
}

int AskListFile(const std::string& caption, const std::string& buttons, std::string& name, int saveMode) {
  BrowserState& b = App();
  return PICKFILEBOX(b.frame, caption, buttons, name, saveMode, ListFiles{b.workingFolder, Ui(25)});
}

int AskPictureType(std::string& choice) {
  choice = Ui(40);
  return PICTURETYPEBOX(App().frame, Ui(38), Ui(39), choice);
}

int AskNewSize(SizeChoice& size) {
  BrowserState& b = App();
  const MenuItem* item = b.menus.FindItem(kTransformResize);
  NewSizeTexts texts{item ? item->caption : std::string(), Ui(54), Ui(55), Ui(56), Ui(53), b.icon};
  int width = size.width, height = size.height, keep = size.keepProportions ? 1 : 0;
  int answer = RUNNEWSIZEBOX(b.frame, texts, width, height, keep);
  if (answer == 2) size = SizeChoice{width, height, keep != 0};
  return answer;
}

}  // namespace kelmor
