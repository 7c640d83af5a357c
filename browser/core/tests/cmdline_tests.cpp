// The command line decides whether the process becomes the browser, and turns file names
// into the list that the partner receives.
#include <gtest/gtest.h>

#include "kelmor/cmdline.h"

namespace kelmor {

namespace {

TEST(FileNames, BlanksInsideAPathWithoutQuotesKeepItOneName) {
  EXPECT_EQ(PrepareFileNames("c:\\my pictures\\a.jpg"), "c:\\my pictures\\a.jpg");
}

TEST(FileNames, QuotedAndUnquotedNamesAreSeparated) {
  EXPECT_EQ(PrepareFileNames("\"c:\\my pictures\\a.jpg\" \"d:\\b.jpg\""), "c:\\my pictures\\a.jpg|d:\\b.jpg");
  EXPECT_EQ(PrepareFileNames("\"c:\\my pictures\\a.jpg\" d:\\b.jpg"), "c:\\my pictures\\a.jpg|d:\\b.jpg");
  EXPECT_EQ(PrepareFileNames("c:\\a.jpg d:\\b.jpg"), "c:\\a.jpg|d:\\b.jpg");
  EXPECT_EQ(PrepareFileNames("\"c:\\one.jpg\" \"c:\\two words.jpg\""), "c:\\one.jpg|c:\\two words.jpg");
}

TEST(FileNames, AnUnpairedQuoteEndsThePassAndTheRestIsOneName) {
  EXPECT_EQ(PrepareFileNames("\"c:\\a b.jpg"), "c:\\a b.jpg");
  EXPECT_EQ(PrepareFileNames("c:\\x.jpg \"d:\\a b.jpg"), "c:\\x.jpg|d:\\a b.jpg");
  EXPECT_EQ(PrepareFileNames("\"c:\\a.jpg\" \"c:\\b c.jpg"), "c:\\a.jpg|c:\\b c.jpg");
  EXPECT_EQ(PrepareFileNames("\""), "");
}

TEST(FileNames, RepeatedBlanksGiveNoEmptyNames) {
  EXPECT_EQ(PrepareFileNames("\"a.jpg\"  \"b.jpg\""), "a.jpg|b.jpg");
  EXPECT_EQ(PrepareFileNames("\"\" \"b.jpg\""), "b.jpg");
}

TEST(CommandLine, UsbDetectedInAnyCaseStartsTheBrowserWithoutHandOver) {
  for (const char* text : {"USBDETECTED", "usbdetected", "  UsbDetected  "}) {
    BrowserCommandLine c = ParseBrowserCommandLine(text);
    EXPECT_TRUE(c.startByDrive) << text;
    EXPECT_TRUE(c.fileList.empty()) << text;
    EXPECT_TRUE(c.skinFile.empty()) << text;
  }
}

TEST(CommandLine, ASkinFileIsNotHandedOver) {
  BrowserCommandLine c = ParseBrowserCommandLine(" C:\\Skins\\Blue\\Blue.SKS ");
  EXPECT_EQ(c.skinFile, "c:\\skins\\blue\\blue.sks");
  EXPECT_TRUE(c.fileList.empty());
  EXPECT_EQ(ParseBrowserCommandLine("\"C:\\My Skins\\a.sks\"").skinFile, "c:\\my skins\\a.sks");
}

TEST(CommandLine, FileNamesAreLowerCasedAndJoined) {
  BrowserCommandLine c = ParseBrowserCommandLine("\"C:\\My Pictures\\A.JPG\" D:\\B.jpg");
  EXPECT_EQ(c.fileList, "c:\\my pictures\\a.jpg|d:\\b.jpg");
  EXPECT_FALSE(c.startByDrive);
  EXPECT_TRUE(ParseBrowserCommandLine("   ").fileList.empty());
  EXPECT_TRUE(ParseBrowserCommandLine("").fileList.empty());
}

}  // namespace

}  // namespace kelmor
