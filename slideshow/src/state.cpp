#include "state.h"

namespace dunmere {

State& App() {
  static State state;
  return state;
}

const std::string& Ui(int n) { return UiEntry(App().strings, n); }

}  // namespace dunmere
