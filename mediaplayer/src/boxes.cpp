#include "boxes.h"

#include "skin/sk_msgbox.h"
#include "skin/skin.h"
#include "state.h"

namespace falcet {

void PlayerBox(const std::string& text, HICON icon) {
  SKMSGBOX(App().frame, SKDEFAULTFONT(), Ui(1), text, "", SkBoxStyle::Skinned(icon));
}

void WarningBox(const std::string& text) { PlayerBox(text, LoadIcon(nullptr, IDI_EXCLAMATION)); }

bool AskToQuit() {
  return SKMSGBOX(App().frame, SKCAPTIONFONT(), Ui(1), Ui(82), Ui(83), SkBoxStyle::Question()) == 1;
}

}  // namespace falcet
