// The settings line and the favourites: what is read, what is clamped, what is written.
#include <gtest/gtest.h>

#include <set>

#include "fileio/file.h"
#include "kelmor/settings.h"
#include "temp_dir.h"

namespace kelmor {

namespace {

TEST(SettingsLine, ReadsAndWritesTheNineFields) {
  BrowserSettingsRecord r;
  ASSERT_TRUE(ParseSettingsLine("10|20|640|480|C:\\Pics\\|*.jpg;*.png|0|1|1", r));
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 20);
  EXPECT_EQ(r.width, 640);
  EXPECT_EQ(r.height, 480);
  EXPECT_EQ(r.folder, "C:\\Pics\\");
  EXPECT_EQ(r.filter, "*.jpg;*.png");
  EXPECT_EQ(r.option809, 0);
  EXPECT_EQ(r.hintOff, 1);
  EXPECT_EQ(r.markers, 1);
  EXPECT_EQ(FormatSettingsLine(r), "10|20|640|480|C:\\Pics\\|*.jpg;*.png|0|1|1");
}

TEST(SettingsLine, AnEmptyLineGivesNoSettingsAndShortLinesKeepTheRest) {
  BrowserSettingsRecord r;
  r.hintOff = 1;
  EXPECT_FALSE(ParseSettingsLine("", r));
  EXPECT_FALSE(ParseSettingsLine("\r\n", r));
  ASSERT_TRUE(ParseSettingsLine("-5|x|700", r));
  EXPECT_EQ(r.left, -5);
  EXPECT_EQ(r.top, 0);  // not a number
  EXPECT_EQ(r.width, 700);
  EXPECT_EQ(r.hintOff, 1);
  EXPECT_EQ(r.option809, -1);
}

TEST(SettingsLimits, PositionSizeAndAFolderThatIsGone) {
  BrowserSettingsRecord r;
  ParseSettingsLine("-5|-7|10|10|C:\\gone\\|*.jpg|1|0|0", r);
  std::set<std::string> asked;
  ClampSettings(r, 320, 200, [&asked](const std::string& f) {
    asked.insert(f);
    return false;
  });
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.width, 320);
  EXPECT_EQ(r.height, 200);
  EXPECT_EQ(r.folder, "");
  EXPECT_EQ(asked, std::set<std::string>{"C:\\gone"});

  BrowserSettingsRecord kept;
  ParseSettingsLine("5|6|900|700|C:\\here|*.jpg|1|0|0", kept);
  ClampSettings(kept, 320, 200, [](const std::string&) { return true; });
  EXPECT_EQ(FormatSettingsLine(kept), "5|6|900|700|C:\\here|*.jpg|1|0|0");
}

TEST(SettingsLimits, DefaultsAreCentredAndAtLeastTheSkinMinimum) {
  BrowserSettingsRecord r;
  DefaultPlacement(r, 1280, 1024, 320, 200);
  EXPECT_EQ(r.width, 600);
  EXPECT_EQ(r.height, 400);
  EXPECT_EQ(r.left, 340);
  EXPECT_EQ(r.top, 312);
  DefaultPlacement(r, 640, 480, 800, 500);
  EXPECT_EQ(r.width, 800);
  EXPECT_EQ(r.height, 500);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
}

TEST(SettingsFile, WrittenWithoutLineEndAndReadBack) {
  TempDir dir;
  BrowserSettingsRecord r;
  r.left = 1;
  r.top = 2;
  r.width = 700;
  r.height = 500;
  r.folder = "C:\\x\\";
  r.filter = "*.*";
  ASSERT_EQ(WriteSettingsFile(dir.File("kelmor.cfg"), r), 0);
  EXPECT_EQ(dir.Read("kelmor.cfg"), "1|2|700|500|C:\\x\\|*.*|-1|0|0");
  BrowserSettingsRecord back;
  ASSERT_TRUE(ReadSettingsFile(dir.File("kelmor.cfg"), back));
  EXPECT_EQ(FormatSettingsLine(back), FormatSettingsLine(r));

  dir.Write("crlf.cfg", "3|4|600|400|C:\\y|*.jpg|0|0|1\r\nrubbish");
  ASSERT_TRUE(ReadSettingsFile(dir.File("crlf.cfg"), back));
  EXPECT_EQ(back.markers, 1);
  EXPECT_EQ(back.folder, "C:\\y");

  dir.Write("empty.cfg", "");
  EXPECT_FALSE(ReadSettingsFile(dir.File("empty.cfg"), back));
  EXPECT_FALSE(ReadSettingsFile(dir.File("missing.cfg"), back));
}

TEST(SettingsFile, AFailedWriteKeepsTheOldFile) {
  TempDir dir;
  BrowserSettingsRecord r;
  EXPECT_NE(WriteSettingsFile(dir.File("no folder\\kelmor.cfg"), r), 0);
  EXPECT_FALSE(fileio::Exists(dir.File("no folder\\kelmor.cfg")));
}

TEST(Favourites, OnlyNewExistingFoldersOffRemovableDrivesAreTaken) {
  std::vector<std::string> entries{" c:\\kept"};
  std::vector<std::string> lines{"",          "c:\\kept",   "e:\\stick", "c:\\gone",
                                 "c:\\photos", "c:\\music\\", "c:\\photos", "C:\\Photos\\"};
  std::string first = AddFavouriteLines(
      lines, entries, [](const std::string& root) { return root == "e:\\"; },
      [](const std::string& folder) { return folder != "c:\\gone"; });
  EXPECT_EQ(first, "c:\\photos");
  EXPECT_EQ(entries, (std::vector<std::string>{" c:\\kept", " c:\\photos", " c:\\music\\"}));
}

TEST(Favourites, TheCurrentFolderGoesOnTopOnce) {
  EXPECT_EQ(FavouriteTip("C:\\My Pictures\\"), "c:\\my pictures");
  std::vector<std::string> entries{" c:\\a", " c:\\my pictures"};
  PutFolderOnTop(entries, "c:\\my pictures");
  EXPECT_EQ(entries.size(), 2u);
  PutFolderOnTop(entries, "c:\\new");
  EXPECT_EQ(entries.front(), " c:\\new");
  // A favourite typed in other letters is the same folder.
  std::vector<std::string> typed{" C:\\Users\\Me\\"};
  PutFolderOnTop(typed, "c:\\users\\me");
  EXPECT_EQ(typed, std::vector<std::string>{" C:\\Users\\Me\\"});
}

TEST(Favourites, FileTextIsTrimmedLinesWithCrLf) {
  EXPECT_EQ(FormatFavourites({" c:\\a", "  c:\\b c  "}), "c:\\a\r\nc:\\b c\r\n");
  EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
}

}  // namespace

}  // namespace kelmor
