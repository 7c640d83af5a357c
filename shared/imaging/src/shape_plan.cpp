#include "imaging/shape_plan.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace shapes {

namespace {

// How many points a figure needs at least.
int PointsNeeded(Figure f, Fill fill) {
  switch (f) {
    case Figure::kEllipse:
    case Figure::kRectangle:
    case Figure::kOpenCurve:
    case Figure::kArrow:
    case Figure::kPolyline: return 2;
    case Figure::kClosedCurve: return 3;
    case Figure::kPolygon: return fill == Fill::kOutline ? 2 : 3;
  }
  return 2;
}

}  // namespace

Offset ShadowOffset(int depth) { return {float(depth), float(std::abs(int64_t(depth)))}; }

std::vector<Pass> PlanShape(int x, int y, const std::vector<layer::Point>& points, uint32_t colour, int shadow,
                            int penWidth, uint32_t kindAndStyle) {
  std::vector<Pass> passes;
  if (points.empty()) return passes;
  int kind = int(kindAndStyle & 0xFFFF), style = int(kindAndStyle >> 16);
  Pass main;
  main.colour = colour;
  main.penWidth = float(penWidth);
  // Which figure and fill the kind and style ask for. A style that the table does not
  // name draws only the shadow, as a solid closed figure.
  bool shadowOnly = false;
  auto byStyle = [&](Figure closed, Figure open, bool hasOpen) {
    switch (style) {
      case 1: main.figure = closed, main.fill = Fill::kOutline; return true;
      case 2: main.figure = closed, main.fill = Fill::kSolid; return true;
      case 3:
      case 4: main.figure = closed, main.fill = Fill::kGradient, main.sigmaBlend = style == 4; return true;
      case 5:
        if (!hasOpen) return false;
        main.figure = open, main.fill = Fill::kOutline;
        return true;
      default:
        main.figure = closed, main.fill = Fill::kSolid;
        shadowOnly = true;
        return shadow != 0;
    }
  };
  bool draws = false;
  switch (kind) {
    case layer::kEllipse: draws = byStyle(Figure::kEllipse, Figure::kEllipse, false); break;
    case layer::kRectangle: draws = byStyle(Figure::kRectangle, Figure::kRectangle, false); break;
    case layer::kCurve: draws = byStyle(Figure::kClosedCurve, Figure::kOpenCurve, true); break;
    case layer::kArrow:
      main.figure = Figure::kArrow;  // whatever the style
      main.fill = Fill::kOutline;
      draws = true;
      break;
    case layer::kPolyline: draws = byStyle(Figure::kPolygon, Figure::kPolyline, true); break;
    default: break;
  }
  if (!draws || int(points.size()) < PointsNeeded(main.figure, main.fill)) return passes;
  if (main.figure == Figure::kClosedCurve || main.figure == Figure::kOpenCurve) main.tension = kCurveTension;

  // Positions are added in 64 bits: a file may place an object near the 32-bit limits.
  if (main.figure == Figure::kEllipse || main.figure == Figure::kRectangle) {
    // Two opposite corners, in either order.
    int x0 = points[0].x, y0 = points[0].y, x1 = points[1].x, y1 = points[1].y;
    main.left = float(int64_t(x) + std::min(x0, x1));
    main.top = float(int64_t(y) + std::min(y0, y1));
    main.width = float(std::abs(x1 - x0));
    main.height = float(std::abs(y1 - y0));
    if (main.width <= 0 || main.height <= 0) return passes;
  } else {
    for (const layer::Point& p : points) main.points.push_back({float(int64_t(x) + p.x), float(int64_t(y) + p.y)});
  }
  if (main.fill == Fill::kGradient) {
    if (main.figure == Figure::kRectangle) {
      main.surround = kRectangleSurround;
      main.gammaCorrection = true;
      float s = 0.8f / std::max(main.width, main.height);
      main.focusX = s * main.width;
      main.focusY = s * main.height;
    } else {
      main.surround = kSoftSurround;
      main.focusX = main.focusY = 0.1f;
    }
  }
  if (shadow != 0) {
    // The same drawing moved right by d and down by |d|, every fill solid, in the
    // shadow colour.
    Pass s = main;
    s.shadow = true;
    s.colour = kShadowColour;
    if (s.fill == Fill::kGradient) s.fill = Fill::kSolid;
    s.sigmaBlend = false;
    Offset d = ShadowOffset(shadow);
    s.left += d.dx;
    s.top += d.dy;
    for (PointF& p : s.points) {
      p.x += d.dx;
      p.y += d.dy;
    }
    passes.push_back(s);
  }
  if (!shadowOnly) passes.push_back(main);
  return passes;
}

std::vector<layer::Point> PointsFromBuffer(std::string_view buffer, int count) {
  std::vector<layer::Point> points;
  if (count <= 0) return points;
  size_t n = std::min(size_t(count), buffer.size() / 4);
  for (size_t i = 0; i < n; ++i) {
    auto at = [&](size_t k) { return uint8_t(buffer[i * 4 + k]); };
    points.push_back({int16_t(at(0) | at(1) << 8), int16_t(at(2) | at(3) << 8)});
  }
  return points;
}

std::string PointBuffer(const std::vector<layer::Point>& points) {
  std::string out;
  for (const layer::Point& p : points)
    for (int16_t v : {p.x, p.y}) {
      out.push_back(char(uint16_t(v) & 0xFF));
      out.push_back(char(uint16_t(v) >> 8));
    }
  return out;
}

int RoundHalfEven(double value) {
  double f = std::floor(value);
  double frac = value - f;
  if (frac > 0.5) return int(f) + 1;
  if (frac < 0.5) return int(f);
  return (int64_t(f) % 2 == 0) ? int(f) : int(f) + 1;
}

void TextBox(double w, double h, int formatFlags, int& width, int& height) {
  if (formatFlags == 0) {
    width = RoundHalfEven(w + 0.5);
    height = RoundHalfEven(h + 1.5);
  } else {
    width = RoundHalfEven(w + 1.5);
    height = RoundHalfEven(h + 0.5);
  }
}

}  // namespace shapes
