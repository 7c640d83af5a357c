// The transition composer: where each effect starts and ends, what it shows half-way, and
// that the effects which lay the new picture over the old one only ever grow.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "imglib/transitions.h"
#include "test_pictures.h"

namespace imglib {
namespace {

constexpr int kW = 64, kH = 48, kFrames = 32;

// Two pictures that differ in every pixel and channel.
Raster Noise(unsigned seed, int low) {
  Raster p;
  p.Allocate(kW, kH);
  std::mt19937 random(seed);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x)
      p.Set(x, y, uint8_t(low + random() % 100), uint8_t(low + random() % 100), uint8_t(low + random() % 100));
  return p;
}

const Raster& Old() {
  static const Raster r = Noise(1, 0);  // 0 to 99 in every channel
  return r;
}
const Raster& New() {
  static const Raster r = Noise(2, 150);  // 150 to 249
  return r;
}

unsigned Px(const Raster& r, int x, int y) { return testpics::PixelAt(r, x, y); }

Raster Frame(int effect, int frame, int frames = kFrames) {
  Raster out;
  EXPECT_TRUE(ComposeTransitionFrame(Old(), New(), effect, frame, frames, out)) << effect;
  return out;
}

bool Same(const Raster& a, const Raster& b) { return testpics::Compare(a, b).maximum == 0; }

// The pixels of a frame that show the new picture; -1 when one shows neither picture.
int NewPixels(const Raster& frame) {
  int count = 0;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      unsigned p = Px(frame, x, y);
      if (p == Px(New(), x, y)) ++count;
      else if (p != Px(Old(), x, y)) return -1;
    }
  return count;
}

bool Moves(int effect) { return effect / 1000 == 3 || effect / 1000 == 4 || effect / 1000 == 13 || effect / 1000 == 16; }
bool Fades(int effect) { return effect / 1000 == 12; }

TEST(Transitions, EveryEffectStartsWithTheOldPictureAndEndsWithTheNew) {
  int count = 0;
  const int* effects = TransitionEffects(count);
  ASSERT_EQ(count, 39);
  for (int i = 0; i < count; ++i) {
    int e = effects[i];
    EXPECT_TRUE(IsTransitionEffect(e));
    EXPECT_TRUE(Same(Frame(e, 0), Old())) << e;
    EXPECT_TRUE(Same(Frame(e, kFrames), New())) << e;
    // Half-way it is neither picture.
    Raster middle = Frame(e, kFrames / 2);
    EXPECT_FALSE(Same(middle, Old())) << e;
    EXPECT_FALSE(Same(middle, New())) << e;
  }
}

TEST(Transitions, RevealsShowOnlyOldAndNewPixelsAndOnlyGrow) {
  int count = 0;
  const int* effects = TransitionEffects(count);
  for (int i = 0; i < count; ++i) {
    int e = effects[i];
    if (Moves(e) || Fades(e)) continue;
    int before = 0;
    for (int f = 1; f < kFrames; ++f) {
      int now = NewPixels(Frame(e, f));
      ASSERT_GE(now, 0) << e << " frame " << f << " shows a pixel of neither picture";
      EXPECT_GE(now, before) << e << " frame " << f;
      before = now;
    }
    EXPECT_GT(before, 0) << e;
  }
}

TEST(Transitions, HalfWay) {
  Raster wipe = Frame(kWipeFromLeft, kFrames / 2);
  for (int y = 0; y < kH; y += 7)
    for (int x = 0; x < kW; ++x) EXPECT_EQ(Px(wipe, x, y), Px(x < kW / 2 ? New() : Old(), x, y)) << x << "," << y;

  Raster cross = Frame(kCrossFade, kFrames / 2);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x)
      for (int c = 0; c < 3; ++c) {
        int mean = (Old().Row(y)[x * 3 + c] + New().Row(y)[x * 3 + c]) / 2;
        ASSERT_NEAR(cross.Row(y)[x * 3 + c], mean, 1) << x << "," << y;
      }

  EXPECT_EQ(testpics::MeanChannel(Frame(kFadeThroughBlack, kFrames / 2), 1), 0.0);
  EXPECT_EQ(testpics::MeanChannel(Frame(kFadeThroughWhite, kFrames / 2), 0), 255.0);

  int dissolved = NewPixels(Frame(kDissolve, kFrames / 2));
  EXPECT_NEAR(dissolved, kW * kH / 2, kW * kH / 20);

  // Pushed to the left: the old picture's right half, then the new one's left half.
  Raster push = Frame(kPushLeft, kFrames / 2);
  EXPECT_EQ(Px(push, 0, 5), Px(Old(), kW / 2, 5));
  EXPECT_EQ(Px(push, kW / 2, 5), Px(New(), 0, 5));
  // The box grows from the middle, the circle closes in from the edges.
  Raster box = Frame(kBoxOut, kFrames / 2);
  EXPECT_EQ(Px(box, kW / 2, kH / 2), Px(New(), kW / 2, kH / 2));
  EXPECT_EQ(Px(box, 0, 0), Px(Old(), 0, 0));
  Raster circle = Frame(kCircleIn, kFrames / 2);
  EXPECT_EQ(Px(circle, 0, 0), Px(New(), 0, 0));
  EXPECT_EQ(Px(circle, kW / 2, kH / 2), Px(Old(), kW / 2, kH / 2));
  // A fade through black is darker before half-way than the old picture.
  EXPECT_LT(testpics::MeanChannel(Frame(kFadeThroughBlack, kFrames / 4), 2), testpics::MeanChannel(Old(), 2));
}

TEST(Transitions, UnknownEffectsAndBadInput) {
  EXPECT_FALSE(IsTransitionEffect(18000));
  EXPECT_FALSE(IsTransitionEffect(17001));
  EXPECT_TRUE(Same(Frame(18000, 0), Old()));
  EXPECT_TRUE(Same(Frame(18000, 1), New()));
  EXPECT_TRUE(Same(Frame(-5, 3), New()));
  Raster out, small;
  small.Allocate(kW - 1, kH);
  EXPECT_FALSE(ComposeTransitionFrame(Old(), small, kWipeFromLeft, 3, kFrames, out));
  EXPECT_FALSE(ComposeTransitionFrame(Old(), New(), kWipeFromLeft, 3, 0, out));
  EXPECT_FALSE(ComposeTransitionFrame(Raster(), Raster(), kWipeFromLeft, 3, kFrames, out));
  // Frames past the end stay at the new picture; an odd size still ends exactly.
  EXPECT_TRUE(Same(Frame(kSpiralOut, kFrames + 5), New()));
}

TEST(Transitions, OddSizesAndOneFrame) {
  Raster from, to, out;
  from.Allocate(7, 3);
  to.Allocate(7, 3);
  from.Fill(10, 10, 10);
  to.Fill(200, 200, 200);
  int count = 0;
  const int* effects = TransitionEffects(count);
  for (int i = 0; i < count; ++i) {
    for (int f = 0; f <= 5; ++f) ASSERT_TRUE(ComposeTransitionFrame(from, to, effects[i], f, 5, out)) << effects[i];
    EXPECT_EQ(testpics::MeanChannel(out, 0), 200.0) << effects[i];
    ASSERT_TRUE(ComposeTransitionFrame(from, to, effects[i], 1, 1, out));
    EXPECT_EQ(testpics::MeanChannel(out, 1), 200.0) << effects[i];
  }
}

TEST(Transitions, BlendWeights) {
  Raster out;
  out.Allocate(kW, kH);
  BlendPictures(Old(), New(), 0, out);
  EXPECT_TRUE(Same(out, Old()));
  BlendPictures(Old(), New(), 256, out);
  EXPECT_TRUE(Same(out, New()));
  BlendPictures(Old(), New(), 999, out);  // kept within 0 to 256
  EXPECT_TRUE(Same(out, New()));
}

}  // namespace
}  // namespace imglib
