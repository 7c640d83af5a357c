// The picture strip: four cells across the holder that show the picture list four at a
// time, and the paging commands 1, 2, 5 and 6. The window code draws; this decides which
// picture each cell stands for. Portable.
#pragma once
#include <array>
#include <functional>

namespace hessam {

// Cell width = holder width / 4, cell height = (holder height - 243) / 2 (integer division).
int CellWidth(int holderWidth);
int CellHeight(int holderHeight);
// The cell (0 to 3) under a mouse x of a strip; -1 outside the four cells.
int CellAt(int x, int cellWidth);

struct Strip {
  int count = 0;      // pictures in the list
  int lastShown = 0;  // the index of the last shown picture
  // The list number (1 to count) each cell stands for; 0 for a cell beyond the list.
  std::array<int, 4> cells{};
};

// What the window code does to the cells after a step.
struct StripChange {
  enum Kind {
    kNone,        // nothing
    kFour,        // every cell drawn anew (SHOWNEXTFOUR)
    kShiftRight,  // cells 1 to 3 move one cell right, number is drawn into cell 1
    kShiftLeft,   // cells 2 to 4 move one cell left, number is drawn into cell 4
  };
  Kind kind = kNone;
  int number = 0;
};

// SHOWNEXTFOUR: the cells stand for the four pictures after the last shown one (0 beyond
// the list); the last shown index is then limited to the count. Nothing for an empty list.
StripChange NextFour(Strip& strip);
// Commands 1 (back to the start), 2 (one back), 5 (one forward) and 6 (the last four).
// exists tells whether a picture's file is still there: one forward past a missing picture
// passes it without moving the cells. One back follows the cells, so that a strip that
// shows the end of the list with empty cells steps back to the pictures before its first.
StripChange StripCommand(Strip& strip, int command, const std::function<bool(int number)>& exists);

}  // namespace hessam
