// What DRAWSHAPE and the text drawing do, worked out without GDI+: the passes of a shape
// (its shadow first), their figures, fills and gradient settings, and the box of a
// measured text. Portable; the Windows code only carries the plan out.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "imaging/layer_file.h"

namespace shapes {

// Black at half opacity: the skin engine's ARGB of alpha 128 and colour 0.
constexpr uint32_t kShadowColour = 0x80000000u;
// The surround of ellipse, curve and polygon gradients: alpha 16, RGB 92, 92, 100.
constexpr uint32_t kSoftSurround = 0x105C5C64u;
// The surround of rectangle gradients: black at alpha 32.
constexpr uint32_t kRectangleSurround = 0x20000000u;
// Curves of kind 4 are drawn with the tension the picture tool drew them with, in every
// program, so that a layered picture looks alike wherever it is shown; arrows keep
// GDI+'s default.
constexpr float kCurveTension = 0.33f;
constexpr float kDefaultTension = 0.5f;

// How far a shadow of depth d lies from what casts it: d to the right, |d| down. Floats,
// so that no depth and no position near the 32-bit limits overflows.
struct Offset {
  float dx = 0, dy = 0;
};
Offset ShadowOffset(int depth);

enum class Figure { kEllipse, kRectangle, kClosedCurve, kOpenCurve, kArrow, kPolygon, kPolyline };
enum class Fill { kOutline, kSolid, kGradient };

struct PointF {
  float x = 0;
  float y = 0;
};

struct Pass {
  Figure figure = Figure::kPolyline;
  Fill fill = Fill::kOutline;
  uint32_t colour = 0;
  float penWidth = 1;
  float tension = kDefaultTension;  // curves and arrows
  bool shadow = false;
  // Ellipses and rectangles: the box; every other figure: its points.
  float left = 0, top = 0, width = 0, height = 0;
  std::vector<PointF> points;
  // Gradients.
  uint32_t surround = 0;
  float focusX = 0, focusY = 0;
  bool gammaCorrection = false;
  bool sigmaBlend = false;  // a sigma-bell blend with focus 0.15 and scale 0.9
};

// The passes of a shape at (x, y): none (DRAWSHAPE then answers -1) when there are no
// points, too few for the figure, a box of zero width or height, or nothing to draw;
// otherwise the shadow pass (when shadow is not 0) and the main pass. A style beyond 5
// (or 0) draws no shape but still its shadow, a solid fill of the closed figure; style 5
// of an ellipse or rectangle draws neither. kindAndStyle: the kind in the low 16 bits,
// the style in the high 16 bits.
std::vector<Pass> PlanShape(int x, int y, const std::vector<layer::Point>& points, uint32_t colour, int shadow,
                            int penWidth, uint32_t kindAndStyle);

// Points from a point buffer (x then y, signed 16-bit little-endian): at most count
// points, and never more than the buffer holds.
std::vector<layer::Point> PointsFromBuffer(std::string_view buffer, int count);
std::string PointBuffer(const std::vector<layer::Point>& points);

// Rounds to the nearest integer, a half to the even neighbour.
int RoundHalfEven(double value);
// The box of a text measured as width x height: with flags 0 it is W + 0.5 by H + 1.5,
// otherwise W + 1.5 by H + 0.5, each rounded half to even.
void TextBox(double measuredWidth, double measuredHeight, int formatFlags, int& width, int& height);

}  // namespace shapes
