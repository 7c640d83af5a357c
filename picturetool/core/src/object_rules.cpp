#include "bravik/object_rules.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "fileio/paths.h"
#include "bravik/picture_rules.h"

namespace bravik {

std::string ObjectWindowText(std::string_view prefix, int number) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%03d", std::clamp(number, 0, 999));
  return std::string(prefix) + digits;
}

std::string ObjectLabel(std::string_view kindName, const layer::Object& object) {
  std::string label(kindName);
  if (object.kind == layer::kText) label += " (" + fileio::Trim(object.text.substr(0, 8)) + ")";
  return label;
}

std::string PlainCaption(std::string_view caption) {
  std::string out;
  for (size_t i = 0; i < caption.size(); ++i) {
    char c = caption[i];
    if (c == '\t') break;
    if (c == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') out += '&', ++i;
      continue;
    }
    out += c;
  }
  return out;
}

void TurnObject(layer::Object& o) {
  switch (o.kind) {
    case layer::kText:
      o.formatFlags ^= 2;
      std::swap(o.width, o.height);
      break;
    case layer::kEllipse:
    case layer::kRectangle:
      if (o.points.size() >= 2) std::swap(o.points[1].x, o.points[1].y);
      std::swap(o.width, o.height);
      break;
    case layer::kCurve:
    case layer::kPolyline:
      for (layer::Point& p : o.points) {
        int x = p.x, y = p.y;
        p.x = int16_t(o.height - y);
        p.y = int16_t(x);
      }
      std::swap(o.width, o.height);
      break;
    case layer::kArrow:
      if (o.points.size() >= 2) std::swap(o.points[0], o.points[1]);
      break;
    default:
      break;
  }
}

layer::Object MakeShapeObject(int kind, int style, const std::vector<layer::Point>& points, int penWidth,
                              uint32_t colour, int shadow) {
  layer::Object o;
  o.kind = kind;
  o.style = style;
  o.size = std::max(1, penWidth);
  o.colour = colour;
  o.shadow = shadow;
  if (points.empty()) return o;
  int minX = points[0].x, minY = points[0].y, maxX = minX, maxY = minY;
  for (const layer::Point& p : points) {
    minX = std::min(minX, int(p.x));
    minY = std::min(minY, int(p.y));
    maxX = std::max(maxX, int(p.x));
    maxY = std::max(maxY, int(p.y));
  }
  // Arrows draw a head about four pens wide beyond their points.
  int margin = o.size / 2 + 2 + (kind == layer::kArrow ? 4 * o.size : 0);
  o.x = minX - margin;
  o.y = minY - margin;
  for (const layer::Point& p : points) o.points.push_back({int16_t(p.x - o.x), int16_t(p.y - o.y)});
  int reach = std::abs(shadow);
  o.width = maxX - minX + 2 * margin + reach + 1;
  o.height = maxY - minY + 2 * margin + reach + 1;
  return o;
}

int OrderInsertAfter(int command, int windowCount, int objectPosition) {
  int n = windowCount;
  if (n < 2 || objectPosition < 2 || objectPosition > n) return 0;
  int after = 0;
  if (command == 1301) after = 1;
  else if (command == 1302 + n) after = n;
  else if (command > 1301 && command <= 1301 + n) after = command - 1301;
  else return 0;
  if (after == objectPosition) return 0;              // its own entry
  if (after == objectPosition - 1) return 0;          // it stands there already
  return after;
}

namespace {

// Visits the touched pixels of the square at (left, top) in scan order.
template <typename Visit>
void ScanSquare(int left, int top, int width, int height, Visit visit) {
  constexpr int kSide = 5;
  for (int row = 0; row < kSide; ++row) {
    for (int col = 0; col < kSide; ++col) {
      bool corner = (row == 0 || row == kSide - 1) && (col == 0 || col == kSide - 1);
      int x = left + col, y = top + row;
      if (corner || x < 0 || y < 0 || x >= width || y >= height) continue;
      visit(x, y);
    }
  }
}

}  // namespace

RedEyeRecord RedEyeTouch(int x, int y, int width, int height, const PixelGet& get, const PixelSet& set) {
  RedEyeRecord r;
  r.x = x - 2;
  r.y = y - 2;
  ScanSquare(r.x, r.y, width, height, [&](int px, int py) {
    uint32_t c = get(px, py);
    r.colours.push_back(c);
    set(px, py, GRAYCOLOR(c));
  });
  return r;
}

void RedEyeUndo(const RedEyeRecord& record, int width, int height, const PixelSet& set) {
  size_t i = 0;
  ScanSquare(record.x, record.y, width, height, [&](int px, int py) {
    if (i < record.colours.size()) set(px, py, record.colours[i++]);
  });
}

}  // namespace bravik
