// The JPEG decoder's inner loops: the integer inverse transform and the row conversions
// give the same bytes with and without the vector unit (the 32-bit build has none), and
// the transform stays within a level of the exact one, with no bias.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "jpeg_rows.h"
#include "jpeg_tables.h"

using namespace imglib::jpeg;

namespace {

// Coefficients as photographs have them: large at low frequencies, sparse and small at
// high ones, dequantised.
void PhotoBlock(std::mt19937& rng, int16_t* block) {
  for (int z = 0; z < 64; ++z) {
    int u = z & 7, v = z >> 3;
    int range = z == 0 ? 1000 : 600 / (1 + u + v);
    block[z] = int16_t(rng() % 3 == 0 || z == 0 ? int(rng() % uint32_t(2 * range + 1)) - range : 0);
  }
}

// The standard's inverse transform in doubles, level-shifted, unrounded.
void ExactIdct(const int16_t* c, double* out) {
  const double pi = 3.14159265358979323846;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      double s = 0;
      for (int v = 0; v < 8; ++v)
        for (int u = 0; u < 8; ++u) {
          double cu = u == 0 ? std::sqrt(0.5) : 1.0, cv = v == 0 ? std::sqrt(0.5) : 1.0;
          s += cu * cv * c[v * 8 + u] * std::cos((2 * x + 1) * u * pi / 16) * std::cos((2 * y + 1) * v * pi / 16);
        }
      out[y * 8 + x] = s / 4 + 128;
    }
}

}  // namespace

TEST(JpegKernels, VectorAndPortableTransformsGiveTheSameSamples) {
  std::mt19937 rng(11);
  int16_t block[64];
  uint8_t a[8 * 10], b[8 * 10];
  for (int round = 0; round < 3000; ++round) {
    if (round % 3 == 0) {
      PhotoBlock(rng, block);
    } else if (round % 3 == 1) {
      // Anything a damaged file can give, the extremes included.
      for (int16_t& c : block) c = int16_t(rng() % 4 == 0 ? (rng() % 2 ? 32767 : -32768) : int(rng() % 65536) - 32768);
    } else {
      for (int16_t& c : block) c = 0;
      block[rng() % 64] = int16_t(int(rng() % 4096) - 2048);
      block[0] = int16_t(int(rng() % 2048) - 1024);
    }
    std::memset(a, 0xAA, sizeof a);
    std::memset(b, 0xAA, sizeof b);
    IntegerIdct(block, a, 10);
    IntegerIdctPortable(block, b, 10);
    ASSERT_EQ(std::memcmp(a, b, sizeof a), 0) << "round " << round;
  }
}

TEST(JpegKernels, IntegerTransformIsWithinALevelOfTheExactOne) {
  std::mt19937 rng(5);
  int16_t block[64];
  uint8_t out[64];
  double exact[64];
  int worst = 0;
  double signedSum = 0;
  int samples = 0;
  for (int round = 0; round < 2000; ++round) {
    PhotoBlock(rng, block);
    IntegerIdct(block, out, 8);
    ExactIdct(block, exact);
    for (int i = 0; i < 64; ++i) {
      double e = std::clamp(std::floor(exact[i] + 0.5), 0.0, 255.0);
      worst = std::max(worst, int(std::abs(out[i] - e)));
      signedSum += out[i] - e;
      ++samples;
    }
  }
  EXPECT_LE(worst, 1);
  EXPECT_NEAR(signedSum / samples, 0.0, 0.01);
  // A block of its mean alone is flat, at the mean the decoder gives it elsewhere.
  for (int dc : {-1024, -8, -4, 0, 3, 4, 12, 1016}) {
    int16_t flat[64] = {};
    flat[0] = int16_t(dc);
    IntegerIdct(flat, out, 8);
    for (uint8_t sample : out) ASSERT_EQ(sample, MeanSample(dc)) << dc;
  }
}

TEST(JpegKernels, RowConversionsGiveTheSameBytesAsThePortableForms) {
  // Every pair of colour differences, with the brightness running through its range.
  std::vector<uint8_t> luma(65536), blue(65536), red(65536);
  for (int i = 0; i < 65536; ++i) {
    blue[size_t(i)] = uint8_t(i >> 8);
    red[size_t(i)] = uint8_t(i);
    luma[size_t(i)] = uint8_t(i * 7 + (i >> 8) * 13);
  }
  std::vector<uint8_t> a(65536 * 3 + 8), b(65536 * 3 + 8);
  YCbCrToBgr(luma.data(), blue.data(), red.data(), a.data(), 65536);
  YCbCrToBgrPortable(luma.data(), blue.data(), red.data(), b.data(), 65536);
  EXPECT_EQ(a, b);
  // Widths around the sixteen pixels of a step never write past the row.
  for (int width = 1; width <= 40; ++width) {
    std::fill(a.begin(), a.end(), 0xEE);
    std::fill(b.begin(), b.end(), 0xEE);
    YCbCrToBgr(luma.data() + 3000, blue.data() + 5000, red.data() + 7, a.data(), width);
    YCbCrToBgrPortable(luma.data() + 3000, blue.data() + 5000, red.data() + 7, b.data(), width);
    ASSERT_EQ(a, b) << width;
    GreyToBgr(luma.data() + 11, a.data(), width);
    GreyToBgrPortable(luma.data() + 11, b.data(), width);
    ASSERT_EQ(a, b) << width;
    EXPECT_EQ(a[size_t(3 * width)], 0xEE) << width;
  }
  // Pure colours come out as they went in.
  uint8_t y = 76, cb = 85, cr = 255, pixel[3];  // red in YCbCr, rounded
  YCbCrToBgr(&y, &cb, &cr, pixel, 1);
  EXPECT_EQ(pixel[2], 254);
  EXPECT_LE(pixel[1], 1);
  EXPECT_LE(pixel[0], 1);
}

TEST(JpegKernels, UpsamplingGivesTheSameBytesAsThePortableForm) {
  std::mt19937 rng(3);
  for (int count = 1; count <= 60; ++count) {
    for (bool down : {false, true}) {
      std::vector<uint16_t> sums(static_cast<size_t>(count));
      for (uint16_t& s : sums) s = uint16_t(rng() % (down ? 1021 : 256));
      if (count > 3) sums[2] = down ? 1020 : 255;
      std::vector<uint8_t> a(size_t(2 * count + 4), 0xEE), b(a);
      int shift = down ? 4 : 2, left = down ? 8 : 1, right = down ? 7 : 2;
      UpsampleAcross(sums.data(), count, shift, left, right, a.data());
      UpsampleAcrossPortable(sums.data(), count, shift, left, right, b.data());
      ASSERT_EQ(a, b) << count << (down ? " down" : "");
      EXPECT_EQ(a[size_t(2 * count)], 0xEE);
      // Each sample lies between its two sources.
      for (int i = 0; i + 1 < count; ++i) {
        int lo = std::min(sums[size_t(i)], sums[size_t(i + 1)]) >> (shift - 2);
        int hi = (std::max(sums[size_t(i)], sums[size_t(i + 1)]) + (1 << (shift - 2)) - 1) >> (shift - 2);
        ASSERT_GE(a[size_t(2 * i + 1)], lo);
        ASSERT_LE(a[size_t(2 * i + 1)], hi);
      }
    }
  }
}
