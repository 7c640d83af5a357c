// The shows' settings, the tiles, the walk through the list and SHOWPUMP's decisions.
#include <gtest/gtest.h>

#include <string>

#include "hessam/shows.h"

namespace hessam {
namespace {

constexpr unsigned kKeyDownMsg = 0x100, kKeyUpMsg = 0x101, kCharMsg = 0x102, kSysKeyDownMsg = 0x104,
                   kSysKeyUpMsg = 0x105;

TEST(ShowSettings, TimesAndTiles) {
  EXPECT_EQ(SlideTime("2500"), 2500);
  EXPECT_EQ(SlideTime(" 700 ms"), 700);
  EXPECT_EQ(SlideTime("-5"), 0);
  EXPECT_EQ(SlideTime(""), 0);
  TiledShowSettings s = ParseTiledShow("3,2,100");
  EXPECT_EQ(s.columns, 3);
  EXPECT_EQ(s.rows, 2);
  EXPECT_EQ(s.timeMs, 100);
  s = ParseTiledShow(" 0 , -1 , -5 ");
  EXPECT_EQ(s.columns, 1);
  EXPECT_EQ(s.rows, 1);
  EXPECT_EQ(s.timeMs, 0);
  for (const char* other : {"3,2", "3,2,100,4", "", "three"}) {
    s = ParseTiledShow(other);
    EXPECT_EQ(s.columns, 4) << other;
    EXPECT_EQ(s.rows, 4) << other;
    EXPECT_EQ(s.timeMs, 3000) << other;
  }
}

TEST(ShowTiles, RowByRowFromTheTopLeft) {
  Tiles t = MakeTiles(ParseTiledShow("3,2,100"), 1280, 1024);
  EXPECT_EQ(t.Count(), 6);
  EXPECT_EQ(t.width, 426);
  EXPECT_EQ(t.height, 512);
  Box fourth = t.Tile(4);
  EXPECT_EQ(fourth.x, 0);
  EXPECT_EQ(fourth.y, 512);
  EXPECT_EQ(t.Tile(3).x, 852);
  EXPECT_EQ(t.TileAt(0, 0), 1);
  EXPECT_EQ(t.TileAt(425, 511), 1);
  EXPECT_EQ(t.TileAt(426, 511), 2);
  EXPECT_EQ(t.TileAt(1000, 600), 6);
  // The columns' rest at the right edge belongs to no tile.
  EXPECT_EQ(t.TileAt(1279, 0), 0);
  EXPECT_EQ(t.TileAt(-1, 0), 0);
}

// The list numbers a show takes, as "tile:number" with a "|" where it waits.
std::string Walk(ShowPlan& plan, int steps, const std::function<bool(int)>& exists) {
  std::string out;
  for (int i = 0; i < steps; ++i) {
    ShowStep s = plan.Step(exists);
    if (s.kind == ShowStep::kEnd) return out + "end";
    if (s.kind == ShowStep::kMissing) out += "-" + std::to_string(s.number) + (s.warn ? "!" : "") + " ";
    if (s.kind == ShowStep::kStay) out += "stay ";
    if (s.kind == ShowStep::kShow)
      out += std::to_string(s.tile) + ":" + std::to_string(s.number) + (s.screenFull ? " | " : " ");
  }
  return out;
}

TEST(ShowPlan, ThreeByTwoOverEightPictures) {
  ShowPlan plan(8, 6);
  EXPECT_EQ(Walk(plan, 12, [](int) { return true; }),
            "1:1 2:2 3:3 4:4 5:5 6:6 | 1:7 2:8 3:1 4:2 5:3 6:4 | ");
}

TEST(ShowPlan, MissingPicturesArePassedAndWarnedOnce) {
  ShowPlan plan(4, 2);
  auto exists = [](int n) { return n != 2 && n != 3; };
  EXPECT_EQ(Walk(plan, 6, exists), "1:1 -2! -3 2:4 | 1:1 -2 ");
}

TEST(ShowPlan, AListOfMissingFilesEndsAfterOneRound) {
  ShowPlan plan(3, 16);
  EXPECT_EQ(Walk(plan, 10, [](int) { return false; }), "-1! -2 -3 end");
  ShowPlan empty(0, 16);
  EXPECT_EQ(Walk(empty, 2, [](int) { return true; }), "end");
}

TEST(ShowPlan, ASinglePictureIsShownOnceAndStays) {
  ShowPlan plan(1, 1);
  EXPECT_EQ(Walk(plan, 3, [](int) { return true; }), "1:1 | stay stay ");
}

TEST(ShowPump, Keyboard) {
  // Space never stops; its key-up pauses and resumes.
  EXPECT_EQ(KeyboardAction(kKeyDownMsg, 0x20, 0), PumpAction::kNone);
  EXPECT_EQ(KeyboardAction(kKeyUpMsg, 0x20, 0xC0000001u), PumpAction::kTogglePause);
  // Any other key going down stops.
  EXPECT_EQ(KeyboardAction(kKeyDownMsg, 0x1B, 1), PumpAction::kStop);
  EXPECT_EQ(KeyboardAction(kKeyDownMsg, 'A', 1), PumpAction::kStop);
  // The key-up of the key that chose the show (Enter in the menu, the menu's Alt) and the
  // repeat of a key held since before the show change nothing.
  EXPECT_EQ(KeyboardAction(kKeyUpMsg, 0x0D, 0xC0000001u), PumpAction::kNone);
  EXPECT_EQ(KeyboardAction(kSysKeyUpMsg, 0x12, 0xC0000001u), PumpAction::kNone);
  EXPECT_EQ(KeyboardAction(kKeyDownMsg, 0x0D, 0x40000001u), PumpAction::kNone);
  // Other keyboard messages stop.
  EXPECT_EQ(KeyboardAction(kCharMsg, 'a', 1), PumpAction::kStop);
  EXPECT_EQ(KeyboardAction(kSysKeyDownMsg, 0x12, 1), PumpAction::kStop);
}

TEST(ShowPump, Mouse) {
  for (ShowKind kind : {ShowKind::kSlide, ShowKind::kTiled}) {
    EXPECT_EQ(MouseAction(kind, 0x200), PumpAction::kNone);          // move
    EXPECT_EQ(MouseAction(kind, 0x204), PumpAction::kNone);          // right down
    EXPECT_EQ(MouseAction(kind, 0x205), PumpAction::kTogglePause);   // right up
  }
  EXPECT_EQ(MouseAction(ShowKind::kSlide, 0x201), PumpAction::kStop);
  EXPECT_EQ(MouseAction(ShowKind::kSlide, 0x202), PumpAction::kStop);
  EXPECT_EQ(MouseAction(ShowKind::kSlide, 0x20A), PumpAction::kStop);
  EXPECT_EQ(MouseAction(ShowKind::kTiled, 0x202), PumpAction::kToggleMark);
  EXPECT_EQ(MouseAction(ShowKind::kTiled, 0x208), PumpAction::kStop);
  EXPECT_EQ(MouseAction(ShowKind::kTiled, 0x201), PumpAction::kNone);
  EXPECT_EQ(MouseAction(ShowKind::kTiled, 0x20A), PumpAction::kNone);
}

}  // namespace
}  // namespace hessam
