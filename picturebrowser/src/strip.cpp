#include "strip.h"

#include <windowsx.h>

#include "boxes.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "hessam/command_ids.h"
#include "hessam/texts.h"
#include "mainwindow.h"
#include "pictures.h"
#include "scan.h"
#include "skin/sk_controls.h"
#include "skin/sk_draw.h"
#include "skin/skin.h"
#include "state.h"
#include "zoom.h"

namespace hessam {
namespace {

constexpr int kStripTop = 13;
constexpr COLORREF kYellow = 0x00FFFF;
constexpr COLORREF kSelectionGrey = RGB(160, 160, 160);

HDC StripMemory() { return SKGETHDCMEMBMP(App().pictureStrip); }

void Repaint(HWND window) {
  if (!window) return;
  InvalidateRect(window, nullptr, FALSE);
  UpdateWindow(window);
}

// One cell of the picture strip: black, then the picture with its list number when its file
// is still there.
void DrawCell(int cell, int number) {
  BrowserState& b = App();
  HDC memory = StripMemory();
  if (!memory || cell < 0 || cell > 3) return;
  int x = cell * b.layout.cellWidth;
  SKFILLRECT(memory, x, kStripTop, b.layout.cellWidth, b.layout.cellHeight, RGB(0, 0, 0));
  if (number < 1 || number > int(b.pictures.size())) return;
  b.currentPicture = PicturePath(number);
  if (!CHECKPICTUREFILE()) return;
  LoadedPicture picture;
  if (LoadPicture(b.currentPicture, b.layout.cellWidth, b.layout.cellHeight, picture))
    DrawPicture(memory, picture, x, kStripTop);
  SkPrintOutlined(memory, x, kStripTop, std::to_string(number), kYellow, RGB(0, 0, 0), b.defaultFont);
}

void CopyCell(int from, int to) {
  const BrowserState& b = App();
  HDC memory = StripMemory();
  int w = b.layout.cellWidth;
  BitBlt(memory, to * w, kStripTop, w, b.layout.cellHeight, memory, from * w, kStripTop, SRCCOPY);
}

bool FileExists(const std::string& path) { return !path.empty() && fileio::Exists(path) && !fileio::IsDirectory(path); }

// A left click on the picture strip: its picture goes into the first empty selection cell.
void ChoosePicture(int cell) {
  BrowserState& b = App();
  int number = cell >= 0 ? b.strip.cells[size_t(cell)] : 0;
  if (number == 0) return;
  auto empty = std::find(b.selection.begin(), b.selection.end(), std::string());
  if (empty == b.selection.end()) return;
  size_t slot = size_t(empty - b.selection.begin());
  b.currentPicture = PicturePath(number);
  if (!FileExists(b.currentPicture)) {
    STARTFOLDERSCAN();
    return;
  }
  LoadedPicture picture;
  if (!LoadPicture(b.currentPicture, b.layout.cellWidth, b.layout.cellHeight, picture)) return;
  HDC memory = SKGETHDCMEMBMP(b.selectionStrip);
  int x = int(slot) * b.layout.cellWidth;
  SKFILLRECT(memory, x, 0, b.layout.cellWidth, b.layout.cellHeight, kSelectionGrey);
  DrawPicture(memory, picture, x, 0);
  Repaint(b.selectionStrip);
  b.selection[slot] = b.currentPicture;
  SetWindowTextA(b.selectionLabels[slot], SelectionLabel(b.currentPicture, picture.width, picture.height).c_str());
}

// The status line names the picture under the mouse, with its keywords.
void Hover(int cell) {
  BrowserState& b = App();
  int number = cell >= 0 ? b.strip.cells[size_t(cell)] : 0;
  std::string path = PicturePath(number);
  if (path.empty() || path == b.hovered) return;
  b.hovered = path;
  SetWindowTextA(b.status, HoverText(path, KeywordsOf(path)).c_str());
}

}  // namespace

bool CHECKPICTUREFILE() {
  BrowserState& b = App();
  b.missingPicture = !FileExists(b.currentPicture);
  if (b.missingPicture) WarningBox(b.title, MissingPictureText(Ui(27), b.currentPicture));
  return !b.missingPicture;
}

void SHOWNEXTFOUR() {
  BrowserState& b = App();
  b.strip.count = int(b.pictures.size());
  if (NextFour(b.strip).kind == StripChange::kNone) return;
  for (int cell = 0; cell < 4; ++cell) DrawCell(cell, b.strip.cells[size_t(cell)]);
  Repaint(b.pictureStrip);
}

void CLEARSTRIP() {
  BrowserState& b = App();
  if (HDC memory = StripMemory())
    SKFILLRECT(memory, 0, kStripTop, b.layout.pictureStrip.width, b.layout.cellHeight, RGB(0, 0, 0));
  b.strip.cells = {};
  Repaint(b.pictureStrip);
  SetWindowTextA(b.status, "");
}

void ShowCount() {
  BrowserState& b = App();
  SKSETCTLTEXT(b.countField, std::to_string(b.pictures.size()));
}

void ShowList(std::vector<std::string> list) {
  BrowserState& b = App();
  b.pictures = std::move(list);
  b.hovered.clear();
  CLEARSTRIP();
  ShowCount();
  b.strip = Strip{};
  SHOWNEXTFOUR();
}

void STARTFOLDERSCAN() {
  BrowserState& b = App();
  if (b.scanning) {
    // The running listing stops and lists the new mask instead.
    b.scanAgain = true;
    return;
  }
  b.scanning = true;
  do {
    b.scanAgain = false;
    std::string mask = b.searchMask;
    if (!fileio::PatternExists(ProbeMask(mask))) continue;
    std::vector<std::string> found;
    int count = SCANPICTUREFOLDER(mask, b.countField, found);
    if (b.scanAgain) continue;
    if (count > 0) b.currentFolder = fileio::FolderOf(mask);
    ShowList(std::move(found));
  } while (b.scanAgain);
  b.scanning = false;
  SKCURSORSTD();
}

void PageStrip(int command) {
  BrowserState& b = App();
  b.strip.count = int(b.pictures.size());
  StripChange change = hessam::StripCommand(b.strip, command, [&b](int number) {
    b.currentPicture = PicturePath(number);
    return CHECKPICTUREFILE();
  });
  switch (change.kind) {
    case StripChange::kFour:
      for (int cell = 0; cell < 4; ++cell) DrawCell(cell, b.strip.cells[size_t(cell)]);
      break;
    case StripChange::kShiftRight:
      for (int cell = 3; cell > 0; --cell) CopyCell(cell - 1, cell);
      DrawCell(0, change.number);
      break;
    case StripChange::kShiftLeft:
      for (int cell = 0; cell < 3; ++cell) CopyCell(cell + 1, cell);
      DrawCell(3, change.number);
      break;
    case StripChange::kNone:
      return;
  }
  Repaint(b.pictureStrip);
}

void ZoomSelection(int n) {
  BrowserState& b = App();
  if (n < 1 || n > 4 || b.selection[size_t(n - 1)].empty()) return;
  b.currentPicture = b.selection[size_t(n - 1)];
  SHOWZOOMVIEW(false);
}

void ClearSelection(int n) {
  BrowserState& b = App();
  if (n < 1 || n > 4 || b.selection[size_t(n - 1)].empty()) return;
  size_t i = size_t(n - 1);
  b.selection[i].clear();
  SetWindowTextA(b.selectionLabels[i], "");
  if (HDC memory = SKGETHDCMEMBMP(b.selectionStrip))
    SKFILLRECT(memory, int(i) * b.layout.cellWidth, 0, b.layout.cellWidth, b.layout.cellHeight, kSelectionGrey);
  Repaint(b.selectionStrip);
  for (int position : ClearSelectionNumber(b.positions, n)) SetPosition(position, 0);
  if (b.pickedNumber == n) b.pickedNumber = 0;
}

void StripMouse(HWND window, UINT message, LPARAM lParam) {
  BrowserState& b = App();
  int cell = CellAt(GET_X_LPARAM(lParam), b.layout.cellWidth);
  if (window == b.selectionStrip) {
    if ((message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) && cell >= 0)
      b.pickedNumber = b.selection[size_t(cell)].empty() ? 0 : cell + 1;
    return;
  }
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      ChoosePicture(cell);
      return;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      if (cell < 0 || b.strip.cells[size_t(cell)] == 0) return;
      b.currentPicture = PicturePath(b.strip.cells[size_t(cell)]);
      SHOWZOOMVIEW(true);
      return;
    case WM_MOUSEMOVE:
      Hover(cell);
      return;
    default:
      return;
  }
}

void OnSlotClick(int position) {
  BrowserState& b = App();
  if (b.pickedNumber == 0) return;
  SetPosition(position, b.pickedNumber);
  b.pickedNumber = 0;
}

}  // namespace hessam
