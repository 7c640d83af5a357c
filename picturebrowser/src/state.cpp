#include "state.h"

namespace hessam {

BrowserState& App() {
  static BrowserState state;
  return state;
}

const std::string& Ui(int n) { return UiEntry(App().strings, n); }

std::string PicturePath(int number) {
  const auto& pictures = App().pictures;
  return number >= 1 && number <= int(pictures.size()) ? pictures[size_t(number - 1)] : std::string();
}

}  // namespace hessam
