#include "state.h"

namespace ostrel {

Ostrel& App() {
  static Ostrel query;
  return query;
}

const std::string& Ui(int n) { return UiEntry(App().strings, n); }

}  // namespace ostrel
