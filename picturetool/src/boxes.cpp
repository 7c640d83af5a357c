// The tool's skinned message boxes.
#include "skin/sk_msgbox.h"
#include "skin/skin.h"
#include "state.h"
#include "tool.h"

namespace bravik {
namespace {

SkBoxStyle Style(LPCSTR icon, uint8_t kind) {
  SkBoxStyle style;
  style.icon = LoadIcon(nullptr, icon);
  style.textColour = SKGETSYSCOLOR(113);
  style.secondColour = SKGETSYSCOLOR(112);
  style.byte2 = kind;
  return style;
}

}  // namespace

int AskBox(const std::string& message) {
  ToolState& t = Tool();
  std::string buttons = Ui(63).empty() ? std::string("Yes|No") : Ui(63);
  return SKMSGBOX(t.frame, SKCAPTIONFONT(), Ui(1), message, buttons, Style(IDI_QUESTION, 3));
}

void InformationBox(const std::string& caption, const std::string& message) {
  SKMSGBOX(Tool().frame, SKCAPTIONFONT(), caption.empty() ? Ui(1) : caption, message, "", Style(IDI_INFORMATION, 0));
}

void ErrorBox(const std::string& message) {
  SKMSGBOX(Tool().frame, SKCAPTIONFONT(), Ui(1), message, "", Style(IDI_HAND, 1));
}

}  // namespace bravik
