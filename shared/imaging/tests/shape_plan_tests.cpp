#include <gtest/gtest.h>

#include "imaging/shape_plan.h"

using shapes::Figure;
using shapes::Fill;
using shapes::PlanShape;

namespace {
uint32_t Pack(int kind, int style) { return uint32_t(kind) + 65536u * uint32_t(style); }
const std::vector<layer::Point> kCorners = {{10, 10}, {50, 30}};
const std::vector<layer::Point> kTriangle = {{0, 0}, {40, 0}, {20, 30}};
}  // namespace

TEST(ShapePlan, RectanglesAndEllipsesFromTwoCorners) {
  auto passes = PlanShape(0, 0, kCorners, 0xFF0000FF, 0, 2, Pack(3, 1));
  ASSERT_EQ(passes.size(), 1u);
  EXPECT_EQ(passes[0].figure, Figure::kRectangle);
  EXPECT_EQ(passes[0].fill, Fill::kOutline);
  EXPECT_EQ(passes[0].left, 10);
  EXPECT_EQ(passes[0].top, 10);
  EXPECT_EQ(passes[0].width, 40);
  EXPECT_EQ(passes[0].height, 20);
  EXPECT_EQ(passes[0].penWidth, 2);
  // Corners in the other order give the same box; the position moves it.
  passes = PlanShape(100, 5, {{50, 30}, {10, 10}}, 0xFF0000FF, 0, 1, Pack(2, 2));
  ASSERT_EQ(passes.size(), 1u);
  EXPECT_EQ(passes[0].figure, Figure::kEllipse);
  EXPECT_EQ(passes[0].fill, Fill::kSolid);
  EXPECT_EQ(passes[0].left, 110);
  EXPECT_EQ(passes[0].top, 15);
  EXPECT_EQ(passes[0].width, 40);
}

TEST(ShapePlan, NothingToDraw) {
  EXPECT_TRUE(PlanShape(0, 0, {}, 1, 0, 1, Pack(3, 1)).empty());
  EXPECT_TRUE(PlanShape(0, 0, {{5, 5}}, 1, 3, 1, Pack(3, 2)).empty());           // one corner
  EXPECT_TRUE(PlanShape(0, 0, {{5, 5}, {5, 30}}, 1, 3, 1, Pack(2, 3)).empty());  // no width
  EXPECT_TRUE(PlanShape(0, 0, kCorners, 1, 3, 1, Pack(2, 5)).empty());           // style 5 of an ellipse
  EXPECT_TRUE(PlanShape(0, 0, kCorners, 1, 3, 1, Pack(3, 5)).empty());           // and of a rectangle
  EXPECT_TRUE(PlanShape(0, 0, kCorners, 1, 0, 1, Pack(3, 9)).empty());           // another style, no shadow
  EXPECT_TRUE(PlanShape(0, 0, kTriangle, 1, 0, 1, Pack(7, 1)).empty());          // unknown kind
  EXPECT_TRUE(PlanShape(0, 0, {{1, 1}, {2, 2}}, 1, 0, 1, Pack(4, 2)).empty());   // closed curve of 2
  EXPECT_TRUE(PlanShape(0, 0, {{1, 1}}, 1, 0, 1, Pack(5, 1)).empty());           // arrow of 1
}

TEST(ShapePlan, ShadowsComeFirstMovedRightAndDown) {
  auto passes = PlanShape(0, 0, kCorners, 0xFF112233, -3, 1, Pack(3, 3));
  ASSERT_EQ(passes.size(), 2u);
  EXPECT_TRUE(passes[0].shadow);
  EXPECT_EQ(passes[0].left, 7);   // d = -3: left by 3
  EXPECT_EQ(passes[0].top, 13);   // and down by 3
  EXPECT_EQ(passes[0].colour, shapes::kShadowColour);
  EXPECT_EQ(passes[0].fill, Fill::kSolid);  // a gradient's shadow is solid
  EXPECT_EQ(passes[1].fill, Fill::kGradient);
  EXPECT_EQ(passes[1].colour, 0xFF112233u);
  passes = PlanShape(0, 0, kTriangle, 1, 4, 1, Pack(6, 1));
  ASSERT_EQ(passes.size(), 2u);
  EXPECT_EQ(passes[0].points[2].x, 24);
  EXPECT_EQ(passes[0].points[2].y, 34);
  EXPECT_EQ(passes[0].fill, Fill::kOutline);
}

// A style beyond the table draws no shape, but its shadow all the same: a solid fill of
// the closed figure.
TEST(ShapePlan, OtherStylesDrawOnlyTheirShadow) {
  auto passes = PlanShape(0, 0, kCorners, 0xFF112233, 3, 1, Pack(3, 9));
  ASSERT_EQ(passes.size(), 1u);
  EXPECT_TRUE(passes[0].shadow);
  EXPECT_EQ(passes[0].figure, Figure::kRectangle);
  EXPECT_EQ(passes[0].fill, Fill::kSolid);
  EXPECT_EQ(passes[0].colour, shapes::kShadowColour);
  EXPECT_EQ(passes[0].left, 13);
  EXPECT_EQ(passes[0].top, 13);
  struct Case {
    int kind, style;
    Figure figure;
  } cases[] = {{2, 0, Figure::kEllipse}, {4, 6, Figure::kClosedCurve}, {6, 65535, Figure::kPolygon}};
  for (const Case& c : cases) {
    passes = PlanShape(0, 0, c.kind == 2 ? kCorners : kTriangle, 1, -2, 1, Pack(c.kind, c.style));
    ASSERT_EQ(passes.size(), 1u) << c.kind;
    EXPECT_TRUE(passes[0].shadow);
    EXPECT_EQ(passes[0].figure, c.figure);
    EXPECT_EQ(passes[0].fill, Fill::kSolid);
  }
  // A solid closed curve or polygon needs three points, its shadow as well.
  EXPECT_TRUE(PlanShape(0, 0, {{1, 1}, {9, 9}}, 1, 3, 1, Pack(4, 7)).empty());
}

// Curves take the picture tool's tension in every program (the shadow as well); arrows
// keep the default.
TEST(ShapePlan, CurveTension) {
  for (int style : {1, 2, 3, 5}) {
    auto passes = PlanShape(0, 0, kTriangle, 1, 2, 1, Pack(4, style));
    ASSERT_EQ(passes.size(), 2u);
    EXPECT_FLOAT_EQ(passes[0].tension, 0.33f) << style;
    EXPECT_FLOAT_EQ(passes[1].tension, 0.33f) << style;
  }
  EXPECT_FLOAT_EQ(PlanShape(0, 0, kTriangle, 1, 0, 1, Pack(5, 1)).back().tension, 0.5f);
}

TEST(ShapePlan, KindsStylesAndGradients) {
  auto one = [](int kind, int style, const std::vector<layer::Point>& pts) {
    auto p = PlanShape(0, 0, pts, 0xFF808080, 0, 1, Pack(kind, style));
    return p.empty() ? shapes::Pass{} : p.back();
  };
  EXPECT_EQ(one(4, 1, kTriangle).figure, Figure::kClosedCurve);
  EXPECT_EQ(one(4, 5, kTriangle).figure, Figure::kOpenCurve);
  EXPECT_EQ(one(5, 3, kTriangle).figure, Figure::kArrow);  // an arrow whatever the style
  EXPECT_EQ(one(6, 2, kTriangle).fill, Fill::kSolid);
  EXPECT_EQ(one(6, 5, kTriangle).figure, Figure::kPolyline);
  auto rect = one(3, 4, kCorners);
  EXPECT_TRUE(rect.sigmaBlend);
  EXPECT_TRUE(rect.gammaCorrection);
  EXPECT_EQ(rect.surround, shapes::kRectangleSurround);
  EXPECT_FLOAT_EQ(rect.focusX, 0.8f);          // 0.8 / 40 * 40
  EXPECT_FLOAT_EQ(rect.focusY, 0.4f);          // 0.8 / 40 * 20
  auto ellipse = one(2, 3, kCorners);
  EXPECT_FALSE(ellipse.sigmaBlend);
  EXPECT_EQ(ellipse.surround, shapes::kSoftSurround);
  EXPECT_FLOAT_EQ(ellipse.focusX, 0.1f);
}

TEST(ShapePlan, PointBuffersAndTextBoxes) {
  std::string buffer = shapes::PointBuffer({{1, -2}, {300, 4}});
  ASSERT_EQ(buffer.size(), 8u);
  EXPECT_EQ(uint8_t(buffer[2]), 0xFE);
  auto pts = shapes::PointsFromBuffer(buffer, 2);
  ASSERT_EQ(pts.size(), 2u);
  EXPECT_EQ(pts[0], (layer::Point{1, -2}));
  EXPECT_EQ(pts[1], (layer::Point{300, 4}));
  EXPECT_EQ(shapes::PointsFromBuffer(buffer, 50).size(), 2u);  // never past the buffer
  EXPECT_EQ(shapes::PointsFromBuffer(buffer.substr(0, 7), 2).size(), 1u);
  EXPECT_TRUE(shapes::PointsFromBuffer(buffer, 0).empty());

  EXPECT_EQ(shapes::RoundHalfEven(2.5), 2);
  EXPECT_EQ(shapes::RoundHalfEven(3.5), 4);
  EXPECT_EQ(shapes::RoundHalfEven(3.4), 3);
  int w, h;
  shapes::TextBox(10.0, 20.0, 0, w, h);  // 10.5 -> 10, 21.5 -> 22
  EXPECT_EQ(w, 10);
  EXPECT_EQ(h, 22);
  shapes::TextBox(10.0, 20.0, 4096, w, h);  // 11.5 -> 12, 20.5 -> 20
  EXPECT_EQ(w, 12);
  EXPECT_EQ(h, 20);
}
