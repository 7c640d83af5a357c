#include "state.h"

namespace kelmor {

BrowserState& App() {
  static BrowserState state;
  return state;
}

const std::string& Ui(int n) { return UiEntry(App().strings, n); }

}  // namespace kelmor
