#include "boxes.h"

#include "jorvel/player_texts.h"
#include "skin/sk_msgbox.h"
#include "skin/skin.h"
#include "state.h"

namespace jorvel {

void WARNINGBOX(const std::string& text) {
  SKMSGBOX(BoxOwner(), SKCAPTIONFONT(), Ui(1), text, "", SkBoxStyle::Skinned(LoadIcon(nullptr, IDI_EXCLAMATION)));
}

void AboutBox() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  std::string date = std::to_string(now.wMonth) + "/" + std::to_string(now.wDay) + "/" + std::to_string(now.wYear);
  SKMSGBOX(BoxOwner(), SKCAPTIONFONT(), Ui(1), AboutText(SkinCurrent().credit, Ui(2), date), "",
           SkBoxStyle::Skinned(App().icon, kSkBoxInformation));
}

}  // namespace jorvel
