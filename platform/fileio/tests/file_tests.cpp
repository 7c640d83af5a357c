#include <gtest/gtest.h>

#include "fileio/file.h"
#include "fileio/paths.h"
#include "temp_dir.h"

using namespace fileio;

TEST(File, ReadsAndWritesAtOffsets) {
  TempDir dir;
  File f;
  ASSERT_EQ(f.Open(dir.File("a.bin"), Access::WriteNew), kOk);
  ASSERT_EQ(f.Write("hello", 5), kOk);
  ASSERT_EQ(f.WriteAt(10, "XY", 2), kOk);  // leaves a hole of zeros
  EXPECT_EQ(f.Size(), 12);
  char buf[12];
  size_t got = 0;
  ASSERT_EQ(f.ReadAt(0, buf, sizeof buf, got), kOk);
  ASSERT_EQ(got, 12u);
  EXPECT_EQ(std::string(buf, 5), "hello");
  EXPECT_EQ(buf[7], '\0');
  EXPECT_EQ(std::string(buf + 10, 2), "XY");
  // Reading past the end returns what there is.
  ASSERT_EQ(f.ReadAt(11, buf, sizeof buf, got), kOk);
  EXPECT_EQ(got, 1u);
  ASSERT_EQ(f.Truncate(3), kOk);
  EXPECT_EQ(f.Size(), 3);
}

TEST(File, MissingFilesAndFoldersReportWindowsErrors) {
  TempDir dir;
  File f;
  EXPECT_EQ(f.Open(dir.File("none.txt"), Access::Read), kErrFileNotFound);
  EXPECT_FALSE(f.IsOpen());
  int rc = f.Open(dir.File("nofolder\\x.txt"), Access::WriteNew);
  EXPECT_TRUE(rc == kErrPathNotFound || rc == kErrFileNotFound) << rc;
  EXPECT_EQ(FileSize(dir.File("none.txt")), -1);
  EXPECT_NE(RemoveFile(dir.File("none.txt")), kOk);
}

TEST(File, LocksExcludeOtherHandlesOfTheSameProcess) {
  TempDir dir;
  std::string path = dir.Write("db.f01", std::string(1342, ' '));
  File a, b;
  ASSERT_EQ(a.Open(path, Access::ReadWrite), kOk);
  ASSERT_EQ(b.Open(path, Access::ReadWrite), kOk);
  ASSERT_EQ(a.Lock(0, 671), kOk);
  EXPECT_EQ(b.Lock(0, 671), kErrLockViolation);
  EXPECT_EQ(b.Lock(671, 671), kOk);  // another record is free
  ASSERT_EQ(a.Unlock(0, 671), kOk);
  EXPECT_EQ(b.Lock(0, 671), kOk);
}

TEST(File, WriteReplacingKeepsTheOldFileWhenTheWriteCannotStart) {
  TempDir dir;
  std::string path = dir.Write("show.ssl", "old");
  ASSERT_EQ(WriteFileReplacing(path, "new contents"), kOk);
  EXPECT_EQ(dir.Read("show.ssl"), "new contents");
  EXPECT_FALSE(Exists(path + ".new~"));
  // A target in a missing folder fails and creates nothing.
  EXPECT_NE(WriteFileReplacing(dir.File("missing\\x.ssl"), "x"), kOk);
  EXPECT_FALSE(Exists(dir.File("missing")));
}

TEST(File, RenameRefusesAnExistingTargetButMoveReplaces) {
  TempDir dir;
  std::string a = dir.Write("a.thm", "A");
  std::string b = dir.Write("a.bak", "B");
  EXPECT_NE(RenameFile(a, b), kOk);
  EXPECT_EQ(dir.Read("a.bak"), "B");
  EXPECT_EQ(MoveFileReplacing(a, b), kOk);
  EXPECT_EQ(dir.Read("a.bak"), "A");
  EXPECT_FALSE(Exists(a));
}

TEST(File, MakesNestedFoldersAndListsWithPatterns) {
  TempDir dir;
  ASSERT_EQ(MakeDirectories(dir.File("x\\y\\z\\")), kOk);
  EXPECT_TRUE(IsDirectory(dir.File("x\\y\\z")));
  EXPECT_EQ(MakeDirectories(dir.File("x\\y")), kOk);  // existing is fine
  dir.Write("x\\A.JPG", "1");
  dir.Write("x\\b.png", "22");
  dir.Write("x\\c.txt", "333");
  auto jpgs = ListDirectory(dir.File("x\\*.jpg"));
  ASSERT_EQ(jpgs.size(), 1u);
  EXPECT_EQ(jpgs[0].name, "A.JPG");
  EXPECT_EQ(jpgs[0].size, 1);
  auto all = ListDirectory(dir.File("x\\*.*"));
  EXPECT_EQ(all.size(), 4u);  // three files and the folder y, never "." or ".."
  // "folder\*.*" exists for any existing folder, even an empty one.
  EXPECT_TRUE(PatternExists(dir.File("x\\y\\z\\*.*")));
  EXPECT_FALSE(PatternExists(dir.File("nothere\\*.*")));
  EXPECT_FALSE(PatternExists(dir.File("x\\*.gif")));
}

TEST(File, CopyKeepsEveryByteOfAFileLargerThanOnePieceAndReplacesTheTarget) {
  TempDir dir;
  std::string bytes(size_t(2) * 1024 * 1024 + 12345, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = char((i * 131) >> 3);
  {
    File f;
    ASSERT_EQ(f.Open(dir.File("big.bin"), Access::WriteNew), kOk);
    ASSERT_EQ(f.WriteAt(0, bytes.data(), bytes.size()), kOk);
    File old;
    ASSERT_EQ(old.Open(dir.File("copy.bin"), Access::WriteNew), kOk);
    ASSERT_EQ(old.WriteAt(0, "old content that is longer", 26), kOk);
  }
  ASSERT_EQ(CopyFileTo(dir.File("big.bin"), dir.File("copy.bin")), kOk);
  std::string copied;
  ASSERT_EQ(ReadWholeFile(dir.File("copy.bin"), copied), kOk);
  EXPECT_TRUE(copied == bytes);
  EXPECT_NE(CopyFileTo(dir.File("missing.bin"), dir.File("other.bin")), kOk);
  EXPECT_FALSE(Exists(dir.File("other.bin")));
}
