// Rules of the media browser's modal boxes that need no window: the row of buttons, the
// box's size, the longest list-file name and the picture-type list. Portable.
#pragma once
#include <string>
#include <vector>

#include "controls/box_rect.h"

namespace kelmor {

// Every box is at least this wide and exactly this high; its main control stands at
// (4, 4), box width - 8 wide and kBoxMainHeight high, the buttons at kBoxButtonTop.
inline constexpr int kBoxMinWidth = 330;
inline constexpr int kBoxHeight = 227;
inline constexpr int kBoxMainHeight = 194;
inline constexpr int kBoxButtonTop = 203;
// The box's main control; its buttons follow from 2 on in caption order.
inline constexpr int kBoxMainId = 1;
inline constexpr int kBoxFirstButtonId = 2;

// What the window code measured: each caption's width in the caption font, the caption
// height and the width of a blank.
struct ButtonRowMeasures {
  std::vector<int> captionWidths;
  int captionHeight = 13;
  int spaceWidth = 4;
};

// Buttons are all as wide as the widest caption + 2 blanks + 6 and as high as a caption
// + 6; the row is centred in the box (never left of minLeft), gap pixels apart.
struct ButtonRow {
  std::vector<BoxRect> buttons;  // button i has the identifier kBoxFirstButtonId + i
  int width = 0;                 // of the whole row
};
ButtonRow LayoutButtonRow(const ButtonRowMeasures& m, int boxWidth, int top, int gap, int minLeft);
// The width of a row before it is placed (to size the box by it).
int ButtonRowWidth(const ButtonRowMeasures& m, int gap);
// The box's width for a row: at least kBoxMinWidth.
int BoxWidthFor(int rowWidth);
// The answer of a button: 1 for the first (identifier 2), ... ; 0 for anything else.
int ButtonAnswer(int id, int buttonCount);

// The list-file box's text limit: folder + name + extension stay within 260 characters,
// and a folder so long that no name fits still allows one character (0 would lift the
// limit altogether).
int ListNameLimit(const std::string& workingFolder, const std::string& extension);

// The picture-type list: "label|value|label|value...". A label without its value is left
// out.
struct PictureType {
  std::string label;
  std::string value;  // "extension,format"
};
std::vector<PictureType> ParsePictureTypes(const std::string& list);
// What the box shows for a chosen label: its part after " - ", upper-cased (the whole
// label when it has none).
std::string ShownTypeName(const std::string& label);

// A caption without its "&" marks, upper-cased (the target box's prompt).
std::string PlainCaption(const std::string& caption);

}  // namespace kelmor
