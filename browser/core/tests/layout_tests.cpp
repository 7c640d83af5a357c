// The main window's geometry: whole thumbnail cells in the right pane, the file list's
// height rule, and every control inside the client area without overlaps.
#include <gtest/gtest.h>

#include "kelmor/layout.h"

namespace kelmor {

namespace {

bool Inside(const LayoutRect& r, int w, int h) { return r.x >= 0 && r.y >= 0 && r.x + r.width <= w && r.y + r.height <= h; }
bool Overlap(const LayoutRect& a, const LayoutRect& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

LayoutInput Input(int w, int h) {
  LayoutInput in;
  in.clientWidth = w;
  in.clientHeight = h;
  in.screenWidth = 1024;
  in.thumbnailSize = 96;
  in.comboHeight = 22;
  in.hScrollHeight = 17;
  in.buttonHeight = 22;
  in.checkHeight = 17;
  for (int id : FileListButtons()) in.buttonWidths[id] = 50;
  for (int id : CollectionButtons())
    if (id != kBurnerButton) in.buttonWidths[id] = 50;
  return in;
}

TEST(Layout, TheLeftPaneIsWiderOnLargeScreens) {
  EXPECT_EQ(LeftPaneMinimum(1280), 200);
  EXPECT_EQ(LeftPaneMinimum(1281), 250);
}

TEST(Layout, TheRightPaneHoldsWholeCells) {
  EXPECT_EQ(RightPaneWidth(600, 1024, 106), 3 * 106 + 4);
  EXPECT_EQ(RightPaneWidth(623, 1024, 106), 3 * 106 + 4);
  EXPECT_EQ(RightPaneWidth(624, 1024, 106), 4 * 106 + 4);
  EXPECT_EQ(RightPaneWidth(624, 1600, 106), 3 * 106 + 4);
  EXPECT_EQ(RightPaneWidth(150, 1024, 106), 4);
  EXPECT_EQ(RightPaneWidth(2, 1024, 106), 2);
}

TEST(Layout, TheFileListTakesWholeCellsWhenOneFits) {
  // h = 500 - 250 - 23 = 227; room = 454 - 86 = 368: three cells of 106.
  EXPECT_EQ(FileListHeight(500, 23, 106, 17), 3 * 106 + 17 + 5);
  // h = 100 - 50 - 23 = 27; room < one cell: the list keeps h.
  EXPECT_EQ(FileListHeight(100, 23, 106, 17), 27);
  EXPECT_EQ(FileListHeight(10, 23, 106, 17), 0);
}

TEST(Layout, ControlsStayInsideAndApart) {
  for (auto [w, h] : {std::pair{590, 330}, std::pair{1200, 900}, std::pair{470, 280}}) {
    BrowserLayout l = ComputeBrowserLayout(Input(w, h));
    EXPECT_EQ(l.leftPane + l.rightPane, w);
    for (const auto& [id, r] : l.controls) EXPECT_TRUE(Inside(r, w, h)) << "control " << id << " at " << w << "x" << h;
    const auto& c = l.controls;
    EXPECT_FALSE(Overlap(c.at(kFileList), c.at(kCollectionList)));
    EXPECT_FALSE(Overlap(c.at(kFolderTree), c.at(kFileList)));
    EXPECT_FALSE(Overlap(c.at(kFileTypeBox), c.at(kFavouritesBox)));
    EXPECT_FALSE(Overlap(c.at(kAddButton), c.at(kCollectionList)));
    EXPECT_FALSE(Overlap(c.at(kHandOverButton), c.at(kCollectionList)));
    EXPECT_EQ(c.at(kFileList).y, 23);
    EXPECT_EQ(c.at(kFileList).height, l.fileListHeight);
    EXPECT_EQ(c.count(kBurnerButton), 0u);  // no burner button asked for
  }
}

TEST(Layout, ARowTooWideForThePaneShrinksAlike) {
  LayoutInput in = Input(500, 400);
  for (int id : CollectionButtons()) in.buttonWidths[id] = 200;
  BrowserLayout l = ComputeBrowserLayout(in);
  const LayoutRect& first = l.controls.at(kRemoveButton);
  const LayoutRect& last = l.controls.at(kBurnerButton);
  EXPECT_EQ(first.width, last.width);
  EXPECT_LE(last.x + last.width, in.clientWidth);
  EXPECT_EQ(first.x, l.leftPane);
}

}  // namespace

}  // namespace kelmor
