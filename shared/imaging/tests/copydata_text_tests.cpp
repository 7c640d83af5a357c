#include <gtest/gtest.h>

#include <string>

#include "imaging/copydata_text.h"

TEST(CopyDataText, TakesTheDeclaredLengthOfWhatWasDelivered) {
  const char block[] = "abcdefgh";  // 9 bytes with the zero
  EXPECT_EQ(CopyDataText(block, 9, 8), "abcdefgh");
  EXPECT_EQ(CopyDataText("", 1, 0), "");
  // A sender that delivers 1000 bytes and declares a text of 4: the text is those 4
  // bytes, not the rest of the block, which holds no zero to stop at.
  std::string thousand(1000, 'x');
  thousand.replace(0, 4, "abcd");
  EXPECT_EQ(CopyDataText(thousand.data(), 1000, 4), "abcd");
  EXPECT_EQ(CopyDataText(thousand.data(), 1000, 999), thousand.substr(0, 999));
  EXPECT_EQ(CopyDataText(thousand.data(), 1000, 0), "");
}

TEST(CopyDataText, NeverReadsPastTheDeliveredBlock) {
  const char block[3] = {'a', 'b', 'c'};
  EXPECT_EQ(CopyDataText(block, 3, 10), "abc");
  EXPECT_EQ(CopyDataText(block, 3, UINT64_MAX), "abc");
  EXPECT_EQ(CopyDataText(nullptr, 100, 5), "");
  EXPECT_EQ(CopyDataText(block, 0, 5), "");
}

TEST(CopyDataText, KeepsEveryByteValue) {
  std::string all;
  for (int c = 1; c < 256; ++c) all += char(c);
  all += '\0';
  all += "tail";
  EXPECT_EQ(CopyDataText(all.data(), all.size(), all.size()), all);
}
