// Emptying and measuring folder trees, and the free space of a volume.
#include <gtest/gtest.h>

#include "fileio/file.h"
#include "skin/sk_folders.h"
#include "temp_dir.h"

TEST(ClearTree, EmptiesTheFolderAndKeepsIt) {
  TempDir dir;
  dir.Write("show/a.png", "12345");
  dir.Write("show/skin/back.bmp", "123");
  dir.Write("show/skin/deeper/x.txt", "1");
  dir.Write("beside.txt", "keep");
  std::string show = dir.File("show");
  EXPECT_EQ(SKFOLDERSIZE(show), 9);
  EXPECT_EQ(SKCLEARTREE(show), 0);
  EXPECT_TRUE(fileio::IsDirectory(show));
  EXPECT_TRUE(fileio::ListDirectory(show + "/*").empty());
  EXPECT_EQ(SKFOLDERSIZE(show), 0);
  // Nothing outside the folder goes.
  EXPECT_EQ(dir.Read("beside.txt"), "keep");
}

TEST(ClearTree, RefusesRootsRelativePathsAndMissingFolders) {
  for (const char* bad : {"", "  ", "C:\\", "C:", "c:/", "\\\\server\\share", "\\\\server\\share\\", "relative\\x"})
    EXPECT_EQ(SKCLEARTREE(bad), 5) << bad;
#ifndef _WIN32
  EXPECT_EQ(SKCLEARTREE("/"), 5);
#endif
  TempDir dir;
  EXPECT_EQ(SKCLEARTREE(dir.File("missing")), 3);
  EXPECT_EQ(SKFOLDERSIZE(dir.File("missing")), 0);
}

#ifdef _WIN32
TEST(DiskFree, AsksTheNearestExistingFolder) {
  TempDir dir;
  int64_t free = SKDISKFREE(dir.Path());
  EXPECT_GT(free, 0);
  // A target that does not exist yet is measured on its volume.
  EXPECT_GT(SKDISKFREE(dir.File("not\\yet\\there\\")), 0);
  EXPECT_EQ(SKDISKFREE(""), -1);
}
#endif
