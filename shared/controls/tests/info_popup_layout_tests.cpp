// The info popup's window text and its place on the screen.
#include <gtest/gtest.h>

#include "controls/info_popup_layout.h"

namespace {

TEST(InfoPopupText, LinesStandBetweenAnEmptyLineAndTwoLineEnds) {
  EXPECT_EQ(InfoPopupText("a|b"), "\ra\rb\r\r");
  EXPECT_EQ(InfoPopupText(""), "\r\r\r");
  EXPECT_EQ(InfoPopupLines("a|b"), (std::vector<std::string>{"", "a", "b", "", ""}));
}

TEST(InfoPopupText, ALongTextIsCutInTheWindowButMeasuredInFull) {
  const std::string text(300, 'x');
  std::string window = InfoPopupText(text);
  EXPECT_EQ(window.size(), 255u);
  EXPECT_EQ(window.front(), '\r');
  EXPECT_EQ(window.substr(1), std::string(254, 'x'));
  std::vector<std::string> lines = InfoPopupLines(text);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[1], text);
}

InfoPopupMeasures Measures(int widest, int lines) {
  InfoPopupMeasures m;
  m.widestLine = widest;
  m.lineHeight = 10;
  m.lineCount = lines;
  m.frameWidth = 3;
  m.frameHeight = 3;
  return m;
}

TEST(InfoPopupPlace, RoomForEveryLineAndTheBlankFraming) {
  // "a|b": five lines from the split (two of text, three of framing).
  BoxRect r = InfoPopupRect(Measures(40, 5), {0, 0, 800, 600}, 800, 600);
  EXPECT_EQ(r.width, 40 + 2 * 10 + 2 * 3);
  EXPECT_EQ(r.height, 10 * 6 + 2 * 3);
  EXPECT_GE(r.height - 2 * 3, 10 * (2 + 2));  // n + 2 lines at least
  EXPECT_EQ(r.x, (800 - r.width) / 2);
  EXPECT_EQ(r.y, (600 - r.height) / 2);
}

TEST(InfoPopupPlace, CentredOverTheOwner) {
  BoxRect r = InfoPopupRect(Measures(40, 4), {100, 200, 300, 100}, 1024, 768);
  EXPECT_EQ(r.x, 100 + (300 - r.width) / 2);
  EXPECT_EQ(r.y, 200 + (100 - r.height) / 2);
}

TEST(InfoPopupPlace, KeptInsideTheScreenAndNeverNegative) {
  // An owner in the screen's corner: the popup is pushed back inside.
  BoxRect r = InfoPopupRect(Measures(200, 4), {700, 560, 100, 40}, 800, 600);
  EXPECT_EQ(r.x, 800 - r.width);
  EXPECT_EQ(r.y, 600 - r.height);
  r = InfoPopupRect(Measures(200, 4), {-300, -200, 50, 20}, 800, 600);
  EXPECT_EQ(r.x, 0);
  EXPECT_EQ(r.y, 0);
  // Larger than the screen: at 0, never at a negative coordinate.
  r = InfoPopupRect(Measures(2000, 80), {0, 0, 800, 600}, 800, 600);
  EXPECT_GT(r.width, 800);
  EXPECT_GT(r.height, 600);
  EXPECT_EQ(r.x, 0);
  EXPECT_EQ(r.y, 0);
}

}  // namespace
