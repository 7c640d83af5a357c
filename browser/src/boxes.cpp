#include "boxes.h"

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

}  // namespace kelmor
