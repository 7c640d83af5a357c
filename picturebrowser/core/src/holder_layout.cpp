#include "hessam/holder_layout.h"

#include <algorithm>

#include "hessam/strip.h"

namespace hessam {
namespace {

constexpr int kButtonWidths[6] = {32, 32, 100, 100, 32, 32};
constexpr int kFrameHeight = 141;
constexpr int kTreeHeight = 164;
constexpr int kTreeGap = 6;

}  // namespace

HolderLayout LayOutHolder(int width, int height) {
  HolderLayout l;
  int cw = CellWidth(width), ch = CellHeight(height);
  l.cellWidth = cw;
  l.cellHeight = ch;
  l.pictureStrip = Box{0, 0, width, ch + 26};
  l.selectionStrip = Box{0, height - ch, width, ch};
  l.lineY = ch + 53;
  int x0 = (width - 338) / 2, s = (800 - width) / 4;
  l.countCaption = Box{x0 - 138, ch + 33, 100, 17};
  l.countField = Box{x0 - 36, ch + 32, 33, 17};
  int x = x0;
  for (size_t i = 0; i < 6; ++i) {
    l.buttons[i] = Box{x, ch + 29, kButtonWidths[i], 23};
    x += kButtonWidths[i] + 2;
  }
  int frameWidth = 100 - s, firstFrame = (width - (4 * frameWidth + 6)) / 2;
  for (size_t i = 0; i < 4; ++i)
    l.pageFrames[i] = Box{firstFrame + int(i) * (102 - s), ch + 69, frameWidth, kFrameHeight};
  // The positions inside the frames' client areas, under the frame's caption line. The
  // single position of page 1 takes the room of the two of page 2.
  l.positions[0] = Box{1, 14, 88 - s, 116};
  l.positions[1] = Box{1, 14, 88 - s, 57};
  l.positions[2] = Box{1, 73, 88 - s, 57};
  for (size_t i = 0; i < 3; ++i) l.positions[3 + i] = Box{1, 14 + 40 * int(i), 88 - s, 38};
  int half = 42 - s / 2;
  l.positions[6] = Box{1, 14, half, 57};
  l.positions[7] = Box{46 - s / 2, 14, half, 57};
  l.positions[8] = Box{1, 73, half, 57};
  l.positions[9] = Box{46 - s / 2, 73, half, 57};
  int treeX = l.pageFrames[3].x + frameWidth + kTreeGap;
  l.folderTree = Box{treeX, ch + 59, std::max(0, width - 2 - treeX), kTreeHeight};
  l.etchedLine = Box{0, ch + 225, width + 3, 2};
  for (int n = 1; n <= 4; ++n) {
    size_t i = size_t(n - 1);
    l.selectionLabels[i] = Box{cw * (n - 1) + 1, ch + 227, cw - 53, 16};
    l.zoomButtons[i] = Box{cw * n - 51, ch + 228, 17, 15};
    l.clearButtons[i] = Box{cw * n - 33, ch + 228, 17, 15};
    l.numberFields[i] = Box{cw * n - 16, ch + 227, 15, 16};
  }
  l.greyLine = Box{0, ch + 243, width, 1};
  return l;
}

Box PictureButtonBox(const HolderLayout& layout, int pictureWidth, int pictureHeight) {
  int room = layout.pageFrames[0].x;
  return Box{std::max(0, (room - pictureWidth) / 2), layout.cellHeight + 59 + std::max(0, (161 - pictureHeight) / 2),
             pictureWidth, pictureHeight};
}

}  // namespace hessam
