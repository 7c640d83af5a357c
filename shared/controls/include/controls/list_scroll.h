// The scroll arithmetic of the list panel (class "SKLIST"), which scrolls its rows of
// controls by whole rows. Portable: the panel's window procedure only applies the answers.
#pragma once

// One per program: every panel of a program shares it, so a program shows one panel at a time.
struct ListScrollState {
  int rows = 0;           // rows of the content
  int rowHeight = 0;      // pixels
  int clientWidth = 0;    // the panel's client size from its last resize
  int clientHeight = 0;
  int lastPosition = 0;   // the highest first visible row
  int position = 0;       // the first visible row, 0 .. lastPosition
};

// The scroll bar requests (the low word of WM_VSCROLL's wParam), as Windows numbers them.
enum ListScrollCode : int {
  kListLineUp = 0,
  kListLineDown = 1,
  kListPageUp = 2,
  kListPageDown = 3,
  kListThumbPosition = 4,
  kListThumbTrack = 5,
  kListTop = 6,
  kListBottom = 7,
};

// The rows a new panel keeps: one less when all of them fit into its height.
int ListRowsKept(int rows, int rowHeight, int height);
// Whole rows on a page; 0 when the row height is below 1 (such a panel does not scroll).
int ListPage(const ListScrollState& state);
// Takes a new client size: the last position follows it and the position stays within it.
void ListResize(ListScrollState& state, int clientWidth, int clientHeight);
// The rows a request moves: top, bottom, a line, a page (at least one row) or to the thumb
// (thumb: its position for kListThumbTrack), clamped so that the position stays within
// 0 .. last position; 0 for any other request.
int ListStep(const ListScrollState& state, int scrollCode, int thumb = 0);
// The request of a key (a Windows virtual-key code): Home top, End bottom, Page Up and
// Page Down a page, Up and Down a line; -1 for every other key.
int ListScrollCodeForKey(int virtualKey);
// The scroll bar's range maximum for its page: its thumb then runs from 0 to the last
// position (a bar with the range 0 .. last position and a page would stop short of it).
int ListScrollBarMaximum(const ListScrollState& state);
