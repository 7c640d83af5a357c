#include "state.h"

namespace jorvel {

Jorvel& App() {
  static Jorvel player;
  return player;
}

const std::string& Ui(int n) { return UiEntry(App().strings, n); }

HWND Control(int id) {
  HWND pane = App().pane;
  return pane && IsWindow(pane) ? GetDlgItem(pane, id) : nullptr;
}

HWND BoxOwner() {
  Jorvel& p = App();
  return p.pane && IsWindow(p.pane) ? p.pane : p.frame;
}

}  // namespace jorvel
