#include "state.h"

#include "skin/sk_text.h"

namespace bravik {

ToolState& App() {
  static ToolState state;
  return state;
}

const std::string& Ui(int n) { return UiEntry(App().strings, n); }

std::string UiField(int n, int field, char separator) {
  std::vector<std::string> parts;
  SKSPLITS(Ui(n), std::string(1, separator), parts);
  return field >= 1 && field <= int(parts.size()) ? parts[size_t(field - 1)] : std::string();
}

}  // namespace bravik
