// The pane description: style indices, the pane pictures, elements by id with their
// places per style.
#include <gtest/gtest.h>

#include "jorvel/pane_description.h"

namespace {

using jorvel::PaneDescription;

TEST(PaneDescription, StyleIndexIsThePositionOfThePowerOfTwo) {
  EXPECT_EQ(jorvel::STYLEINDEX(1), 1);
  EXPECT_EQ(jorvel::STYLEINDEX(2), 2);
  EXPECT_EQ(jorvel::STYLEINDEX(4), 3);
  EXPECT_EQ(jorvel::STYLEINDEX(8), 4);
  EXPECT_EQ(jorvel::STYLEINDEX(128), 8);
  EXPECT_EQ(jorvel::STYLEINDEX(0), 1);
  EXPECT_EQ(jorvel::STYLEINDEX(-5), 1);
  EXPECT_EQ(jorvel::STYLEINDEX(5000), 8);
  EXPECT_EQ(jorvel::STYLEINDEX(3), 2);
}

// Entry 2: id 51 (field 4) -> entry 3, id 53 (field 6) -> entry 4, id 82 (field 35) -> entry 5.
StringTable Table() {
  std::string fields(34 * 2, ',');
  for (size_t i = 0; i < fields.size(); i += 2) fields[i] = '0';
  StringTable t{""};
  t.push_back(" @PATH@Skins\\Slate\\Idle.BMP , ,x.bmp,@path@skins\\slate\\sound.bmp ");
  std::string entry2 = "0,0,0,1,0,2";
  for (int field = 7; field <= 34; ++field) entry2 += ",0";
  entry2 += ",3";
  t.push_back(entry2);
  t.push_back("play,@path@skins\\slate\\play.bmp,10,20,30,40");  // two pairs
  t.push_back("effects,fx.bmp,5,6");                             // one pair
  t.push_back("vu,vu.bmp");                                      // no pair
  return t;
}

TEST(PaneDescription, PanePicturesByStyleIndexLowerCasedAndExpanded) {
  PaneDescription d(Table(), "C:\\Prog\\");
  ASSERT_TRUE(d.Complete());
  EXPECT_EQ(d.PanePicture(1), "C:\\Prog\\skins\\slate\\idle.bmp");
  EXPECT_EQ(d.PanePicture(2), "");
  EXPECT_EQ(d.PanePicture(4), "x.bmp");
  EXPECT_EQ(d.PanePicture(8), "C:\\Prog\\skins\\slate\\sound.bmp");
  EXPECT_EQ(d.PanePicture(16), "");
  EXPECT_FALSE(PaneDescription(StringTable{"", "a.bmp"}, "C:\\").Complete());
}

TEST(PaneDescription, ElementsTakeThePairOfTheirStyleAndTheLastPairBeyondIt) {
  PaneDescription d(Table(), "C:\\Prog\\");
  auto play = d.Element(51, 1);
  ASSERT_TRUE(play);
  EXPECT_EQ(play->picture, "C:\\Prog\\skins\\slate\\play.bmp");
  EXPECT_EQ(play->x, 10);
  EXPECT_EQ(play->y, 20);
  play = d.Element(51, 2);
  EXPECT_EQ(play->x, 30);
  EXPECT_EQ(play->y, 40);
  play = d.Element(51, 128);
  EXPECT_EQ(play->x, 30);
  // One pair serves every style.
  for (int style : {1, 2, 4, 8, 16, 32, 64, 128}) {
    auto fx = d.Element(53, style);
    ASSERT_TRUE(fx);
    EXPECT_EQ(fx->x, 5);
    EXPECT_EQ(fx->y, 6);
  }
  auto vu = d.Element(82, 2);
  ASSERT_TRUE(vu);
  EXPECT_EQ(vu->picture, "vu.bmp");
  EXPECT_EQ(vu->x, 0);
  EXPECT_EQ(d.Field(jorvel::kMeterSwitchField), 3);
  // Absent: a 0 field, a field past the list, an id below 48, an entry the table lacks.
  EXPECT_FALSE(d.Element(52, 2));
  EXPECT_FALSE(d.Element(90, 2));
  EXPECT_FALSE(d.Element(47, 2));
  StringTable missing = Table();
  missing.resize(4);
  EXPECT_FALSE(PaneDescription(missing, "").Element(82, 2));
}

}  // namespace
