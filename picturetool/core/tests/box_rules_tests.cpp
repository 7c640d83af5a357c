// The boxes' rules: the imaging library's arguments, the saturation rule, the relief
// directions, the size box's numbers and the text and shape boxes' values; and the
// effects that APPLYEFFECT runs.
#include <gtest/gtest.h>

#include "bravik/box_rules.h"

namespace bravik {
namespace {

TEST(BoxRules, BoxValuesBecomeTheLibrarysArguments) {
  EXPECT_EQ(LibraryArgument(kBoxPosterize, 2, 1), 62);
  EXPECT_EQ(LibraryArgument(kBoxSolarize, 0, 1), 255);
  EXPECT_EQ(LibraryArgument(kBoxGamma, -100, 1), 1);
  EXPECT_EQ(LibraryArgument(kBoxGamma, 100, 1), 300);
  EXPECT_EQ(LibraryArgument(kBoxGamma, 0, 1), 100);
  EXPECT_EQ(LibraryArgument(kBoxGamma, -30, 1), 70);
  EXPECT_EQ(LibraryArgument(kBoxContrast, 5, EffectRangeOf(kBoxContrast).multiplier), 50);
  EXPECT_EQ(LibraryArgument(kBoxSaturation, -3, EffectRangeOf(kBoxSaturation).multiplier), -150);
  EXPECT_EQ(LibraryArgument(kBoxAutoTrim, 70, 99), 70);  // without the multiplier
}

TEST(BoxRules, CommandsFindTheirBoxesAndRanges) {
  EXPECT_EQ(BoxIndex(203), kBoxContrast);
  EXPECT_EQ(BoxIndex(212), kBoxStretch);
  EXPECT_EQ(BoxIndex(606), kBoxMedian);
  EXPECT_EQ(BoxIndex(708), kBoxLastEmboss);
  EXPECT_EQ(BoxIndex(304), kBoxTurnRight);
  EXPECT_EQ(BoxIndex(313), kBoxResize);
  EXPECT_EQ(BoxIndex(217), 0);
  EXPECT_EQ(EffectRangeOf(20).value, 500);  // every emboss box shares one entry
  EXPECT_EQ(EffectRangeOf(kBoxMedian).value, 2);
  EXPECT_FALSE(HasValue(kBoxInvert));
  EXPECT_TRUE(HasValue(kBoxAutoTrim));
  EXPECT_TRUE(PreviewsAtOnce(kBoxFirstEmboss + 3));
  EXPECT_FALSE(PreviewsAtOnce(kBoxContrast));
}

TEST(BoxRules, ReliefAndEmbossDirections) {
  EXPECT_EQ(ReliefDirection(901), 4);
  EXPECT_EQ(ReliefDirection(905), 0);
  EXPECT_EQ(ReliefDirection(908), 3);
  EXPECT_EQ(EmbossDirection(kBoxFirstEmboss), 0);
  EXPECT_EQ(EmbossDirection(kBoxLastEmboss), 7);
}

TEST(BoxRules, SaturationAppliesOnlyWhileMovingAwayFromZero) {
  bool apply = false;
  EXPECT_EQ(SaturationStep(0, 2, apply), 2);
  EXPECT_TRUE(apply);
  EXPECT_EQ(SaturationStep(2, 3, apply), 3);
  EXPECT_TRUE(apply);
  EXPECT_EQ(SaturationStep(3, 1, apply), 0);  // back towards 0: reset
  EXPECT_FALSE(apply);
  EXPECT_EQ(SaturationStep(0, -1, apply), -1);
  EXPECT_TRUE(apply);
  EXPECT_EQ(SaturationStep(-1, 4, apply), 0);  // across 0: reset
  EXPECT_FALSE(apply);
}

TEST(BoxRules, SizeFieldsNeverDivideByZeroAndRefuseWhatCannotBeHeld) {
  EXPECT_EQ(SizeFieldValue(" 320 "), 320);
  EXPECT_EQ(SizeFieldValue("abc"), 0);
  EXPECT_EQ(SizeFieldValue("12x"), 0);
  EXPECT_EQ(SizeFieldValue(""), 0);
  EXPECT_EQ(ProportionalSide(320, 640, 480), 240);
  EXPECT_EQ(ProportionalSide(3, 2, 3), 5);  // rounded
  EXPECT_EQ(ProportionalSide(320, 0, 480), 0);
  EXPECT_EQ(ProportionalSide(0, 640, 480), 0);
  EXPECT_TRUE(SizeAllowed(320, 200));
  EXPECT_FALSE(SizeAllowed(0, 200));
  EXPECT_FALSE(SizeAllowed(10000, 2));
  EXPECT_FALSE(SizeAllowed(320, -1));
}

TEST(BoxRules, SizeTextsAndColoursOfTheTextAndShapeBoxes) {
  EXPECT_EQ(SizeOfText("30", kDefaultTextSize), 30);
  EXPECT_EQ(SizeOfText("thirty", kDefaultTextSize), 14);
  EXPECT_EQ(SizeOfText("", kDefaultPenWidth), 1);
  EXPECT_EQ(SizeOfText("0", kDefaultPenWidth), 1);
  EXPECT_EQ(ComposeArgb(128, 255, 0, 0), 0x80FF0000u);
  EXPECT_EQ(ComposeArgb(300, -4, 1, 2), 0xFF000102u);
  BoxLabels l = COLORLABELS("Text and shapes|A,R,G|Size of it");
  EXPECT_EQ(l.caption, "Text and shapes");
  EXPECT_EQ(l.colours[1], "R");
  EXPECT_EQ(l.colours[3], "Blue");
  EXPECT_EQ(l.size, "Size of it");
  EXPECT_EQ(l.depth, "3D");
  EXPECT_EQ(COLORLABELS("").colours[0], "Alpha");
}

imglib::Raster Pixel(uint8_t r, uint8_t g, uint8_t b) {
  imglib::Raster p;
  p.Allocate(1, 1);
  p.Set(0, 0, r, g, b);
  return p;
}

TEST(BoxRules, AppliedEffectsFollowTheTable) {
  // Contrast box value 5: contrast 50 (the filter tests pin these pixels too).
  imglib::Raster p = Pixel(30, 100, 200);
  ASSERT_TRUE(APPLYEFFECT(p, kBoxContrast, 5, 10));
  EXPECT_EQ(p.Row(0)[2], 25);
  EXPECT_EQ(p.Row(0)[1], 99);
  EXPECT_EQ(p.Row(0)[0], 204);
  // Solarise 0 and gamma 0 change nothing; posterise 62 levels nearly nothing.
  imglib::Raster s = Pixel(250, 10, 128);
  ASSERT_TRUE(APPLYEFFECT(s, kBoxSolarize, 0, 1));
  ASSERT_TRUE(APPLYEFFECT(s, kBoxGamma, 0, 1));
  EXPECT_EQ(s.Row(0)[2], 250);
  // Turning left makes a tall picture wide.
  imglib::Raster tall;
  tall.Allocate(2, 5);
  ASSERT_TRUE(APPLYEFFECT(tall, kBoxTurnLeft, 0, 1));
  EXPECT_EQ(tall.Width(), 5);
  EXPECT_FALSE(APPLYEFFECT(tall, kBoxResize, 0, 1));
  // Emboss works on the grey picture: a flat colour becomes grey 128.
  imglib::Raster e = Pixel(200, 30, 10);
  ASSERT_TRUE(APPLYEFFECT(e, kBoxFirstEmboss + 2, 500, 1));
  EXPECT_EQ(e.Row(0)[0], 128);
  EXPECT_EQ(e.Row(0)[2], 128);
}

TEST(BoxRules, ReliefDarkensTheShadedSideOfAnEdge) {
  // A dark bar across a light picture: lit from the north (905) its upper edge stays light
  // and its lower edge darkens; from the south (901) the other way round.
  imglib::Raster p;
  p.Allocate(3, 7);
  p.Fill(200, 200, 200);
  for (int x = 0; x < 3; ++x) p.Set(x, 3, 40, 40, 40);
  imglib::Raster north = p, south = p;
  ASSERT_TRUE(ReliefOf(north, 905));
  ASSERT_TRUE(ReliefOf(south, 901));
  EXPECT_NE(north.Row(2)[0], south.Row(2)[0]);
  EXPECT_EQ(north.Row(2)[0], south.Row(4)[0]);
  EXPECT_EQ(north.Row(0)[0], 100);  // flat: the relief's grey 128 takes 200 to 100
}

}  // namespace
}  // namespace bravik
