#include "kelmor/cell_layout.h"

#include <algorithm>
#include <cstdint>

#include "fileio/fields.h"
#include "skin/sk_text.h"

namespace kelmor {

namespace {
constexpr int kBorder = 4;  // the 3-D frame and a gap inside it
}

CellGeometry ComputeCellGeometry(int cellSize, int textHeight, int pictureWidth, int pictureHeight) {
  CellGeometry g;
  int inner = std::max(1, cellSize - 2 * kBorder);
  int nameHeight = std::clamp(textHeight, 0, inner / 2);
  g.name = {kBorder, cellSize - kBorder - nameHeight, inner, nameHeight};
  CellRect area{kBorder, kBorder, inner, std::max(1, inner - nameHeight - 1)};
  if (pictureWidth > 0 && pictureHeight > 0) {
    int left = 0, top = 0, w = 0, h = 0;
    SKICONISE(pictureWidth, pictureHeight, area.width, area.height, left, top, w, h);
    g.picture = {area.x + left, area.y + top, w, h};
  } else {
    g.picture = area;
  }
  for (int i = 0; i < 3; ++i) g.markers[i] = {kBorder + 1 + i * (kMarkerSize + 1), kBorder + 1, kMarkerSize, kMarkerSize};
  int timeWidth = std::max(0, inner / 2);
  g.time = {cellSize - kBorder - timeWidth, kBorder, timeWidth, nameHeight};
  return g;
}

std::string DisplayTimeText(const std::string& timText) {
  constexpr int64_t kLongestTime = 999999999999;  // keeps the rounding below in range
  int64_t ms = fileio::LeadingNumber(timText, kLongestTime);
  if (ms <= 0) return {};
  int64_t tenths = (ms + 50) / 100;
  std::string text = std::to_string(tenths / 10);
  if (tenths % 10) text += "." + std::to_string(tenths % 10);
  return text + " s";
}

}  // namespace kelmor
