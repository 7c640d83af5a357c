#include <gtest/gtest.h>

#include "falcet/command_line.h"
#include "fileio/macros.h"

namespace falcet {

TEST(ArgumentList, QuotedNamesKeepTheirBlanks) {
  EXPECT_EQ(ArgumentList("\"C:\\My P\\a.jpg\" \"C:\\My P\\b.jpg\""), "C:\\My P\\a.jpg|C:\\My P\\b.jpg");
  // Three quoted names; the last closing quote ends the line.
  EXPECT_EQ(ArgumentList("\"C:\\a b\\1.jpg\" \"C:\\a b\\2.jpg\" \"C:\\a b\\3.jpg\""),
            "C:\\a b\\1.jpg|C:\\a b\\2.jpg|C:\\a b\\3.jpg");
  // The closing quote second to last (a trailing blank after it).
  EXPECT_EQ(ArgumentList("\"C:\\x y.avi\" "), "C:\\x y.avi");
}

TEST(ArgumentList, UnquotedNamesPartOnlyInFrontOfADrivePath) {
  EXPECT_EQ(ArgumentList("C:\\a.jpg D:\\b.jpg"), "C:\\a.jpg|D:\\b.jpg");
  EXPECT_EQ(ArgumentList("C:\\My P\\a.jpg"), "C:\\My P\\a.jpg");
  EXPECT_EQ(ArgumentList("C:\\My Pictures\\a b.jpg E:\\c d.jpg"), "C:\\My Pictures\\a b.jpg|E:\\c d.jpg");
  // After a quoted name, the rest of the line is one name, parted at drive paths.
  EXPECT_EQ(ArgumentList("\"C:\\a b.jpg\" C:\\c d.jpg"), "C:\\a b.jpg|C:\\c d.jpg");
  EXPECT_EQ(ArgumentList("list.upl"), "list.upl");
  EXPECT_EQ(ArgumentList("   "), "");
}

TEST(ArgumentList, UnmatchedQuoteTakesTheRestAsOneName) {
  EXPECT_EQ(ArgumentList("\"C:\\My P\\a.jpg"), "C:\\My P\\a.jpg");
}

TEST(CommandLine, KeywordsAndUiTextArgument) {
  EXPECT_TRUE(HasRecordKeyword("C:\\show\\ ssl2avi"));
  EXPECT_TRUE(HasRecordKeyword("SSL2AVI"));
  EXPECT_FALSE(HasRecordKeyword("C:\\video.avi"));
  EXPECT_TRUE(IsUiTextArgument("@path@other.sys"));
  EXPECT_FALSE(IsUiTextArgument("C:\\my texts\\other.SYS"));
  EXPECT_FALSE(IsUiTextArgument("C:\\a.sysx"));
  // The player's macros: every hit, in any case, with the text around it kept; a macro cut
  // short stays.
  EXPECT_EQ(fileio::ExpandPathMacros("@PATH@x.sys|@path@y", {.programFolder = "C:\\S\\"}), "C:\\S\\x.sys|C:\\S\\y");
  EXPECT_EQ(fileio::ExpandPathMacros("a@WIN@b@win@@wi", {.windowsFolder = "X"}), "aXbX@wi");
}

TEST(CommandLine, OnlyAUiTextWithoutFaultsMayReplaceTheOwn) {
  std::vector<UiTextError> errors;
  EXPECT_TRUE(IsUsableUiText("STRING 1 \"Other player\"\r\nMENU 1 \"&File\"\r\n  ITEM 101 \"&Open\"\r\nEND\r\n", errors));
  EXPECT_TRUE(errors.empty());
  // One bad line is enough: the number that once asked for gigabytes at start-up.
  EXPECT_FALSE(IsUsableUiText("STRING 1 \"Other player\"\r\nSTRING 999999999 \"x\"\r\n", errors));
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].line, 2);
  EXPECT_FALSE(IsUsableUiText(std::string("\x89PNG\r\n\x1A\n\0\0", 10), errors));
  EXPECT_FALSE(errors.empty());
  // Nothing but comments and blank lines defines nothing the player could show.
  EXPECT_FALSE(IsUsableUiText("# only a comment\r\n\r\n", errors));
  EXPECT_TRUE(errors.empty());
  EXPECT_FALSE(IsUsableUiText("", errors));
}

TEST(CommandLine, MissingNamesOpenAsWebAddressesKeepingTheirScheme) {
  EXPECT_EQ(WebAddressOf("foo"), "file://foo");
  EXPECT_EQ(WebAddressOf("http://example.org/"), "http://example.org/");
  EXPECT_EQ(WebAddressOf("HTTPS://example.org/"), "HTTPS://example.org/");
  EXPECT_EQ(WebAddressOf("ftp://files.example.org/a.mp3"), "ftp://files.example.org/a.mp3");
  EXPECT_EQ(WebAddressOf("file://C:/x.htm"), "file://C:/x.htm");
  EXPECT_TRUE(NeedsConnection("https://x"));
  EXPECT_FALSE(NeedsConnection("file://x"));
}

TEST(CommandLine, AutorunOpenLineNamesTheStartItem) {
  std::string inf = "[autorun]\r\n  OPEN=falcet.exe   show.avi \r\nICON=falcet.exe,0\r\n";
  EXPECT_EQ(AutorunStartItem(inf, "falcet.exe"), "show.avi");
  EXPECT_EQ(AutorunStartItem("[autorun]\r\nopen=falcet.exe \"my show.avi\"\r\n", "falcet.exe"), "my show.avi");
  EXPECT_EQ(AutorunStartItem("[autorun]\r\nopen=falcetx.exe a.avi\r\n", "falcet.exe"), "");
  EXPECT_EQ(AutorunStartItem("[autorun]\r\nicon=falcet.exe,0\r\n", "falcet.exe"), "");
}

}  // namespace falcet
