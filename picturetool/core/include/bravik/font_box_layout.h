// Where the text box ("SKFONTBOX") and the shape box ("SKDRAWBOX") put their controls: the
// colour pick, its swatch, the colour labels with their track bars and values, size, 3D,
// and for texts the family, the text field and the character grid, whose columns follow
// the box's width so that every character shows. Client coordinates, portable.
#pragma once

namespace bravik {

struct LayoutRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

// Whether two rectangles share a pixel (touching edges do not).
bool Overlap(const LayoutRect& a, const LayoutRect& b);
// Whether inner lies within outer.
bool Inside(const LayoutRect& inner, const LayoutRect& outer);

inline constexpr int kGridFirstCharacter = 32;
inline constexpr int kGridLastCharacter = 255;
inline constexpr int kGridCharacters = kGridLastCharacter - kGridFirstCharacter + 1;

struct CharGridShape {
  int cell = 15;
  int columns = 1;
  int rows = 1;
  int Width() const { return columns * cell + 2; }
  int Height() const { return rows * cell + 2; }
};

// The grid's columns for a width: as many whole cells as fit (one at least, all
// characters at most), the rows that the characters then need.
CharGridShape CharGridFor(int width, int cell);

// The cell of a character (from kGridFirstCharacter) in the grid's client coordinates,
// one pixel wider and higher than the cell so that the frames of neighbours meet.
LayoutRect CharCell(const CharGridShape& grid, int character);

struct FontBoxLayout {
  int clientWidth = 0;
  int clientHeight = 0;
  LayoutRect family;       // text box only
  LayoutRect sizeLabel;
  LayoutRect size;
  LayoutRect pick;
  LayoutRect swatch;
  LayoutRect colourLabels[4];  // alpha, red, green, blue
  LayoutRect tracks[4];
  LayoutRect values[4];
  LayoutRect depth;
  LayoutRect text;         // text box only
  LayoutRect grid;         // text box only
  CharGridShape gridShape; // text box only
  LayoutRect preview;
  LayoutRect ok;
};

// The layout of the text box (text true) or the shape box, with grid cells of cell pixels.
FontBoxLayout LayOutFontBox(bool text, int cell);

}  // namespace bravik
