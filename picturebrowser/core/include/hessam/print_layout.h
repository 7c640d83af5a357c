// Pages of the picture browser: the four page layouts over the ten layout positions, the
// composition of a layout's pictures, its place on a printed page and the print preview's
// size and place. Portable.
#pragma once
#include <array>
#include <vector>

namespace hessam {

inline constexpr int kPositionCount = 10;
inline constexpr int kLayoutCount = 4;
// The gap between pictures in a composition, in the pictures' own pixels.
inline constexpr int kCompositionGap = 4;

// The layout positions (1 to 10) of a page layout (1 to 4): 1 | 2, 3 | 4 to 6 | 7 to 10.
std::vector<int> LayoutPositions(int layout);
// The page layout (1 to 4) a position belongs to; 0 for no position.
int LayoutOfPosition(int position);
// The selection number each position holds (index 0 is position 1); 0 for none.
using Positions = std::array<int, kPositionCount>;
// The page layouts that have at least one assigned position, in order.
std::vector<int> LayoutsToPrint(const Positions& positions);
// Every position that holds the selection number loses it; the positions that changed.
std::vector<int> ClearSelectionNumber(Positions& positions, int number);

struct Box {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// The pictures of one layout composed into one picture: stacked and centred for layouts 1
// to 3, in the four corners for layout 4. A picture of size 0 (a position without a picture,
// or whose file is missing) takes no place and no gap.
struct Composition {
  int width = 0;
  int height = 0;
  std::vector<Box> places;  // one per picture given, in order; empty boxes for size 0
  bool Empty() const { return width <= 0 || height <= 0; }
};
// sizes: the natural size of the picture at each of the layout's positions, in order.
Composition Compose(int layout, const std::vector<Box>& sizes);

// The margins in printer pixels: a landscape page (width in millimetres at least its
// height) keeps 60 left and right and none at top and bottom; a portrait page 15 left and
// right and 60 at top and bottom.
struct Margins {
  int horizontal = 0;
  int vertical = 0;
};
Margins PageMargins(int widthMm, int heightMm);

// Where a composition goes on a page of printable width x height pixels: scaled by the
// smaller of the two ratios that fit it between the margins, centred. False for an empty
// composition or no room (nothing is printed then).
struct PagePlacement {
  double scale = 0;
  double left = 0;
  double top = 0;
};
bool PlaceOnPage(const Composition& composition, int printableWidth, int printableHeight, const Margins& margins,
                 PagePlacement& placement);
// A picture's printed box: its composition box scaled and moved, rounded, with its left and
// top at least 1.
Box PrintedBox(const Box& place, const PagePlacement& placement);

// The print preview: a window a quarter of the composition's size, centred over the main
// window when that is larger both ways, else centred on the screen (never at a negative
// place); with a border of 4 pixels on every side when it then lies more than 7 pixels
// right of and below the main window's top-left corner (on the screen: its top-left corner).
struct PreviewWindow {
  Box window;      // on the screen, border included
  int border = 0;  // the white border inside the window's edge
};
PreviewWindow PlacePreview(const Composition& composition, const Box& mainWindow, int screenWidth, int screenHeight);
// A picture's box in the preview window: a quarter of its composition box, plus the border.
Box PreviewBox(const Box& place, int border);

}  // namespace hessam
