#include <gtest/gtest.h>

#include "skin/skin_theme.h"
#include "skin/ui_text.h"
#include "temp_dir.h"

TEST(SkinTheme, DefaultSkinHasEverySlotAndMetric) {
  SkinTheme t = DefaultSkin();
  for (int m = 1; m <= 7; ++m) EXPECT_GT(t.Metric(m), 0) << m;
  EXPECT_EQ(t.Metric(0), 0);
  EXPECT_EQ(t.Metric(8), 0);
  EXPECT_NE(t.Colour(kSkinText), t.Colour(kSkinWindowBack));
  EXPECT_EQ(t.Colour(100), 0u);
  EXPECT_EQ(t.Colour(120), 0u);
}

TEST(SkinTheme, ParsesSectionsAndReportsBadLines) {
  SkinTheme t = DefaultSkin();
  t.folder = "C:\\skins\\blue\\";
  std::vector<SkinError> errors;
  ParseSkinText(
      "name = Blue\n"
      "[colours]\n"
      "101 = #102030\n"
      "113 = 1, 2, 3\n"
      "120 = #000000\n"
      "[metrics]\n"
      "1 = 30\n"
      "[fonts]\n"
      "caption = Arial, 10, bold\n"
      "default = Arial\n"
      "[window]\n"
      "minwidth = 500\n"
      "[pictures]\n"
      "83 = marquee.bmp\n"
      "[nonsense]\n",
      t, errors);
  EXPECT_EQ(t.name, "Blue");
  EXPECT_EQ(t.Colour(101), 0x302010u);
  EXPECT_EQ(t.Colour(113), 0x030201u);
  EXPECT_EQ(t.Metric(1), 30);
  EXPECT_EQ(t.captionFont.face, "Arial");
  EXPECT_TRUE(t.captionFont.bold);
  EXPECT_EQ(t.captionFont.points, 10);
  EXPECT_EQ(t.minWidth, 500);
  EXPECT_EQ(t.pictures[83], "C:\\skins\\blue\\marquee.bmp");
  ASSERT_EQ(errors.size(), 3u);
  EXPECT_EQ(errors[0].line, 5);
  EXPECT_EQ(errors[1].line, 10);
  EXPECT_EQ(errors[2].line, 15);
}

TEST(SkinTheme, NamedStringsAreKeptAsWrittenUnderLowerCaseNames) {
  SkinTheme t = DefaultSkin();
  std::vector<SkinError> errors;
  ParseSkinText("[strings]\nPopupPane = @path@Skins\\Blue\\Panes.txt\nempty =\n = no name\n", t, errors);
  EXPECT_EQ(t.strings["popuppane"], "@path@Skins\\Blue\\Panes.txt");
  EXPECT_EQ(t.strings.count("empty"), 1u);
  EXPECT_EQ(t.strings["empty"], "");
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].line, 4);
}

TEST(SkinTheme, PanelChildrenHaveAPlacePerStyleIndexAndTheLastServesTheRest) {
  SkinTheme t = DefaultSkin();
  t.folder = "C:\\skins\\blue\\";
  std::vector<SkinError> errors;
  ParseSkinText(
      "[panel]\n"
      "56 = pane\\next.bmp, 10, 20, 30, 40\n"
      "77 = bar.bmp,5,6\n"
      "51 = play.bmp, 1, 2, 3\n"      // half a pair
      "52 = pause.bmp\n"              // no place
      "53 = fx.bmp, a, 2\n"
      "x = y.bmp, 1, 2\n",
      t, errors);
  ASSERT_EQ(errors.size(), 4u);
  EXPECT_EQ(errors[0].line, 4);
  EXPECT_EQ(errors[3].line, 7);
  EXPECT_EQ(t.panelChildren.size(), 2u);
  std::string picture;
  int x = -1, y = -1;
  ASSERT_TRUE(SkinPanelPlace(t, 56, 1, picture, x, y));
  EXPECT_EQ(picture, "C:\\skins\\blue\\pane\\next.bmp");
  EXPECT_EQ(x, 10);
  EXPECT_EQ(y, 20);
  ASSERT_TRUE(SkinPanelPlace(t, 56, 2, picture, x, y));
  EXPECT_EQ(x, 30);
  EXPECT_EQ(y, 40);
  ASSERT_TRUE(SkinPanelPlace(t, 56, 8, picture, x, y));
  EXPECT_EQ(x, 30);
  ASSERT_TRUE(SkinPanelPlace(t, 77, 3, picture, x, y));
  EXPECT_EQ(x, 5);
  EXPECT_EQ(y, 6);
  EXPECT_FALSE(SkinPanelPlace(t, 51, 1, picture, x, y));
  EXPECT_TRUE(picture.empty());
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
}

TEST(SkinTheme, ColourSyntax) {
  uint32_t c = 0;
  EXPECT_TRUE(ParseSkinColour("#FF0000", c));
  EXPECT_EQ(c, 0x0000FFu);
  EXPECT_TRUE(ParseSkinColour("0,128,255", c));
  EXPECT_EQ(c, 0xFF8000u);
  EXPECT_FALSE(ParseSkinColour("256,0,0", c));
  EXPECT_FALSE(ParseSkinColour("1,2", c));
  EXPECT_FALSE(ParseSkinColour("#12345", c));
  EXPECT_FALSE(ParseSkinColour("1,2,3,4", c));
}

TEST(SkinTheme, LoadFollowsTheSkinListAndFallsBack) {
  TempDir dir;
  std::vector<std::string> reports;
  SetSkinErrorReporter([&reports](const std::string& m) { reports.push_back(m); });
  dir.Write("blue\\blue.sks", "name = Blue\n[metrics]\n1 = 28\n");
  dir.Write("blue\\blue.skp", "[pictures]\n75 = thumb.bmp\n");
  dir.Write("TOLVERN.SKL", "# current skin\nblue\\blue.sks\n");
  SkinTheme t = LoadSkin(dir.File("TOLVERN.SKL"));
  EXPECT_EQ(t.name, "Blue");
  EXPECT_EQ(t.Metric(1), 28);
  EXPECT_EQ(t.folder, dir.File("blue\\"));
  EXPECT_EQ(t.pictures[75], dir.File("blue\\thumb.bmp"));
  // A ".sks" that is missing is looked for through the list beside it.
  SkinTheme viaTwin = LoadSkin(dir.File("TOLVERN.SKS"));
  EXPECT_EQ(viaTwin.name, "Blue");
  // Nothing to read: the built-in skin, and no report.
  SkinTheme none = LoadSkin(dir.File("none.skl"));
  EXPECT_EQ(none.name, DefaultSkin().name);
  EXPECT_TRUE(none.folder.empty());
  EXPECT_TRUE(reports.empty());
  dir.Write("bad.sks", "[colours]\n101 = red\n");
  LoadSkin(dir.File("bad.sks"));
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find("bad.sks(2)"), std::string::npos);
  SetSkinErrorReporter(nullptr);
}
