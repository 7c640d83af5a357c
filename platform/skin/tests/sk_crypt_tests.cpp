#include <gtest/gtest.h>

#include "skin/sk_crypt.h"

TEST(SkCrypt, RoundTripHidesTheTextAndVaries) {
  for (std::string text : {std::string(), std::string("a"), std::string("Geheim 2024!"), std::string(300, 'x'),
                           std::string("\0\xff\x80 binary", 11)}) {
    std::string a = SKENCRYPT(text), b = SKENCRYPT(text);
    std::string back;
    ASSERT_EQ(SKDECRYPT(a, back), 0);
    EXPECT_EQ(back, text);
    if (text.size() >= 4) {
      EXPECT_EQ(a.find(text), std::string::npos) << "the text shows in clear";
      EXPECT_NE(a, b) << "two cipherings of one text should differ";
    }
  }
}

TEST(SkCrypt, ChangedOrForeignBytesAreRefused) {
  std::string sealed = SKENCRYPT("password");
  std::string text = "left over";
  for (size_t i = 0; i < sealed.size(); ++i) {
    std::string bad = sealed;
    bad[i] = char(bad[i] ^ 0x20);
    EXPECT_EQ(SKDECRYPT(bad, text), 13) << "byte " << i;
    EXPECT_EQ(text, "");
  }
  EXPECT_EQ(SKDECRYPT(sealed.substr(0, sealed.size() - 1), text), 13);
  EXPECT_EQ(SKDECRYPT("", text), 13);
  EXPECT_EQ(SKDECRYPT("password", text), 13);
}
