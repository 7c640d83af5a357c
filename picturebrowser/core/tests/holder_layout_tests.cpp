// The holder's controls laid out from its size.
#include <gtest/gtest.h>

#include "hessam/holder_layout.h"

namespace hessam {
namespace {

TEST(HolderLayout, AnEightHundredPixelHolder) {
  HolderLayout l = LayOutHolder(800, 500);
  EXPECT_EQ(l.cellWidth, 200);
  EXPECT_EQ(l.cellHeight, 128);
  EXPECT_EQ(l.pictureStrip.height, 128 + 26);
  // The button row is centred: 338 pixels from x0 = 231.
  EXPECT_EQ(l.buttons[0].x, 231);
  EXPECT_EQ(l.buttons[5].x + l.buttons[5].width, 231 + 338);
  EXPECT_EQ(l.buttons[2].width, 100);
  EXPECT_EQ(l.countField.x, 231 - 36);
  // Four page frames of 100 pixels, 2 apart, centred; the tree right of them to 2 pixels
  // from the edge.
  EXPECT_EQ(l.pageFrames[0].x, 197);
  EXPECT_EQ(l.pageFrames[3].x, 197 + 3 * 102);
  EXPECT_EQ(l.pageFrames[0].width, 100);
  EXPECT_EQ(l.folderTree.x + l.folderTree.width, 798);
  EXPECT_GT(l.folderTree.x, l.pageFrames[3].x + l.pageFrames[3].width);
  // Each position stays inside its frame.
  for (const Box& p : l.positions) {
    EXPECT_LE(p.x + p.width, l.pageFrames[0].width - 4);
    EXPECT_LE(p.y + p.height, l.pageFrames[0].height - 4);
  }
  EXPECT_EQ(l.positions[7].x, 46);
  // The selection row and the selection strip at the bottom.
  EXPECT_EQ(l.selectionLabels[1].x, 201);
  EXPECT_EQ(l.zoomButtons[3].x, 749);
  EXPECT_EQ(l.numberFields[3].x + l.numberFields[3].width, 799);
  EXPECT_EQ(l.selectionStrip.y, 500 - 128);
  EXPECT_EQ(l.selectionStrip.y, l.greyLine.y + 1);
}

TEST(HolderLayout, ANarrowerHolderNarrowsThePageFrames) {
  HolderLayout l = LayOutHolder(760, 500);
  EXPECT_EQ(l.pageFrames[0].width, 90);
  EXPECT_EQ(l.pageFrames[1].x - l.pageFrames[0].x, 92);
  EXPECT_EQ(l.positions[7].x, 41);
}

TEST(HolderLayout, ThePictureButtonStandsLeftOfThePages) {
  HolderLayout l = LayOutHolder(800, 500);
  Box b = PictureButtonBox(l, 97, 61);
  EXPECT_EQ(b.x, (197 - 97) / 2);
  EXPECT_EQ(b.y, 128 + 59 + 50);
  EXPECT_EQ(PictureButtonBox(l, 300, 200).y, 128 + 59);
  EXPECT_EQ(PictureButtonBox(l, 300, 200).x, 0);
}

}  // namespace
}  // namespace hessam
