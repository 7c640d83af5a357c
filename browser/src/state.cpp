#include "state.h"

namespace kelmor {

BrowserState& Browser() {
  static BrowserState state;
  return state;
}

const std::string& Ui(int n) { return UiEntry(Browser().strings, n); }

}  // namespace kelmor
