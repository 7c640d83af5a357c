#include <gtest/gtest.h>

#include "dunmere/show_format.h"
#include "fileio/fields.h"
#include "fileio/macros.h"

using namespace dunmere;

TEST(ProjectFile, TwoSlidesWithTheirNumbersByteForByte) {
  ShowHeader h;
  h.optionOne = 1;
  h.optionTwo = 0;
  h.optionThree = 1;
  h.groupValue = 5;
  h.textFileNumber = 2;
  h.defaultTime = 4000;
  EXPECT_EQ(FormatProjectFile(h, {"D:\\T\\a.jpg", "D:\\T\\b.jpg"}),
            "[|1|0|1|5|2|4000]\r\nD:\\T\\a.jpg\r\nD:\\T\\b.jpg\r\n");
  h.musicList = "C:\\Suite\\MUSIC\\calm.m3u";
  EXPECT_EQ(FormatProjectFile(h, {}), "[C:\\Suite\\MUSIC\\calm.m3u|1|0|1|5|2|4000]\r\n");
}

TEST(ProjectFile, ReadingTakesTheMusicAndOptionsButNotTheOtherNumbers) {
  ProjectFile f = ParseProjectFile("  [C:\\m.m3u|1|0|1|9|9|9999]  \r\n  D:\\a b\\x.jpg \r\n\r\nD:\\y.png\n");
  EXPECT_TRUE(f.hasHeader);
  EXPECT_EQ(f.musicList, "C:\\m.m3u");
  EXPECT_TRUE(f.hasOption[0] && f.hasOption[1] && f.hasOption[2]);
  EXPECT_EQ(f.options[0], 1);
  EXPECT_EQ(f.options[1], 0);
  EXPECT_EQ(f.options[2], 1);
  ASSERT_EQ(f.slides.size(), 2u);
  EXPECT_EQ(f.slides[0], "D:\\a b\\x.jpg");
  EXPECT_EQ(f.slides[1], "D:\\y.png");

  // A short header sets only the options it holds; a file without header is all slides.
  ProjectFile shortHeader = ParseProjectFile("[|1]\r\n");
  EXPECT_TRUE(shortHeader.hasOption[0]);
  EXPECT_FALSE(shortHeader.hasOption[1]);
  EXPECT_EQ(shortHeader.musicList, "");
  ProjectFile none = ParseProjectFile("a.jpg\r\nb.jpg");
  EXPECT_FALSE(none.hasHeader);
  EXPECT_EQ(none.slides.size(), 2u);
}

TEST(ProjectFile, RoundTripKeepsSlidesInOrder) {
  ShowHeader h;
  h.musicList = "C:\\music\\list.m3u";
  h.optionTwo = 1;
  std::vector<std::string> slides = {"C:\\p\\3.jpg", "C:\\p\\1.jpg", "C:\\other, folder\\2.bmp"};
  ProjectFile f = ParseProjectFile(FormatProjectFile(h, slides));
  EXPECT_EQ(f.musicList, h.musicList);
  EXPECT_EQ(f.slides, slides);
  EXPECT_EQ(f.options[1], 1);
}

TEST(ProjectFile, PathAndNameRules) {
  EXPECT_EQ(ProjectFilePath("C:\\Shows\\", "Holiday", "NEWSHOW", ".ssf"), "C:\\Shows\\Holiday.ssf");
  // The extension is not doubled, blanks go, only the file name part counts.
  EXPECT_EQ(ProjectFilePath("C:\\Shows", " Holiday.SSF ", "NEWSHOW", ".ssf"), "C:\\Shows\\Holiday.ssf");
  EXPECT_EQ(ProjectFilePath("C:\\Shows\\", "D:\\elsewhere\\Trip", "NEWSHOW", ".ssf"), "C:\\Shows\\Trip.ssf");
  EXPECT_EQ(ProjectFilePath("C:\\Shows\\", "  ", "NEWSHOW", ".ssf"), "C:\\Shows\\NEWSHOW.ssf");
  EXPECT_EQ(ShowNameOf("My trip.ssf", "NEWSHOW", ".ssf"), "My trip");
  std::string first, second;
  SplitExtensions(".ssf,avi", first, second);
  EXPECT_EQ(first, ".ssf");
  EXPECT_EQ(second, ".avi");
  SplitExtensions("ssf", first, second);
  EXPECT_EQ(first, ".ssf");
  EXPECT_EQ(second, "");
}

TEST(ShowList, HeaderAndEntries) {
  ShowHeader h;
  h.optionOne = 1;
  h.groupValue = 3;
  h.textFileNumber = 1;
  h.defaultTime = 4000;
  h.modeFlag = -1;
  // Without a music list the "|" follows the "[" directly.
  EXPECT_EQ(FormatShowList(h, {{"@path@00000001.png", "6000"}, {"@path@00000002.png", "4000"}}),
            "[|1|0|0|3|1|4000|-1]\r\n@path@00000001.png,6000\r\n@path@00000002.png,4000\r\n");
  h.musicList = "@path@calm.m3u";
  EXPECT_EQ(FormatShowList(h, {}), "[@path@calm.m3u|1|0|0|3|1|4000|-1]\r\n");
}

TEST(ShowList, ThePlayerReadsItBackWithThePathsExpanded) {
  ShowHeader h;
  h.musicList = "@path@calm.m3u";
  h.optionThree = 1;
  h.groupValue = 7;
  h.textFileNumber = 2;
  h.defaultTime = 2500;
  h.modeFlag = -1;
  std::string text = FormatShowList(h, {{"@path@00000001.png", "6000"}, {"@PATH@00000002.png", "2500"}});
  ShowList list = ParseShowList(text, "E:\\");
  ASSERT_TRUE(list.valid);
  EXPECT_EQ(list.header.musicList, "E:\\calm.m3u");
  EXPECT_EQ(list.header.optionThree, 1);
  EXPECT_EQ(list.header.groupValue, 7);
  EXPECT_EQ(list.header.textFileNumber, 2);
  EXPECT_EQ(list.header.defaultTime, 2500);
  EXPECT_EQ(list.header.modeFlag, -1);
  ASSERT_EQ(list.entries.size(), 2u);
  EXPECT_EQ(list.entries[0].picture, "E:\\00000001.png");
  EXPECT_EQ(list.entries[0].time, "6000");
  EXPECT_EQ(list.entries[1].picture, "E:\\00000002.png");

  EXPECT_FALSE(ParseShowList("00000001.png,1\r\n", "E:\\").valid);
  EXPECT_EQ(ParseShowList("[|0|0|0|0|0|0|0]\r\n", "E:\\").header.musicList, "");
}

TEST(ShowList, TimeFromATimFile) {
  EXPECT_EQ(TimeFromTimText("6000"), "6000");
  EXPECT_EQ(TimeFromTimText(" 6000 \r\nrest"), "6000");
  EXPECT_EQ(TimeFromTimText(""), "");
}

TEST(Autorun, ThreeLinesAndQuotedNamesWithBlanks) {
  EXPECT_EQ(FormatAutorun("falcet.exe", "falcet.ssf"),
            "[autorun]\r\nOPEN=falcet.exe falcet.ssf\r\nICON=falcet.exe,0\r\n");
  EXPECT_EQ(FormatAutorun("falcet.exe", "My trip.avi"),
            "[autorun]\r\nOPEN=falcet.exe \"My trip.avi\"\r\nICON=falcet.exe,0\r\n");
  EXPECT_EQ(fileio::UnquoteField(" \"My trip.avi\" "), "My trip.avi");
  EXPECT_EQ(fileio::UnquoteField("trip.avi"), "trip.avi");
}

TEST(TextHelpers, MacrosNumbersQuotes) {
  EXPECT_EQ(fileio::ExpandPathMacros("@path@MUSIC", ShowPathMacros("C:\\S\\")), "C:\\S\\MUSIC");
  EXPECT_EQ(fileio::ExpandPathMacros("@Path@x", ShowPathMacros("C:\\S\\")), "C:\\S\\x");
  EXPECT_EQ(fileio::ExpandPathMacros("D:\\@path@", ShowPathMacros("C:\\S\\")), "D:\\@path@");
  EXPECT_EQ(fileio::LeadingNumber(" 42x"), 42);
  EXPECT_EQ(fileio::LeadingNumber("-1"), -1);
  EXPECT_EQ(fileio::LeadingNumber("abc"), 0);
  EXPECT_EQ(fileio::LeadingNumber("99999999999"), 2147483647);
  EXPECT_EQ(QuoteIfBlank("C:\\a b\\c"), "\"C:\\a b\\c\"");
  EXPECT_EQ(QuoteIfBlank("C:\\ab\\c"), "C:\\ab\\c");
  EXPECT_EQ(QuoteIfBlank("\"C:\\a b\""), "\"C:\\a b\"");
}
