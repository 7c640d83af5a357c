// The thumbnail cell of the file list: where the picture, its name, the side-file markers
// and the display time go inside a square cell of thumbnail size + 10 pixels. Portable.
#pragma once
#include <string>

namespace kelmor {

struct CellRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const CellRect&) const = default;
};

// The side files that get a marker, in the order the markers stand.
inline constexpr const char* kMarkedSideFiles[] = {"sfx", "kwd", "wav"};
inline constexpr int kMarkerSize = 6;   // a marker is one 6 x 6 cell of the "miniled" picture
inline constexpr int kMarkerCell = 4;   // the fifth cell, from 0

struct CellGeometry {
  CellRect picture;    // the thumbnail, fitted and centred in the picture area
  CellRect name;       // the name row at the bottom
  CellRect markers[3]; // one per marked side file, at the top left
  CellRect time;       // the display time, at the top right
};

// cellSize: thumbnail size + 10; textHeight: the name font's height; pictureWidth and
// pictureHeight: the thumbnail's size (0 for a placeholder, which fills the picture area).
CellGeometry ComputeCellGeometry(int cellSize, int textHeight, int pictureWidth, int pictureHeight);

// The display time a "tim" side file holds (milliseconds as decimal text) in seconds, as
// the cell shows it: "4 s", "2.5 s"; "" when the text is no positive number.
std::string DisplayTimeText(const std::string& timText);

}  // namespace kelmor
