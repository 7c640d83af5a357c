#include <gtest/gtest.h>

#include <set>

#include "falcet/item_lists.h"

namespace falcet {

TEST(ItemLists, UplSkipsEmptyLinesAndExpandsThePathMacro) {
  std::string upl = "\r\n  @path@music\\a.wav  \r\n\r\n   \r\nD:\\v\\b.avi\r\n@PATH@c.jpg";
  EXPECT_EQ(UplItems(upl, "C:\\Suite\\"), "C:\\Suite\\music\\a.wav|D:\\v\\b.avi|C:\\Suite\\c.jpg");
  EXPECT_EQ(UplItems("\r\n\r\n", "C:\\S\\"), "");
  EXPECT_EQ(READUPL("C:\\surely\\missing.upl", "C:\\S\\"), "");
}

TEST(ItemLists, ShowListDropsAMissingSlideWithItsTime) {
  std::string show =
      "[@path@music.m3u|0|1|1|70|2|5000|-1]\r\n@path@00000001.png,6000\r\n@path@00000002.png,9000\r\n"
      "@path@00000003.png,7000\r\n@path@notes.txt,100\r\n";
  std::set<std::string> present{"E:\\a,b\\00000001.png", "E:\\a,b\\00000003.png", "E:\\a,b\\notes.txt"};
  auto exists = [&](const std::string& p) { return present.count(p) > 0; };
  ShowItems s = ReadShowItems(show, "E:\\a,b\\", exists);
  // The folder's "," does not cut the lines; slide 2 is missing and its 9000 goes with it.
  EXPECT_EQ(s.items, "E:\\a,b\\00000001.png|E:\\a,b\\00000003.png");
  EXPECT_EQ(s.times, "6000|7000");
  EXPECT_EQ(s.soundFile, "E:\\a,b\\music.m3u");
  EXPECT_EQ(s.flagOne, 0);
  EXPECT_EQ(s.flagTwo, 1);
  EXPECT_EQ(s.flagThree, 1);
  EXPECT_EQ(s.soundNumberOne, 70);
  EXPECT_EQ(s.soundNumberTwo, 2);
  EXPECT_EQ(s.pictureTime, 5000);
  EXPECT_TRUE(s.lastFlag);
}

TEST(ItemLists, ShortHeaderAndMissingHeader) {
  auto all = [](const std::string&) { return true; };
  ShowItems s = ReadShowItems("[snd.wav|1|0]\r\nC:\\a.jpg,100\r\n", "C:\\", all);
  EXPECT_EQ(s.soundNumberOne, 0);
  EXPECT_EQ(s.pictureTime, 0);  // no picture time
  EXPECT_FALSE(s.lastFlag);
  EXPECT_EQ(s.soundFile, "snd.wav");
  s = ReadShowItems("C:\\a.jpg,100\r\nC:\\b.jpg\r\n", "C:\\", all);
  EXPECT_EQ(s.items, "C:\\a.jpg|C:\\b.jpg");
  EXPECT_EQ(s.times, "100|");
}

TEST(ItemLists, KindsOfItems) {
  EXPECT_TRUE(IsPictureFile("C:\\x\\a.jpeg"));
  EXPECT_TRUE(IsPictureFile("a.Png"));
  EXPECT_FALSE(IsPictureFile("a.jp"));
  EXPECT_FALSE(IsPictureFile("C:\\my.pics\\scan"));
  EXPECT_TRUE(MatchesPatterns("C:\\v\\a.AVI", "*.avi;*.mpg"));
  EXPECT_TRUE(MatchesPatterns("a.mpg", "*.avi;*.mpg"));  // the last pattern needs no ";"
  EXPECT_FALSE(MatchesPatterns("a.pg", "*.avi;*.mpg;"));
  EXPECT_FALSE(MatchesPatterns("noextension", "*.avi;"));
  EXPECT_TRUE(IsMedium("a.wav", "*.avi;", "*.wav;*.mp3;", true));
  EXPECT_FALSE(IsMedium("a.wav", "*.avi;", "*.wav;*.mp3;", false));
  EXPECT_TRUE(IsWebPageName("C:\\x\\index.HTML"));
  EXPECT_TRUE(IsWebPageName("a.htm"));
  EXPECT_FALSE(IsWebPageName("a.h"));
  EXPECT_FALSE(IsWebPageName("a.m3u"));
}

TEST(ItemLists, AttachedSoundEntriesAreTheExistingOnes) {
  std::set<std::string> present{"F:\\show\\a.mp3", "C:\\b.wav"};
  auto exists = [&](const std::string& p) { return present.count(p) > 0; };
  std::vector<std::string> e = AttachedSoundEntries("@path@a.mp3\r\n\r\n @path@gone.mp3\r\nC:\\b.wav\r\n", "F:\\show\\",
                                                    exists);
  EXPECT_EQ(e, (std::vector<std::string>{"F:\\show\\a.mp3", "C:\\b.wav"}));
}

}  // namespace falcet
