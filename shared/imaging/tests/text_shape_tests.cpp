#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <objidl.h>
#include <gdiplus.h>

#include "drawing_support.h"
#include "imaging/gdiplus_helpers.h"
#include "imaging/layer_file.h"
#include "imaging/shape_plan.h"
#include "imaging/text_shape.h"
#include "temp_dir.h"

namespace gp = Gdiplus;
namespace flat = Gdiplus::DllExports;

namespace {

class TextAndShapes : public ::testing::Test {
 protected:
  void SetUp() override { token_ = GDIPSTART(); }
  void TearDown() override { GDIPSTOP(token_); }
  ULONG_PTR token_ = 0;
};

uint32_t Pack(int kind, int style) { return uint32_t(kind) + 65536u * uint32_t(style); }

int Draw(HDC dc, int x, int y, const std::vector<layer::Point>& points, uint32_t colour, int shadow, int pen,
         uint32_t kindStyle) {
  return DRAWSHAPE(dc, x, y, int(points.size()), shapes::PointBuffer(points), colour, shadow, pen, kindStyle);
}

// A black-and-grey reading of a pixel drawn over white: 0 black, 255 white.
int Level(unsigned c) { return Canvas::Green(c); }

layer::Object Text(const std::string& text, int x, int y, int shadow = 0) {
  layer::Object o;
  o.kind = layer::kText;
  o.text = text;
  o.font = "Arial";
  o.size = 30;
  o.colour = 0xFF000000;
  o.shadow = shadow;
  o.x = x;
  o.y = y;
  return o;
}

layer::Object Shape(int kind, int style, std::vector<layer::Point> pts, uint32_t colour, int x = 0, int y = 0) {
  layer::Object o;
  o.kind = kind;
  o.style = style;
  o.points = std::move(pts);
  o.colour = colour;
  o.size = 3;
  o.x = x;
  o.y = y;
  return o;
}

// What GDI+ itself draws for a filled closed curve (or, with a pen width, an open one)
// through absolute points, with DRAWSHAPE's quality settings and a given tension.
void ReferenceCurve(HDC dc, const std::vector<gp::PointF>& points, float tension, uint32_t colour, float penWidth) {
  gp::GpGraphics* g = nullptr;
  ASSERT_EQ(flat::GdipCreateFromHDC(dc, &g), gp::Ok);
  flat::GdipSetCompositingQuality(g, gp::CompositingQualityGammaCorrected);
  flat::GdipSetSmoothingMode(g, gp::SmoothingModeAntiAlias);
  if (penWidth > 0) {
    gp::GpPen* pen = nullptr;
    flat::GdipCreatePen1(colour, penWidth, gp::UnitPixel, &pen);
    flat::GdipDrawCurve2(g, pen, points.data(), int(points.size()), tension);
    flat::GdipDeletePen(pen);
  } else {
    gp::GpSolidFill* brush = nullptr;
    flat::GdipCreateSolidFill(colour, &brush);
    flat::GdipFillClosedCurve2(g, brush, points.data(), int(points.size()), tension, gp::FillModeAlternate);
    flat::GdipDeleteBrush(brush);
  }
  flat::GdipDeleteGraphics(g);
}

int Differing(const Canvas& a, const Canvas& b, int width, int height) {
  int n = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (a.At(x, y) != b.At(x, y)) ++n;
  return n;
}

}  // namespace

// Every program draws the user's curves as the picture tool drew them: with the tension
// 0.33, though nothing in this program set one.
TEST_F(TextAndShapes, CurvesTakeThePictureToolsTension) {
  std::vector<layer::Point> square = {{10, 10}, {100, 10}, {100, 100}, {10, 100}};
  std::vector<gp::PointF> at = {{20, 15}, {110, 15}, {110, 105}, {20, 105}};
  Canvas drawn(130, 130), tool(130, 130), other(130, 130);
  EXPECT_EQ(Draw(drawn.dc(), 10, 5, square, 0xFF000000, 0, 1, Pack(4, 2)), 0);
  ReferenceCurve(tool.dc(), at, 0.33f, 0xFF000000, 0);
  ReferenceCurve(other.dc(), at, 0.5f, 0xFF000000, 0);
  ASSERT_GT(Differing(tool, other, 130, 130), 100);  // the two tensions are told apart
  EXPECT_EQ(Differing(drawn, tool, 130, 130), 0);
  // The open curve as well; the arrow keeps the default.
  drawn.Clear();
  tool.Clear();
  EXPECT_EQ(Draw(drawn.dc(), 10, 5, square, 0xFF0000FF, 0, 3, Pack(4, 5)), 0);
  ReferenceCurve(tool.dc(), at, 0.33f, 0xFF0000FF, 3);
  EXPECT_EQ(Differing(drawn, tool, 130, 130), 0);
}

// A style beyond the table draws no shape, yet its half-black shadow (a solid fill); the
// status is the shadow's.
TEST_F(TextAndShapes, OtherStylesDrawOnlyTheShadow) {
  Canvas c(120, 120);
  EXPECT_EQ(Draw(c.dc(), 0, 0, {{10, 10}, {50, 30}}, 0xFF0000FF, 4, 1, Pack(3, 9)), 0);
  EXPECT_TRUE(Near(c.At(30, 20), 0x7F7F7F, 8));  // no blue rectangle over its shadow
  EXPECT_TRUE(Near(c.At(52, 32), 0x7F7F7F, 8));  // the shadow: 4 right, 4 down
  EXPECT_EQ(c.At(12, 12), 0xFFFFFFu);             // left of and above it nothing
  c.Clear();
  EXPECT_EQ(Draw(c.dc(), 0, 0, {{10, 10}, {50, 30}}, 0xFF0000FF, 0, 1, Pack(3, 9)), -1);  // no shadow: nothing
  EXPECT_EQ(c.Marked(0, 0, 120, 120), 0);
  EXPECT_EQ(Draw(c.dc(), 0, 0, {{10, 60}, {110, 60}, {60, 110}}, 0xFF00FF00, -3, 1, Pack(6, 0)), 0);
  EXPECT_TRUE(Near(c.At(57, 78), 0x7F7F7F, 8));  // a solid polygon's shadow, 3 left
  EXPECT_EQ(Draw(c.dc(), 0, 0, {{10, 10}, {40, 10}, {40, 40}, {10, 40}}, 0xFFFF0000, 2, 1, Pack(4, 7)), 0);
  EXPECT_TRUE(Near(c.At(27, 27), 0x7F7F7F, 8));  // a solid closed curve's shadow
}

TEST_F(TextAndShapes, RectangleFromTwoCornersAndItsShadow) {
  Canvas c(100, 80);
  EXPECT_EQ(Draw(c.dc(), 0, 0, {}, 0xFF0000FF, 0, 1, Pack(3, 2)), -1);
  EXPECT_EQ(Draw(nullptr, 0, 0, {{10, 10}, {50, 30}}, 0xFF0000FF, 0, 1, Pack(3, 2)), -1);
  EXPECT_EQ(Draw(c.dc(), 0, 0, {{10, 10}, {50, 30}}, 0xFF0000FF, 0, 1, Pack(3, 2)), 0);
  EXPECT_EQ(c.At(11, 11), 0x0000FFu);
  EXPECT_EQ(c.At(48, 28), 0x0000FFu);
  EXPECT_EQ(c.At(30, 5), 0xFFFFFFu);
  EXPECT_EQ(c.At(55, 20), 0xFFFFFFu);
  EXPECT_EQ(c.At(30, 33), 0xFFFFFFu);
  // Shadow depth -3: three pixels to the left and three down, half black.
  c.Clear();
  EXPECT_EQ(Draw(c.dc(), 0, 0, {{10, 10}, {50, 30}}, 0xFF0000FF, -3, 1, Pack(3, 2)), 0);
  EXPECT_TRUE(Near(c.At(8, 25), 0x7F7F7F, 8));   // left of the rectangle, inside its shadow
  EXPECT_TRUE(Near(c.At(30, 31), 0x7F7F7F, 8));  // below it
  EXPECT_EQ(c.At(30, 20), 0x0000FFu);            // the rectangle on top
  EXPECT_EQ(c.At(52, 20), 0xFFFFFFu);            // nothing to the right
  EXPECT_EQ(c.At(30, 8), 0xFFFFFFu);             // nor above
}

TEST_F(TextAndShapes, EveryKind) {
  Canvas c(120, 120);
  // Ellipse outline and fill.
  Draw(c.dc(), 0, 0, {{10, 10}, {60, 50}}, 0xFFFF0000, 0, 2, Pack(2, 2));
  EXPECT_EQ(c.At(35, 30), 0xFF0000u);
  EXPECT_EQ(c.At(12, 12), 0xFFFFFFu);
  c.Clear();
  Draw(c.dc(), 0, 0, {{10, 10}, {60, 50}}, 0xFFFF0000, 0, 2, Pack(2, 1));
  EXPECT_EQ(c.At(35, 30), 0xFFFFFFu);  // an outline leaves the inside
  EXPECT_LT(Canvas::Green(c.At(35, 10)), 128);
  // Gradient rectangle: the centre colour in the middle, fading outwards.
  c.Clear();
  Draw(c.dc(), 0, 0, {{10, 10}, {110, 110}}, 0xFF0000FF, 0, 1, Pack(3, 3));
  unsigned centre = c.At(60, 60), edge = c.At(12, 60);
  EXPECT_LT(Canvas::Red(centre), 40);
  EXPECT_GT(Canvas::Blue(centre), 200);
  EXPECT_GT(Canvas::Red(edge), Canvas::Red(centre));
  // Polygon fill, polyline, curve.
  c.Clear();
  Draw(c.dc(), 0, 0, {{10, 10}, {110, 10}, {60, 100}}, 0xFF00FF00, 0, 1, Pack(6, 2));
  EXPECT_EQ(c.At(60, 30), 0x00FF00u);
  EXPECT_EQ(c.At(15, 90), 0xFFFFFFu);
  c.Clear();
  Draw(c.dc(), 0, 0, {{10, 60}, {110, 60}}, 0xFF000000, 0, 3, Pack(6, 5));
  EXPECT_LT(Level(c.At(60, 60)), 64);
  EXPECT_EQ(c.At(60, 40), 0xFFFFFFu);
  c.Clear();
  Draw(c.dc(), 0, 0, {{10, 10}, {110, 10}, {110, 110}, {10, 110}}, 0xFF000000, 0, 3, Pack(4, 2));
  EXPECT_LT(Level(c.At(60, 60)), 64);  // a filled closed curve
  EXPECT_EQ(Draw(c.dc(), 0, 0, {{10, 10}, {60, 50}}, 0xFFFF0000, 4, 2, Pack(2, 5)), -1);  // style 5: nothing
}

TEST_F(TextAndShapes, TheArrowHeadIsAtTheLastPoint) {
  Canvas c(120, 60);
  EXPECT_EQ(Draw(c.dc(), 0, 0, {{10, 30}, {100, 30}}, 0xFF000000, 0, 3, Pack(5, 1)), 0);
  // The line covers rows 29 to 31; the head widens it near its end only.
  EXPECT_GT(c.Marked(85, 20, 105, 29) + c.Marked(85, 32, 105, 40), 0);
  EXPECT_EQ(c.Marked(5, 20, 40, 29) + c.Marked(5, 32, 40, 40), 0);
}

TEST_F(TextAndShapes, TextWithAndWithoutShadow) {
  Canvas c(220, 80);
  ArialFont arial(30);
  ASSERT_TRUE(arial.Get());
  gp::GpFont* font = arial.Get();
  EXPECT_EQ(DRAWSTRINGGDIP(nullptr, "x", 0, 0, 10, 10, 0xFF000000, 4, font, 0, 0), -1);
  EXPECT_EQ(DRAWSTRINGGDIP(c.dc(), "HHHH", 10, 10, 200, 60, 0xFF000000, 4, font, 0, 0), 0);
  EXPECT_GT(c.Marked(10, 10, 120, 50), 100);
  EXPECT_EQ(c.Marked(150, 0, 220, 80), 0);
  int dark = 0, grey = 0;
  c.Clear();
  EXPECT_EQ(DRAWSTRINGGDIP(c.dc(), "HHHH", 10, 10, 200, 60, 0xFF000000, 4, font, 4, 0), 0);
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 220; ++x) {
      int v = Level(c.At(x, y));
      if (v < 40) ++dark;
      if (v > 100 && v < 150) ++grey;
    }
  EXPECT_GT(dark, 100);
  EXPECT_GT(grey, 50);  // the half-black shadow shows beside the text
}

// The text wraps and is clipped in its box; its shadow is drawn unbounded, on one line.
TEST_F(TextAndShapes, TheTextShadowIsNeitherWrappedNorClipped) {
  Canvas c(260, 100);
  ArialFont arial(20);
  ASSERT_TRUE(arial.Get());
  gp::GpFont* font = arial.Get();
  // A transparent text: only the shadow shows, its second word right of the box.
  EXPECT_EQ(DRAWSTRINGGDIP(c.dc(), "HHHH HHHH", 10, 10, 60, 26, 0x00000000, 4, font, 4, 0), 0);
  EXPECT_GT(c.Marked(80, 10, 260, 40), 50);
  EXPECT_EQ(c.Marked(0, 40, 260, 100), 0);  // and not wrapped below it
  // The text itself wraps in its box: its second word goes below the first, never right
  // of the box.
  c.Clear();
  EXPECT_EQ(DRAWSTRINGGDIP(c.dc(), "HHHH HHHH", 10, 10, 60, 26, 0xFF000000, 4, font, 4, 0), 0);
  auto dark = [&](int left, int top, int right, int bottom) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x)
        if (Level(c.At(x, y)) < 40) ++n;
    return n;
  };
  EXPECT_GT(dark(10, 10, 70, 30), 50);
  EXPECT_GT(dark(10, 36, 70, 100), 20);
  EXPECT_EQ(dark(70, 0, 260, 100), 0);
  EXPECT_GT(c.Marked(80, 10, 260, 40), 50);  // the shadow's second word
}

// Every shape kind through the layered file, each in its own place, one with a shadow.
TEST_F(TextAndShapes, OverlayDrawsEveryShapeKind) {
  TempDir dir;
  imglib::Raster picture;
  picture.Allocate(300, 200);
  layer::Object shadowed = Shape(layer::kRectangle, 2, {{0, 0}, {40, 30}}, 0xFF0000FF, 10, 10);
  shadowed.shadow = 5;
  std::vector<layer::Object> objects = {
      shadowed,
      Shape(layer::kEllipse, 1, {{0, 0}, {60, 40}}, 0xFFFF0000, 80, 10),
      Shape(layer::kCurve, 2, {{0, 0}, {50, 0}, {50, 50}, {0, 50}}, 0xFF00FF00, 170, 10),
      Shape(layer::kArrow, 1, {{0, 0}, {80, 0}}, 0xFF000000, 10, 120),
      Shape(layer::kPolyline, 5, {{0, 0}, {40, 40}, {80, 0}}, 0xFFFF00FF, 120, 120),
      Shape(layer::kPolyline, 2, {{0, 0}, {60, 0}, {30, 50}}, 0xFF00FFFF, 220, 120),
  };
  ASSERT_TRUE(layer::WriteFile(dir.File("s.png"), picture, objects, 100));
  Canvas c(300, 200);
  DRAWOVERLAY(c.dc(), dir.File("s.png"));
  EXPECT_EQ(c.At(25, 20), 0x0000FFu);              // the rectangle
  EXPECT_TRUE(Near(c.At(52, 38), 0x7F7F7F, 10));   // its shadow, 5 right and 5 down
  EXPECT_EQ(c.At(110, 30), 0xFFFFFFu);             // an ellipse outline leaves its middle
  EXPECT_GT(c.Marked(78, 25, 84, 35), 0);          // and draws its left edge
  EXPECT_EQ(c.At(195, 35), 0x00FF00u);             // the filled closed curve
  EXPECT_GT(c.Marked(30, 117, 60, 124), 0);        // the arrow's line
  EXPECT_GT(c.Marked(158, 155, 163, 162), 0);      // the polyline's lowest point
  EXPECT_EQ(c.At(160, 130), 0xFFFFFFu);            // open: nothing between its ends
  EXPECT_EQ(c.At(250, 130), 0x00FFFFu);            // the solid polygon
}

TEST_F(TextAndShapes, OverlayDrawsTheLayeredFile) {
  TempDir dir;
  imglib::Raster picture;
  picture.Allocate(200, 150);
  std::vector<layer::Object> objects = {
      Shape(layer::kRectangle, 2, {{10, 10}, {60, 40}}, 0xFFFF0000),
      Shape(layer::kEllipse, 2, {{0, 0}, {40, 40}}, 0xFF00FF00, 100, 10),  // position moves it
      Shape(layer::kRectangle, 2, {{0, 0}, {30, 30}}, 0xFF0000FF, 150, 100),
      Text("HHH", 10, 90, 3),
  };
  objects[2].visible = 0;  // kept in the file, not drawn
  objects.insert(objects.begin() + 1, Shape(layer::kRectangle, 2, {}, 0xFF000000));  // count 0: skipped
  ASSERT_TRUE(layer::WriteFile(dir.File("p.jpg"), picture, objects, 160));
  Canvas c(200, 150);
  DRAWOVERLAY(c.dc(), dir.File("p.jpg"));
  EXPECT_EQ(c.At(30, 25), 0xFF0000u);
  EXPECT_EQ(c.At(120, 30), 0x00FF00u);
  EXPECT_EQ(c.At(165, 115), 0xFFFFFFu);   // hidden
  EXPECT_GT(c.Marked(10, 90, 80, 130), 50);  // the text
  // The side file's own path works as well; a lower-case ending draws nothing.
  c.Clear();
  DRAWOVERLAY(c.dc(), dir.File("p.qmf"));
  EXPECT_EQ(c.At(30, 25), 0xFF0000u);
  std::string bytes = dir.Read("p.qmf");
  bytes.replace(bytes.size() - 3, 3, "qmf");
  dir.Write("p.qmf", bytes);
  c.Clear();
  DRAWOVERLAY(c.dc(), dir.File("p.jpg"));
  EXPECT_EQ(c.Marked(0, 0, 200, 150), 0);
  DRAWOVERLAY(c.dc(), dir.File("missing.jpg"));
  DRAWOVERLAY(nullptr, dir.File("p.jpg"));
}

// The bar of a text travels in the layered file as byte 24; it is drawn as the bar again: a
// thin upright stroke, not a box for an unknown character.
TEST_F(TextAndShapes, OverlayDrawsTheTextsBarAsABar) {
  TempDir dir;
  imglib::Raster picture;
  picture.Allocate(120, 80);
  ASSERT_TRUE(layer::WriteFile(dir.File("bar.png"), picture, {Text("|", 40, 10)}, 100));
  ASSERT_NE(dir.Read("bar.qmf").find('\x18'), std::string::npos);
  Canvas c(120, 80);
  DRAWOVERLAY(c.dc(), dir.File("bar.png"));
  int left = 120, right = -1, top = 80, bottom = -1;
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 120; ++x)
      if (Level(c.At(x, y)) < 128) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
  ASSERT_GE(right, 0) << "nothing drawn";
  EXPECT_LE(right - left + 1, 6);
  EXPECT_GE(bottom - top + 1, 20);
}

// A text in a font the system lacks, or an empty one, is left out; what follows is drawn.
TEST_F(TextAndShapes, OverlaySkipsATextWithoutItsFontAndGoesOn) {
  TempDir dir;
  imglib::Raster picture;
  picture.Allocate(200, 100);
  layer::Object missingFont = Text("HHH", 10, 10);
  missingFont.font = "No Such Font At All";
  std::vector<layer::Object> objects = {missingFont, Text("   ", 10, 50),
                                        Shape(layer::kRectangle, 2, {{0, 0}, {30, 30}}, 0xFF0000FF, 150, 50)};
  ASSERT_TRUE(layer::WriteFile(dir.File("f.png"), picture, objects, 100));
  Canvas c(200, 100);
  DRAWOVERLAY(c.dc(), dir.File("f.png"));
  EXPECT_EQ(c.Marked(0, 0, 140, 100), 0);
  EXPECT_EQ(c.At(165, 65), 0x0000FFu);
}

