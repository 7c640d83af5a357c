// The tiled show and the slide show, stepped one picture at a time: a right button's release
// pauses and resumes a show, and two of them posted together let exactly one more picture
// come. The marks of a tiled show and what the answers to its question do with the files.
#include <gtest/gtest.h>
#include <windows.h>

#include "driver.h"
#include "fileio/file.h"
#include "hessam/shows.h"
#include "hessam_fixture.h"

namespace hessam {
namespace {

const COLORREF kColours[8] = {RGB(220, 30, 30),  RGB(30, 200, 60), RGB(40, 60, 220),  RGB(240, 140, 20),
                              RGB(150, 40, 180), RGB(20, 160, 160), RGB(120, 70, 30), RGB(230, 230, 230)};

// The display time of the shows under test.
constexpr DWORD kDisplayMs = 100;

class HessamShow : public Hessam {
 protected:
  // Eight pictures of their own colours, 40 x 30 (so small that each stands alone in the
  // middle of its tile).
  std::vector<std::string> WritePictures(int count) {
    std::vector<std::string> list;
    for (int i = 0; i < count; ++i) {
      std::string path = Copy().Picture("p" + std::to_string(i + 1) + ".bmp");
      EXPECT_TRUE(WritePicture(path, 40, 30, kColours[i]));
      list.push_back(path);
    }
    return list;
  }

  // Starts a show that pauses after its first picture.
  void StartPaused(Browser& browser, int command) {
    zoom_ = browser.Zoom();
    ASSERT_NE(zoom_, nullptr);
    browser.Post(command);
    PostMessageA(zoom_, WM_RBUTTONUP, 0, 0);
  }
  // One picture more: resume, then pause again after the next picture. A paused show's
  // display time runs on: once it has passed, the show resumes straight to the next picture.
  void Step() {
    PumpMessages(kDisplayMs + 50);
    PostMessageA(zoom_, WM_RBUTTONUP, 0, 0);
    PostMessageA(zoom_, WM_RBUTTONUP, 0, 0);
  }
  // Waits until the middle of the tile shows the colour.
  bool TileShows(const Tiles& tiles, int tile, COLORREF colour) {
    Box b = tiles.Tile(tile);
    return PumpUntil(
        [&] {
          win::WindowDC screen(nullptr);
          COLORREF c = GetPixel(screen, b.x + b.width / 2, b.y + b.height / 2);
          return Near((uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c), colour, 8);
        },
        std::chrono::milliseconds(kWaitMs));
  }
  // Waits until the tile shows the mark figure: its frame inverts the black around the
  // picture at 2 pixels from the tile's left edge.
  bool MarkShows(const Tiles& tiles, int tile) {
    Box b = tiles.Tile(tile);
    return PumpUntil(
        [&] {
          win::WindowDC screen(nullptr);
          return GetPixel(screen, b.x + 2, b.y + b.height / 2) == RGB(255, 255, 255);
        },
        std::chrono::milliseconds(kWaitMs));
  }
  void Stop() { PostMessageA(zoom_, WM_KEYDOWN, VK_ESCAPE, 1); }
  bool WaitHidden() {
    return PumpUntil([&] { return !IsWindowVisible(zoom_); }, std::chrono::milliseconds(kWaitMs));
  }
  void ClickTile(const Tiles& tiles, int tile) {
    Box b = tiles.Tile(tile);
    PostMessageA(zoom_, WM_LBUTTONUP, 0, MAKELPARAM(b.x + b.width / 4, b.y + b.height / 4));
  }

  HWND zoom_ = nullptr;
};

Tiles ScreenTiles(const std::string& action) {
  return MakeTiles(ParseTiledShow(action), GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

TEST_F(HessamShow, ATiledShowOfThreeByTwoOverEightPictures) {
  Copy().SetMenuAction(kCmdTiledShow, "3,2,100");
  std::vector<std::string> list = WritePictures(8);
  Browser browser = StartBrowser();
  ASSERT_TRUE(browser.Started());
  ASSERT_TRUE(browser.Open(list));
  Tiles tiles = ScreenTiles("3,2,100");
  StartPaused(browser, kCmdTiledShow);
  // Pictures 1 to 6 fill the first screen, then 7, 8, 1, 2, 3 and 4 the second, tile by tile.
  const int order[12] = {1, 2, 3, 4, 5, 6, 7, 8, 1, 2, 3, 4};
  for (int step = 0; step < 12; ++step) {
    SCOPED_TRACE("step " + std::to_string(step + 1));
    if (step > 0) Step();
    ASSERT_TRUE(TileShows(tiles, step % 6 + 1, kColours[order[step] - 1]));
    // The tiles after it still show the first screen.
    if (step >= 6 && step < 11) {
      EXPECT_TRUE(TileShows(tiles, step % 6 + 2, kColours[(step % 6 + 2) - 1]));
    }
  }
  Stop();
  ASSERT_TRUE(WaitHidden());
  // No picture was marked: no question, the list stays.
  PumpMessages(300);
  EXPECT_EQ(FindWindowA("SKMSGBOX", nullptr), nullptr);
  EXPECT_EQ(browser.Count(), "8");
  EXPECT_EQ(browser.End(), 0);
}

TEST_F(HessamShow, TheKeyUpOfTheKeyThatChoseTheShowDoesNotEndIt) {
  Copy().SetMenuAction(kCmdSlideShow, "100");
  std::vector<std::string> list = WritePictures(2);
  Browser browser = StartBrowser();
  ASSERT_TRUE(browser.Started());
  ASSERT_TRUE(browser.Open(list));
  Tiles screen = ScreenTiles("1,1,0");
  StartPaused(browser, kCmdSlideShow);
  ASSERT_TRUE(TileShows(screen, 1, kColours[0]));
  // Enter's key-up (the menu was chosen with it) and a repeat of a key held since then:
  // the show goes on. The paused display time has passed before it resumes.
  PostMessageA(zoom_, WM_KEYUP, VK_RETURN, 0xC0000001);
  PostMessageA(zoom_, WM_KEYDOWN, VK_RETURN, 0x40000001);
  Step();
  ASSERT_TRUE(TileShows(screen, 1, kColours[1]));
  EXPECT_TRUE(IsWindowVisible(zoom_));
  // Space's key-up resumes the paused show too: after the last picture comes the first.
  PumpMessages(kDisplayMs + 50);
  PostMessageA(zoom_, WM_KEYUP, VK_SPACE, 0xC0000001);
  ASSERT_TRUE(TileShows(screen, 1, kColours[0]));
  EXPECT_TRUE(IsWindowVisible(zoom_));
  // Any other key ends it.
  Stop();
  EXPECT_TRUE(WaitHidden());
  EXPECT_EQ(browser.End(), 0);
}

TEST_F(HessamShow, AShowOverMissingFilesEndsAfterOneRoundAndOneWarning) {
  Copy().SetMenuAction(kCmdTiledShow, "2,2,0");
  Browser browser = StartBrowser();
  ASSERT_TRUE(browser.Started());
  ASSERT_TRUE(browser.Open({Copy().Picture("gone1.bmp"), Copy().Picture("gone2.bmp"), Copy().Picture("gone3.bmp")}));
  // The strip warns of each missing picture it would show.
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(browser.Answer(1));
  browser.Post(kCmdTiledShow);
  ASSERT_TRUE(browser.Answer(1));
  // The show ended by itself: the browser answers again and shows no further warning.
  EXPECT_EQ(SendAndWait(browser.Frame(), WM_NULL, 0, 0), 0);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(browser.Zoom()); }, std::chrono::milliseconds(kWaitMs)));
  PumpMessages(300);
  EXPECT_EQ(FindWindowA("SKMSGBOX", nullptr), nullptr);
  EXPECT_EQ(browser.End(), 0);
}

TEST_F(HessamShow, CodeTenEndsTheProgramDuringAPausedShow) {
  std::vector<std::string> list = WritePictures(3);
  Browser browser = StartBrowser();
  ASSERT_TRUE(browser.Started());
  ASSERT_TRUE(browser.Open(list));
  StartPaused(browser, kCmdTiledShow);
  // The shipped tiled show: 4 x 4 tiles.
  ASSERT_TRUE(TileShows(ScreenTiles("4,4,3000"), 1, kColours[0]));
  EXPECT_EQ(browser.End(), 0);
}

// A list that names a.bmp twice: a mark belongs to the path, so both entries are marked.
class HessamMarks : public HessamShow {
 protected:
  void SetUp() override {
    Copy().SetMenuAction(kCmdTiledShow, "3,2,0");
    std::vector<std::string> p = WritePictures(4);
    a_ = p[0], b_ = p[1], c_ = p[2], d_ = p[3];
  }
  // A tiled show in which the picture of tile 1 (a) is marked, ended with a key.
  void MarkFirstAndEnd(Browser& browser) {
    Tiles tiles = ScreenTiles("3,2,0");
    StartPaused(browser, kCmdTiledShow);
    ASSERT_TRUE(TileShows(tiles, 1, kColours[0]));
    ClickTile(tiles, 1);
    // The key must come after the click: the show takes a key before a mouse message.
    ASSERT_TRUE(MarkShows(tiles, 1));
    Stop();
  }
  std::string a_, b_, c_, d_;
};

TEST_F(HessamMarks, KeepingTheMarkedAndDeletingTheOthersNeverDeletesAKeptFile) {
  Browser browser = StartBrowser();
  ASSERT_TRUE(browser.Started());
  ASSERT_TRUE(browser.Open({a_, b_, a_, c_, d_}));
  MarkFirstAndEnd(browser);
  ASSERT_TRUE(browser.Answer(2));  // keep the marked, delete the others
  ASSERT_TRUE(browser.Answer(1));  // yes
  ASSERT_TRUE(browser.WaitCount("1"));
  EXPECT_TRUE(fileio::Exists(a_));
  EXPECT_FALSE(fileio::Exists(b_));
  EXPECT_FALSE(fileio::Exists(c_));
  EXPECT_FALSE(fileio::Exists(d_));
  EXPECT_TRUE(browser.WaitCell(0, kColours[0]));
  EXPECT_FALSE(browser.CellNumbered(1));
  EXPECT_EQ(browser.End(), 0);
}

TEST_F(HessamMarks, ADeclinedDeletionKeepsEverythingAndTheOthersCanBeKept) {
  Browser browser = StartBrowser();
  ASSERT_TRUE(browser.Started());
  ASSERT_TRUE(browser.Open({a_, b_, a_, c_, d_}));
  MarkFirstAndEnd(browser);
  ASSERT_TRUE(browser.Answer(4));  // delete the marked
  ASSERT_TRUE(browser.Answer(2));  // no
  EXPECT_EQ(SendAndWait(browser.Frame(), WM_NULL, 0, 0), 0);
  EXPECT_EQ(browser.Count(), "5");
  for (const std::string& p : {a_, b_, c_, d_}) EXPECT_TRUE(fileio::Exists(p)) << p;
  // Again, keeping the unmarked pictures: each path once, no file touched.
  MarkFirstAndEnd(browser);
  ASSERT_TRUE(browser.Answer(3));
  ASSERT_TRUE(browser.WaitCount("3"));
  for (const std::string& p : {a_, b_, c_, d_}) EXPECT_TRUE(fileio::Exists(p)) << p;
  EXPECT_TRUE(browser.WaitCell(0, kColours[1]));
  EXPECT_EQ(browser.End(), 0);
}

TEST_F(HessamMarks, ClickingATileTwiceLeavesItAsItWasDrawn) {
  Browser browser = StartBrowser();
  ASSERT_TRUE(browser.Started());
  ASSERT_TRUE(browser.Open({a_, b_, c_}));
  Tiles tiles = ScreenTiles("3,2,0");
  StartPaused(browser, kCmdTiledShow);
  ASSERT_TRUE(TileShows(tiles, 1, kColours[0]));
  HWND zoom = zoom_;
  auto tilePixels = [&] {
    Shot screen = Capture(nullptr);
    Box b = tiles.Tile(1);
    std::vector<uint32_t> out;
    for (int y = b.y; y < b.y + b.height; y += 3)
      for (int x = b.x; x < b.x + b.width; x += 3) out.push_back(screen.At(x, y));
    return out;
  };
  std::vector<uint32_t> drawn = tilePixels();
  ClickTile(tiles, 1);
  // The mark figure shows (the tile changes) ...
  EXPECT_TRUE(PumpUntil([&] { return tilePixels() != drawn; }, std::chrono::milliseconds(kWaitMs)));
  ClickTile(tiles, 1);
  // ... and goes again with the second click.
  EXPECT_TRUE(PumpUntil([&] { return tilePixels() == drawn; }, std::chrono::milliseconds(kWaitMs)));
  Stop();
  ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(zoom); }, std::chrono::milliseconds(kWaitMs)));
  PumpMessages(300);
  EXPECT_EQ(FindWindowA("SKMSGBOX", nullptr), nullptr);
  EXPECT_EQ(browser.Count(), "3");
  EXPECT_EQ(browser.End(), 0);
}

}  // namespace
}  // namespace hessam
