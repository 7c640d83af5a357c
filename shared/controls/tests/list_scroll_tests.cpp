// The list panel's scroll arithmetic: rows kept, last position, page, and the clamped
// step of every request and key.
#include <gtest/gtest.h>

#include <climits>

#include "controls/list_scroll.h"

namespace {

constexpr int kHome = 0x24, kEnd = 0x23, kPageUp = 0x21, kPageDown = 0x22, kUp = 0x26, kDown = 0x28;

ListScrollState Panel(int rows, int rowHeight, int clientHeight, int position = 0) {
  ListScrollState s;
  s.rows = rows;
  s.rowHeight = rowHeight;
  ListResize(s, 200, clientHeight);
  s.position = position;
  return s;
}

TEST(ListScroll, TenRowsOfTwentyInOneHundredFifty) {
  EXPECT_EQ(ListRowsKept(10, 20, 150), 10);
  ListScrollState s = Panel(10, 20, 150);
  EXPECT_EQ(s.lastPosition, 3);
  EXPECT_EQ(ListPage(s), 7);
  EXPECT_EQ(ListStep(s, kListPageDown), 3);  // a page of 7 stops at the last position
  s.position = 3;
  EXPECT_EQ(ListStep(s, kListPageUp), -3);
  EXPECT_EQ(ListStep(s, kListLineDown), 0);
  // The scroll bar's thumb runs 0 .. 3 with its page of 7.
  EXPECT_EQ(ListScrollBarMaximum(s) - ListPage(s) + 1, 3);
}

TEST(ListScroll, RowsThatFitLoseOneAndDoNotScroll) {
  EXPECT_EQ(ListRowsKept(5, 20, 120), 4);
  EXPECT_EQ(ListRowsKept(6, 20, 120), 5);  // exactly the height also fits
  EXPECT_EQ(ListRowsKept(7, 20, 120), 7);
  ListScrollState s = Panel(4, 20, 120);
  EXPECT_EQ(s.lastPosition, 0);
  for (int code : {kListTop, kListBottom, kListLineUp, kListLineDown, kListPageUp, kListPageDown})
    EXPECT_EQ(ListStep(s, code), 0) << code;
  // Nothing to scroll: the bar's range ends within its page.
  EXPECT_LT(ListScrollBarMaximum(s) - ListPage(s) + 1, 1);
}

TEST(ListScroll, EveryRequestIsClampedToTheRows) {
  ListScrollState s = Panel(30, 10, 100, 0);  // last position 20, page 10
  ASSERT_EQ(s.lastPosition, 20);
  EXPECT_EQ(ListStep(s, kListLineUp), 0);  // line up at 0 does nothing
  EXPECT_EQ(ListStep(s, kListTop), 0);
  EXPECT_EQ(ListStep(s, kListBottom), 20);
  EXPECT_EQ(ListStep(s, kListLineDown), 1);
  EXPECT_EQ(ListStep(s, kListPageDown), 10);
  EXPECT_EQ(ListStep(s, kListThumbTrack, 7), 7);
  EXPECT_EQ(ListStep(s, kListThumbTrack, 500), 20);
  EXPECT_EQ(ListStep(s, kListThumbTrack, -4), 0);
  EXPECT_EQ(ListStep(s, kListThumbPosition, 7), 0);  // the end of a drag moves nothing more
  EXPECT_EQ(ListStep(s, 8), 0);
  s.position = 15;
  EXPECT_EQ(ListStep(s, kListTop), -15);
  EXPECT_EQ(ListStep(s, kListPageDown), 5);
  EXPECT_EQ(ListStep(s, kListPageUp), -10);
  EXPECT_EQ(ListStep(s, kListBottom), 5);
}

TEST(ListScroll, APageIsAtLeastOneRow) {
  ListScrollState s = Panel(10, 20, 15, 4);  // less than a row is shown
  EXPECT_EQ(ListPage(s), 0);
  EXPECT_EQ(s.lastPosition, 10);
  EXPECT_EQ(ListStep(s, kListPageDown), 1);
  EXPECT_EQ(ListStep(s, kListPageUp), -1);
  EXPECT_EQ(ListScrollBarMaximum(s), 10);
}

TEST(ListScroll, ResizingKeepsThePositionWithinTheRows) {
  ListScrollState s = Panel(10, 20, 60, 6);
  ASSERT_EQ(s.lastPosition, 7);
  ListResize(s, 200, 150);
  EXPECT_EQ(s.lastPosition, 3);
  EXPECT_EQ(s.position, 3);
  ListResize(s, 200, 400);
  EXPECT_EQ(s.lastPosition, 0);
  EXPECT_EQ(s.position, 0);
}

TEST(ListScroll, ARowHeightBelowOneGivesAPanelThatDoesNotScroll) {
  for (int rowHeight : {0, -5}) {
    ListScrollState s = Panel(10, rowHeight, 150);
    EXPECT_EQ(s.lastPosition, 0);
    EXPECT_EQ(ListPage(s), 0);
    EXPECT_EQ(ListStep(s, kListPageDown), 0);
    EXPECT_EQ(ListStep(s, kListBottom), 0);
    EXPECT_EQ(ListScrollBarMaximum(s), 0);
  }
}

TEST(ListScroll, HugeValuesDoNotOverflow) {
  EXPECT_EQ(ListRowsKept(INT_MAX, INT_MAX, 100), INT_MAX);
  EXPECT_EQ(ListRowsKept(INT_MIN, 1, 100), INT_MIN);
  ListScrollState s = Panel(INT_MAX, 1, 10);
  EXPECT_EQ(s.lastPosition, INT_MAX - 10);
  EXPECT_EQ(ListStep(s, kListBottom), INT_MAX - 10);
  EXPECT_EQ(ListScrollBarMaximum(s), INT_MAX - 1);
  s = Panel(-3, 20, 100);
  EXPECT_EQ(s.lastPosition, 0);
}

TEST(ListScroll, TheSixScrollKeysAndNoOthers) {
  EXPECT_EQ(ListScrollCodeForKey(kHome), kListTop);
  EXPECT_EQ(ListScrollCodeForKey(kEnd), kListBottom);
  EXPECT_EQ(ListScrollCodeForKey(kPageUp), kListPageUp);
  EXPECT_EQ(ListScrollCodeForKey(kPageDown), kListPageDown);
  EXPECT_EQ(ListScrollCodeForKey(kUp), kListLineUp);
  EXPECT_EQ(ListScrollCodeForKey(kDown), kListLineDown);
  for (int key : {0x25, 0x27, 0x0D, 0x1B, int('A'), 0x2E}) EXPECT_EQ(ListScrollCodeForKey(key), -1) << key;
}

}  // namespace
