// The browser's texts: the start folder of a command line, the masks and the labels.
#include <gtest/gtest.h>

#include "hessam/texts.h"

namespace hessam {
namespace {

TEST(StartFolder, QuotesAndTrailingSeparatorsGo) {
  // A folder with a "." and a trailing "\", quoted as a shell passes it.
  EXPECT_EQ(CommandLineFolder("\"C:\\My Pictures\\Trip.2024\\\""), "C:\\My Pictures\\Trip.2024\\");
  EXPECT_EQ(CommandLineFolder("C:\\My Pictures\\Trip.2024"), "C:\\My Pictures\\Trip.2024\\");
  EXPECT_EQ(CommandLineFolder("  C:\\Pics\\\\  "), "C:\\Pics\\");
  EXPECT_EQ(CommandLineFolder("C:\\"), "C:\\");
  EXPECT_EQ(CommandLineFolder(""), "");
  EXPECT_EQ(CommandLineFolder("\"\""), "");
}

TEST(StartFolder, ProgramBaseNameIsCutInTheFileName) {
  EXPECT_EQ(ProgramBaseName("C:\\Suite.2\\hessam.exe"), "hessam");
  EXPECT_EQ(ProgramBaseName("C:\\Suite\\hessam.test.exe"), "hessam");
  EXPECT_EQ(ProgramBaseName("C:\\Suite\\hessam"), "hessam");
}

TEST(StartFolder, NamesAndMasks) {
  EXPECT_EQ(FolderDisplayName("C:\\Pictures\\Trip.2024\\"), "Trip.2024");
  EXPECT_EQ(FolderDisplayName("C:\\"), "C:\\");
  EXPECT_EQ(SearchMask("C:\\Pictures"), "C:\\Pictures\\*.*");
  EXPECT_EQ(SearchMask("C:\\Pictures\\"), "C:\\Pictures\\*.*");
  EXPECT_EQ(ProbeMask("C:\\Trip.2024\\*.*"), "C:\\Trip.2024\\*.*");
  EXPECT_EQ(ProbeMask("C:\\Trip.2024\\*.jpg"), "C:\\Trip.2024\\*.*");
}

TEST(BrowserTexts, LabelsAndKeywords) {
  EXPECT_EQ(SelectionLabel("C:\\Pics\\Sea.JPG", 640, 480), "sea.jpg 640x480");
  EXPECT_EQ(KeywordText(std::string("  sea, sun\r\n\0garbage", 21)), "sea, sun");
  EXPECT_EQ(KeywordText("\t\r\n"), "");
  EXPECT_EQ(HoverText("C:\\Pics\\Sea.JPG", "sea, sun"), "sea.jpg :  sea, sun");
  EXPECT_EQ(HoverText("C:\\Pics\\Sea.JPG", ""), "sea.jpg");
}

TEST(BrowserTexts, BoxTexts) {
  EXPECT_EQ(MissingPictureText("The picture is gone:", "c:\\pics\\trip\\a.jpg"), "The picture is gone:|C:\\PICS\\TRIP");
  EXPECT_EQ(MissingPictureText("Gone", "c:\\a.jpg"), "Gone|C:\\");
  EXPECT_EQ(FillCountAndFolder("# pictures of @ go (#)", 3, "C:\\A#@\\"), "3 pictures of C:\\A#@\\ go (3)");
  EXPECT_EQ(AboutText("Skin 1.0", "Pictures (c) #", 2024), "Skin 1.0|Pictures (c) 2024");
  EXPECT_EQ(AboutText("", "(c) #", 2024), "(c) 2024");
}

}  // namespace
}  // namespace hessam
