// The GIF encoder through the GIF decoder: every index comes back, whatever the palette's
// size and however often the string table fills up.
#include <gtest/gtest.h>

#include <random>

#include "gif/gif_decoder.h"
#include "gif/gif_encoder.h"

namespace gif {
namespace {

std::vector<Colour> Ramp(int n) {
  std::vector<Colour> p;
  for (int i = 0; i < n; ++i) p.push_back({uint8_t(i), uint8_t(255 - i), uint8_t(i * 7)});
  return p;
}

void RoundTrip(int width, int height, int colours, unsigned seed, bool noise) {
  std::vector<Colour> palette = Ramp(colours);
  std::vector<uint8_t> indices(size_t(width) * size_t(height));
  std::mt19937 random(seed);
  for (size_t i = 0; i < indices.size(); ++i)
    indices[i] = uint8_t(noise ? random() % unsigned(colours) : (i / 7 + i % 3) % unsigned(colours));
  std::string file;
  ASSERT_EQ(Encode(width, height, palette, indices, file), kOk);
  Image image;
  ASSERT_EQ(Decode(file, image), kOk);
  ASSERT_EQ(image.width, width);
  ASSERT_EQ(image.height, height);
  ASSERT_FALSE(image.truncated);
  for (size_t i = 0; i < indices.size(); ++i) {
    const Colour& c = palette[indices[i]];
    ASSERT_EQ(image.rgb[i * 3], c.r) << i;
    ASSERT_EQ(image.rgb[i * 3 + 1], c.g) << i;
    ASSERT_EQ(image.rgb[i * 3 + 2], c.b) << i;
  }
}

TEST(GifEncoder, EveryIndexComesBack) {
  RoundTrip(1, 1, 1, 1, false);
  RoundTrip(13, 7, 2, 2, true);
  RoundTrip(40, 30, 3, 3, true);   // a table of 4 entries
  RoundTrip(64, 64, 16, 4, false);
  // Noise over 256 colours fills the 4096 codes again and again.
  RoundTrip(300, 211, 256, 5, true);
  RoundTrip(500, 400, 256, 6, false);
}

TEST(GifEncoder, RefusesWhatItCannotWrite) {
  std::string out;
  EXPECT_EQ(Encode(0, 5, Ramp(2), {}, out), kDamaged);
  EXPECT_EQ(Encode(2, 2, {}, {0, 0, 0, 0}, out), kDamaged);
  EXPECT_EQ(Encode(2, 2, Ramp(2), {0, 1, 2, 0}, out), kDamaged);  // an index beyond the palette
  EXPECT_EQ(Encode(2, 2, Ramp(2), {0, 1, 1}, out), kDamaged);     // too few indices
  EXPECT_EQ(Encode(2, 2, Ramp(257), {0, 0, 0, 0}, out), kDamaged);
  EXPECT_TRUE(out.empty());
}

}  // namespace
}  // namespace gif
