#include <gtest/gtest.h>

#include "imaging/side_files.h"

TEST(SideFiles, TheLastDotOfTheFileNameOnly) {
  EXPECT_EQ(SideFilePath("C:\\pics\\a.jpg", "qmf"), "C:\\pics\\a.qmf");
  EXPECT_EQ(SideFilePath("C:\\pics\\a.b.jpg", "qmf"), "C:\\pics\\a.b.qmf");
  EXPECT_EQ(SideFilePath("C:\\pics\\a.jpg", ".kwd"), "C:\\pics\\a.kwd");
  // A dot in a folder name is no extension: the picture has none.
  EXPECT_EQ(SideFilePath("C:\\my.pics\\scan", "qmf"), "C:\\my.pics\\scan.qmf");
  EXPECT_EQ(SideFilePath("C:\\pics\\scan", "qmf"), "C:\\pics\\scan.qmf");
  EXPECT_EQ(SideFilePath("C:\\my.pics\\scan", "kwd", SideFileNoDot::kNone), "");
  EXPECT_EQ(SideFilePath("C:\\pics\\a.jpg", "wav", SideFileNoDot::kNone), "C:\\pics\\a.wav");
  EXPECT_EQ(SideFilePath("a.tim.jpg", "tim"), "a.tim.tim");
  EXPECT_EQ(SideFilePath("D:scan.png", "sfx"), "D:scan.sfx");
  EXPECT_EQ(SideFilePath("pics/x.y/photo.JPG", "qmf"), "pics/x.y/photo.qmf");
}

TEST(SideFiles, EmptyPathsAndFoldersHaveNone) {
  EXPECT_EQ(SideFilePath("", "qmf"), "");
  EXPECT_EQ(SideFilePath("C:\\pics\\", "qmf"), "");
  EXPECT_EQ(SideFilePath("C:\\my.pics\\", "qmf"), "");
}
