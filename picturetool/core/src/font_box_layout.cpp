#include "bravik/font_box_layout.h"

#include <algorithm>

namespace bravik {
namespace {

constexpr int kMargin = 8;
constexpr int kPickSize = 96;
constexpr int kSwatchSize = 32;
constexpr int kLabelWidth = 40;
constexpr int kLabelHeight = 16;
constexpr int kTrackWidth = 150;
constexpr int kTrackHeight = 22;
constexpr int kTrackStep = 24;
constexpr int kValueWidth = 36;
constexpr int kValueHeight = 18;
constexpr int kFieldHeight = 24;
constexpr int kSizeBoxWidth = 68;
constexpr int kDepthWidth = 80;
constexpr int kDepthHeight = 20;
constexpr int kPreviewHeight = 90;
constexpr int kOkWidth = 80;

LayoutRect At(int x, int y, int width, int height) { return LayoutRect{x, y, x + width, y + height}; }

}  // namespace

bool Overlap(const LayoutRect& a, const LayoutRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Inside(const LayoutRect& inner, const LayoutRect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

CharGridShape CharGridFor(int width, int cell) {
  CharGridShape g;
  g.cell = std::max(1, cell);
  g.columns = std::clamp((width - 2) / g.cell, 1, kGridCharacters);
  g.rows = (kGridCharacters + g.columns - 1) / g.columns;
  return g;
}

LayoutRect CharCell(const CharGridShape& grid, int character) {
  int i = std::clamp(character, kGridFirstCharacter, kGridLastCharacter) - kGridFirstCharacter;
  int x = (i % grid.columns) * grid.cell, y = (i / grid.columns) * grid.cell;
  return LayoutRect{x, y, x + grid.cell + 1, y + grid.cell + 1};
}

FontBoxLayout LayOutFontBox(bool text, int cell) {
  FontBoxLayout l;
  // Columns from the left: the pick, the swatch, the colour labels, the track bars and
  // their values, each with its own room.
  int pickX = kMargin;
  int swatchX = pickX + kPickSize + kMargin;
  int labelX = swatchX + kSwatchSize + kMargin;
  int trackX = labelX + kLabelWidth + 4;
  int valueX = trackX + kTrackWidth + 2;
  int right = valueX + kValueWidth;
  l.clientWidth = right + kMargin;
  int width = right - kMargin;

  int y = kMargin;
  int sizeX = text ? right - kSizeBoxWidth - 2 - kLabelWidth : kMargin;
  if (text) l.family = At(kMargin, y, sizeX - 8 - kMargin, kFieldHeight);
  l.sizeLabel = At(sizeX, y + 3, kLabelWidth, kLabelHeight);
  l.size = At(sizeX + kLabelWidth + 2, y, kSizeBoxWidth, kFieldHeight);
  y += 30;

  l.pick = At(pickX, y, kPickSize, kPickSize);
  l.swatch = At(swatchX, y, kSwatchSize, kSwatchSize);
  for (int i = 0; i < 4; ++i) {
    int ty = y + i * kTrackStep;
    l.colourLabels[i] = At(labelX, ty + 3, kLabelWidth, kLabelHeight);
    l.tracks[i] = At(trackX, ty, kTrackWidth, kTrackHeight);
    l.values[i] = At(valueX, ty + 2, kValueWidth, kValueHeight);
  }
  y += kPickSize + kMargin;
  l.depth = At(kMargin, y, kDepthWidth, kDepthHeight);
  y += 26;
  if (text) {
    l.text = At(kMargin, y, width, kFieldHeight);
    y += kFieldHeight + kMargin;
    l.gridShape = CharGridFor(width, cell);
    l.grid = At(kMargin, y, l.gridShape.Width(), l.gridShape.Height());
    y += l.gridShape.Height() + kMargin;
  }
  l.preview = At(kMargin, y, width, kPreviewHeight);
  y += kPreviewHeight + kMargin;
  l.ok = At(right - kOkWidth, y, kOkWidth, kFieldHeight);
  y += kFieldHeight + kMargin;
  l.clientHeight = y;
  return l;
}

}  // namespace bravik
