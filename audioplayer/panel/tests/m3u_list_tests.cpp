// The ".m3u" reader: how names are completed from the list's place, and reading a file.
#include <gtest/gtest.h>

#include "fileio/paths.h"
#include "jorvel/m3u_list.h"
#include "temp_dir.h"

namespace jorvel {

namespace {

TEST(M3uList, NamesAreCompletedFromTheListsFolderOrDrive) {
  // A comment after blanks is skipped; a bare name takes the list's folder; a relative path
  // with a "\" the list's drive; a path with a drive stays.
  EXPECT_EQ(M3uItems("  #c\r\na.mp3\r\nsub\\b.mp3\r\nD:\\c.mp3\r\n", "C:\\l\\x.m3u"),
            "C:\\l\\a.mp3|C:\\sub\\b.mp3|D:\\c.mp3");
  std::string m3u =
      "#EXTM3U\r\n  # a comment\r\nsong.mp3\r\nsub\\two.mp3\r\n\\root\\three.mp3\r\nE:\\x\\four.mp3\r\n"
      "http://radio.example.org/live\r\n\r\n";
  EXPECT_EQ(M3uItems(m3u, "D:\\lists\\mine.m3u"),
            "D:\\lists\\song.mp3|D:\\sub\\two.mp3|D:\\root\\three.mp3|E:\\x\\four.mp3|http://radio.example.org/live");
}

TEST(M3uList, AddressesNetworkPathsAndSingleCharactersStayAsTheyAre) {
  EXPECT_EQ(M3uItems("http://host/a.mp3\r\nftp://host/b.mp3\r\n\\\\server\\share\\c.mp3\r\nx\r\n", "C:\\l\\x.m3u"),
            "http://host/a.mp3|ftp://host/b.mp3|\\\\server\\share\\c.mp3|x");
  // A list on a share: its "drive" is the share.
  EXPECT_EQ(M3uItems("a.mp3\r\nsub\\b.mp3\r\n\\c.mp3", "\\\\srv\\music\\lists\\x.m3u"),
            "\\\\srv\\music\\lists\\a.mp3|\\\\srv\\music\\sub\\b.mp3|\\\\srv\\music\\c.mp3");
  EXPECT_EQ(M3uItems("", "C:\\l\\x.m3u"), "");
  EXPECT_EQ(M3uItems("#only\n\n   \n", "C:\\l\\x.m3u"), "");
}

TEST(M3uList, AListNamedWithoutADriveLiesOnTheProgramsDrive) {
  EXPECT_EQ(PlayListPath("lists\\x.m3u", "C:\\Suite\\"), "C:\\lists\\x.m3u");
  EXPECT_EQ(PlayListPath("\\lists\\\\x.m3u", "C:\\Suite\\"), "C:\\lists\\x.m3u");
  EXPECT_EQ(PlayListPath("D:\\x.m3u", "C:\\Suite\\"), "D:\\x.m3u");
  EXPECT_EQ(PlayListPath("\\\\srv\\share\\x.m3u", "C:\\Suite\\"), "\\\\srv\\share\\x.m3u");
}

TEST(M3uList, ReadingAFileReplacesTheListAMissingOneLeavesIt) {
  TempDir dir;
  std::string path = dir.Write("lists\\My List.M3U", "#EXTM3U\r\none.wav\r\n\r\n  two.wav  \r\n");
  std::string list = "old.wav";
  EXPECT_FALSE(READPLAYLIST(dir.File("lists\\missing.m3u"), dir.Path(), list));
  EXPECT_EQ(list, "old.wav");
  EXPECT_FALSE(READPLAYLIST(dir.File("lists"), dir.Path(), list));
  EXPECT_EQ(list, "old.wav");
  ASSERT_TRUE(READPLAYLIST(path, dir.Path(), list));
  std::string folder = fileio::FolderOf(path);
  EXPECT_EQ(list, folder + "one.wav|" + folder + "two.wav");
}

}  // namespace

}  // namespace jorvel
