#include "falcet/web_rules.h"

#include <gtest/gtest.h>

namespace falcet {
namespace {

TEST(WebEvents, OnlyThePanelsTwoControlsAreHeardAndEachEventHasItsAction) {
  EXPECT_EQ(WebEventActionFor("Content", "TitleChange"), WebEventAction::kTitle);
  EXPECT_EQ(WebEventActionFor("Index", "TitleChange"), WebEventAction::kTitle);
  EXPECT_EQ(WebEventActionFor("Content", "DocumentComplete"), WebEventAction::kCurrentItem);
  EXPECT_EQ(WebEventActionFor("Index", "BeforeNavigate2"), WebEventAction::kReadAddress);
  EXPECT_EQ(WebEventActionFor("Content", "ProgressChange"), WebEventAction::kNothing);
  // Names are compared exactly, as the host gives them.
  EXPECT_EQ(WebEventActionFor("Other", "TitleChange"), WebEventAction::kIgnore);
  EXPECT_EQ(WebEventActionFor("content", "TitleChange"), WebEventAction::kIgnore);
  EXPECT_EQ(WebEventActionFor("", "TitleChange"), WebEventAction::kIgnore);
  EXPECT_TRUE(IsIndexControl("Index"));
  EXPECT_FALSE(IsIndexControl("Content"));
}

TEST(WebTextSize, StepsStayWithinTheRangeAndTheButtonsFollowTheEnds) {
  // From size 2, larger twice reaches 4 and stops there.
  EXPECT_EQ(TextSizeAfter(2, true), 3);
  EXPECT_EQ(TextSizeAfter(3, true), 4);
  EXPECT_EQ(TextSizeAfter(4, true), 4);
  // Smaller four times from 4 reaches 0 and stops.
  int size = 4;
  for (int i = 0; i < 4; ++i) size = TextSizeAfter(size, false);
  EXPECT_EQ(size, 0);
  EXPECT_EQ(TextSizeAfter(0, false), 0);
  // A browser's answer out of range is taken as the nearest end.
  EXPECT_EQ(TextSizeAfter(9, false), 3);
  EXPECT_EQ(TextSizeAfter(-3, true), 1);

  EXPECT_FALSE(TextSizeButtonsFor(4).larger);
  EXPECT_TRUE(TextSizeButtonsFor(4).smaller);
  EXPECT_TRUE(TextSizeButtonsFor(0).larger);
  EXPECT_FALSE(TextSizeButtonsFor(0).smaller);
  EXPECT_TRUE(TextSizeButtonsFor(2).larger);
  EXPECT_TRUE(TextSizeButtonsFor(2).smaller);
}

TEST(WebIndexColumn, EntryFieldsWidthsAndThePageWithTheProgramFolder) {
  IndexColumn none = ParseIndexColumn("", "C:\\p\\");
  EXPECT_TRUE(none.page.empty());
  EXPECT_EQ(IndexColumnWidth(none, 800), 0);

  IndexColumn pixels = ParseIndexColumn("index.htm|200|1", "C:\\p\\");
  EXPECT_EQ(pixels.page, "index.htm");
  EXPECT_EQ(pixels.frameStyle, 1);
  EXPECT_EQ(IndexColumnWidth(pixels, 800), 200);
  EXPECT_EQ(IndexColumnWidth(pixels, 150), 150);  // never wider than the panel

  IndexColumn share = ParseIndexColumn("index.htm,25%,0,@path@help\\toc.htm", "C:\\p\\");
  EXPECT_EQ(share.page, "C:\\p\\help\\toc.htm");
  EXPECT_TRUE(share.percent);
  EXPECT_EQ(IndexColumnWidth(share, 800), 200);
  EXPECT_EQ(IndexColumnWidth(share, 0), 0);
  EXPECT_EQ(IndexColumnWidth(ParseIndexColumn("i.htm|250%", ""), 400), 400);
  EXPECT_EQ(IndexColumnWidth(ParseIndexColumn("i.htm|-30", ""), 400), 0);
}

TEST(WebIndexColumn, TheFrameStyleKeepsTheColumnBesideMediaOrPictures) {
  IndexColumn media = ParseIndexColumn("i.htm|120|3", "");
  EXPECT_TRUE(IndexStaysBeside(media, kIndexBesideMedia));
  EXPECT_FALSE(IndexStaysBeside(media, kIndexBesidePictures));
  IndexColumn pictures = ParseIndexColumn("i.htm|120|5", "");
  EXPECT_FALSE(IndexStaysBeside(pictures, kIndexBesideMedia));
  EXPECT_TRUE(IndexStaysBeside(pictures, kIndexBesidePictures));
  IndexColumn both = ParseIndexColumn("i.htm,25%,6", "");
  EXPECT_TRUE(IndexStaysBeside(both, kIndexBesideMedia));
  EXPECT_TRUE(IndexStaysBeside(both, kIndexBesidePictures));
  // A page item (1) never counts, nor a column without a page.
  EXPECT_FALSE(IndexStaysBeside(ParseIndexColumn("i.htm|120|7", ""), 1));
  EXPECT_FALSE(IndexStaysBeside(ParseIndexColumn("|120|6", ""), kIndexBesideMedia));
}

TEST(WebDocumentItem, TheLastFourCharactersDecideWithoutCase) {
  EXPECT_TRUE(IsDocumentItem("C:\\a\\sheet.xls"));
  EXPECT_TRUE(IsDocumentItem("C:\\a\\SHEET.XLS"));
  EXPECT_FALSE(IsDocumentItem("C:\\a\\sheet.xlsx"));
  EXPECT_FALSE(IsDocumentItem("xls"));
  EXPECT_FALSE(IsDocumentItem(""));
}

}  // namespace
}  // namespace falcet
