// The general modal box's geometry and texts.
#include <gtest/gtest.h>

#include <cstdlib>

#include "controls/buildbox_layout.h"

namespace {

bool Inside(const BoxRect& r, const BuildBoxGeometry& g) {
  return r.x >= 0 && r.y >= 0 && r.x + r.width <= g.clientWidth && r.y + r.height <= g.clientHeight;
}

TEST(BuildBoxLayout, EverythingFitsAndTheButtonsAreCentred) {
  BuildBoxMeasures m;
  m.lineWidths = {300, 120};
  m.checkWidths = {180};
  m.buttonWidths = {40, 60, 50};
  m.icon = true;
  BuildBoxGeometry g = ComputeBuildBoxGeometry(m);
  ASSERT_EQ(g.lines.size(), 2u);
  ASSERT_EQ(g.checks.size(), 1u);
  ASSERT_EQ(g.buttons.size(), 3u);
  for (const auto& r : g.lines) EXPECT_TRUE(Inside(r, g));
  EXPECT_TRUE(Inside(g.checks[0], g));
  for (const auto& r : g.buttons) EXPECT_TRUE(Inside(r, g));
  EXPECT_GE(g.lines[0].x, g.icon.x + kBuildBoxIconSize);  // text right of the icon
  EXPECT_GT(g.checks[0].y, g.icon.y + kBuildBoxIconSize - 1);
  EXPECT_GT(g.buttons[0].y, g.checks[0].y + g.checks[0].height - 1);
  EXPECT_EQ(g.buttons[0].width, g.buttons[2].width);
  int left = g.buttons[0].x, right = g.clientWidth - (g.buttons[2].x + g.buttons[2].width);
  EXPECT_LE(std::abs(left - right), 1);
}

TEST(BuildBoxLayout, WideButtonRowsWidenTheBox) {
  BuildBoxMeasures m;
  m.lineWidths = {20};
  m.buttonWidths = {200, 200};
  BuildBoxGeometry g = ComputeBuildBoxGeometry(m);
  EXPECT_GE(g.clientWidth, 2 * (200 + 2 * m.unit));
  EXPECT_TRUE(g.checks.empty());
}

TEST(BuildBoxLayout, TextsAndTheCheckMask) {
  EXPECT_TRUE(SplitBoxItems("").empty());
  EXPECT_EQ(SplitBoxItems("a|b||c"), (std::vector<std::string>{"a", "b", "", "c"}));
  EXPECT_EQ(BoxButtonCaptions(""), (std::vector<std::string>{"    OK    "}));
  EXPECT_EQ(BoxButtonCaptions("&Yes|&No").size(), 2u);
  EXPECT_EQ(CheckMask({true, false, true}), 5u);
  EXPECT_EQ(CheckMask({}), 0u);
}

}  // namespace
