#include <gtest/gtest.h>

#include "skin/sk_text.h"

TEST(SkText, SplitPathKeepsTheFinalSeparator) {
  std::string folder, name;
  SKSPLITN("C:\\a\\b.jpg", folder, name);
  EXPECT_EQ(folder, "C:\\a\\");
  EXPECT_EQ(name, "b.jpg");
  SKSPLITN("b.jpg", folder, name);
  EXPECT_EQ(folder, "");
  EXPECT_EQ(name, "b.jpg");
}

TEST(SkText, SplitText) {
  std::vector<std::string> parts;
  EXPECT_EQ(SKSPLITS("a|b||c", "|", parts), 4);
  EXPECT_EQ(parts, (std::vector<std::string>{"a", "b", "", "c"}));
  EXPECT_EQ(SKSPLITS("", "|", parts), 1);
  EXPECT_EQ(SKSPLITS("x, y", ", ", parts), 2);
  EXPECT_EQ(parts[1], "y");
}

TEST(SkText, IconiseFitsKeepingTheAspectAndNeverEnlarges) {
  int l, t, w, h;
  SKICONISE(400, 200, 100, 100, l, t, w, h);
  EXPECT_EQ(w, 100);
  EXPECT_EQ(h, 50);
  EXPECT_EQ(l, 0);
  EXPECT_EQ(t, 25);
  SKICONISE(50, 20, 100, 100, l, t, w, h);
  EXPECT_EQ(w, 50);
  EXPECT_EQ(h, 20);
  EXPECT_EQ(l, 25);
  EXPECT_EQ(t, 40);
  SKICONISE(10000, 1, 100, 100, l, t, w, h);  // extreme aspect keeps a visible line
  EXPECT_EQ(w, 100);
  EXPECT_EQ(h, 1);
  SKICONISE(0, 10, 100, 100, l, t, w, h);
  EXPECT_EQ(w, 0);
  EXPECT_EQ(h, 0);
}

TEST(SkText, CaseFormatSequenceAndNames) {
  EXPECT_EQ(SKUCASE("c:\\pics\\\xe9t\xe9.jpg"), "C:\\PICS\\\xc9T\xc9.JPG");
  EXPECT_EQ(SKLONGFORMAT(0), "0");
  EXPECT_EQ(SKLONGFORMAT(999), "999");
  EXPECT_EQ(SKLONGFORMAT(1234567), "1,234,567");
  EXPECT_EQ(SKLONGFORMAT(-1000), "-1,000");
  std::string name = "QORCT000";
  SKSEQUENCE(name);
  EXPECT_EQ(name, "QORCT001");
  name = "QORCT099";
  SKSEQUENCE(name);
  EXPECT_EQ(name, "QORCT100");
  name = "TWN99999";
  SKSEQUENCE(name);
  EXPECT_EQ(name, "TWN00000");
  EXPECT_EQ(SKINSET(0x5F, 0x40), 1);
  EXPECT_EQ(SKINSET(31, 0x40), 0);
  EXPECT_EQ(SKVALIDNAME("holiday 2004"), 0);
  EXPECT_EQ(SKVALIDNAME("a:b"), 123);
  EXPECT_EQ(SKVALIDNAME(""), 123);
  EXPECT_EQ(SKVALIDNAME("trailing."), 123);
}

TEST(SkText, CrunchMapsAllCharactersAtOnce) {
  // The colon and the comma become blanks, each original blank an underscore, and the
  // blanks are then removed.
  std::string mapped = SKCRUNCH("My Album: Live, 2004", "./\\:;, ", " --   _");
  EXPECT_EQ(mapped, "My_Album _Live _2004");
  EXPECT_EQ(SKCRUNCH(mapped, " "), "My_Album_Live_2004");
}

TEST(SkText, CodeReadsCommaFields) {
  std::vector<int> n;
  EXPECT_EQ(SKCODE("4, 5,\"6\",x", n), 4);
  EXPECT_EQ(n, (std::vector<int>{4, 5, 6, 0}));
}
