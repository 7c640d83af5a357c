// The thesaurus editor's rules: the key of a word, the title's count, the warnings and
// the window's layout.
#include <gtest/gtest.h>

#include "controls/thesaurus_rules.h"

namespace {

TEST(ThesaurusRules, TheKeyIsUpperCaseAndAsWideAsTheField) {
  EXPECT_EQ(TopicKey("cat", 6), "CAT   ");
  EXPECT_EQ(TopicKey("Hippopotamus", 5), "HIPPO");
  EXPECT_EQ(TopicKey("caf\xe9", 5), "CAF\xc9 ");  // the Western letters too
  EXPECT_EQ(TopicKey("", 3), "   ");
  EXPECT_EQ(TopicKey("abc", 0), "");
  EXPECT_EQ(TopicKey("abc", -2), "");
}

TEST(ThesaurusRules, EveryHashInTheTitleIsTheCount) {
  EXPECT_EQ(TitleWithCount("Words #", 12), "Words 12");
  EXPECT_EQ(TitleWithCount("# of #", 0), "0 of 0");
  EXPECT_EQ(TitleWithCount("Thesaurus", 5), "Thesaurus");
}

TEST(ThesaurusRules, WarningsNameTheWordWithoutItsTrailingBlanks) {
  EXPECT_EQ(WordInUseMessage("BIRD    ", " is in use."), "BIRD is in use.");
  EXPECT_EQ(WordInUseMessage("  ", "!"), "!");
  EXPECT_EQ(CannotCheckMessage("BIRD  ", "C:\\A.F01.K02", "damaged"), "BIRD|C:\\A.F01.K02|damaged");
  EXPECT_EQ(FileFailureMessage("C:\\S.THM", "disk full"), "C:\\S.THM|disk full");
}

TEST(ThesaurusRules, ButtonsShareTheWidestLabelInACentredRow) {
  ThesaurusMeasures m;
  m.labelWidths = {30, 50, 40};
  m.spaceWidth = 3;
  m.charHeight = 13;
  m.wordWidth = 100;
  ThesaurusLayout l = ComputeThesaurusLayout(m);
  // 50 + 2 * 3 + 6 = 62 wide, 19 high; the row is 3 * 62 + 2 * 4 = 194.
  EXPECT_EQ(l.clientWidth, 194);
  EXPECT_EQ(l.clientHeight, 227);
  ASSERT_EQ(l.buttons.size(), 3u);
  EXPECT_EQ(l.buttons[0].x, 0);
  EXPECT_EQ(l.buttons[1].x, 66);
  EXPECT_EQ(l.buttons[2].x, 132);
  for (const BoxRect& b : l.buttons) {
    EXPECT_EQ(b.y, 203);
    EXPECT_EQ(b.width, 62);
    EXPECT_EQ(b.height, 19);
  }
  EXPECT_EQ(l.wordBox.x, 4);
  EXPECT_EQ(l.wordBox.y, 4);
  EXPECT_EQ(l.wordBox.width, 186);
  EXPECT_EQ(l.wordBox.height, 194);
}

TEST(ThesaurusRules, ALongWordWidensTheWindowWithinTheScreen) {
  ThesaurusMeasures m;
  m.labelWidths = {20, 20};
  m.spaceWidth = 2;
  m.wordWidth = 40 * 11;
  ThesaurusLayout l = ComputeThesaurusLayout(m);
  EXPECT_EQ(l.clientWidth, 440);
  EXPECT_EQ(l.buttons[0].x, (440 - (2 * 30 + 4)) / 2);
  m.maxClientWidth = 300;
  EXPECT_EQ(ComputeThesaurusLayout(m).clientWidth, 300);
  m.maxClientWidth = 10;  // never narrower than the buttons
  EXPECT_EQ(ComputeThesaurusLayout(m).clientWidth, 64);
}

}  // namespace
