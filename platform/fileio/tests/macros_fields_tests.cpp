// The path macros, the field rule, the leading number and the "|" item lists that every
// reader of the suite's texts shares.
#include <gtest/gtest.h>

#include "fileio/fields.h"
#include "fileio/item_list.h"
#include "fileio/macros.h"

using namespace fileio;

namespace {

PathMacros AllFolders() {
  return {.programFolder = "C:\\P\\",
          .userFolder = "C:\\Docs\\",
          .windowsFolder = "C:\\W\\",
          .systemFolder = "C:\\W\\S\\",
          .tempFolder = "C:\\T\\",
          .programTitle = "Kelmor"};
}

TEST(PathMacros, EveryMacroInAnyCaseAnywhere) {
  PathMacros m = AllFolders();
  EXPECT_EQ(ExpandPathMacros("@path@x.sys", m), "C:\\P\\x.sys");
  EXPECT_EQ(ExpandPathMacros("@PATH@x|@Path@y", m), "C:\\P\\x|C:\\P\\y");
  EXPECT_EQ(ExpandPathMacros("@user@a;@WIN@b;@sys@c;@temp@d;@TMP@e", m),
            "C:\\Docs\\a;C:\\W\\b;C:\\W\\S\\c;C:\\T\\d;C:\\T\\e");
  EXPECT_EQ(ExpandPathMacros("About @prog@", m), "About Kelmor");
  // A macro at the end, and one right after another.
  EXPECT_EQ(ExpandPathMacros("D:\\list in @path@", m), "D:\\list in C:\\P\\");
  EXPECT_EQ(ExpandPathMacros("@tmp@@tmp@", m), "C:\\T\\C:\\T\\");
}

TEST(PathMacros, TextThatIsNoMacroStaysAsItIs) {
  PathMacros m = AllFolders();
  EXPECT_EQ(ExpandPathMacros("", m), "");
  EXPECT_EQ(ExpandPathMacros("C:\\plain\\path.jpg", m), "C:\\plain\\path.jpg");
  EXPECT_EQ(ExpandPathMacros("mail@home.net @ @path", m), "mail@home.net @ @path");
  EXPECT_EQ(ExpandPathMacros("@@path@@", m), "@C:\\P\\@");
  EXPECT_EQ(ExpandPathMacros("a@WIN@b@win@@wi", m), "aC:\\W\\bC:\\W\\@wi");
  // No program expands these two.
  EXPECT_EQ(ExpandPathMacros("@rel@a|@cdrom@b", m), "@rel@a|@cdrom@b");
}

TEST(PathMacros, OnlyTheMacrosGivenAreExpanded) {
  PathMacros program{.programFolder = "C:\\P\\"};
  EXPECT_EQ(ExpandPathMacros("@path@x|@win@y|@prog@", program), "C:\\P\\x|@win@y|@prog@");
  // An empty value takes the macro out.
  EXPECT_EQ(ExpandPathMacros("@path@x@PATH@", {.programFolder = ""}), "x");
  // A value is not searched again, not even when it holds a macro itself.
  EXPECT_EQ(ExpandPathMacros("@path@|@win@", {.programFolder = "@win@", .windowsFolder = "W"}), "@win@|W");
}

TEST(PathMacros, AtStartOnlyTakesJustTheFirstCharacters) {
  PathMacros show{.programFolder = "C:\\S\\", .atStartOnly = true};
  EXPECT_EQ(ExpandPathMacros("@Path@MUSIC", show), "C:\\S\\MUSIC");
  EXPECT_EQ(ExpandPathMacros("D:\\@path@", show), "D:\\@path@");
  EXPECT_EQ(ExpandPathMacros(" @path@x", show), " @path@x");
  EXPECT_EQ(ExpandPathMacros("@path@@path@", show), "C:\\S\\@path@");
}

TEST(Fields, UnquoteTrimsThenTakesOffOnePairOfQuotes) {
  EXPECT_EQ(UnquoteField("  \"C:\\Program Files\\x.exe\" \t"), "C:\\Program Files\\x.exe");
  EXPECT_EQ(UnquoteField("\" inner blanks stay \""), " inner blanks stay ");
  EXPECT_EQ(UnquoteField("\"\"\"twice\"\"\""), "\"\"twice\"\"");
  EXPECT_EQ(UnquoteField("\"x.exe\" arg"), "\"x.exe\" arg");
  EXPECT_EQ(UnquoteField("\""), "\"");
  EXPECT_EQ(UnquoteField("\"\""), "");
  EXPECT_EQ(UnquoteField("   "), "");
}

TEST(Fields, SplitKeepsQuotedSeparators) {
  EXPECT_EQ(SplitFields(" a , b ,c", ','), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(SplitFields("\"C:\\a,b\\x.exe\",CLASS", ','), (std::vector<std::string>{"C:\\a,b\\x.exe", "CLASS"}));
  EXPECT_EQ(SplitFields("\"C:\\A B\\x.exe\" one two,\"Q\"", ','),
            (std::vector<std::string>{"\"C:\\A B\\x.exe\" one two", "Q"}));
  EXPECT_EQ(SplitFields("", ','), (std::vector<std::string>{""}));
  EXPECT_EQ(SplitFields("a|", '|'), (std::vector<std::string>{"a", ""}));
  // An unclosed quote runs to the end.
  EXPECT_EQ(SplitFields("\"a,b", ','), (std::vector<std::string>{"\"a,b"}));
}

TEST(Fields, SplitAtTheFirstSeparatorOnly) {
  std::string first, rest;
  SplitAtFirst("&Open,Open a file, then show it", ',', first, rest);
  EXPECT_EQ(first, "&Open");
  EXPECT_EQ(rest, "Open a file, then show it");
  SplitAtFirst("Alone", ',', first, rest);
  EXPECT_EQ(first, "Alone");
  EXPECT_EQ(rest, "");
  SplitAtFirst(" a ,", ',', first, rest);
  EXPECT_EQ(first, " a ");
  EXPECT_EQ(rest, "");
}

TEST(Fields, LeadingNumber) {
  EXPECT_EQ(LeadingNumber(" 42x"), 42);
  EXPECT_EQ(LeadingNumber("\t-1,5"), -1);
  EXPECT_EQ(LeadingNumber("+7"), 7);
  EXPECT_EQ(LeadingNumber("abc"), 0);
  EXPECT_EQ(LeadingNumber(""), 0);
  EXPECT_EQ(LeadingNumber("- 5"), 0);
  EXPECT_EQ(LeadingNumber("\"5\""), 0);
  EXPECT_EQ(LeadingNumber("2147483647"), 2147483647);
  EXPECT_EQ(LeadingNumber("99999999999"), 2147483647);
  EXPECT_EQ(LeadingNumber("-99999999999"), -2147483647);
  EXPECT_EQ(LeadingNumber("000000000000000000000000012"), 12);
  // A wider limit for values that need it, such as colours and byte counts.
  EXPECT_EQ(LeadingNumber("4294967295", 4294967295), 4294967295);
  EXPECT_EQ(LeadingNumber("4294967296", 4294967295), 4294967295);
  EXPECT_EQ(LeadingNumber("-123456789012", INT64_MAX), -123456789012);
  EXPECT_EQ(LeadingNumber("99999999999999999999999", INT64_MAX), INT64_MAX);
  EXPECT_EQ(LeadingNumber("9", 5), 5);
  EXPECT_EQ(LeadingNumber("15", 0), 0);
}

TEST(ItemList, CountFieldsAndBars) {
  EXPECT_EQ(ItemCount(""), 0);
  EXPECT_EQ(ItemCount("a"), 1);
  EXPECT_EQ(ItemCount("a|b|"), 3);
  EXPECT_EQ(ItemAt("a|b|c", 2), "b");
  EXPECT_EQ(ItemAt("a|b|c", 3), "c");
  EXPECT_EQ(ItemAt("a||c", 2), "");
  EXPECT_EQ(ItemAt("a|b|c", 4), "");
  EXPECT_EQ(ItemAt("a", 0), "");
  EXPECT_EQ(ItemAt("a", 1), "a");
  EXPECT_EQ(TrimBars("||a|b|||"), "a|b");
  EXPECT_EQ(TrimBars("|||"), "");
}

}  // namespace
