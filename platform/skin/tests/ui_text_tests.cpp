#include <gtest/gtest.h>

#include "skin/ui_text.h"
#include "temp_dir.h"

namespace {
const char* kSample =
    "# media browser\r\n"
    "MENU 1 \"&File\"\r\n"
    "  ITEM 101 \"&Open\" \"kelmor.exe,SKMBROWSER\"\r\n"
    "  SEPARATOR\r\n"
    "  ITEM 102 \"E&xit\"\r\n"
    "END\r\n"
    "POPUP 2 \"List\"\r\n"
    "  ITEM 201 \"Say \"\"hi\"\"\" \"\" CHECKED\r\n"
    "END\r\n"
    "STRING 1 \"Kelmor\"\r\n"
    "STRING 15 \" All|*.*|Pictures|*.jpg;*.png\"\r\n";
}

TEST(UiText, ParsesMenusAndStrings) {
  std::vector<UiTextError> errors;
  UiTextFile f = ParseUiText(kSample, errors);
  EXPECT_TRUE(errors.empty());
  ASSERT_EQ(f.menus.menus.size(), 2u);
  EXPECT_EQ(f.menus.menus[0].caption, "&File");
  EXPECT_TRUE(f.menus.menus[0].inMenuBar);
  EXPECT_FALSE(f.menus.menus[1].inMenuBar);
  ASSERT_EQ(f.menus.menus[0].items.size(), 3u);
  EXPECT_TRUE(f.menus.menus[0].items[1].separator);
  EXPECT_EQ(SKMACTE(101, f.menus), "kelmor.exe,SKMBROWSER");
  EXPECT_EQ(SKMACTE(102, f.menus), "");
  EXPECT_EQ(SKMACTE(999, f.menus), "");
  const MenuItem* quoted = f.menus.FindItem(201);
  ASSERT_NE(quoted, nullptr);
  EXPECT_EQ(quoted->caption, "Say \"hi\"");
  EXPECT_TRUE(quoted->checked);
  EXPECT_EQ(UiEntry(f.strings, 1), "Kelmor");
  EXPECT_EQ(UiEntry(f.strings, 15), " All|*.*|Pictures|*.jpg;*.png");  // blanks kept
  EXPECT_EQ(UiEntry(f.strings, 14), "");
  EXPECT_EQ(UiEntry(f.strings, 16), "");
  EXPECT_EQ(UiEntry(f.strings, 0), "");
  EXPECT_EQ(UiEntry(f.strings, -3), "");
}

TEST(UiText, ReportsMalformedLinesWithTheirNumberAndKeepsTheRest) {
  std::vector<UiTextError> errors;
  UiTextFile f = ParseUiText(
      "STRING 1 \"ok\"\n"
      "STRING x \"bad number\"\n"
      "STRING 3 \"unclosed\n"
      "ITEM 5 \"outside\"\n"
      "MENU 1 \"M\"\n"
      "ITEM 101 \"a\" BOLD\n"
      "ITEM 102 \"b\"\n"
      "ITEM 102 \"again\"\n"
      "FROB\n",
      errors);
  ASSERT_EQ(errors.size(), 7u);
  EXPECT_EQ(errors[0].line, 2);
  EXPECT_EQ(errors[1].line, 3);
  EXPECT_EQ(errors[2].line, 4);
  EXPECT_EQ(errors[3].line, 6);
  EXPECT_EQ(errors[4].line, 8);
  EXPECT_EQ(errors[5].line, 9);
  EXPECT_NE(errors[6].message.find("no END"), std::string::npos);
  EXPECT_EQ(errors[6].line, 9);  // reported at the end of the file
  EXPECT_EQ(UiEntry(f.strings, 1), "ok");
  ASSERT_NE(f.menus.FindItem(102), nullptr);
  EXPECT_EQ(f.menus.FindItem(102)->caption, "b");
}

TEST(UiText, RoundTripsThroughTheWriter) {
  std::vector<UiTextError> errors;
  UiTextFile f = ParseUiText(kSample, errors);
  std::string text = FormatUiText(f);
  UiTextFile g = ParseUiText(text, errors);
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(FormatUiText(g), text);
}

TEST(UiText, ReadsFilesAndRemovesItems) {
  TempDir dir;
  std::string path = dir.Write("prog.SYS", kSample);
  MenuTable table;
  int count = 0;
  EXPECT_EQ(SKREADM(path, table, count), 2);
  EXPECT_EQ(count, 2);
  EXPECT_TRUE(table.RemoveItem(101));
  EXPECT_FALSE(table.RemoveItem(101));
  EXPECT_EQ(SKMACTE(101, table), "");
  StringTable strings;
  EXPECT_EQ(SKREADSTR(path, strings, count), 15);
  EXPECT_EQ(UiEntry(strings, 1), "Kelmor");
  EXPECT_EQ(SKREADSTR(dir.File("none.SYS"), strings, count), -1);
  EXPECT_EQ(UiEntry(strings, 1), "");
}

TEST(UiText, EntryNumbersAboveTheLimitAreMalformedLinesReportedWithPathAndLine) {
  // A mistyped number once sized the table for a billion entries and ended the program.
  std::string text = "STRING 1 \"Player\"\r\nSTRING 999999999 \"huge\"\r\nSTRING " +
                     std::to_string(kUiEntryLimit) + " \"last\"\r\nSTRING " + std::to_string(kUiEntryLimit + 1) +
                     " \"one more\"\r\n";
  std::vector<UiTextError> errors;
  UiTextFile f = ParseUiText(text, errors);
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[0].line, 2);
  EXPECT_NE(errors[0].message.find("999999999"), std::string::npos) << errors[0].message;
  EXPECT_EQ(errors[1].line, 4);
  EXPECT_EQ(f.strings.size(), size_t(kUiEntryLimit) + 1);
  EXPECT_EQ(UiEntry(f.strings, 1), "Player");
  EXPECT_EQ(UiEntry(f.strings, kUiEntryLimit), "last");

  TempDir dir;
  std::string path = dir.Write("big.SYS", text);
  std::vector<std::string> reports;
  SetSkinErrorReporter([&reports](const std::string& m) { reports.push_back(m); });
  StringTable strings;
  int count = 0;
  EXPECT_EQ(SKREADSTR(path, strings, count), kUiEntryLimit);
  SetSkinErrorReporter(nullptr);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find(path + "(2): "), std::string::npos) << reports[0];
  EXPECT_NE(reports[0].find(path + "(4): "), std::string::npos) << reports[0];
}
