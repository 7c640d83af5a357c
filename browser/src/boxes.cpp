#include "boxes.h"

#include "skin/sk_msgbox.h"
#include "skin/skin.h"
#include "state.h"

namespace {

SkBoxStyle BoxStyle(HICON icon) {
  SkBoxStyle style;
  style.icon = icon;
  style.textColour = SKGETSYSCOLOR(113);
  style.secondColour = SKGETSYSCOLOR(112);
  style.layout = 6;
  style.value16 = 0;
  style.byte1 = 3;
  style.byte2 = 3;
  return style;
}

std::string FrameTitle() {
  BrowserState& b = Browser();
  char title[256] = {};
  if (b.frame) GetWindowTextA(b.frame, title, sizeof title);
  return title[0] ? std::string(title) : b.title;
}

}  // namespace

void MESSAGEBOXICON(const std::string& text) {
  BrowserState& b = Browser();
  SKMSGBOX(b.frame, SKCAPTIONFONT(), FrameTitle(), text, "", BoxStyle(LoadIcon(nullptr, IDI_EXCLAMATION)));
  if (b.frame) UpdateWindow(b.frame);
}

int QUESTIONBOX(const std::string& text, const std::string& buttons) {
  BrowserState& b = Browser();
  int answer = SKMSGBOX(b.frame, SKCAPTIONFONT(), b.title, text, buttons, BoxStyle(b.icon));
  if (b.frame) UpdateWindow(b.frame);
  return answer;
}
