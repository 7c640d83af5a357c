#include <gtest/gtest.h>

#include "narwen/settings.h"

namespace narwen {
namespace {

void ExpectPlace(const WindowPlace& p, int left, int top, int width, int height) {
  EXPECT_EQ(p.left, left);
  EXPECT_EQ(p.top, top);
  EXPECT_EQ(p.width, width);
  EXPECT_EQ(p.height, height);
}

TEST(NarwenSettings, StoredPlaceRoundTripsAndStaysOnTheScreen) {
  ExpectPlace(ParseToolSettings(FormatToolSettings({100, 50, 500, 300}), 1280, 1024), 100, 50, 500, 300);
  // Off the screen, too small or too large: back on it.
  ExpectPlace(ParseToolSettings(FormatToolSettings({-300, 2000, 10, 5000}), 1280, 1024), 0, 0, kMinWidth, 1024);
  ExpectPlace(ParseToolSettings(FormatToolSettings({1200, 900, 600, 400}), 1280, 1024), 680, 624, 600, 400);
  EXPECT_EQ(FormatToolSettings({1, -2, 480, 200}), std::string("\x01\x00\xFE\xFF\xE0\x01\xC8\x00", 8));
}

TEST(NarwenSettings, AMissingOrShortFileCentresTheDefault) {
  ExpectPlace(ParseToolSettings("", 1280, 1024), 400, 412, 480, 200);
  ExpectPlace(ParseToolSettings(std::string("\x01\x00\x02\x00\x03", 5), 1280, 1024), 400, 412, 480, 200);
}

}  // namespace
}  // namespace narwen
