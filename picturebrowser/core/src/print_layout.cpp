#include "hessam/print_layout.h"

#include <algorithm>
#include <cmath>

namespace hessam {

std::vector<int> LayoutPositions(int layout) {
  switch (layout) {
    case 1: return {1};
    case 2: return {2, 3};
    case 3: return {4, 5, 6};
    case 4: return {7, 8, 9, 10};
    default: return {};
  }
}

int LayoutOfPosition(int position) {
  for (int layout = 1; layout <= kLayoutCount; ++layout) {
    std::vector<int> p = LayoutPositions(layout);
    if (std::find(p.begin(), p.end(), position) != p.end()) return layout;
  }
  return 0;
}

std::vector<int> LayoutsToPrint(const Positions& positions) {
  std::vector<int> layouts;
  for (int layout = 1; layout <= kLayoutCount; ++layout)
    for (int p : LayoutPositions(layout))
      if (positions[size_t(p - 1)] != 0) {
        layouts.push_back(layout);
        break;
      }
  return layouts;
}

std::vector<int> ClearSelectionNumber(Positions& positions, int number) {
  std::vector<int> changed;
  for (size_t i = 0; i < positions.size(); ++i)
    if (number != 0 && positions[i] == number) {
      positions[i] = 0;
      changed.push_back(int(i) + 1);
    }
  return changed;
}

namespace {

bool Present(const Box& b) { return b.width > 0 && b.height > 0; }

// Layouts 1 to 3: one under the other, each centred, a gap between neighbours.
Composition Stack(const std::vector<Box>& sizes) {
  Composition c;
  c.places.resize(sizes.size());
  for (const Box& b : sizes)
    if (Present(b)) c.width = std::max(c.width, b.width);
  int y = 0;
  bool any = false;
  for (size_t i = 0; i < sizes.size(); ++i) {
    const Box& b = sizes[i];
    if (!Present(b)) continue;
    if (any) y += kCompositionGap;
    c.places[i] = Box{(c.width - b.width) / 2, y, b.width, b.height};
    y += b.height;
    any = true;
  }
  c.height = y;
  return c;
}

// Layout 4: two rows of two; each picture in its own corner.
Composition Corners(const std::vector<Box>& sizes) {
  Composition c;
  c.places.resize(sizes.size());
  auto at = [&sizes](size_t i) { return i < sizes.size() && Present(sizes[i]) ? sizes[i] : Box{}; };
  auto rowWidth = [&at](size_t a, size_t b) {
    int w = at(a).width + at(b).width;
    return Present(at(a)) && Present(at(b)) ? w + kCompositionGap : w;
  };
  int topHeight = std::max(at(0).height, at(1).height), bottomHeight = std::max(at(2).height, at(3).height);
  c.width = std::max(rowWidth(0, 1), rowWidth(2, 3));
  c.height = topHeight + bottomHeight + (topHeight > 0 && bottomHeight > 0 ? kCompositionGap : 0);
  for (size_t i = 0; i < 4 && i < sizes.size(); ++i) {
    Box b = at(i);
    if (!Present(b)) continue;
    bool right = i % 2 == 1, bottom = i >= 2;
    c.places[i] = Box{right ? c.width - b.width : 0, bottom ? c.height - b.height : 0, b.width, b.height};
  }
  return c;
}

}  // namespace

Composition Compose(int layout, const std::vector<Box>& sizes) {
  Composition c = layout == 4 ? Corners(sizes) : Stack(sizes);
  if (c.Empty()) c.width = c.height = 0;
  return c;
}

Margins PageMargins(int widthMm, int heightMm) {
  if (widthMm >= heightMm) return Margins{60, 0};
  return Margins{15, 60};
}

bool PlaceOnPage(const Composition& composition, int printableWidth, int printableHeight, const Margins& margins,
                 PagePlacement& placement) {
  if (composition.Empty()) return false;
  double roomWidth = printableWidth - 2.0 * margins.horizontal, roomHeight = printableHeight - 2.0 * margins.vertical;
  if (roomWidth <= 0 || roomHeight <= 0) return false;
  placement.scale = std::min(roomWidth / composition.width, roomHeight / composition.height);
  placement.left = margins.horizontal + (roomWidth - composition.width * placement.scale) / 2;
  placement.top = margins.vertical + (roomHeight - composition.height * placement.scale) / 2;
  return true;
}

Box PrintedBox(const Box& place, const PagePlacement& p) {
  Box b;
  b.x = std::max(1, int(std::lround(p.left + place.x * p.scale)));
  b.y = std::max(1, int(std::lround(p.top + place.y * p.scale)));
  b.width = int(std::lround(place.width * p.scale));
  b.height = int(std::lround(place.height * p.scale));
  return b;
}

PreviewWindow PlacePreview(const Composition& composition, const Box& mainWindow, int screenWidth, int screenHeight) {
  PreviewWindow p;
  int w = composition.width / 4, h = composition.height / 4;
  bool overMain = mainWindow.width > w && mainWindow.height > h;
  int x, y;
  if (overMain) {
    x = mainWindow.x + (mainWindow.width - w) / 2;
    y = mainWindow.y + (mainWindow.height - h) / 2;
  } else {
    x = (screenWidth - w) / 2;
    y = (screenHeight - h) / 2;
  }
  x = std::max(0, x);
  y = std::max(0, y);
  int cornerX = overMain ? mainWindow.x : 0, cornerY = overMain ? mainWindow.y : 0;
  if (x - cornerX > 7 && y - cornerY > 7) p.border = 4;
  p.window = Box{x - p.border, y - p.border, w + 2 * p.border, h + 2 * p.border};
  return p;
}

Box PreviewBox(const Box& place, int border) {
  return Box{place.x / 4 + border, place.y / 4 + border, place.width / 4, place.height / 4};
}

}  // namespace hessam
