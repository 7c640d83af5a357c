#include "state.h"

namespace narwen {

Narwen& App() {
  static Narwen tool;
  return tool;
}

const std::string& Ui(int n) { return UiEntry(App().strings, n); }

}  // namespace narwen
