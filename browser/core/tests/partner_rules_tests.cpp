// Which program gets the browser's files, and the texts handed to the disc burner.
#include <gtest/gtest.h>

#include "imaging/suite_classes.h"
#include "kelmor/partner_rules.h"

namespace kelmor {

namespace {

TEST(Partner, TheOverrideWinsHalfByHalf) {
  PartnerEntry def{"falcet.exe", kClassPlayer};
  PartnerEntry p = ResolvePartner(def, {}, "C:\\Suite\\");
  EXPECT_EQ(p.program, "C:\\Suite\\falcet.exe");
  EXPECT_EQ(p.className, kClassPlayer);
  p = ResolvePartner(def, {"x.exe", "XCLASS"}, "C:\\Suite");
  EXPECT_EQ(p.program, "C:\\Suite\\x.exe");
  EXPECT_EQ(p.className, "XCLASS");
  p = ResolvePartner(def, {"", "XCLASS"}, "C:\\Suite\\");
  EXPECT_EQ(p.program, "C:\\Suite\\falcet.exe");
  EXPECT_EQ(p.className, "XCLASS");
  p = ResolvePartner(def, {"jorvel.exe", ""}, "C:\\Suite\\");
  EXPECT_EQ(p.program, "C:\\Suite\\jorvel.exe");
  EXPECT_EQ(p.className, kClassPlayer);
}

TEST(Partner, AProgramThatNamedItselfWithItsFullPathIsTakenAsItIs) {
  PartnerEntry def{"falcet.exe", kClassPlayer};
  EXPECT_EQ(ResolvePartner(def, {"D:\\Other\\jorvel.exe", kClassAudioPlayer}, "C:\\Suite\\").program,
            "D:\\Other\\jorvel.exe");
  EXPECT_EQ(ResolvePartner(def, {"\"D:\\A B\\j.exe\"", "J"}, "C:\\Suite\\").program, "\"D:\\A B\\j.exe\"");
  EXPECT_EQ(ProgramInFolder("\\\\server\\share\\p.exe", "C:\\Suite\\"), "\\\\server\\share\\p.exe");
  EXPECT_EQ(ProgramInFolder("", "C:\\Suite\\"), "");
}

TEST(Partner, CollectionTextsAndTheBurnerJob) {
  std::vector<std::string> paths = EntryPaths({" c:\\a.jpg", " c:\\b c.jpg", "c:\\d.jpg"});
  EXPECT_EQ(paths, (std::vector<std::string>{"c:\\a.jpg", "c:\\b c.jpg", "c:\\d.jpg"}));
  EXPECT_EQ(JoinPaths(paths), "c:\\a.jpg|c:\\b c.jpg|c:\\d.jpg");
  EXPECT_EQ(JoinPaths({}), "");
  EXPECT_EQ(BurnerFileList(paths), "c:\\a.jpg|c:\\b c.jpg|c:\\d.jpg|");
  EXPECT_EQ(BurnerFileList({}), "");
  EXPECT_EQ(BurnerJobName("C:\\Suite\\lists\\collection.qls"), "collection");
}

}  // namespace

}  // namespace kelmor
