// The command line's items, the address of a missing name and how a list is opened.
#include <gtest/gtest.h>

#include "jorvel/command_line.h"

namespace jorvel {

namespace {

TEST(HandOverArgs, QuotedNamesKeepTheirBlanks) {
  bool several = false;
  EXPECT_EQ(HANDOVERARGS("a.mp3 \"my song.mp3\"", &several), "a.mp3|my song.mp3");
  EXPECT_TRUE(several);
  EXPECT_EQ(HANDOVERARGS("\"C:\\My Music\\one.wav\" \"C:\\My Music\\two.wav\""),
            "C:\\My Music\\one.wav|C:\\My Music\\two.wav");
  EXPECT_EQ(HANDOVERARGS("\"C:\\a b\\x.mp3\"", &several), "C:\\a b\\x.mp3");
  EXPECT_FALSE(several);
  EXPECT_EQ(HANDOVERARGS("", &several), "");
  EXPECT_FALSE(several);
  // Blanks around and between names part nothing more.
  EXPECT_EQ(HANDOVERARGS("  a.mp3   b.mp3 "), "a.mp3|b.mp3");
  EXPECT_EQ(HANDOVERARGS("\"\" x.wav"), "x.wav");
}

TEST(HandOverArgs, AnOddQuoteEndsTheScanAndTheRestStays) {
  EXPECT_EQ(HANDOVERARGS("\"a b.mp3\" \"c d.mp3"), "a b.mp3|\"c|d.mp3");
  EXPECT_EQ(HANDOVERARGS("x\""), "x\"");
}

TEST(OpenStep, AMissingNameIsOpenedAsAnAddressKeepingItsScheme) {
  EXPECT_EQ(AddressOf("x.mp3"), "file://x.mp3");
  EXPECT_EQ(AddressOf("file://C:/x.mp3"), "file://C:/x.mp3");
  EXPECT_EQ(AddressOf("HTTP://radio.example.org/live.mp3"), "HTTP://radio.example.org/live.mp3");
  EXPECT_EQ(AddressOf("https://a/b.mp3"), "https://a/b.mp3");
  EXPECT_TRUE(IsInternetAddress("ftp://a/b.mp3"));
  EXPECT_TRUE(IsInternetAddress("Http://a/b.mp3"));
  EXPECT_FALSE(IsInternetAddress("file://a/b.mp3"));
  EXPECT_FALSE(IsInternetAddress("C:\\http\\b.mp3"));
}

TEST(OpenStep, APlayListStandsForItsItemsInAnyCase) {
  int reads = 0;
  auto reader = [&](const std::string& path, std::string& items) {
    ++reads;
    if (path != "C:\\l\\MIX.M3U") return false;
    items = "C:\\l\\a.wav|C:\\l\\b.wav";
    return true;
  };
  ListOpening o = OpenList("C:\\l\\MIX.M3U", reader);
  EXPECT_EQ(o.playList, "C:\\l\\a.wav|C:\\l\\b.wav");
  EXPECT_EQ(o.index, 1);
  EXPECT_EQ(o.item, "C:\\l\\a.wav");
  // In a list too (a first hand-over puts the start list in front of the new names).
  o = OpenList("C:\\l\\MIX.M3U|C:\\x.wav", reader);
  EXPECT_EQ(o.playList, "C:\\l\\a.wav|C:\\l\\b.wav|C:\\x.wav");
  EXPECT_EQ(o.item, "C:\\l\\a.wav");
  EXPECT_EQ(reads, 2);
  // A missing list stays the item, so that opening it tells the user.
  o = OpenList("C:\\l\\gone.m3u", reader);
  EXPECT_EQ(o.playList, "C:\\l\\gone.m3u");
  EXPECT_EQ(o.item, "C:\\l\\gone.m3u");
  o = OpenList("C:\\one.wav", reader);
  EXPECT_EQ(o.index, 1);
  EXPECT_EQ(o.item, "C:\\one.wav");
  o = OpenList("", reader);
  EXPECT_EQ(o.index, 0);
  EXPECT_EQ(o.item, "");
  EXPECT_TRUE(IsPlayListName("x.M3u"));
  EXPECT_FALSE(IsPlayListName("x.m3u8"));
}

}  // namespace

}  // namespace jorvel
