// The effects window's settings line, its Reset and its place beside the pane.
#include <gtest/gtest.h>

#include "jorvel/fx_settings.h"

namespace {

using jorvel::FxControls;

TEST(FxSettings, ALineRoundTripsAndAShortOrBadLineGivesZeros) {
  FxControls values = jorvel::DefaultFxControls();
  values[0] = 0;
  values[9] = 100;
  values[10] = 1;
  values[14] = 1;
  std::string line = jorvel::FormatFxSettings(values);
  EXPECT_EQ(line, "0|50|50|50|50|50|50|50|50|100|1|0|0|0|1|0|0");
  EXPECT_EQ(jorvel::ParseFxSettings(line), values);
  // Three fields: the rest 0; a field that is no number is 0 too.
  FxControls shortLine = jorvel::ParseFxSettings("20|x|70");
  EXPECT_EQ(shortLine[0], 20);
  EXPECT_EQ(shortLine[1], 0);
  EXPECT_EQ(shortLine[2], 70);
  for (int i = 3; i < jorvel::kFxControlCount; ++i) EXPECT_EQ(shortLine[i], 0) << i;
  EXPECT_EQ(jorvel::ParseFxSettings(""), FxControls{});
  // A line ending in blanks still reads its last field.
  EXPECT_EQ(jorvel::ParseFxSettings("50|50|50|50|50|50|50|50|50|50|1|0|0|0|0|0|1 ")[16], 1);
}

TEST(FxSettings, ResetFlattensTheBarsAndClearsOnOffAndResetButKeepsTheEffects) {
  FxControls values = jorvel::ParseFxSettings("0|10|20|30|40|60|70|80|90|100|1|1|1|0|1|0|1");
  FxControls reset = jorvel::ResetFxControls(values);
  for (int i = 0; i < jorvel::kFxBarCount; ++i) EXPECT_EQ(reset[i], 50) << i;
  EXPECT_EQ(reset[10], 0);
  EXPECT_EQ(reset[11], 0);
  EXPECT_EQ(reset[12], 1);
  EXPECT_EQ(reset[13], 0);
  EXPECT_EQ(reset[16], 1);
}

TEST(FxSettings, TheWindowGoesLeftOfAndAboveThePaneAndStaysInTheWorkArea) {
  const std::array<int, 4> area{0, 0, 1024, 738};
  // Room on both sides: left of the pane, 2 pixels above it.
  auto p = jorvel::PlaceFxWindow(600, 400, 300, 200, area);
  EXPECT_EQ(p.x, 300);
  EXPECT_EQ(p.y, 198);
  // A pane at the top-left corner: the window at the corner, not off the screen.
  p = jorvel::PlaceFxWindow(0, 0, 300, 200, area);
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 0);
  // A pane off the right and bottom: pulled back in.
  p = jorvel::PlaceFxWindow(2000, 1500, 300, 200, area);
  EXPECT_EQ(p.x, 724);
  EXPECT_EQ(p.y, 538);
  // A work area that does not start at 0 (a task bar at the top).
  p = jorvel::PlaceFxWindow(10, 10, 300, 200, {0, 40, 1024, 768});
  EXPECT_EQ(p.y, 40);
}

}  // namespace
