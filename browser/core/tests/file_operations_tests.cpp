#include "kelmor/file_operations.h"

#include <gtest/gtest.h>

#include "fileio/file.h"
#include "temp_dir.h"

namespace kelmor {
namespace {

SideFileRule Rule() { return SideFileRule{"*.jpg;*.jpeg;*.png", {"kwd", "tim", "wav"}}; }

TEST(FileOperations, PicturesAndTheirSideFiles) {
  SideFileRule rule = Rule();
  EXPECT_TRUE(rule.IsPicture("C:\\a\\B.JPG"));
  EXPECT_TRUE(rule.IsPicture("x.png"));
  EXPECT_FALSE(rule.IsPicture("notes.txt"));
  EXPECT_FALSE(rule.IsPicture("jpg"));
  EXPECT_FALSE(rule.IsPicture("a.jp"));
  TempDir dir;
  dir.Write("a.jpg", "p");
  dir.Write("a.kwd", "k");
  dir.Write("a.wav", "w");
  dir.Write("notes.kwd", "not a side file of a text");
  dir.Write("notes.txt", "t");
  EXPECT_EQ(rule.ExistingSides(dir.File("a.jpg")), (std::vector<std::string>{dir.File("a.kwd"), dir.File("a.wav")}));
  EXPECT_TRUE(rule.ExistingSides(dir.File("notes.txt")).empty());
}

TEST(FileOperations, FoldersCompareWhateverTheirCaseAndSeparators) {
  EXPECT_TRUE(SameComparableFolder("C:\\Pics\\", "c:/pics"));
  EXPECT_TRUE(SameComparableFolder("c:\\PICS\\\\", "C:\\pics\\"));
  EXPECT_FALSE(SameComparableFolder("C:\\Pics\\a\\", "C:\\Pics\\"));
  EXPECT_EQ(ComparableFolder("C:\\"), "c:\\");
}

TEST(FileOperations, ARecycledPictureTakesItsSideFilesAlongAndAFailedOneKeepsThem) {
  TempDir dir;
  dir.Write("a.jpg", "p");
  dir.Write("a.kwd", "k");
  dir.Write("a.wav", "w");
  dir.Write("notes.txt", "t");
  std::vector<std::vector<std::string>> calls;
  auto failing = [&](const std::vector<std::string>& paths) {
    calls.push_back(paths);
    return 5;
  };
  EXPECT_EQ(RecycleWithSideFiles(dir.File("a.jpg"), Rule(), failing), 5);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0], (std::vector<std::string>{dir.File("a.jpg"), dir.File("a.kwd"), dir.File("a.wav")}));
  EXPECT_TRUE(fileio::Exists(dir.File("a.kwd")));
  EXPECT_TRUE(fileio::Exists(dir.File("a.wav")));

  auto removing = [&](const std::vector<std::string>& paths) {
    calls.push_back(paths);
    for (const auto& p : paths) fileio::RemoveFile(p);
    return 0;
  };
  EXPECT_EQ(RecycleWithSideFiles(dir.File("notes.txt"), Rule(), removing), 0);
  EXPECT_EQ(calls.back(), std::vector<std::string>{dir.File("notes.txt")});
  EXPECT_EQ(RecycleWithSideFiles(dir.File("gone.jpg"), Rule(), removing), 2);
  EXPECT_EQ(calls.size(), 2u);
}

TEST(FileOperations, CopyReplacesOnlyWithACompleteCopy) {
  TempDir dir;
  dir.Write("s.txt", "new");
  dir.Write("d.txt", "old");
  EXPECT_EQ(CopyReplacing(dir.File("s.txt"), dir.File("d.txt")), 0);
  EXPECT_EQ(dir.Read("d.txt"), "new");
  // A missing source leaves the destination and no partial file.
  EXPECT_NE(CopyReplacing(dir.File("none.txt"), dir.File("d.txt")), 0);
  EXPECT_EQ(dir.Read("d.txt"), "new");
  // Into a folder that does not exist: fails, nothing is made.
  EXPECT_NE(CopyReplacing(dir.File("s.txt"), dir.File("no\\d.txt")), 0);
  EXPECT_EQ(fileio::ListDirectory(dir.File("*.part*")).size(), 0u);
}

TEST(FileOperations, MoveReplacesTheDestinationWithItsSideFiles) {
  TempDir from, to;
  from.Write("a.jpg", "picture");
  from.Write("a.kwd", "keywords");
  to.Write("a.jpg", "old picture");
  to.Write("a.tim", "old time");
  to.Write("a.kwd", "old keywords");
  TransferResult r = TransferWithSideFiles(from.File("a.jpg"), to.Path(), true, Rule());
  EXPECT_EQ(r.error, 0);
  EXPECT_TRUE(r.sourceRemoved);
  EXPECT_EQ(to.Read("a.jpg"), "picture");
  EXPECT_EQ(to.Read("a.kwd"), "keywords");
  // The old picture's time file does not stay with the new picture.
  EXPECT_FALSE(fileio::Exists(to.File("a.tim")));
  EXPECT_FALSE(fileio::Exists(from.File("a.jpg")));
  EXPECT_FALSE(fileio::Exists(from.File("a.kwd")));
}

TEST(FileOperations, SideFilesFollowOnlyAPictureThatWent) {
  TempDir from, to;
  from.Write("b.jpg", "picture");
  from.Write("b.kwd", "keywords");
  to.Write("b.kwd", "the target's own");
  // The target's b.jpg is a folder: the picture cannot go, nothing of it moves.
  ASSERT_EQ(fileio::MakeDirectories(to.File("b.jpg")), 0);
  TransferResult r = TransferWithSideFiles(from.File("b.jpg"), to.Path(), true, Rule());
  EXPECT_NE(r.error, 0);
  EXPECT_FALSE(r.sourceRemoved);
  EXPECT_EQ(from.Read("b.jpg"), "picture");
  EXPECT_EQ(from.Read("b.kwd"), "keywords");
  EXPECT_EQ(to.Read("b.kwd"), "the target's own");

  // A text file is copied without looking for side files.
  from.Write("n.txt", "text");
  from.Write("n.kwd", "not a side file");
  r = TransferWithSideFiles(from.File("n.txt"), to.Path(), false, Rule());
  EXPECT_EQ(r.error, 0);
  EXPECT_EQ(to.Read("n.txt"), "text");
  EXPECT_FALSE(fileio::Exists(to.File("n.kwd")));
  EXPECT_TRUE(fileio::Exists(from.File("n.txt")));
}

}  // namespace
}  // namespace kelmor
