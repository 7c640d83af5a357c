// Geometry of the media browser's main window: the folder tree on the left, the boxes,
// lists and buttons on the right. Portable arithmetic; the window code measures the
// captions and the control heights and places the controls where this says.
#pragma once
#include <map>
#include <vector>

#include "kelmor/command_ids.h"

namespace kelmor {

struct LayoutRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const LayoutRect&) const = default;
};

// The buttons of the row below the file list and of the row below the collection list.
inline const std::vector<int>& FileListButtons() {
  static const std::vector<int> ids{kAddButton, kAddCurrentButton, kDeleteButton, kWebButton, kHelpButton};
  return ids;
}
inline const std::vector<int>& CollectionButtons() {
  static const std::vector<int> ids{kRemoveButton, kEmptyButton, kLoadButton, kSaveButton, kHandOverButton, kBurnerButton};
  return ids;
}

struct LayoutInput {
  int clientWidth = 0;        // the client holder
  int clientHeight = 0;
  int screenWidth = 0;
  int thumbnailSize = 0;      // the list's thumbnail cell is this + 10
  int comboHeight = 0;        // height of the closed file-type box
  int hScrollHeight = 0;      // height of a horizontal scroll bar
  int buttonHeight = 0;
  int checkHeight = 0;        // the option check box
  std::map<int, int> buttonWidths;  // by identifier: the buttons that exist and their caption widths
};

struct BrowserLayout {
  int leftPane = 0;    // width of the folder tree's pane
  int rightPane = 0;   // W: whole thumbnail cells + 4
  int fileListHeight = 0;
  std::map<int, LayoutRect> controls;  // by identifier
};

// The narrowest left pane: 200 pixels, 250 on screens wider than 1280.
int LeftPaneMinimum(int screenWidth);
// The right pane's width: the room right of the left pane's minimum, cut to whole cells, + 4.
int RightPaneWidth(int clientWidth, int screenWidth, int cell);
// The file list's height below the file-type box (offset = box height + 1).
int FileListHeight(int clientHeight, int offset, int cell, int hScrollHeight);

BrowserLayout ComputeBrowserLayout(const LayoutInput& in);

}  // namespace kelmor
