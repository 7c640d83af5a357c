#include "state.h"

namespace grilton {

Grilton& App() {
  static Grilton archive;
  return archive;
}

const std::string& Ui(int n) { return UiEntry(App().strings, n); }

}  // namespace grilton
