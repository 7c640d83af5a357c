#include "shows.h"

#include <windows.h>
#include <windowsx.h>
#include <mmsystem.h>

#include "boxes.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "hessam/command_ids.h"
#include "hessam/marks.h"
#include "hessam/texts.h"
#include "pictures.h"
#include "skin/sk_draw.h"
#include "skin/sk_menu.h"
#include "skin/skin.h"
#include "state.h"
#include "strip.h"
#include "win/raii.h"
#include "zoom.h"

namespace hessam {
namespace {

// The longest sleep on the queue: a wait also ends when its time is up.
constexpr DWORD kLongestSleepMs = 50;

bool Exists(const std::string& path) { return !path.empty() && fileio::Exists(path) && !fileio::IsDirectory(path); }

// Sleeps until input or a message arrives (or the time passes): waits and pauses cost no
// processor time.
void SleepOnQueue(DWORD milliseconds) {
  MsgWaitForMultipleObjectsEx(0, nullptr, std::min(milliseconds, kLongestSleepMs),
                              QS_KEY | QS_MOUSE | QS_POSTMESSAGE | QS_SENDMESSAGE, 0);
}

// Runs SHOWPUMP until the time has passed since start; true when the show is to stop. The
// pump runs at least once, so that a show without a display time can still be stopped.
bool WaitFrom(DWORD start, DWORD milliseconds) {
  for (;;) {
    if (SHOWPUMP()) return true;
    DWORD passed = timeGetTime() - start;
    if (passed >= milliseconds) return false;
    SleepOnQueue(milliseconds - passed);
  }
}

// The zoom window over the whole screen, black.
HDC CoverScreen() {
  BrowserState& b = App();
  HDC memory = ShowZoomWindow(0, 0, b.screenWidth, b.screenHeight, RGB(0, 0, 0));
  if (memory) {
    win::WindowDC dc(b.zoom);
    BitBlt(dc, 0, 0, b.screenWidth, b.screenHeight, memory, 0, 0, SRCCOPY);
  }
  return memory;
}

void Uncover() {
  BrowserState& b = App();
  b.show.running = false;
  CloseZoom();
}

// Copies a rectangle of the zoom window's memory bitmap onto the window.
void Show(HDC memory, const Box& area) {
  win::WindowDC dc(App().zoom);
  BitBlt(dc, area.x, area.y, area.width, area.height, memory, area.x, area.y, SRCCOPY);
}

// The mark figure of a tile, drawn inverted so that drawing it twice removes it.
void DrawMarkFigure(HDC dc, const Box& tile) {
  int x = tile.x, y = tile.y, w = tile.width, h = tile.height;
  int oldMode = SetROP2(dc, R2_NOT);
  {
    win::SelectObj hollow(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, x + 2, y + 2, x + w - 5, y + h - 5);
    Rectangle(dc, x + 3, y + 3, x + w - 6, y + h - 6);
  }
  {
    win::SelectObj solid(dc, GetStockObject(BLACK_BRUSH));
    win::SelectObj noPen(dc, GetStockObject(NULL_PEN));
    RoundRect(dc, x + 6, y + 6, x + 16, y + 16, 10, 10);
    RoundRect(dc, x + w - 20, y + 6, x + w - 10, y + 16, 10, 10);
    RoundRect(dc, x + 6, y + h - 19, x + 16, y + h - 9, 10, 10);
    RoundRect(dc, x + w - 20, y + h - 19, x + w - 10, y + h - 9, 10, 10);
  }
  SetROP2(dc, oldMode);
}

// A left button's release on a tile marks the picture it shows, or clears its mark; every
// tile of the screen that shows that path shows the mark figure.
void ToggleMark(const MSG& msg) {
  BrowserState& b = App();
  ShowRun& run = b.show;
  int tile = run.tiles.TileAt(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
  if (tile < 1 || size_t(tile) >= run.tilePaths.size() || run.tilePaths[size_t(tile)].empty()) return;
  std::string path = run.tilePaths[size_t(tile)];
  run.marks.Toggle(path);
  HDC memory = SKGETHDCMEMBMP(b.zoom);
  for (size_t t = 1; t < run.tilePaths.size(); ++t) {
    if (!fileio::EqualsNoCase(run.tilePaths[t], path)) continue;
    Box area = run.tiles.Tile(int(t));
    if (memory) {
      DrawMarkFigure(memory, area);
      Show(memory, area);
    }
  }
}

// The slide show's text of a picture: its keywords, else its upper-cased path when the
// file-name option is on.
std::string SlideText(const std::string& path) {
  std::string text = KeywordsOf(path);
  if (text.empty() && App().fileNames) text = fileio::ToUpper(path);
  return text;
}

// A tile: the picture fitted into a black tile, its name when the option is on, the mark
// figure when it is marked.
void DrawTile(HDC memory, const Box& tile, const std::string& path) {
  BrowserState& b = App();
  win::MemoryDC cell(memory, tile.width, tile.height);
  if (!cell) return;
  SKFILLRECT(cell, 0, 0, tile.width, tile.height, RGB(0, 0, 0));
  LoadedPicture picture;
  if (LoadPicture(path, tile.width, tile.height, picture)) DrawPicture(cell, picture, 0, 0);
  if (b.fileNames) DrawCaption(cell, fileio::NameOf(path), 0, 0, tile.width, tile.height);
  if (b.show.marks.Marked(path)) DrawMarkFigure(cell, Box{0, 0, tile.width, tile.height});
  BitBlt(memory, tile.x, tile.y, tile.width, tile.height, cell, 0, 0, SRCCOPY);
  Show(memory, tile);
}

// The question after a tiled show with marked pictures, and what its answer does.
void AskAboutMarks() {
  BrowserState& b = App();
  const MarkedPaths& marks = b.show.marks;
  if (marks.Empty()) return;
  std::string buttons = Ui(11) + std::string(1, '\0') + Ui(12);
  int answer = QuestionBox(std::to_string(MarkedCount(b.pictures, marks)) + Ui(9), Ui(10), buttons);
  MarkOutcome outcome = PlanAnswer(answer, b.pictures, marks);
  if (!outcome.changesList) return;
  if (outcome.asksFirst) {
    std::string folder = b.pictures.empty() ? std::string() : fileio::FolderOf(b.pictures.front());
    if (WarningBox(Ui(7), FillCountAndFolder(Ui(8), outcome.warnCount, folder), Ui(24)) != 1) return;
    for (const std::string& path : outcome.deleted) SKKILLFILE(path);
  }
  ShowList(std::move(outcome.newList));
}

bool Startable() {
  const BrowserState& b = App();
  return b.zoom && !b.pictures.empty() && !b.show.running;
}

void StartShow(ShowKind kind) {
  BrowserState& b = App();
  CloseZoom();
  b.show = ShowRun{};
  b.show.running = true;
  b.show.kind = kind;
}


// Takes one message of a range; a quit message that comes out instead (the program was
// told to close) is put back for the main loop, and ends the show.
bool TakeMessage(MSG& msg, UINT first, UINT last, bool& quit) {
  if (!PeekMessageA(&msg, nullptr, first, last, PM_REMOVE)) return false;
  if (msg.message != WM_QUIT) return true;
  PostQuitMessage(int(msg.wParam));
  quit = true;
  return false;
}

}  // namespace

bool SHOWPUMP() {
  ShowRun& run = App().show;
  for (;;) {
    bool stop = false, quit = false;
    MSG msg;
    if (TakeMessage(msg, WM_KEYFIRST, WM_KEYLAST, quit)) {
      PumpAction action = KeyboardAction(msg.message, unsigned(msg.wParam), uint32_t(msg.lParam));
      stop = action == PumpAction::kStop;
      if (action == PumpAction::kTogglePause) run.pause = !run.pause;
    }
    if (TakeMessage(msg, WM_MOUSEFIRST, WM_MOUSEWHEEL, quit)) {
      PumpAction action = MouseAction(run.kind, msg.message);
      stop = stop || action == PumpAction::kStop;
      if (action == PumpAction::kTogglePause) run.pause = !run.pause;
      if (action == PumpAction::kToggleMark) ToggleMark(msg);
    }
    if (quit || PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) stop = true;
    if (stop) return true;
    if (!run.pause) return false;
    SleepOnQueue(kLongestSleepMs);
  }
}

void SlideShow() {
  BrowserState& b = App();
  if (!Startable()) return;
  StartShow(ShowKind::kSlide);
  HDC memory = CoverScreen();
  ShowPlan plan(int(b.pictures.size()), 1);
  Box screen{0, 0, b.screenWidth, b.screenHeight};
  for (;;) {
    ShowStep step = plan.Step([](int number) { return Exists(PicturePath(number)); });
    if (step.kind == ShowStep::kEnd) break;
    if (step.kind == ShowStep::kMissing) {
      if (SHOWPUMP()) break;
      continue;
    }
    if (step.kind == ShowStep::kShow && memory) {
      b.currentPicture = PicturePath(step.number);
      LoadedPicture picture;
      bool loaded = LoadPicture(b.currentPicture, b.screenWidth, b.screenHeight, picture);
      SKFILLRECT(memory, 0, 0, b.screenWidth, b.screenHeight, RGB(0, 0, 0));
      if (loaded) DrawPicture(memory, picture, 0, 0);
      DrawCaption(memory, SlideText(b.currentPicture), 0, 0, b.screenWidth, b.screenHeight);
      Show(memory, screen);
    }
    if (WaitFrom(timeGetTime(), DWORD(SlideTime(SKMACTE(kCmdSlideShow, b.menus))))) break;
  }
  Uncover();
}

void TiledShow(int command) {
  BrowserState& b = App();
  if (!Startable()) return;
  StartShow(ShowKind::kTiled);
  ShowRun& run = b.show;
  TiledShowSettings settings = ParseTiledShow(SKMACTE(command, b.menus));
  run.tiles = MakeTiles(settings, b.screenWidth, b.screenHeight);
  run.tilePaths.assign(size_t(run.tiles.Count()) + 1, std::string());
  HDC memory = CoverScreen();
  SetCapture(b.zoom);
  ShowPlan plan(int(b.pictures.size()), run.tiles.Count());
  for (;;) {
    ShowStep step = plan.Step([](int number) { return Exists(PicturePath(number)); });
    if (step.kind == ShowStep::kEnd) break;
    if (step.kind == ShowStep::kMissing && step.warn) {
      b.currentPicture = PicturePath(step.number);
      CHECKPICTUREFILE();
    }
    if (step.kind == ShowStep::kShow && memory) {
      std::string path = PicturePath(step.number);
      run.tilePaths[size_t(step.tile)] = path;
      DrawTile(memory, run.tiles.Tile(step.tile), path);
      if (step.screenFull) {
        if (WaitFrom(timeGetTime(), DWORD(settings.timeMs))) break;
        continue;
      }
    }
    if (SHOWPUMP()) break;
  }
  ReleaseCapture();
  Uncover();
  AskAboutMarks();
}

void SetFileNames(bool on) {
  BrowserState& b = App();
  b.fileNames = on;
  CheckMenuItem(b.menuBar, kCmdNamesOn, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
  CheckMenuItem(b.menuBar, kCmdNamesOff, MF_BYCOMMAND | (on ? MF_UNCHECKED : MF_CHECKED));
  if (MenuItem* item = b.menus.FindItem(kCmdNamesOn)) item->checked = on;
  if (MenuItem* item = b.menus.FindItem(kCmdNamesOff)) item->checked = !on;
}

}  // namespace hessam
