#include <gtest/gtest.h>

#include "grilton/zoom_view.h"

namespace {

using grilton::ZoomKey;

TEST(ZoomView, KeysScrollWithinThePicture) {
  grilton::ZoomOffset o;
  o = grilton::ScrollZoom(o, ZoomKey::Right, 1000, 800, 400, 300);
  EXPECT_EQ(o.x, 40);
  o = grilton::ScrollZoom(o, ZoomKey::PageDown, 1000, 800, 400, 300);
  EXPECT_EQ(o.y, 300);
  o = grilton::ScrollZoom(o, ZoomKey::PageDown, 1000, 800, 400, 300);
  EXPECT_EQ(o.y, 500);  // the bottom edge: 800 - 300
  o = grilton::ScrollZoom(o, ZoomKey::End, 1000, 800, 400, 300);
  EXPECT_EQ(o.x, 600);
  EXPECT_EQ(o.y, 500);
  o = grilton::ScrollZoom(o, ZoomKey::Home, 1000, 800, 400, 300);
  EXPECT_EQ(o.x, 0);
  EXPECT_EQ(o.y, 0);
  o = grilton::ScrollZoom(o, ZoomKey::Left, 1000, 800, 400, 300);
  EXPECT_EQ(o.x, 0);
  // A picture that fits never moves.
  o = grilton::ScrollZoom({}, ZoomKey::End, 200, 100, 400, 300);
  EXPECT_EQ(o.x, 0);
  EXPECT_EQ(o.y, 0);
}

TEST(ZoomView, OnlyScrollKeysScrollAndTheMouseShowsTheEdgesAtTheEdges) {
  EXPECT_EQ(grilton::ZoomKeyOf(0x25), ZoomKey::Left);
  EXPECT_EQ(grilton::ZoomKeyOf(0x23), ZoomKey::End);
  EXPECT_EQ(grilton::ZoomKeyOf('A'), ZoomKey::Other);
  EXPECT_EQ(grilton::ZoomKeyOf(0x1B), ZoomKey::Other);
  grilton::ZoomOffset o = grilton::ZoomAtMouse(399, 0, 1000, 800, 400, 300);
  EXPECT_EQ(o.x, 600);
  EXPECT_EQ(o.y, 0);
  o = grilton::ZoomAtMouse(200, 150, 1000, 800, 400, 300);
  EXPECT_EQ(o.x, 300);
  EXPECT_EQ(o.y, 250);
  o = grilton::ZoomAtMouse(-50, 9999, 1000, 800, 400, 300);
  EXPECT_EQ(o.x, 0);
  EXPECT_EQ(o.y, 500);
}

}  // namespace
