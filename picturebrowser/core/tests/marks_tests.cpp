// Marks belong to paths; the question's answers keep, drop and delete exactly their files.
#include <gtest/gtest.h>

#include "hessam/marks.h"

namespace hessam {
namespace {

using List = std::vector<std::string>;

const List kList{"C:\\p\\a.jpg", "C:\\p\\b.jpg", "C:\\p\\A.JPG", "C:\\p\\c.jpg", "C:\\p\\d.jpg"};

TEST(Marks, AMarkBelongsToAPath) {
  MarkedPaths m;
  EXPECT_TRUE(m.Empty());
  EXPECT_TRUE(m.Toggle("C:\\p\\a.jpg"));
  EXPECT_TRUE(m.Marked("c:\\P\\A.JPG"));
  EXPECT_EQ(MarkedCount(kList, m), 1);
  // The same tile (or another showing the same path) clicked again clears the mark.
  EXPECT_FALSE(m.Toggle("C:\\p\\A.JPG"));
  EXPECT_FALSE(m.Marked("C:\\p\\a.jpg"));
  EXPECT_EQ(DistinctPaths(kList), (List{"C:\\p\\a.jpg", "C:\\p\\b.jpg", "C:\\p\\c.jpg", "C:\\p\\d.jpg"}));
}

TEST(Marks, AnswersKeepAndDropEntriesWithoutTouchingFiles) {
  MarkedPaths m;
  m.Toggle("C:\\p\\a.jpg");
  m.Toggle("C:\\p\\c.jpg");
  MarkOutcome keep = PlanAnswer(1, kList, m);
  EXPECT_TRUE(keep.changesList);
  EXPECT_FALSE(keep.asksFirst);
  EXPECT_TRUE(keep.deleted.empty());
  EXPECT_EQ(keep.newList, (List{"C:\\p\\a.jpg", "C:\\p\\c.jpg"}));
  MarkOutcome others = PlanAnswer(3, kList, m);
  EXPECT_EQ(others.newList, (List{"C:\\p\\b.jpg", "C:\\p\\d.jpg"}));
  EXPECT_TRUE(others.deleted.empty());
  for (int answer : {0, 5, -1}) EXPECT_FALSE(PlanAnswer(answer, kList, m).changesList) << answer;
}

TEST(Marks, DeletingNeverTakesAFileThatAKeptEntryNames) {
  MarkedPaths m;
  m.Toggle("C:\\p\\A.JPG");  // marks both entries of a.jpg
  MarkOutcome o = PlanAnswer(2, kList, m);
  EXPECT_TRUE(o.asksFirst);
  EXPECT_EQ(o.newList, (List{"C:\\p\\a.jpg"}));
  EXPECT_EQ(o.deleted, (List{"C:\\p\\b.jpg", "C:\\p\\c.jpg", "C:\\p\\d.jpg"}));
  EXPECT_EQ(o.warnCount, 3);
  MarkOutcome drop = PlanAnswer(4, kList, m);
  EXPECT_TRUE(drop.asksFirst);
  EXPECT_EQ(drop.deleted, (List{"C:\\p\\a.jpg"}));
  EXPECT_EQ(drop.warnCount, 1);
  EXPECT_EQ(drop.newList, (List{"C:\\p\\b.jpg", "C:\\p\\c.jpg", "C:\\p\\d.jpg"}));
}

TEST(Marks, EveryPictureMarked) {
  MarkedPaths m;
  for (const std::string& p : kList)
    if (!m.Marked(p)) m.Toggle(p);
  EXPECT_EQ(MarkedCount(kList, m), 4);
  // Keep the marked, delete the others: there are none, nothing happens.
  EXPECT_FALSE(PlanAnswer(2, kList, m).changesList);
  // Delete the marked: every file goes and the list is empty.
  MarkOutcome o = PlanAnswer(4, kList, m);
  EXPECT_TRUE(o.changesList);
  EXPECT_TRUE(o.newList.empty());
  EXPECT_EQ(o.deleted.size(), 4u);
}

}  // namespace
}  // namespace hessam
