// The opened list: counting, stepping with wrap-around, removing and inserting.
#include <gtest/gtest.h>

#include "bravik/opened_list.h"

namespace bravik {
namespace {

TEST(OpenedList, CountsEveryItemAnEmptyLastOneIncluded) {
  OpenedList list;
  list.Assign("a.bmp|b.bmp|c.bmp");
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Index(), 1);
  EXPECT_EQ(list.Current(), "a.bmp");
  EXPECT_EQ(list.Label(), "1/3");
  list.Assign("a.bmp|b.bmp|");
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Item(3), "");
  list.Assign("C:\\one.jpg");
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Current(), "C:\\one.jpg");
  list.Assign("");
  EXPECT_TRUE(list.Empty());
  EXPECT_EQ(list.Current(), "");
}

TEST(OpenedList, NextAndPreviousWrapAround) {
  OpenedList list;
  list.Assign("a|b|c");
  EXPECT_TRUE(list.Previous());
  EXPECT_EQ(list.Current(), "c");
  EXPECT_TRUE(list.Next());
  EXPECT_EQ(list.Current(), "a");
  EXPECT_TRUE(list.Next());
  EXPECT_TRUE(list.Next());
  EXPECT_EQ(list.Label(), "3/3");
  EXPECT_TRUE(list.Next());
  EXPECT_EQ(list.Label(), "1/3");
  list.Assign("only");
  EXPECT_TRUE(list.Next());
  EXPECT_EQ(list.Current(), "only");
  OpenedList empty;
  EXPECT_FALSE(empty.Next());
  EXPECT_FALSE(empty.Previous());
  EXPECT_FALSE(empty.GoTo(2));
}

TEST(OpenedList, RemovingTheLastItemMovesToTheFirst) {
  OpenedList list;
  list.Assign("a|b|c");
  list.GoTo(3);
  list.RemoveCurrent();
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Index(), 1);
  EXPECT_EQ(list.Text(), "a|b");
  list.GoTo(1);
  list.RemoveCurrent();
  EXPECT_EQ(list.Current(), "b");
  list.RemoveCurrent();
  EXPECT_TRUE(list.Empty());
  EXPECT_EQ(list.Index(), 0);
}

TEST(OpenedList, ReplaceInsertAndGoTo) {
  OpenedList list;
  list.Assign("a|b|c");
  list.GoTo(2);
  list.ReplaceCurrent("B");
  EXPECT_EQ(list.Text(), "a|B|c");
  list.InsertAfterCurrent("new");
  EXPECT_EQ(list.Text(), "a|B|new|c");
  EXPECT_EQ(list.Index(), 3);
  EXPECT_TRUE(list.GoTo(99));
  EXPECT_EQ(list.Index(), 4);
  OpenedList empty;
  empty.InsertAfterCurrent("x");
  EXPECT_EQ(empty.Label(), "1/1");
}

}  // namespace
}  // namespace bravik
