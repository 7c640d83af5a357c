// The boxes' rules: the button row, the list-file name limit and the picture-type list.
#include <gtest/gtest.h>

#include "kelmor/box_rules.h"

namespace kelmor {
namespace {

TEST(BoxRules, ThreeCaptionsGiveThreeEqualButtonsCentredWithIdsTwoToFour) {
  ButtonRowMeasures m;
  m.captionWidths = {30, 52, 41};
  m.captionHeight = 14;
  m.spaceWidth = 4;
  ButtonRow row = LayoutButtonRow(m, 330, kBoxButtonTop, 4, 0);
  ASSERT_EQ(row.buttons.size(), 3u);
  // Each is the widest caption + 2 blanks + 6 wide and the caption + 6 high.
  for (const BoxRect& r : row.buttons) {
    EXPECT_EQ(r.width, 52 + 8 + 6);
    EXPECT_EQ(r.height, 20);
    EXPECT_EQ(r.y, 203);
  }
  EXPECT_EQ(row.width, 3 * 66 + 2 * 4);
  EXPECT_EQ(row.buttons[0].x, (330 - row.width) / 2);
  EXPECT_EQ(row.buttons[1].x - row.buttons[0].x, 70);
  // The identifiers from 2 on answer 1, 2, 3; the main control and others answer nothing.
  EXPECT_EQ(ButtonAnswer(kBoxFirstButtonId, 3), 1);
  EXPECT_EQ(ButtonAnswer(kBoxFirstButtonId + 1, 3), 2);
  EXPECT_EQ(ButtonAnswer(kBoxFirstButtonId + 2, 3), 3);
  EXPECT_EQ(ButtonAnswer(kBoxMainId, 3), 0);
  EXPECT_EQ(ButtonAnswer(kBoxFirstButtonId + 3, 3), 0);
}

TEST(BoxRules, AWideRowWidensTheBoxAndNeverStartsLeftOfItsMargin) {
  ButtonRowMeasures m;
  m.captionWidths = {150, 150, 150};
  int width = BoxWidthFor(ButtonRowWidth(m, 2));
  EXPECT_GT(width, kBoxMinWidth);
  EXPECT_EQ(BoxWidthFor(100), kBoxMinWidth);
  // A row wider than the box starts at the margin, not off the box.
  EXPECT_EQ(LayoutButtonRow(m, kBoxMinWidth, kBoxButtonTop, 2, 2).buttons[0].x, 2);
  EXPECT_TRUE(LayoutButtonRow({}, 330, 0, 4, 0).buttons.empty());
}

TEST(BoxRules, TheListNameLimitKeepsThePathWithin260AndNeverLiftsTheLimit) {
  std::string folder(200, 'f');
  EXPECT_EQ(ListNameLimit(folder, ".qls"), 56);
  EXPECT_EQ(ListNameLimit("C:\\lists\\", ".qls"), 260 - 9 - 4);
  // A folder that leaves no room still limits the name to one character: 0 means no limit.
  EXPECT_EQ(ListNameLimit(std::string(256, 'f'), ".qls"), 1);
  EXPECT_EQ(ListNameLimit(std::string(300, 'f'), ".qls"), 1);
}

TEST(BoxRules, ThePictureTypeListPairsLabelsWithValuesAndShowsTheNameAfterTheDash) {
  std::vector<PictureType> types = ParsePictureTypes("JPEG picture - jpg|jpg,10|Windows bitmap - bmp|bmp,6|Lonely");
  ASSERT_EQ(types.size(), 2u);
  EXPECT_EQ(types[0].label, "JPEG picture - jpg");
  EXPECT_EQ(types[0].value, "jpg,10");
  EXPECT_EQ(types[1].value, "bmp,6");
  EXPECT_TRUE(ParsePictureTypes("").empty());
  EXPECT_EQ(ShownTypeName("Windows bitmap - bmp"), "BMP");
  EXPECT_EQ(ShownTypeName("Icon"), "ICON");
  EXPECT_EQ(PlainCaption("&New folder"), "NEW FOLDER");
}

}  // namespace
}  // namespace kelmor
