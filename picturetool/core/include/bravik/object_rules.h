// Picture objects without windows: numbering, the labels of the object menu, the quarter
// turn, the placement of a new shape, the stacking order commands and the red-eye
// touch-up. Portable; an object's values are layer::Object (its option field is the
// object's mark, the lock).
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "imaging/layer_file.h"

namespace bravik {

// The object table holds at most this many entries, the kind-0 entry included.
constexpr int kMaxObjectEntries = 100;
inline bool ObjectLimitReached(int tableEntries) { return tableEntries >= kMaxObjectEntries; }

// The window text of an object: prefix + the number as three digits ("Object 007").
std::string ObjectWindowText(std::string_view prefix, int number);
// The object menu's label of an object: the kind's name, for a text followed by " (",
// its first 8 characters trimmed, and ")".
std::string ObjectLabel(std::string_view kindName, const layer::Object& object);
// The text of a menu caption without its access key marks and shortcut.
std::string PlainCaption(std::string_view caption);

// The quarter turn of command 1103: a text toggles the vertical-text flag (2) of its
// format flags, an ellipse or rectangle exchanges the x and y of its second point, a
// curve or polyline turns every point (x, y) into (height - y, x); these three exchange
// width and height. An arrow exchanges its first and second point and keeps its size.
void TurnObject(layer::Object& object);

// A new shape from points in picture coordinates: the object's position is the top-left
// of the points less a margin that holds half the pen, its points are offsets from there
// and its size covers the pen and the shadow.
layer::Object MakeShapeObject(int kind, int style, const std::vector<layer::Point>& points, int penWidth,
                              uint32_t colour, int shadow);

// The stacking order commands of an object's menu: 1301 puts the object directly after
// the first window of the order (the kind-0 window, so beneath every other object),
// 1301 + j directly after window j, 1302 + n after the last window. Returns the 1-based
// position of the window to insert after, or 0 when the object stays where it is.
// objectPosition: the object's own 1-based position; n: windows in the order.
int OrderInsertAfter(int command, int windowCount, int objectPosition);

// Red-eye touch-up: a click at (x, y) greys the 5 x 5 square around it without its four
// corners and without the pixels outside the picture, row by row; the record keeps the
// square's top-left corner and the replaced colours (colour references), in scan order.
struct RedEyeRecord {
  int x = 0;
  int y = 0;
  std::vector<uint32_t> colours;
};
using PixelGet = std::function<uint32_t(int x, int y)>;
using PixelSet = std::function<void(int x, int y, uint32_t colour)>;
RedEyeRecord RedEyeTouch(int x, int y, int width, int height, const PixelGet& get, const PixelSet& set);
// Writes a record's colours back to the same pixels in the same order.
void RedEyeUndo(const RedEyeRecord& record, int width, int height, const PixelSet& set);

}  // namespace bravik
