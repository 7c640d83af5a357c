#include <gtest/gtest.h>

#include "falcet/options.h"
#include "falcet/settings_line.h"

namespace falcet {

TEST(Options, FieldsReadAsNumbersAndAreReplacedInPlace) {
  std::string e = "1,1,307,7, 34,31,,0,-1,abc";
  EXPECT_EQ(OptionValue(e, 3), 307);
  EXPECT_EQ(OptionValue(e, 5), 34);
  EXPECT_EQ(OptionValue(e, 7), 0);
  EXPECT_EQ(OptionValue(e, 9), -1);
  EXPECT_EQ(OptionValue(e, 10), 0);
  EXPECT_EQ(OptionValue(e, 30), 0);
  EXPECT_EQ(OptionText(e, 10), "abc");
  EXPECT_EQ(WithOption(e, 7, "1"), "1,1,307,7, 34,31,1,0,-1,abc");
  EXPECT_EQ(WithOption("1,2", 4, "x"), "1,2,,x");
}

TEST(Options, CodecInstallValues) {
  CodecInstall d = CodecInstallOf("", "C:\\Suite\\", "C:\\windows\\system32\\");
  EXPECT_TRUE(d.valid);
  EXPECT_EQ(d.source, "C:\\Suite\\codec\\camcodec.dll");
  EXPECT_EQ(d.fileName, "camcodec.dll");
  EXPECT_EQ(d.target, "C:\\windows\\system32\\camcodec.dll");
  EXPECT_EQ(d.key, "VIDC.CSCD");
  EXPECT_EQ(d.description, "CamStudio lossless codec [CSCD]");
  EXPECT_EQ(d.friendlyName, "CamStudio lossless codec [CSCD]");
  EXPECT_EQ(d.registryKey, "System\\CurrentControlSet\\Control\\MediaResources\\icm\\VIDC.CSCD");
  CodecInstall c = CodecInstallOf("D:\\x\\my.dll|VIDC.MINE|Fast, small|Mine, too", "C:\\S\\", "C:\\W\\S");
  EXPECT_EQ(c.target, "C:\\W\\S\\my.dll");
  EXPECT_EQ(c.description, "Fast. small");
  EXPECT_EQ(c.friendlyName, "Mine. too");
  EXPECT_FALSE(CodecInstallOf("|VIDC.X|y", "C:\\S\\", "C:\\W\\").valid);
  EXPECT_FALSE(CodecInstallOf("a.dll", "C:\\S\\", "C:\\W\\").valid);
}

TEST(Options, SettingsFolderMacros) {
  EXPECT_EQ(SettingsFolder("", "C:\\P\\", "C:\\W\\", "C:\\W\\S\\", "C:\\T\\"), "C:\\T\\");
  EXPECT_EQ(SettingsFolder("@path@cfg", "C:\\P\\", "C:\\W\\", "C:\\W\\S\\", "C:\\T\\"), "C:\\P\\cfg\\");
  EXPECT_EQ(SettingsFolder("@WIN@", "C:\\P\\", "C:\\W\\", "C:\\W\\S\\", "C:\\T\\"), "C:\\W\\");
  EXPECT_EQ(SettingsFolder("@sys@", "C:\\P\\", "C:\\W\\", "C:\\W\\S\\", "C:\\T\\"), "C:\\W\\S\\");
  EXPECT_EQ(SettingsFolder("@tmp@x", "C:\\P\\", "C:\\W\\", "C:\\W\\S\\", "C:\\T\\"), "C:\\T\\x\\");
}

TEST(Settings, LineReadBackAndWrittenExactly) {
  auto exists = [](const std::string& f) { return f == "C:\\skins\\a.sks"; };
  PlayerSettings s = ParseSettings(" 10| 20| 800| 600|C:\\a\\|C:\\t\\|C:\\skins\\a.sks|-1|-1| 308| -1",
                                   "C:\\P\\", "C:\\T\\", exists);
  ASSERT_TRUE(s.read);
  EXPECT_EQ(s.left, 10);
  EXPECT_EQ(s.height, 600);
  EXPECT_EQ(s.openFolder, "C:\\a\\");
  EXPECT_EQ(s.skinFile, "C:\\skins\\a.sks");
  EXPECT_EQ(s.paneLeft, -1);
  EXPECT_EQ(s.sizeItem, 308);
  EXPECT_EQ(s.topMost, -1);
  // The skin is never written, 308 is written as 307, negative numbers without a blank.
  EXPECT_EQ(FormatSettings(s), " 10| 20| 800| 600|C:\\a\\|C:\\t\\||-1|-1| 307|-1");
  s.topMost = 0;
  s.paneLeft = 40;
  EXPECT_EQ(FormatSettings(s), " 10| 20| 800| 600|C:\\a\\|C:\\t\\|| 40|-1| 307| 0");
}

TEST(Settings, ShortLinesNegativePlacesAndDefaults) {
  auto none = [](const std::string&) { return false; };
  PlayerSettings s = ParseSettings("-5|-7|640|480||||3|4\r\n", "C:\\P\\", "C:\\T\\", none);
  EXPECT_EQ(s.left, 0);
  EXPECT_EQ(s.top, 0);
  EXPECT_EQ(s.openFolder, "C:\\P\\");
  EXPECT_EQ(s.snapshotFolder, "C:\\T\\");
  EXPECT_EQ(s.paneLeft, 3);  // nine fields: the pane's place counts
  EXPECT_EQ(s.sizeItem, 0);  // ten are needed for the size item
  PlayerSettings eight = ParseSettings("1|2|3|4|a|b|c|9", "C:\\P\\", "C:\\T\\", none);
  EXPECT_EQ(eight.paneLeft, -1);
  EXPECT_TRUE(eight.skinFile.empty());  // a skin that does not exist is dropped
  EXPECT_FALSE(ParseSettings("", "C:\\P\\", "C:\\T\\", none).read);
}

TEST(Settings, DefaultWindowPlace) {
  WindowPlace p = DefaultWindowPlace(0, 0, 812, 660, 1280, 1024);
  EXPECT_EQ(p.width, 812);
  EXPECT_EQ(p.height, 660);
  EXPECT_EQ(p.left, 234);
  EXPECT_EQ(p.top, 182);
  p = DefaultWindowPlace(-1, -1, 812, 660, 1280, 1024);
  EXPECT_EQ(p.width, 1280);
  EXPECT_EQ(p.height, 1024);
  EXPECT_EQ(p.left, 0);
  p = DefaultWindowPlace(2000, 0, 812, 0, 1280, 1024);
  EXPECT_EQ(p.height, 600);
  EXPECT_EQ(p.left, 0);  // never off the screen to the left
}

}  // namespace falcet
