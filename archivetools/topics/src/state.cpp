#include "state.h"

namespace lumbric {

Lumbric& App() {
  static Lumbric editor;
  return editor;
}

const std::string& Ui(int n) { return UiEntry(App().strings, n); }

std::string MenuText(int command) {
  const MenuItem* item = App().menus.FindItem(command);
  if (!item) return Ui(1);
  std::string text;
  for (char c : item->caption) {
    if (c == '\t') break;
    if (c != '&') text += c;
  }
  while (!text.empty() && (text.back() == '.' || text.back() == ' ')) text.pop_back();
  return text;
}

}  // namespace lumbric
