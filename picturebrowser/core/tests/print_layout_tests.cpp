// Page layouts, compositions, margins, the scale on the page and the preview.
#include <gtest/gtest.h>

#include "hessam/print_layout.h"

namespace hessam {
namespace {

TEST(PageLayouts, PositionsAndThePagesThatPrint) {
  EXPECT_EQ(LayoutPositions(1), (std::vector<int>{1}));
  EXPECT_EQ(LayoutPositions(3), (std::vector<int>{4, 5, 6}));
  EXPECT_EQ(LayoutPositions(4), (std::vector<int>{7, 8, 9, 10}));
  EXPECT_EQ(LayoutOfPosition(3), 2);
  EXPECT_EQ(LayoutOfPosition(7), 4);
  EXPECT_EQ(LayoutOfPosition(11), 0);
  Positions p{};
  EXPECT_TRUE(LayoutsToPrint(p).empty());
  p[0] = 2;  // position 1
  p[6] = 3;  // position 7
  EXPECT_EQ(LayoutsToPrint(p), (std::vector<int>{1, 4}));
  p[8] = 2;
  EXPECT_EQ(ClearSelectionNumber(p, 2), (std::vector<int>{1, 9}));
  EXPECT_EQ(LayoutsToPrint(p), (std::vector<int>{4}));
  EXPECT_TRUE(ClearSelectionNumber(p, 0).empty());
}

TEST(Composition, TwoPicturesOfDifferentWidthsAreCentredUnderEachOther) {
  Composition c = Compose(2, {Box{0, 0, 100, 50}, Box{0, 0, 60, 30}});
  EXPECT_EQ(c.width, 100);
  EXPECT_EQ(c.height, 50 + 4 + 30);
  ASSERT_EQ(c.places.size(), 2u);
  EXPECT_EQ(c.places[0].x, 0);
  EXPECT_EQ(c.places[0].y, 0);
  EXPECT_EQ(c.places[1].x, 20);
  EXPECT_EQ(c.places[1].y, 54);
}

TEST(Composition, FourPicturesGoToTheCorners) {
  Composition c = Compose(4, {Box{0, 0, 40, 30}, Box{0, 0, 50, 20}, Box{0, 0, 30, 25}, Box{0, 0, 70, 10}});
  EXPECT_EQ(c.width, 104);  // the wider row: 30 + 4 + 70
  EXPECT_EQ(c.height, 30 + 4 + 25);
  EXPECT_EQ(c.places[0].x, 0);
  EXPECT_EQ(c.places[0].y, 0);
  EXPECT_EQ(c.places[1].x, 104 - 50);
  EXPECT_EQ(c.places[1].y, 0);
  EXPECT_EQ(c.places[2].x, 0);
  EXPECT_EQ(c.places[2].y, 59 - 25);
  EXPECT_EQ(c.places[3].x, 104 - 70);
  EXPECT_EQ(c.places[3].y, 59 - 10);
}

TEST(Composition, MissingPicturesTakeNoPlaceAndAllMissingPrintNothing) {
  Composition c = Compose(3, {Box{}, Box{0, 0, 80, 40}, Box{}});
  EXPECT_EQ(c.width, 80);
  EXPECT_EQ(c.height, 40);
  EXPECT_EQ(c.places[1].y, 0);
  Composition corner = Compose(4, {Box{}, Box{0, 0, 50, 20}, Box{}, Box{}});
  EXPECT_EQ(corner.width, 50);
  EXPECT_EQ(corner.height, 20);
  EXPECT_EQ(corner.places[1].x, 0);
  Composition none = Compose(2, {Box{}, Box{}});
  EXPECT_TRUE(none.Empty());
  PagePlacement p;
  EXPECT_FALSE(PlaceOnPage(none, 2400, 3500, Margins{15, 60}, p));
  Composition noneOfFour = Compose(4, {Box{}, Box{}, Box{}, Box{}});
  EXPECT_TRUE(noneOfFour.Empty());
  EXPECT_FALSE(PlaceOnPage(noneOfFour, 2400, 3500, Margins{60, 0}, p));
}

TEST(PagePlacement, MarginsScaleAndCentre) {
  EXPECT_EQ(PageMargins(297, 210).horizontal, 60);
  EXPECT_EQ(PageMargins(297, 210).vertical, 0);
  EXPECT_EQ(PageMargins(210, 297).horizontal, 15);
  EXPECT_EQ(PageMargins(210, 297).vertical, 60);
  // Portrait, 1000 x 2000 printable: the width limits (970 / 100 = 9.7).
  Composition c = Compose(2, {Box{0, 0, 100, 50}, Box{0, 0, 60, 30}});
  PagePlacement p;
  ASSERT_TRUE(PlaceOnPage(c, 1000, 2000, PageMargins(210, 297), p));
  EXPECT_DOUBLE_EQ(p.scale, 9.7);
  EXPECT_NEAR(p.left, 15, 1e-9);
  EXPECT_NEAR(p.top, 60 + (1880 - 84 * 9.7) / 2, 1e-9);
  Box second = PrintedBox(c.places[1], p);
  EXPECT_EQ(second.x, 15 + 194);
  EXPECT_EQ(second.width, 582);
  // The gap of 4 pixels, scaled.
  Box first = PrintedBox(c.places[0], p);
  EXPECT_NEAR(second.y - (first.y + first.height), 4 * 9.7, 1.0);
  // Landscape: no top margin, the height limits.
  ASSERT_TRUE(PlaceOnPage(c, 3000, 840, PageMargins(297, 210), p));
  EXPECT_DOUBLE_EQ(p.scale, 10.0);
  EXPECT_DOUBLE_EQ(p.top, 0);
  EXPECT_EQ(PrintedBox(c.places[0], p).y, 1);  // at least 1
}

TEST(Preview, AQuarterOfTheCompositionWithABorderAwayFromTheCorner) {
  Composition c = Compose(1, {Box{0, 0, 800, 600}});
  PreviewWindow p = PlacePreview(c, Box{100, 50, 808, 608}, 1280, 1024);
  EXPECT_EQ(p.border, 4);
  EXPECT_EQ(p.window.width, 200 + 8);
  EXPECT_EQ(p.window.height, 150 + 8);
  EXPECT_EQ(p.window.x, 100 + (808 - 200) / 2 - 4);
  EXPECT_EQ(p.window.y, 50 + (608 - 150) / 2 - 4);
  Box picture = PreviewBox(c.places[0], p.border);
  EXPECT_EQ(picture.x, 4);
  EXPECT_EQ(picture.width, 200);
  // Larger than the main window: centred on the screen; at the screen's corner no border.
  Composition big = Compose(1, {Box{0, 0, 5200, 4200}});
  PreviewWindow q = PlacePreview(big, Box{100, 50, 808, 608}, 1280, 1024);
  EXPECT_EQ(q.border, 0);
  EXPECT_EQ(q.window.x, 0);
  EXPECT_EQ(q.window.y, 0);
  EXPECT_EQ(q.window.width, 1300);
}

}  // namespace
}  // namespace hessam
