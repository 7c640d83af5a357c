// The zoom view's window, its scroll offsets and its keys.
#include <gtest/gtest.h>

#include "hessam/zoom.h"

namespace hessam {
namespace {

TEST(ZoomView, APictureSmallerThanTheScreenOpensCentredAndTheArrowsDoNothing) {
  ZoomView v = NaturalZoomView(1280, 1024, 400, 300);
  EXPECT_FALSE(v.wider);
  EXPECT_FALSE(v.higher);
  EXPECT_EQ(v.WindowX(), 440);
  EXPECT_EQ(v.WindowY(), 362);
  EXPECT_EQ(v.WindowWidth(), 400);
  EXPECT_EQ(v.WindowHeight(), 300);
  EXPECT_EQ(v.DrawX(), 0);
  EXPECT_EQ(v.DrawY(), 0);
  for (int key : {kKeyLeft, kKeyRight, kKeyUp, kKeyDown, kKeyHome, kKeyEnd, kKeyPageUp, kKeyPageDown})
    EXPECT_EQ(ZoomKey(v, key), ZoomKeyResult::kUnchanged) << key;
  EXPECT_EQ(v.WindowX(), 440);
  EXPECT_FALSE(ZoomEdgeScroll(v, 1279, 1023));
  EXPECT_EQ(ZoomKey(v, 0x1B), ZoomKeyResult::kClose);
}

TEST(ZoomView, AWidePictureScrollsSidewaysWithinItsLimits) {
  ZoomView v = NaturalZoomView(1280, 1024, 2000, 500);
  EXPECT_TRUE(v.wider);
  EXPECT_FALSE(v.higher);
  EXPECT_EQ(v.minX, -720);
  EXPECT_EQ(v.offsetX, 0);
  EXPECT_EQ(v.WindowX(), 0);
  EXPECT_EQ(v.WindowWidth(), 1280);
  EXPECT_EQ(v.WindowY(), 262);
  EXPECT_EQ(v.WindowHeight(), 500);
  EXPECT_EQ(ZoomKey(v, kKeyLeft), ZoomKeyResult::kUnchanged);  // already at the left edge
  EXPECT_EQ(ZoomKey(v, kKeyRight), ZoomKeyResult::kMoved);
  EXPECT_EQ(v.DrawX(), -4);
  EXPECT_EQ(ZoomKey(v, kKeyEnd), ZoomKeyResult::kMoved);
  EXPECT_EQ(v.offsetX, -720);
  // Right at the right end leaves the offset at its lower limit.
  EXPECT_EQ(ZoomKey(v, kKeyRight), ZoomKeyResult::kUnchanged);
  EXPECT_EQ(v.offsetX, -720);
  EXPECT_EQ(ZoomKey(v, kKeyDown), ZoomKeyResult::kUnchanged);
  EXPECT_EQ(ZoomKey(v, kKeyHome), ZoomKeyResult::kMoved);
  EXPECT_EQ(v.offsetX, 0);
}

TEST(ZoomView, ThePointerAtAnEdgeScrolls) {
  ZoomView v = NaturalZoomView(1280, 1024, 2000, 1500);
  EXPECT_TRUE(ZoomEdgeScroll(v, 1275, 500));
  EXPECT_EQ(v.offsetX, -4);
  EXPECT_TRUE(ZoomEdgeScroll(v, 5, 1020));
  EXPECT_EQ(v.offsetX, 0);
  EXPECT_EQ(v.offsetY, -4);
  EXPECT_FALSE(ZoomEdgeScroll(v, 640, 500));
  EXPECT_TRUE(ZoomEdgeScroll(v, 640, 3));
  EXPECT_EQ(v.offsetY, 0);
  EXPECT_FALSE(ZoomEdgeScroll(v, 640, 3));
  // Page Down and Up.
  EXPECT_EQ(ZoomKey(v, kKeyPageDown), ZoomKeyResult::kMoved);
  EXPECT_EQ(v.offsetY, -476);
  EXPECT_EQ(ZoomKey(v, kKeyUp), ZoomKeyResult::kMoved);
  EXPECT_EQ(v.offsetY, -472);
}

TEST(ZoomView, AFittedPictureCoversTheScreenAndDoesNotScroll) {
  ZoomView v = FittedZoomView(1280, 1024);
  EXPECT_EQ(v.WindowWidth(), 1280);
  EXPECT_EQ(v.WindowHeight(), 1024);
  EXPECT_EQ(v.WindowX(), 0);
  EXPECT_EQ(ZoomKey(v, kKeyRight), ZoomKeyResult::kUnchanged);
  EXPECT_EQ(ZoomKey(v, 'A'), ZoomKeyResult::kClose);
}

}  // namespace
}  // namespace hessam
