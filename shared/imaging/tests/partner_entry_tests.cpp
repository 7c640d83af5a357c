// Partner entries "program file,window class", their program fields, and the suite list.
#include <gtest/gtest.h>

#include "imaging/partner_entry.h"
#include "imaging/suite_classes.h"

namespace {

TEST(PartnerEntry, FieldOneAndFieldTwo) {
  PartnerEntry p = ParsePartnerEntry(" falcet.exe , QPLAYER ");
  EXPECT_EQ(p.program, "falcet.exe");
  EXPECT_EQ(p.className, "QPLAYER");
  // A program field with arguments stays whole.
  p = ParsePartnerEntry("standin.exe QPLAYER C:\\t\\log.txt,QPLAYER");
  EXPECT_EQ(p.program, "standin.exe QPLAYER C:\\t\\log.txt");
  EXPECT_EQ(p.className, "QPLAYER");
  // Fields after the second are no part of the class.
  p = ParsePartnerEntry("a.exe,ACLASS,extra");
  EXPECT_EQ(p.program, "a.exe");
  EXPECT_EQ(p.className, "ACLASS");
  EXPECT_EQ(ParsePartnerEntry("only.exe").className, "");
  EXPECT_EQ(ParsePartnerEntry("").program, "");
  EXPECT_EQ(ParsePartnerEntry(",XCLASS").className, "XCLASS");
}

TEST(PartnerEntry, QuotedFields) {
  PartnerEntry p = ParsePartnerEntry("\"C:\\Program Files\\x.exe\",\"XCLASS\"");
  EXPECT_EQ(p.program, "C:\\Program Files\\x.exe");
  EXPECT_EQ(p.className, "XCLASS");
  // A comma inside the quotes belongs to the program file.
  p = ParsePartnerEntry(" \"D:\\show,cd\\falcet.exe\" , QPLAYER");
  EXPECT_EQ(p.program, "D:\\show,cd\\falcet.exe");
  EXPECT_EQ(p.className, "QPLAYER");
  // Quotes around only the program file of a field with arguments stay for the launcher.
  p = ParsePartnerEntry("\"C:\\Program Files\\s\\standin.exe\" X Y,\"QCLASS\"");
  EXPECT_EQ(p.program, "\"C:\\Program Files\\s\\standin.exe\" X Y");
  EXPECT_EQ(p.className, "QCLASS");
}

TEST(PartnerEntry, AFormattedEntryReadsBackAsItWasMade) {
  EXPECT_EQ(FormatPartnerEntry("C:\\Suite\\jorvel.exe", "JORVELPLAYER"), "C:\\Suite\\jorvel.exe,JORVELPLAYER");
  for (const char* program : {"C:\\Suite\\jorvel.exe", "D:\\show,cd\\falcet.exe", "C:\\A B\\x.exe"}) {
    PartnerEntry p = ParsePartnerEntry(FormatPartnerEntry(program, "QPLAYER"));
    EXPECT_EQ(p.program, program);
    EXPECT_EQ(p.className, "QPLAYER");
  }
}

TEST(PartnerEntry, ProgramFields) {
  std::string program, arguments;
  SplitProgramField("falcet.exe", program, arguments);
  EXPECT_EQ(program, "falcet.exe");
  EXPECT_EQ(arguments, "");
  SplitProgramField(" standin.exe QPLAYER C:\\logs\\player.log ", program, arguments);
  EXPECT_EQ(program, "standin.exe");
  EXPECT_EQ(arguments, "QPLAYER C:\\logs\\player.log");
  SplitProgramField("C:\\Program Files\\x.exe.d\\tool.EXE -q", program, arguments);
  EXPECT_EQ(program, "C:\\Program Files\\x.exe.d\\tool.EXE");
  EXPECT_EQ(arguments, "-q");
  SplitProgramField("\"C:\\a b\\p.exe\" one two", program, arguments);
  EXPECT_EQ(program, "C:\\a b\\p.exe");
  EXPECT_EQ(arguments, "one two");
  SplitProgramField("viewer", program, arguments);
  EXPECT_EQ(program, "viewer");
  EXPECT_EQ(arguments, "");
}

TEST(SuiteList, ClassesAndProgramsByPosition) {
  EXPECT_STREQ(SuiteClass(1), kClassBrowser);
  EXPECT_STREQ(SuiteClass(1), "SKMBROWSER");
  EXPECT_STREQ(SuiteClass(5), kClassSlideMaker);
  EXPECT_STREQ(SuiteProgram(6), "bravik.exe");
  EXPECT_STREQ(SuiteClass(9), kClassBurner);
  EXPECT_STREQ(SuiteProgram(9), "corvith.exe");
  EXPECT_EQ(SuiteClass(0), nullptr);
  EXPECT_EQ(SuiteClass(kSuiteListSize + 1), nullptr);
  EXPECT_EQ(SuiteProgram(0), nullptr);
}

}  // namespace
