// The settings record: what is written reads back, and short or damaged files still give
// a window with a size and a folder to scan.
#include <gtest/gtest.h>

#include "hessam/settings.h"

namespace hessam {
namespace {

TEST(BrowserSettingsRecord, RoundTripsAndKeepsLeftAndTopOnTheScreen) {
  BrowserSettings written{-10, 5, 800, 600, "C:\\Pictures\\Trip.2024\\"};
  std::string bytes = EncodeSettings(written);
  ASSERT_EQ(bytes.size(), kSettingsFixedBytes + written.folder.size());
  // int16 little-endian: -10 is F6 FF.
  EXPECT_EQ(uint8_t(bytes[0]), 0xF6);
  EXPECT_EQ(uint8_t(bytes[1]), 0xFF);
  BrowserSettings read = DefaultSettings(1280, 1024, "C:\\WINDOWS\\");
  DecodeSettings(bytes, read);
  EXPECT_EQ(read.left, 0);
  EXPECT_EQ(read.top, 5);
  EXPECT_EQ(read.width, 800);
  EXPECT_EQ(read.height, 600);
  EXPECT_EQ(read.folder, written.folder);
}

TEST(BrowserSettingsRecord, DefaultsAreCentredAndNeverNegative) {
  BrowserSettings d = DefaultSettings(1280, 1024, "C:\\WINDOWS\\");
  EXPECT_EQ(d.left, (1280 - 808) / 2);
  EXPECT_EQ(d.top, (1024 - 608) / 2);
  EXPECT_EQ(d.width, 808);
  EXPECT_EQ(d.height, 608);
  EXPECT_EQ(d.folder, "C:\\WINDOWS\\");
  BrowserSettings small = DefaultSettings(640, 480, "");
  EXPECT_EQ(small.left, 0);
  EXPECT_EQ(small.top, 0);
}

TEST(BrowserSettingsRecord, ShortOrDamagedFilesGiveTheDefaultSizeAndFolder) {
  const BrowserSettings defaults = DefaultSettings(1280, 1024, "C:\\WINDOWS\\");
  // Cut inside the width: left and top as written, the default size and folder.
  BrowserSettings s = defaults;
  DecodeSettings(std::string("\x20\x00\x30\x00\x40", 5), s);
  EXPECT_EQ(s.left, 0x20);
  EXPECT_EQ(s.top, 0x30);
  EXPECT_EQ(s.width, 808);
  EXPECT_EQ(s.height, 608);
  EXPECT_EQ(s.folder, "C:\\WINDOWS\\");
  // A zero or negative size.
  s = defaults;
  DecodeSettings(EncodeSettings({10, 10, 0, 500, "D:\\"}), s);
  EXPECT_EQ(s.width, 808);
  EXPECT_EQ(s.height, 608);
  EXPECT_EQ(s.folder, "D:\\");
  s = defaults;
  DecodeSettings(EncodeSettings({10, 10, 700, -3, ""}), s);
  EXPECT_EQ(s.width, 808);
  EXPECT_EQ(s.height, 608);
  EXPECT_EQ(s.folder, "C:\\WINDOWS\\");
  // An empty file changes nothing.
  s = defaults;
  DecodeSettings("", s);
  EXPECT_EQ(s.left, defaults.left);
  EXPECT_EQ(s.width, defaults.width);
}

TEST(BrowserSettingsRecord, ValuesOutsideInt16AreClamped) {
  BrowserSettings s;
  DecodeSettings(EncodeSettings({70000, 2, 40000, 500, "x"}), s);
  EXPECT_EQ(s.left, 32767);
  EXPECT_EQ(s.width, 32767);
}

}  // namespace
}  // namespace hessam
