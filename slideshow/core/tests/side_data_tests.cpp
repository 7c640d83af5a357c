// What a slide keeps in its side files: the effect numbers, the effect file, the kinds and
// the display time in seconds.
#include <gtest/gtest.h>

#include <cstdint>

#include "dunmere/side_data.h"

using namespace dunmere;

TEST(SideData, EffectNumbers) {
  EXPECT_EQ(EffectId(0, 0), 2000);
  EXPECT_EQ(EffectId(3, 7), 5007);
  // 17003 is the plug-in group's fourth effect.
  EXPECT_EQ(EffectGroup(17003), 15);
  EXPECT_EQ(EffectIndex(17003), 3);
  EXPECT_TRUE(IsPluginEffect(17000));
  EXPECT_TRUE(IsPluginEffect(17999));
  EXPECT_FALSE(IsPluginEffect(18000));
  EXPECT_FALSE(IsPluginEffect(16999));
  for (int g = 0; g < 17; ++g)
    for (int i = 0; i < 30; i += 7) {
      EXPECT_EQ(EffectGroup(EffectId(g, i)), g);
      EXPECT_EQ(EffectIndex(EffectId(g, i)), i);
    }
}

TEST(SideData, EffectNumbersOfADamagedSideFileAreToldWithoutOverflow) {
  // The lowest number a ".sfx" file can give once overflowed on the way to its group.
  EffectChoice c = ParseEffectFile("-333333333333333333333333333333|");
  ASSERT_TRUE(c.valid);
  EXPECT_EQ(c.id, -2147483647);
  EXPECT_EQ(EffectGroup(c.id), -2147485);
  EXPECT_EQ(EffectIndex(c.id), -647);
  EXPECT_EQ(EffectGroup(INT32_MAX), 2147481);
  EXPECT_EQ(EffectIndex(INT32_MAX), 647);
}

TEST(SideData, EffectFileKeepsTheListEntryUnchanged) {
  EXPECT_EQ(FormatEffectFile(17003, "Spin,50,2000"), "17003|Spin,50,2000");
  EffectChoice c = ParseEffectFile("17003|Spin,50,2000");
  EXPECT_TRUE(c.valid);
  EXPECT_EQ(c.id, 17003);
  EXPECT_EQ(c.listEntry, "Spin,50,2000");
  EXPECT_EQ(ParseEffectFile("2005|Wipe | left").listEntry, "Wipe | left");
  EXPECT_FALSE(ParseEffectFile("garbage").valid);
  EXPECT_FALSE(ParseEffectFile("").valid);
}

TEST(SideData, KindsAndSeconds) {
  for (const char* k : {"kwd", "TIM", ".wav", "sfx"}) EXPECT_TRUE(IsSlideSideFileKind(k)) << k;
  for (const char* k : {"jpg", "qmf", "", "."}) EXPECT_FALSE(IsSlideSideFileKind(k)) << k;
  EXPECT_EQ(WholeSeconds(6000), 6);
  EXPECT_EQ(WholeSeconds(1499), 1);
  EXPECT_EQ(WholeSeconds(1500), 2);
  EXPECT_EQ(WholeSeconds(0), 0);
  EXPECT_EQ(WholeSeconds(-5), 0);
}
