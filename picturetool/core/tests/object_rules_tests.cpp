// Object numbering, labels, the quarter turn, new shapes, stacking order and red-eye.
#include <gtest/gtest.h>

#include <map>

#include "bravik/object_rules.h"

namespace bravik {
namespace {

layer::Object Shape(int kind, std::vector<layer::Point> points, int width, int height) {
  layer::Object o;
  o.kind = kind;
  o.points = std::move(points);
  o.width = width;
  o.height = height;
  return o;
}

TEST(ObjectRules, NumbersLabelsAndLimit) {
  EXPECT_EQ(ObjectWindowText("Object ", 7), "Object 007");
  EXPECT_EQ(ObjectWindowText("#", 123), "#123");
  layer::Object text;
  text.kind = layer::kText;
  text.text = " Hello world, long";
  EXPECT_EQ(ObjectLabel("Text", text), "Text (Hello w)");
  EXPECT_EQ(ObjectLabel("Arrow", Shape(5, {}, 0, 0)), "Arrow");
  EXPECT_EQ(PlainCaption("&New text...\tCtrl+T"), "New text...");
  EXPECT_EQ(PlainCaption("Fish && chips"), "Fish & chips");
  EXPECT_FALSE(ObjectLimitReached(99));
  EXPECT_TRUE(ObjectLimitReached(100));
}

TEST(ObjectRules, FourTurnsGiveBackACurveAndTwoAnArrowOrAText) {
  layer::Object poly = Shape(layer::kPolyline, {{2, 3}, {20, 5}, {7, 30}}, 40, 50);
  layer::Object original = poly;
  TurnObject(poly);
  EXPECT_EQ(poly.width, 50);
  EXPECT_EQ(poly.height, 40);
  EXPECT_EQ(poly.points[0], (layer::Point{47, 2}));  // (height - y, x)
  for (int i = 0; i < 3; ++i) TurnObject(poly);
  EXPECT_EQ(poly.points, original.points);
  EXPECT_EQ(poly.width, original.width);

  layer::Object arrow = Shape(layer::kArrow, {{1, 1}, {30, 9}}, 40, 20);
  TurnObject(arrow);
  EXPECT_EQ(arrow.points[0], (layer::Point{30, 9}));
  EXPECT_EQ(arrow.width, 40);
  TurnObject(arrow);
  EXPECT_EQ(arrow.points[0], (layer::Point{1, 1}));

  layer::Object rect = Shape(layer::kRectangle, {{0, 0}, {30, 10}}, 32, 12);
  TurnObject(rect);
  EXPECT_EQ(rect.points[1], (layer::Point{10, 30}));
  EXPECT_EQ(rect.width, 12);

  layer::Object text;
  text.kind = layer::kText;
  text.formatFlags = 0x1000;
  text.width = 80;
  text.height = 20;
  TurnObject(text);
  EXPECT_EQ(text.formatFlags, 0x1002);
  EXPECT_EQ(text.width, 20);
  TurnObject(text);
  EXPECT_EQ(text.formatFlags, 0x1000);
  EXPECT_EQ(text.width, 80);
}

TEST(ObjectRules, NewShapesCoverTheirPenAndShadow) {
  layer::Object o = MakeShapeObject(layer::kRectangle, 1, {{50, 40}, {10, 20}}, 4, 0xFFFF0000, 2);
  EXPECT_EQ(o.kind, layer::kRectangle);
  EXPECT_EQ(o.size, 4);
  // margin 4: the box of the points starts at 10, 20.
  EXPECT_EQ(o.x, 6);
  EXPECT_EQ(o.y, 16);
  ASSERT_EQ(o.points.size(), 2u);
  EXPECT_EQ(o.points[0], (layer::Point{44, 24}));
  EXPECT_EQ(o.points[1], (layer::Point{4, 4}));
  EXPECT_EQ(o.width, 40 + 8 + 2 + 1);
  EXPECT_EQ(o.height, 20 + 8 + 2 + 1);
  // Every point lies inside the window with room for half the pen.
  for (const layer::Point& p : o.points) {
    EXPECT_GE(p.x, o.size / 2);
    EXPECT_LE(p.x + o.size / 2, o.width);
  }
}

TEST(ObjectRules, StackingOrderCommands) {
  // Four windows: the kind-0 window and objects at positions 2, 3, 4.
  EXPECT_EQ(OrderInsertAfter(1301, 4, 4), 1);     // to the back: after the kind-0 window
  EXPECT_EQ(OrderInsertAfter(1301, 4, 2), 0);     // already at the back
  EXPECT_EQ(OrderInsertAfter(1306, 4, 2), 4);     // 1302 + n: to the front
  EXPECT_EQ(OrderInsertAfter(1306, 4, 4), 0);     // already in front
  EXPECT_EQ(OrderInsertAfter(1304, 4, 2), 3);     // after window 3
  EXPECT_EQ(OrderInsertAfter(1303, 4, 2), 0);     // its own entry changes nothing
  EXPECT_EQ(OrderInsertAfter(1307, 4, 2), 0);     // no such entry
  EXPECT_EQ(OrderInsertAfter(1304, 4, 1), 0);     // the kind-0 window never moves
}

TEST(ObjectRules, RedEyeTouchesAtMostTwentyOnePixelsAndUndoRestoresThem) {
  std::map<std::pair<int, int>, uint32_t> pixels;
  auto get = [&](int x, int y) { return pixels.count({x, y}) ? pixels[{x, y}] : 0x0000FFu; };
  auto set = [&](int x, int y, uint32_t c) { pixels[{x, y}] = c; };
  RedEyeRecord inside = RedEyeTouch(5, 5, 10, 10, get, set);
  EXPECT_EQ(inside.colours.size(), 21u);
  EXPECT_EQ(pixels[std::pair(5, 5)], 0x4C4C4Cu);
  EXPECT_EQ(pixels.count(std::pair{3, 3}), 0u);  // a corner
  pixels.clear();
  // At the picture's corner only the pixels inside: rows 0-2, columns 0-2, less none.
  RedEyeRecord corner = RedEyeTouch(0, 0, 10, 10, get, set);
  EXPECT_EQ(corner.colours.size(), 8u);
  EXPECT_EQ(pixels.size(), 8u);
  pixels[std::pair(1, 1)] = 0x123456;  // a later change under the record
  RedEyeUndo(corner, 10, 10, set);
  for (auto& [at, c] : pixels) EXPECT_EQ(c, 0x0000FFu) << at.first << "," << at.second;
}

}  // namespace
}  // namespace bravik
