#include "kelmor/layout.h"

#include <algorithm>
#include <cstdint>

namespace kelmor {

namespace {

constexpr int kGap = 2;          // between neighbouring controls
constexpr int kRowGap = 3;       // above and below a button row
constexpr int kFileTypeShare = 45;  // percent of the box row taken by the file-type box

// Places a row of buttons from x over width: each as wide as its caption wants, all shrunk
// alike when the row does not fit.
void PlaceRow(const std::vector<int>& ids, const LayoutInput& in, int x, int y, int width,
              std::map<int, LayoutRect>& out) {
  std::vector<int> present;
  int wanted = 0;
  for (int id : ids) {
    auto it = in.buttonWidths.find(id);
    if (it == in.buttonWidths.end()) continue;
    present.push_back(id);
    wanted += std::max(1, it->second);
  }
  if (present.empty()) return;
  int gaps = kGap * int(present.size() - 1);
  int room = std::max(0, width - gaps);
  int left = x;
  for (size_t i = 0; i < present.size(); ++i) {
    int want = std::max(1, in.buttonWidths.at(present[i]));
    int w = wanted <= room ? want : std::max(1, int(int64_t(want) * room / wanted));
    out[present[i]] = LayoutRect{left, y, w, in.buttonHeight};
    left += w + kGap;
  }
}

}  // namespace

int LeftPaneMinimum(int screenWidth) { return screenWidth > 1280 ? 250 : 200; }

int RightPaneWidth(int clientWidth, int screenWidth, int cell) {
  int room = std::max(0, clientWidth - LeftPaneMinimum(screenWidth));
  if (cell <= 0) return std::min(clientWidth, room + 4);
  return std::min(std::max(0, clientWidth), room / cell * cell + 4);
}

int FileListHeight(int clientHeight, int offset, int cell, int hScrollHeight) {
  int h = clientHeight - clientHeight / 2 - offset;
  int room = 2 * h - (hScrollHeight + 69);
  if (cell > 0 && room >= cell) return room / cell * cell + hScrollHeight + 5;
  return std::max(0, h);
}

BrowserLayout ComputeBrowserLayout(const LayoutInput& in) {
  BrowserLayout out;
  int cell = in.thumbnailSize + 10;
  int clientW = std::max(0, in.clientWidth);
  int clientH = std::max(0, in.clientHeight);
  out.rightPane = RightPaneWidth(clientW, in.screenWidth, cell);
  out.leftPane = clientW - out.rightPane;
  int x = out.leftPane;
  int w = out.rightPane;

  // Left pane: the folder tree above the option check box.
  int checkRow = in.checkHeight + 2 * kRowGap;
  out.controls[kFolderTree] = LayoutRect{0, 0, std::max(0, out.leftPane - kGap), std::max(0, clientH - checkRow)};
  out.controls[kOptionCheck] =
      LayoutRect{4, std::max(0, clientH - checkRow) + kRowGap, std::max(0, out.leftPane - 8), in.checkHeight};

  // Right pane: the two boxes in one row, the file list below them.
  int boxWidth = w * kFileTypeShare / 100;
  out.controls[kFileTypeBox] = LayoutRect{x, 0, boxWidth, in.comboHeight};
  out.controls[kFavouritesBox] = LayoutRect{x + boxWidth + kGap, 0, std::max(0, w - boxWidth - kGap), in.comboHeight};
  int offset = in.comboHeight + 1;
  out.fileListHeight = FileListHeight(clientH, offset, cell, in.hScrollHeight);
  out.controls[kFileList] = LayoutRect{x, offset, w, out.fileListHeight};

  // Below it: a button row, the collection list and the second button row.
  int rowHeight = in.buttonHeight + 2 * kRowGap;
  int y = offset + out.fileListHeight;
  PlaceRow(FileListButtons(), in, x, y + kRowGap, w, out.controls);
  y += rowHeight;
  int listHeight = std::max(0, clientH - y - rowHeight);
  out.controls[kCollectionList] = LayoutRect{x, y, w, listHeight};
  PlaceRow(CollectionButtons(), in, x, y + listHeight + kRowGap, w, out.controls);
  return out;
}

}  // namespace kelmor
