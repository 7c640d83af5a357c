#include "boxes.h"

#include <windows.h>

#include "skin/sk_msgbox.h"
#include "skin/skin.h"
#include "state.h"

namespace hessam {
namespace {

HWND Owner() {
  const BrowserState& b = App();
  if (b.zoom && IsWindowVisible(b.zoom)) return b.zoom;
  return b.frame;
}

int ShowBox(const std::string& caption, const std::string& text, const std::string& buttons, const SkBoxStyle& style) {
  return SKMSGBOX(Owner(), SKCAPTIONFONT(), caption, text, buttons, style);
}

}  // namespace

int WarningBox(const std::string& caption, const std::string& text, const std::string& buttons) {
  return ShowBox(caption, text, buttons, SkBoxStyle::Warning());
}

int QuestionBox(const std::string& caption, const std::string& text, const std::string& buttons) {
  return ShowBox(caption, text, buttons, SkBoxStyle::Question());
}

void InformationBox(const std::string& caption, const std::string& text) {
  ShowBox(caption, text, "", SkBoxStyle::Skinned(LoadIcon(nullptr, IDI_INFORMATION), kSkBoxInformation));
}

}  // namespace hessam
