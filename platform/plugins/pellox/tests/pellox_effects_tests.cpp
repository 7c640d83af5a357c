// The plug-in's own effects: each starts with the old picture and ends with the new one,
// and shows something of both on the way.
#include <gtest/gtest.h>

#include "pellox/pellox_effects.h"

namespace pellox {
namespace {

using imglib::Raster;

constexpr int kW = 60, kH = 40;

Raster Plain(uint8_t value) {
  Raster r;
  r.Allocate(kW, kH);
  r.Fill(value, value, value);
  return r;
}

// The share of pixels that show the new picture (value 200) and the old one (value 20).
struct Shares {
  int fresh = 0, old = 0;
};
Shares Count(const Raster& r) {
  Shares s;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      uint8_t v = r.Row(y)[x * 3];
      s.fresh += v == 200;
      s.old += v == 20;
    }
  return s;
}

TEST(PluginEffects, StartOldEndNewAndShowBothOnTheWay) {
  Raster from = Plain(20), to = Plain(200), out;
  for (int effect : {kLight, kSpin, kPageTurn, kRipple, kShatter}) {
    ASSERT_TRUE(ComposePluginFrame(from, to, effect, 0, 10, out));
    EXPECT_EQ(Count(out).old, kW * kH) << effect;
    ASSERT_TRUE(ComposePluginFrame(from, to, effect, 10, 10, out));
    EXPECT_EQ(Count(out).fresh, kW * kH) << effect;
    ASSERT_TRUE(ComposePluginFrame(from, to, effect, 5, 10, out));
    Shares half = Count(out);
    EXPECT_LT(half.fresh, kW * kH) << effect;
    EXPECT_LT(half.old, kW * kH) << effect;
  }
  // The ripple blends: half-way every pixel lies between the two pictures.
  ComposePluginFrame(from, to, kRipple, 5, 10, out);
  EXPECT_EQ(out.Row(kH / 2)[kW / 2 * 3], (20 + 200) / 2);
  // The page turns from the bottom right: that corner is new first.
  ComposePluginFrame(from, to, kPageTurn, 3, 10, out);
  EXPECT_EQ(out.Row(kH - 1)[(kW - 1) * 3], 200);
  EXPECT_EQ(out.Row(0)[0], 20);
  // Spinning in, the new picture grows from the centre.
  ComposePluginFrame(from, to, kSpin, 2, 10, out);
  EXPECT_EQ(out.Row(kH / 2)[kW / 2 * 3], 200);
  EXPECT_EQ(out.Row(0)[0], 20);
}

TEST(PluginEffects, UnknownNumbersAndBadInput) {
  Raster from = Plain(20), to = Plain(200), out, small;
  ASSERT_TRUE(ComposePluginFrame(from, to, 99, 1, 10, out));
  EXPECT_EQ(Count(out).fresh, kW * kH);
  small.Allocate(kW, kH - 1);
  EXPECT_FALSE(ComposePluginFrame(from, small, kSpin, 1, 10, out));
  EXPECT_FALSE(ComposePluginFrame(from, to, kSpin, 1, 0, out));
}

TEST(PluginEffects, FramesAndTheAutomaticChoice) {
  EXPECT_EQ(FramesForStep(1), 100);
  EXPECT_EQ(FramesForStep(50), 2);
  EXPECT_EQ(FramesForStep(3), 34);
  EXPECT_EQ(FramesForStep(0), 20);
  EXPECT_EQ(FramesForStep(-4), 20);
  EXPECT_EQ(FramesForStep(500), 1);
  EXPECT_EQ(AutomaticEffect(0), kSpin);
  EXPECT_EQ(AutomaticEffect(3), kShatter);
  EXPECT_EQ(AutomaticEffect(4), kSpin);
  EXPECT_EQ(AutomaticEffect(-1), kShatter);
}

}  // namespace
}  // namespace pellox
