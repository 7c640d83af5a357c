// The tool's skinned message boxes.
#include "boxes.h"

#include "skin/sk_msgbox.h"
#include "skin/skin.h"
#include "state.h"

namespace bravik {

int AskBox(const std::string& message) {
  ToolState& t = App();
  std::string buttons = Ui(63).empty() ? std::string("Yes|No") : Ui(63);
  return SKMSGBOX(t.frame, SKCAPTIONFONT(), Ui(1), message, buttons, SkBoxStyle::Question());
}

void InformationBox(const std::string& caption, const std::string& message) {
  SKMSGBOX(App().frame, SKCAPTIONFONT(), caption.empty() ? Ui(1) : caption, message, "",
           SkBoxStyle::Skinned(LoadIcon(nullptr, IDI_INFORMATION), kSkBoxInformation));
}

void ErrorBox(const std::string& message) {
  SKMSGBOX(App().frame, SKCAPTIONFONT(), Ui(1), message, "", SkBoxStyle::Skinned(LoadIcon(nullptr, IDI_HAND)));
}

}  // namespace bravik
