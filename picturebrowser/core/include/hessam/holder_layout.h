// The controls of the picture browser's holder, placed from the holder's size when the
// main window lays itself out: the picture strip at the top, the row of buttons under it,
// the page frames with their layout positions, the folder tree and the picture button, the
// selection row and the selection strip at the bottom. Portable.
#pragma once
#include <array>

#include "hessam/print_layout.h"

namespace hessam {

struct HolderLayout {
  int cellWidth = 0;
  int cellHeight = 0;
  Box pictureStrip;
  Box selectionStrip;
  int lineY = 0;  // the 3-D line under the button row
  Box countCaption;
  Box countField;
  std::array<Box, 6> buttons;  // commands 1 to 6
  std::array<Box, 4> pageFrames;
  // Each position's box inside its page frame; LayoutOfPosition tells the frame.
  std::array<Box, kPositionCount> positions;
  Box folderTree;
  Box etchedLine;
  std::array<Box, 4> selectionLabels;
  std::array<Box, 4> zoomButtons;   // commands 7, 9, 11, 13
  std::array<Box, 4> clearButtons;  // commands 8, 10, 12, 14
  std::array<Box, 4> numberFields;
  Box greyLine;
};

// The layout of a holder of width x height pixels. The sizes follow an 800-pixel holder;
// a narrower one narrows the page frames by a quarter of the difference.
HolderLayout LayOutHolder(int width, int height);
// The picture button left of the page frames: centred in the room there, its top where a
// picture of that height stands centred in 161 pixels from the frames' row.
Box PictureButtonBox(const HolderLayout& layout, int pictureWidth, int pictureHeight);

}  // namespace hessam
