#include "falcet/bar_rules.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <set>

#include "jorvel/pane_description.h"
#include "skin/ui_text.h"

namespace falcet {
namespace {

std::vector<int> Ids(int barKind) {
  std::vector<int> ids;
  for (const BarControl& c : BarPlan(barKind)) ids.push_back(c.id);
  return ids;
}

TEST(BarPlans, EachBarMakesItsControlsInItsOrder) {
  EXPECT_EQ(Ids(kBarWeb), (std::vector<int>{53, 54, 55, 56, 51, 52, 73, 57, 67, 68, 72, 69, 64, 70, 65, 66, 76, 48, 49,
                                            50, 71, 0}));
  EXPECT_EQ(Ids(kBarVideo),
            (std::vector<int>{53, 54, 55, 56, 51, 52, 67, 63, 61, 62, 71, 77, 76, 48, 49, 50, 74, 0, 78}));
  EXPECT_EQ(Ids(kBarSound), Ids(kBarVideo));
  EXPECT_EQ(Ids(kBarPicture),
            (std::vector<int>{53, 54, 55, 56, 67, 68, 61, 62, 71, 77, 76, 72, 48, 49, 50, 0, 52, 51, 74}));
  EXPECT_TRUE(BarPlan(kBarNone).empty());
  // The hidden ones start hidden; the media bar's help button looks up style 4.
  for (const BarControl& c : BarPlan(kBarVideo)) {
    EXPECT_EQ(c.shown, c.id != 52 && c.id != 62 && c.id != 63 && c.id != 0) << c.id;
    if (c.id == 74) {
      EXPECT_EQ(c.style, 4);
    }
  }
  EXPECT_EQ(BarStyle(kBarSound), 2);
  EXPECT_EQ(BarStyle(kBarWeb), 1);
  EXPECT_EQ(BarStyle(kBarPicture), 4);
  EXPECT_EQ(PaneModeOf(kBarSound), 8);
}

TEST(PaneDocking, FieldFiveNamesTheCornerOfTheMainWindow) {
  EXPECT_FALSE(PaneDocked(0));
  EXPECT_FALSE(PaneDocked(31));
  EXPECT_TRUE(PaneDocked(32));
  // Main window 100,50 - 700,450; pane 320 x 104.
  auto at = [](int field) { return DockedPanePlace(field, 100, 50, 700, 450, 320, 104); };
  EXPECT_EQ(at(33).x, 100);
  EXPECT_EQ(at(33).y, 50);
  EXPECT_EQ(at(34).x, 380);
  EXPECT_EQ(at(34).y, 50);
  EXPECT_EQ(at(40).x, 100);
  EXPECT_EQ(at(40).y, 346);
  for (int other : {32, 35, 41, 99}) {
    EXPECT_EQ(at(other).x, 380) << other;
    EXPECT_EQ(at(other).y, 346) << other;
  }
}

TEST(CompactForm, FullScreenPaneLayoutAndDockingDecide) {
  EXPECT_EQ(CompactFormFor(true, false, 0), CompactForm::kNone);
  EXPECT_EQ(CompactFormFor(true, true, 0), CompactForm::kNone);
  EXPECT_EQ(CompactFormFor(false, false, 0), CompactForm::kShrunk);
  EXPECT_EQ(CompactFormFor(false, false, 34), CompactForm::kShrunk);
  EXPECT_EQ(CompactFormFor(false, true, 0), CompactForm::kOffScreen);
  EXPECT_EQ(CompactFormFor(false, true, 31), CompactForm::kOffScreen);
  EXPECT_EQ(CompactFormFor(false, true, 34), CompactForm::kMarked);
}

#ifdef FALCET_SKINS_DIR
// Width and height of a 24-bit BMP file (0, 0 when it cannot be read).
std::pair<int, int> BmpSize(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  unsigned char header[26] = {};
  if (!in.read(reinterpret_cast<char*>(header), sizeof header) || header[0] != 'B' || header[1] != 'M') return {0, 0};
  auto le = [&](int at) { return int(header[at] | header[at + 1] << 8 | header[at + 2] << 16 | header[at + 3] << 24); };
  return {le(18), le(22) < 0 ? -le(22) : le(22)};
}

// The description reads its pane pictures in lower case: the skin's folder is put back in
// its own case for file systems that keep it.
std::string Native(std::string path, const std::string& skins, const std::string& skin) {
  if (path.compare(0, skins.size(), skins) == 0 && path.size() >= skins.size() + skin.size())
    path.replace(skins.size(), skin.size(), skin);
#ifndef _WIN32
  for (char& c : path)
    if (c == '\\') c = '/';
#endif
  return path;
}

// Every control a bar makes finds its element in the shipped skins, inside the pane, and
// the controls a bar shows together do not overlap.
TEST(BarElements, TheShippedSkinsPlaceEveryBarsControls) {
  const std::string skins = FALCET_SKINS_DIR;
  for (const char* skin : {"Slate", "Sand"}) {
    SCOPED_TRACE(skin);
    StringTable strings{std::string()};
    int count = 0;
    ASSERT_GE(SKREADSTR(skins + skin + "/pane.txt", strings, count), 0);
    jorvel::PaneDescription d(std::move(strings), skins);
    ASSERT_TRUE(d.Complete());
    for (int bar : {kBarWeb, kBarVideo, kBarSound, kBarPicture}) {
      SCOPED_TRACE(bar);
      auto [paneWidth, paneHeight] = BmpSize(Native(d.PanePicture(PaneModeOf(bar)), skins, skin));
      ASSERT_GT(paneWidth, 0);
      std::vector<std::pair<int, std::array<int, 4>>> shown;
      for (const BarControl& c : BarPlan(bar)) {
        if (c.id == 0) continue;
        auto element = d.Element(c.id, c.style ? c.style : BarStyle(bar));
        ASSERT_TRUE(element) << c.id;
        auto [w, h] = BmpSize(Native(element->picture, skins, skin));
        ASSERT_GT(w, 0) << element->picture;
        EXPECT_GE(element->x, 0) << c.id;
        EXPECT_LE(element->x + w, paneWidth) << c.id;
        EXPECT_LE(element->y + h, paneHeight) << c.id;
        // Hidden ones swap with a shown one. The index page buttons show only when
        // configured, but then beside the others, not over the position bar.
        if (c.shown) shown.push_back({c.id, {element->x, element->y, w, h}});
      }
      for (size_t i = 0; i < shown.size(); ++i)
        for (size_t j = i + 1; j < shown.size(); ++j) {
          auto& a = shown[i].second;
          auto& b = shown[j].second;
          bool apart = a[0] + a[2] <= b[0] || b[0] + b[2] <= a[0] || a[1] + a[3] <= b[1] || b[1] + b[3] <= a[1];
          EXPECT_TRUE(apart) << shown[i].first << " and " << shown[j].first;
        }
    }
  }
}
#endif

}  // namespace
}  // namespace falcet
