#include "jorvel/fx_settings.h"

#include <algorithm>

#include "fileio/fields.h"

namespace jorvel {

FxControls DefaultFxControls() {
  FxControls values{};
  std::fill(values.begin(), values.begin() + kFxBarCount, kFxBarFlat);
  return values;
}

FxControls ParseFxSettings(const std::string& line) {
  FxControls values{};
  std::vector<std::string> fields = fileio::SplitFields(line, '|');
  for (size_t i = 0; i < values.size() && i < fields.size(); ++i) values[i] = fileio::LeadingNumber(fields[i]);
  return values;
}

std::string FormatFxSettings(const FxControls& values) {
  std::string line;
  for (int value : values) line += std::to_string(value) + "|";
  line.pop_back();
  return line;
}

FxControls ResetFxControls(const FxControls& values) {
  FxControls reset = values;
  std::fill(reset.begin(), reset.begin() + kFxBarCount, kFxBarFlat);
  reset[kFxOnOff - 1] = 0;
  reset[kFxResetCheck - 1] = 0;
  return reset;
}

FxPlace PlaceFxWindow(int paneLeft, int paneTop, int width, int height, const std::array<int, 4>& workArea) {
  FxPlace p{std::max(0, paneLeft - width), std::max(0, paneTop - height - 2)};
  auto [left, top, right, bottom] = workArea;
  p.x = std::max(left, std::min(p.x, right - width));
  p.y = std::max(top, std::min(p.y, bottom - height));
  return p;
}

}  // namespace jorvel
