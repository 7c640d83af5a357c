// The picture strip's cells and its paging commands.
#include <gtest/gtest.h>

#include "hessam/command_ids.h"
#include "hessam/strip.h"

namespace hessam {
namespace {

using Cells = std::array<int, 4>;

bool AllExist(int) { return true; }

Strip StripOf(int count) {
  Strip s;
  s.count = count;
  return s;
}

TEST(StripGeometry, CellsOfTheHolder) {
  EXPECT_EQ(CellWidth(800), 200);
  EXPECT_EQ(CellHeight(500), 128);
  EXPECT_EQ(CellAt(0, 200), 0);
  EXPECT_EQ(CellAt(399, 200), 1);
  EXPECT_EQ(CellAt(799, 200), 3);
  EXPECT_EQ(CellAt(800, 200), -1);
  EXPECT_EQ(CellAt(-1, 200), -1);
}

TEST(StripPaging, SixPicturesShowOneToFourThenFiveAndSix) {
  Strip s = StripOf(6);
  EXPECT_EQ(NextFour(s).kind, StripChange::kFour);
  EXPECT_EQ(s.cells, (Cells{1, 2, 3, 4}));
  EXPECT_EQ(s.lastShown, 4);
  NextFour(s);
  EXPECT_EQ(s.cells, (Cells{5, 6, 0, 0}));
  EXPECT_EQ(s.lastShown, 6);
  Strip empty = StripOf(0);
  EXPECT_EQ(NextFour(empty).kind, StripChange::kNone);
}

TEST(StripPaging, ForwardBackEndAndStart) {
  Strip s = StripOf(10);
  NextFour(s);
  // 5: one forward, picture 5 into cell 4.
  StripChange c = StripCommand(s, kCmdOneForward, AllExist);
  EXPECT_EQ(c.kind, StripChange::kShiftLeft);
  EXPECT_EQ(c.number, 5);
  EXPECT_EQ(s.cells, (Cells{2, 3, 4, 5}));
  EXPECT_EQ(s.lastShown, 5);
  // 2: one back, picture 1 into cell 1.
  c = StripCommand(s, kCmdOneBack, AllExist);
  EXPECT_EQ(c.kind, StripChange::kShiftRight);
  EXPECT_EQ(c.number, 1);
  EXPECT_EQ(s.cells, (Cells{1, 2, 3, 4}));
  EXPECT_EQ(s.lastShown, 4);
  // 2 at the start and 1 at the start do nothing.
  EXPECT_EQ(StripCommand(s, kCmdOneBack, AllExist).kind, StripChange::kNone);
  EXPECT_EQ(StripCommand(s, kCmdFirstFour, AllExist).kind, StripChange::kNone);
  // 6: the last four.
  EXPECT_EQ(StripCommand(s, kCmdLastFour, AllExist).kind, StripChange::kFour);
  EXPECT_EQ(s.cells, (Cells{7, 8, 9, 10}));
  EXPECT_EQ(s.lastShown, 10);
  // At the end: 6 and 5 do nothing.
  EXPECT_EQ(StripCommand(s, kCmdLastFour, AllExist).kind, StripChange::kNone);
  EXPECT_EQ(StripCommand(s, kCmdOneForward, AllExist).kind, StripChange::kNone);
  // 1: back to pictures 1 to 4.
  EXPECT_EQ(StripCommand(s, kCmdFirstFour, AllExist).kind, StripChange::kFour);
  EXPECT_EQ(s.cells, (Cells{1, 2, 3, 4}));
  // Four pictures or fewer: 6 does nothing.
  Strip four = StripOf(4);
  NextFour(four);
  EXPECT_EQ(StripCommand(four, kCmdLastFour, AllExist).kind, StripChange::kNone);
}

TEST(StripPaging, OneBackFromAStripThatEndsInEmptyCells) {
  Strip s = StripOf(6);
  NextFour(s);
  NextFour(s);  // 5, 6 and two empty cells
  StripChange c = StripCommand(s, kCmdOneBack, AllExist);
  EXPECT_EQ(c.number, 4);
  EXPECT_EQ(s.cells, (Cells{4, 5, 6, 0}));
  EXPECT_EQ(s.lastShown, 6);
  StripCommand(s, kCmdOneBack, AllExist);
  EXPECT_EQ(s.cells, (Cells{3, 4, 5, 6}));
  StripCommand(s, kCmdOneBack, AllExist);
  StripCommand(s, kCmdOneBack, AllExist);
  EXPECT_EQ(s.cells, (Cells{1, 2, 3, 4}));
  EXPECT_EQ(s.lastShown, 4);
}

TEST(StripPaging, OneForwardPassesAMissingPicture) {
  Strip s = StripOf(8);
  NextFour(s);
  auto missingFive = [](int n) { return n != 5; };
  EXPECT_EQ(StripCommand(s, kCmdOneForward, missingFive).kind, StripChange::kNone);
  EXPECT_EQ(s.cells, (Cells{1, 2, 3, 4}));
  EXPECT_EQ(s.lastShown, 5);
  StripChange c = StripCommand(s, kCmdOneForward, missingFive);
  EXPECT_EQ(c.number, 6);
  EXPECT_EQ(s.cells, (Cells{2, 3, 4, 6}));
}

}  // namespace
}  // namespace hessam
