// The text and shape boxes' layout: every control and every character cell inside the
// box, none over another.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "bravik/font_box_layout.h"

namespace bravik {
namespace {

std::vector<std::pair<std::string, LayoutRect>> Controls(const FontBoxLayout& l, bool text) {
  std::vector<std::pair<std::string, LayoutRect>> c = {
      {"size label", l.sizeLabel}, {"size", l.size}, {"pick", l.pick}, {"swatch", l.swatch},
      {"3D", l.depth},            {"preview", l.preview}, {"OK", l.ok}};
  for (int i = 0; i < 4; ++i) {
    c.push_back({"colour label " + std::to_string(i), l.colourLabels[i]});
    c.push_back({"track " + std::to_string(i), l.tracks[i]});
    c.push_back({"value " + std::to_string(i), l.values[i]});
  }
  if (text) {
    c.push_back({"family", l.family});
    c.push_back({"text", l.text});
    c.push_back({"grid", l.grid});
  }
  return c;
}

TEST(FontBoxLayout, EveryControlLiesInsideTheBoxAndNoneCoversAnother) {
  for (bool text : {true, false}) {
    FontBoxLayout l = LayOutFontBox(text, 15);
    LayoutRect client{0, 0, l.clientWidth, l.clientHeight};
    auto controls = Controls(l, text);
    for (size_t i = 0; i < controls.size(); ++i) {
      EXPECT_GT(controls[i].second.Width(), 0) << controls[i].first;
      EXPECT_TRUE(Inside(controls[i].second, client)) << controls[i].first << (text ? " (text box)" : " (shape box)");
      for (size_t j = i + 1; j < controls.size(); ++j)
        EXPECT_FALSE(Overlap(controls[i].second, controls[j].second))
            << controls[i].first << " and " << controls[j].first << (text ? " (text box)" : " (shape box)");
    }
  }
}

TEST(FontBoxLayout, EveryCharacterCellOfTheGridShows) {
  for (int cell : {12, 15, 20}) {
    FontBoxLayout l = LayOutFontBox(true, cell);
    LayoutRect client{0, 0, l.clientWidth, l.clientHeight};
    ASSERT_TRUE(Inside(l.grid, client));
    LayoutRect gridClient{0, 0, l.grid.Width(), l.grid.Height()};
    for (int c = kGridFirstCharacter; c <= kGridLastCharacter; ++c) {
      LayoutRect r = CharCell(l.gridShape, c);
      ASSERT_TRUE(Inside(r, gridClient)) << "character " << c << " with cells of " << cell;
      LayoutRect onBox{r.left + l.grid.left, r.top + l.grid.top, r.right + l.grid.left, r.bottom + l.grid.top};
      ASSERT_TRUE(Inside(onBox, client)) << "character " << c;
      for (const LayoutRect& label : l.colourLabels) ASSERT_FALSE(Overlap(onBox, label));
    }
  }
}

TEST(FontBoxLayout, TheGridTakesTheColumnsThatFitAndTheRowsItNeeds) {
  CharGridShape g = CharGridFor(362, 15);
  EXPECT_EQ(g.columns, 24);
  EXPECT_EQ(g.rows, 10);  // 224 characters: nine full rows and eight in the tenth
  EXPECT_EQ(g.Width(), 362);
  EXPECT_EQ(CharCell(g, 32).left, 0);
  EXPECT_EQ(CharCell(g, 32 + 24).top, 15);
  EXPECT_EQ(CharCell(g, 255).left, 7 * 15);
  EXPECT_EQ(CharCell(g, 255).top, 9 * 15);
  // Too narrow for one cell: one column still; wide enough for all: one row.
  EXPECT_EQ(CharGridFor(5, 15).columns, 1);
  EXPECT_EQ(CharGridFor(5, 15).rows, 224);
  EXPECT_EQ(CharGridFor(100000, 15).rows, 1);
  // Characters outside the grid are put on its first and last cells.
  EXPECT_EQ(CharCell(g, 10).left, CharCell(g, 32).left);
  EXPECT_EQ(CharCell(g, 300).top, CharCell(g, 255).top);
}

}  // namespace
}  // namespace bravik
