// The marquee's title casing and its ring step.
#include <gtest/gtest.h>

#include <vector>

#include "jorvel/marquee.h"

namespace jorvel {

namespace {

TEST(MarqueeText, EveryWordGetsACapitalBracketsAndQuotesTheSecondLetterToo) {
  EXPECT_EQ(MarqueeTitle("hello (world) 'twas"), "Hello (World) 'Twas");
  EXPECT_EQ(MarqueeTitle("  jorvel -  THE BEST of  "), "Jorvel - The Best Of");
  EXPECT_EQ(MarqueeTitle("( ' a"), "( ' A");
  EXPECT_EQ(MarqueeTitle("   "), "");
  EXPECT_EQ(MarqueeTitle(""), "");
}

TEST(MarqueeText, ARingStepMovesEveryRowOnePixelLeftRoundTheEnd) {
  // Two rows of 4 pixels in a stride of 5 (the fifth is padding and stays).
  std::vector<uint32_t> p = {1, 2, 3, 4, 99, 5, 6, 7, 8, 99};
  RingStepLeft(p.data(), 4, 2, 5);
  EXPECT_EQ(p, (std::vector<uint32_t>{2, 3, 4, 1, 99, 6, 7, 8, 5, 99}));
  RingStepLeft(p.data(), 4, 2, 5);
  RingStepLeft(p.data(), 4, 2, 5);
  RingStepLeft(p.data(), 4, 2, 5);
  EXPECT_EQ(p, (std::vector<uint32_t>{1, 2, 3, 4, 99, 5, 6, 7, 8, 99}));
  RingStepLeft(p.data(), 1, 2, 5);  // one column: nothing to move
  EXPECT_EQ(p[0], 1u);
}

}  // namespace

}  // namespace jorvel
