#include "hessam/strip.h"

#include <algorithm>

#include "hessam/command_ids.h"

namespace hessam {

int CellWidth(int holderWidth) { return holderWidth / 4; }
int CellHeight(int holderHeight) { return (holderHeight - 243) / 2; }

int CellAt(int x, int cellWidth) {
  if (cellWidth <= 0 || x < 0) return -1;
  int cell = x / cellWidth;
  return cell < 4 ? cell : -1;
}

StripChange NextFour(Strip& strip) {
  if (strip.count <= 0) return {};
  for (int k = 0; k < 4; ++k) {
    int number = strip.lastShown + 1 + k;
    strip.cells[size_t(k)] = number <= strip.count ? number : 0;
  }
  strip.lastShown = std::min(strip.lastShown + 4, strip.count);
  return {StripChange::kFour, 0};
}

StripChange StripCommand(Strip& strip, int command, const std::function<bool(int number)>& exists) {
  switch (command) {
    case kCmdFirstFour:
      if (strip.lastShown <= 4) return {};
      strip.lastShown = 0;
      return NextFour(strip);
    case kCmdOneBack: {
      // The Part's test "last shown above 4" assumes four filled cells; the first cell
      // tells it also for a strip that ends in empty cells.
      if (strip.cells[0] <= 1) return {};
      int number = strip.cells[0] - 1;
      for (size_t k = 3; k > 0; --k) strip.cells[k] = strip.cells[k - 1];
      strip.cells[0] = number;
      strip.lastShown = *std::max_element(strip.cells.begin(), strip.cells.end());
      return {StripChange::kShiftRight, number};
    }
    case kCmdOneForward: {
      if (strip.lastShown >= strip.count) return {};
      int number = ++strip.lastShown;
      if (!exists(number)) return {};
      for (size_t k = 0; k < 3; ++k) strip.cells[k] = strip.cells[k + 1];
      strip.cells[3] = number;
      return {StripChange::kShiftLeft, number};
    }
    case kCmdLastFour:
      if (strip.count <= 4 || strip.lastShown >= strip.count) return {};
      strip.lastShown = strip.count - 4;
      return NextFour(strip);
    default:
      return {};
  }
}

}  // namespace hessam
