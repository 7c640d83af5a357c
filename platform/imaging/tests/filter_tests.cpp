// The colour and area filters on small pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <set>
#include <vector>

#include "imglib/filters.h"

namespace imglib {
namespace {

struct Px {
  int r, g, b;
  bool operator==(const Px&) const = default;
};

Px At(const Raster& p, int x, int y) {
  const uint8_t* q = p.Row(y) + size_t(x) * 3;
  return Px{q[2], q[1], q[0]};
}

std::ostream& operator<<(std::ostream& os, const Px& p) { return os << "(" << p.r << "," << p.g << "," << p.b << ")"; }

// A picture of noise with a few plain areas, from a fixed seed.
Raster Noise(int w, int h, unsigned seed = 7) {
  Raster p;
  p.Allocate(w, h);
  std::mt19937 random(seed);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (x < w / 4) p.Set(x, y, 40, 90, 200);
      else p.Set(x, y, uint8_t(random()), uint8_t(random()), uint8_t(random()));
    }
  return p;
}

bool Same(const Raster& a, const Raster& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (!(At(a, x, y) == At(b, x, y))) return false;
  return true;
}

TEST(Filters, TheNeutralValueChangesNothing) {
  const Raster original = Noise(23, 17);
  std::vector<std::pair<const char*, std::function<bool(Raster&)>>> neutral = {
      {"contrast", [](Raster& r) { return ChangeContrast(r, 0); }},
      {"intensity", [](Raster& r) { return ChangeIntensity(r, 0); }},
      {"hue", [](Raster& r) { return ChangeHue(r, 0); }},
      {"hue 360", [](Raster& r) { return ChangeHue(r, 360); }},
      {"hue -360", [](Raster& r) { return ChangeHue(r, -360); }},
      {"saturation", [](Raster& r) { return ChangeSaturation(r, 0); }},
      {"gamma", [](Raster& r) { return GammaCorrect(r, 100); }},
      {"histogram contrast", [](Raster& r) { return HistoContrast(r, 0); }},
      {"sharpen", [](Raster& r) { return Sharpen(r, 0); }},
      {"solarise", [](Raster& r) { return Solarize(r, 255); }},
      {"posterise", [](Raster& r) { return Posterize(r, 256); }},
      {"mosaic", [](Raster& r) { return Mosaic(r, 1); }},
      {"average", [](Raster& r) { return AverageFilter(r, 0); }},
      {"median", [](Raster& r) { return MedianFilter(r, 1); }},
      {"oilify", [](Raster& r) { return Oilify(r, 0); }},
      {"emboss depth 0 of grey 128", nullptr},
  };
  for (auto& [name, filter] : neutral) {
    if (!filter) continue;
    Raster p = original;
    EXPECT_TRUE(filter(p)) << name;
    EXPECT_TRUE(Same(p, original)) << name;
  }
}

TEST(Filters, ValuesOutOfRangeAndEmptyPicturesAreRefusedUntouched) {
  const Raster original = Noise(5, 4);
  Raster p = original;
  EXPECT_FALSE(ChangeContrast(p, 1001));
  EXPECT_FALSE(ChangeHue(p, 361));
  EXPECT_FALSE(GammaCorrect(p, 0));
  EXPECT_FALSE(Posterize(p, 1));
  EXPECT_FALSE(Solarize(p, 256));
  EXPECT_FALSE(Emboss(p, 8, 500));
  EXPECT_FALSE(MedianFilter(p, -1));
  EXPECT_FALSE(AutoTrim(p, -1));
  EXPECT_TRUE(Same(p, original));
  Raster empty;
  EXPECT_FALSE(Invert(empty));
  EXPECT_FALSE(MedianFilter(empty, 3));
  EXPECT_FALSE(Underlay(p, empty));
}

TEST(Filters, InvertTwiceIsTheIdentityAndSolariseInvertsOnlyAboveItsThreshold) {
  const Raster original = Noise(9, 8);
  Raster p = original;
  ASSERT_TRUE(Invert(p));
  EXPECT_EQ(At(p, 0, 0), (Px{255 - 40, 255 - 90, 255 - 200}));
  ASSERT_TRUE(Invert(p));
  EXPECT_TRUE(Same(p, original));

  Raster s;
  s.Allocate(1, 1);
  s.Set(0, 0, 100, 150, 200);
  ASSERT_TRUE(Solarize(s, 150));
  EXPECT_EQ(At(s, 0, 0), (Px{100, 150, 55}));
}

// The pixels that contrast 50 (the box's value 5 times 10) gives; the picture tool's
// whole-program test expects the same.
TEST(Filters, ContrastSpreadsAroundMidGrey) {
  Raster p;
  p.Allocate(1, 1);
  p.Set(0, 0, 30, 100, 200);
  ASSERT_TRUE(ChangeContrast(p, 50));
  EXPECT_EQ(At(p, 0, 0), (Px{25, 99, 204}));
  p.Set(0, 0, 30, 100, 200);
  ASSERT_TRUE(ChangeContrast(p, -1000));
  EXPECT_EQ(At(p, 0, 0), (Px{128, 128, 128}));
  p.Set(0, 0, 30, 100, 200);
  ASSERT_TRUE(ChangeContrast(p, 1000));
  EXPECT_EQ(At(p, 0, 0), (Px{0, 0, 255}));
}

TEST(Filters, IntensityGammaAndStretchMoveTheValuesTheRightWay) {
  Raster p;
  p.Allocate(2, 1);
  p.Set(0, 0, 100, 100, 100);
  p.Set(1, 0, 150, 50, 0);
  Raster lighter = p, darker = p, gamma = p, stretched = p;
  ASSERT_TRUE(ChangeIntensity(lighter, 500));
  EXPECT_EQ(At(lighter, 0, 0), (Px{178, 178, 178}));  // halfway to white
  ASSERT_TRUE(ChangeIntensity(darker, -1000));
  EXPECT_EQ(At(darker, 1, 0), (Px{0, 0, 0}));
  ASSERT_TRUE(GammaCorrect(gamma, 200));
  EXPECT_GT(At(gamma, 0, 0).r, 100);
  EXPECT_EQ(At(gamma, 1, 0).b, 0);
  ASSERT_TRUE(StretchIntensity(stretched));
  EXPECT_EQ(At(stretched, 1, 0), (Px{255, 85, 0}));
}

TEST(Filters, HueTurnsTheWheelAndSaturationAndGreyUseTheGreyWeights) {
  Raster p;
  p.Allocate(3, 1);
  p.Set(0, 0, 255, 0, 0);
  p.Set(1, 0, 90, 90, 90);
  p.Set(2, 0, 200, 100, 50);
  Raster turned = p;
  ASSERT_TRUE(ChangeHue(turned, 120));
  EXPECT_EQ(At(turned, 0, 0), (Px{0, 255, 0}));
  EXPECT_EQ(At(turned, 1, 0), (Px{90, 90, 90}));
  ASSERT_TRUE(ChangeHue(turned, -120));
  EXPECT_EQ(At(turned, 0, 0), (Px{255, 0, 0}));
  Px back = At(turned, 2, 0);
  EXPECT_NEAR(back.g, 100, 1);
  EXPECT_EQ(back.r, 200);
  EXPECT_EQ(back.b, 50);

  Raster grey = p, washed = p;
  ASSERT_TRUE(GreyScale(grey));
  EXPECT_EQ(At(grey, 0, 0), (Px{76, 76, 76}));  // (19595 x 255) >> 16
  EXPECT_EQ(GreyValue(200, 100, 50), (19595 * 200 + 38470 * 100 + 7471 * 50) >> 16);
  ASSERT_TRUE(ChangeSaturation(washed, -1000));
  EXPECT_EQ(At(washed, 0, 0), At(grey, 0, 0));
  EXPECT_EQ(At(washed, 2, 0), At(grey, 2, 0));
}

TEST(Filters, PosteriseTwoLeavesTwoValuesPerChannel) {
  Raster p = Noise(40, 30);
  ASSERT_TRUE(Posterize(p, 2));
  std::set<int> values;
  for (int y = 0; y < p.Height(); ++y)
    for (int i = 0; i < p.Width() * 3; ++i) values.insert(p.Row(y)[i]);
  EXPECT_EQ(values, (std::set<int>{0, 255}));
  Raster four = Noise(40, 30);
  ASSERT_TRUE(Posterize(four, 4));
  values.clear();
  for (int y = 0; y < four.Height(); ++y)
    for (int i = 0; i < four.Width() * 3; ++i) values.insert(four.Row(y)[i]);
  EXPECT_EQ(values, (std::set<int>{0, 85, 170, 255}));
}

TEST(Filters, HistogramFiltersSpreadWhatThePictureUses) {
  Raster p;
  p.Allocate(4, 1);
  for (int x = 0; x < 4; ++x) p.Set(x, 0, x < 2 ? 100 : 110, x < 2 ? 100 : 110, x < 2 ? 100 : 110);
  Raster equal = p;
  ASSERT_TRUE(HistoEqualize(equal));
  EXPECT_EQ(At(equal, 0, 0), (Px{0, 0, 0}));
  EXPECT_EQ(At(equal, 3, 0), (Px{255, 255, 255}));
  // Around its own mean (105): the two levels move apart evenly.
  Raster contrast = p;
  ASSERT_TRUE(HistoContrast(contrast, 500));
  EXPECT_EQ(At(contrast, 0, 0).r, 95);
  EXPECT_EQ(At(contrast, 3, 0).r, 115);
}

Raster BruteMedian(const Raster& p, int size) {
  Raster out = p;
  int back = (size - 1) / 2, forward = size / 2;
  for (int y = 0; y < p.Height(); ++y)
    for (int x = 0; x < p.Width(); ++x)
      for (int c = 0; c < 3; ++c) {
        std::vector<int> v;
        for (int dy = -back; dy <= forward; ++dy)
          for (int dx = -back; dx <= forward; ++dx) {
            int sx = std::clamp(x + dx, 0, p.Width() - 1), sy = std::clamp(y + dy, 0, p.Height() - 1);
            v.push_back(p.Row(sy)[sx * 3 + c]);
          }
        std::sort(v.begin(), v.end());
        out.Row(y)[x * 3 + c] = uint8_t(v[(v.size() - 1) / 2]);
      }
  return out;
}

TEST(Filters, MedianRemovesASpikeAndMatchesTheSortedWindow) {
  Raster p;
  p.Allocate(7, 7);
  p.Fill(20, 30, 40);
  p.Set(3, 3, 255, 255, 255);
  ASSERT_TRUE(MedianFilter(p, 3));
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 7; ++x) ASSERT_EQ(At(p, x, y), (Px{20, 30, 40})) << x << "," << y;
  const Raster noise = Noise(45, 23, 11);
  for (int size : {2, 3, 4, 5, 9, 30}) {
    Raster fast = noise;
    ASSERT_TRUE(MedianFilter(fast, size));
    EXPECT_TRUE(Same(fast, BruteMedian(noise, size))) << size;
  }
}

TEST(Filters, AverageAndMosaicTakeTheMeanOfTheirSquares) {
  Raster p;
  p.Allocate(5, 5);
  p.Fill(0, 0, 0);
  p.Set(2, 2, 90, 180, 255);
  Raster averaged = p;
  ASSERT_TRUE(AverageFilter(averaged, 3));
  EXPECT_EQ(At(averaged, 1, 1), (Px{10, 20, 28}));
  EXPECT_EQ(At(averaged, 0, 0), (Px{0, 0, 0}));
  // Blurring all the way is the 3 x 3 mean.
  const Raster noise = Noise(12, 9);
  Raster blurred = noise, mean = noise;
  ASSERT_TRUE(Sharpen(blurred, -1000));
  ASSERT_TRUE(AverageFilter(mean, 3));
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 12; ++x) {
      EXPECT_NEAR(At(blurred, x, y).r, At(mean, x, y).r, 1);
      EXPECT_NEAR(At(blurred, x, y).b, At(mean, x, y).b, 1);
    }
  Raster m;
  m.Allocate(3, 2);
  m.Set(0, 0, 0, 0, 0);
  m.Set(1, 0, 100, 100, 100);
  m.Set(0, 1, 200, 200, 200);
  m.Set(1, 1, 100, 100, 100);
  m.Set(2, 0, 7, 7, 7);
  m.Set(2, 1, 9, 9, 9);
  ASSERT_TRUE(Mosaic(m, 2));
  EXPECT_EQ(At(m, 0, 0), (Px{100, 100, 100}));
  EXPECT_EQ(At(m, 1, 1), (Px{100, 100, 100}));
  EXPECT_EQ(At(m, 2, 0), (Px{8, 8, 8}));  // the cut block at the edge
}

TEST(Filters, SharpeningPushesAnEdgeApart) {
  Raster p;
  p.Allocate(4, 1);
  p.Set(0, 0, 100, 100, 100);
  p.Set(1, 0, 100, 100, 100);
  p.Set(2, 0, 150, 150, 150);
  p.Set(3, 0, 150, 150, 150);
  ASSERT_TRUE(Sharpen(p, 700));
  EXPECT_LT(At(p, 1, 0).r, 100);
  EXPECT_GT(At(p, 2, 0).r, 150);
  EXPECT_EQ(At(p, 0, 0).r, 100);
}

TEST(Filters, EmbossMakesFlatAreasGreyAndOppositeLightsMirror) {
  Raster flat;
  flat.Allocate(4, 4);
  flat.Fill(10, 200, 77);
  ASSERT_TRUE(Emboss(flat, kNorthEast, 500));
  EXPECT_EQ(At(flat, 1, 1), (Px{128, 128, 128}));
  Raster edge;
  edge.Allocate(4, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) edge.Set(x, y, y == 0 ? 100 : 140, y == 0 ? 100 : 140, y == 0 ? 100 : 140);
  Raster north = edge, south = edge;
  ASSERT_TRUE(Emboss(north, kNorth, 500));
  ASSERT_TRUE(Emboss(south, kSouth, 500));
  EXPECT_EQ(At(north, 0, 1).r, 128 + 40 * 500 / 200);
  EXPECT_EQ(At(south, 0, 1).r, 128 - 40 * 500 / 200);
  EXPECT_EQ(At(north, 0, 2).r, 128);
}

TEST(Filters, OilifyTakesTheMostFrequentBrightness) {
  Raster p;
  p.Allocate(5, 5);
  p.Fill(200, 40, 40);
  p.Set(2, 2, 0, 0, 250);
  p.Set(1, 2, 10, 250, 0);
  ASSERT_TRUE(Oilify(p, 3));
  EXPECT_EQ(At(p, 2, 2), (Px{200, 40, 40}));
  EXPECT_EQ(At(p, 1, 2), (Px{200, 40, 40}));
}

TEST(Filters, AutoTrimCutsThePlainBorderWithinTheThreshold) {
  Raster p;
  p.Allocate(10, 8);
  p.Fill(250, 250, 250);
  for (int y = 2; y < 6; ++y)
    for (int x = 3; x < 7; ++x) p.Set(x, y, 20, 20, 20);
  p.Set(9, 7, 240, 245, 250);  // within 70 of the corner
  Raster trimmed = p;
  ASSERT_TRUE(AutoTrim(trimmed, 70));
  EXPECT_EQ(trimmed.Width(), 4);
  EXPECT_EQ(trimmed.Height(), 4);
  EXPECT_EQ(At(trimmed, 0, 0), (Px{20, 20, 20}));
  Raster exact = p;
  ASSERT_TRUE(AutoTrim(exact, 0));
  // The one pixel off the corner colour keeps the last row and column.
  EXPECT_EQ(exact.Width(), 7);
  EXPECT_EQ(exact.Height(), 6);
  Raster plain;
  plain.Allocate(3, 3);
  plain.Fill(1, 2, 3);
  ASSERT_TRUE(AutoTrim(plain, 10));
  EXPECT_EQ(plain.Width(), 3);
}

TEST(Filters, UnderlayMultipliesByTheTiledGrey) {
  Raster p;
  p.Allocate(3, 2);
  p.Fill(200, 100, 50);
  Raster under;
  under.Allocate(2, 1);
  under.Set(0, 0, 255, 255, 255);
  under.Set(1, 0, 0, 0, 0);
  ASSERT_TRUE(Underlay(p, under));
  EXPECT_EQ(At(p, 0, 0), (Px{200, 100, 50}));
  EXPECT_EQ(At(p, 1, 1), (Px{0, 0, 0}));
  EXPECT_EQ(At(p, 2, 1), (Px{200, 100, 50}));
}

}  // namespace
}  // namespace imglib
