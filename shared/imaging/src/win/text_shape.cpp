// DRAWSTRINGGDIP, DRAWSHAPE and the layered picture renderer DRAWOVERLAY.
#include <vector>

#include "win/gdiplus_raii.h"
#include "imaging/layer_file.h"
#include "imaging/shape_plan.h"
#include "imaging/text_shape.h"
#include "text_shadow.h"
#include "win/wide_text.h"

using namespace win::gdip;

namespace {

std::vector<gp::PointF> ToGdiplus(const std::vector<shapes::PointF>& points) {
  std::vector<gp::PointF> out;
  out.reserve(points.size());
  for (const shapes::PointF& p : points) out.emplace_back(p.x, p.y);
  return out;
}

gp::Status Gradient(gp::GpGraphics* g, const shapes::Pass& pass, const std::vector<gp::PointF>& pts) {
  Path path;
  gp::Status s = flat::GdipCreatePath(gp::FillModeAlternate, path.Out());
  if (s != gp::Ok) return s;
  switch (pass.figure) {
    case shapes::Figure::kEllipse: flat::GdipAddPathEllipse(path.Get(), pass.left, pass.top, pass.width, pass.height); break;
    case shapes::Figure::kRectangle:
      flat::GdipAddPathRectangle(path.Get(), pass.left, pass.top, pass.width, pass.height);
      break;
    case shapes::Figure::kClosedCurve:
      flat::GdipAddPathClosedCurve2(path.Get(), pts.data(), int(pts.size()), pass.tension);
      break;
    default: flat::GdipAddPathPolygon(path.Get(), pts.data(), int(pts.size())); break;
  }
  Brush brush;
  s = flat::GdipCreatePathGradientFromPath(path.Get(), reinterpret_cast<gp::GpPathGradient**>(brush.Out()));
  if (s != gp::Ok) return s;
  auto* gradient = reinterpret_cast<gp::GpPathGradient*>(brush.Get());
  flat::GdipSetPathGradientCenterColor(gradient, gp::ARGB(pass.colour));
  gp::ARGB surround = gp::ARGB(pass.surround);
  INT one = 1;
  flat::GdipSetPathGradientSurroundColorsWithCount(gradient, &surround, &one);
  if (pass.gammaCorrection) flat::GdipSetPathGradientGammaCorrection(gradient, TRUE);
  if (pass.sigmaBlend) flat::GdipSetPathGradientSigmaBlend(gradient, 0.15f, 0.9f);
  flat::GdipSetPathGradientFocusScales(gradient, pass.focusX, pass.focusY);
  switch (pass.figure) {
    case shapes::Figure::kEllipse:
    case shapes::Figure::kRectangle:
      return flat::GdipFillRectangle(g, brush.Get(), pass.left, pass.top, pass.width, pass.height);
    case shapes::Figure::kClosedCurve:
      return flat::GdipFillClosedCurve2(g, brush.Get(), pts.data(), int(pts.size()), pass.tension,
                                        gp::FillModeAlternate);
    default: return flat::GdipFillPolygon(g, brush.Get(), pts.data(), int(pts.size()), gp::FillModeAlternate);
  }
}

gp::Status DrawPass(gp::GpGraphics* g, const shapes::Pass& pass) {
  std::vector<gp::PointF> pts = ToGdiplus(pass.points);
  if (pass.fill == shapes::Fill::kGradient) return Gradient(g, pass, pts);
  Pen pen;
  gp::Status s = flat::GdipCreatePen1(gp::ARGB(pass.colour), pass.penWidth, gp::UnitPixel, pen.Out());
  if (s != gp::Ok) return s;
  Brush brush;
  if (pass.fill == shapes::Fill::kSolid) {
    s = SolidBrush(pass.colour, brush);
    if (s != gp::Ok) return s;
  }
  bool solid = pass.fill == shapes::Fill::kSolid;
  int n = int(pts.size());
  switch (pass.figure) {
    case shapes::Figure::kEllipse:
      return solid ? flat::GdipFillEllipse(g, brush.Get(), pass.left, pass.top, pass.width, pass.height)
                   : flat::GdipDrawEllipse(g, pen.Get(), pass.left, pass.top, pass.width, pass.height);
    case shapes::Figure::kRectangle:
      return solid ? flat::GdipFillRectangle(g, brush.Get(), pass.left, pass.top, pass.width, pass.height)
                   : flat::GdipDrawRectangle(g, pen.Get(), pass.left, pass.top, pass.width, pass.height);
    case shapes::Figure::kClosedCurve:
      return solid ? flat::GdipFillClosedCurve2(g, brush.Get(), pts.data(), n, pass.tension, gp::FillModeAlternate)
                   : flat::GdipDrawClosedCurve2(g, pen.Get(), pts.data(), n, pass.tension);
    case shapes::Figure::kOpenCurve: return flat::GdipDrawCurve2(g, pen.Get(), pts.data(), n, pass.tension);
    case shapes::Figure::kArrow:
      flat::GdipSetPenEndCap(pen.Get(), gp::LineCapArrowAnchor);
      return flat::GdipDrawCurve2(g, pen.Get(), pts.data(), n, pass.tension);
    case shapes::Figure::kPolygon:
      return solid ? flat::GdipFillPolygon(g, brush.Get(), pts.data(), n, gp::FillModeAlternate)
                   : flat::GdipDrawPolygon(g, pen.Get(), pts.data(), n);
    case shapes::Figure::kPolyline: return flat::GdipDrawLines(g, pen.Get(), pts.data(), n);
  }
  return gp::InvalidParameter;
}

}  // namespace

int DRAWSTRINGGDIP(HDC dc, const std::string& text, int x, int y, int width, int height, uint32_t colour,
                   int renderingHint, gp::GpFont* font, int shadowDepth, int formatFlags) {
  if (!dc) return -1;
  StringFormat format;
  if (formatFlags != 0) {
    flat::GdipCreateStringFormat(0, LANG_NEUTRAL, format.Out());
    if (format) flat::GdipSetStringFormatFlags(format.Get(), formatFlags);
  }
  Graphics g(dc);
  if (!g) return g.Status();
  flat::GdipSetTextRenderingHint(g.Get(), gp::TextRenderingHint(renderingHint));
  std::wstring w = win::Widen(text);
  int status = 0;
  if (shadowDepth != 0) status = DrawTextShadow(g.Get(), w, font, format.Get(), float(x), float(y), shadowDepth);
  Brush brush;
  SolidBrush(colour, brush);
  gp::RectF box{float(x), float(y), float(width), float(height)};
  status = flat::GdipDrawString(g.Get(), w.c_str(), -1, font, &box, format.Get(), brush.Get());
  return status;
}

int DRAWSHAPE(HDC dc, int x, int y, int count, std::string_view points, uint32_t colour, int shadowDepth,
              int penWidth, uint32_t kindAndStyle) {
  if (!dc || count <= 0) return -1;
  std::vector<shapes::Pass> passes =
      shapes::PlanShape(x, y, shapes::PointsFromBuffer(points, count), colour, shadowDepth, penWidth, kindAndStyle);
  if (passes.empty()) return -1;
  Graphics g(dc);
  if (!g) return g.Status();
  flat::GdipSetCompositingQuality(g.Get(), gp::CompositingQualityGammaCorrected);
  flat::GdipSetSmoothingMode(g.Get(), gp::SmoothingModeAntiAlias);
  int status = 0;
  for (const shapes::Pass& pass : passes) status = int(DrawPass(g.Get(), pass));
  return status;
}

namespace {

void DrawText(HDC dc, const layer::Object& o) {
  // Blanks and zero bytes at the ends do not count.
  std::string text = o.text;
  while (!text.empty() && (text.back() == ' ' || text.back() == '\0')) text.pop_back();
  size_t first = text.find_first_not_of(std::string(" \0", 2));
  text = first == std::string::npos ? std::string() : text.substr(first);
  if (text.empty()) return;
  FontFamily family;
  std::wstring face = win::Widen(o.font);
  if (flat::GdipCreateFontFamilyFromName(face.c_str(), nullptr, family.Out()) != gp::Ok || !family) return;
  Font font;
  if (flat::GdipCreateFont(family.Get(), float(o.size), gp::FontStyleRegular, gp::UnitPixel, font.Out()) != gp::Ok)
    return;
  StringFormat format;
  if (o.formatFlags != 0) {
    flat::GdipCreateStringFormat(0, LANG_NEUTRAL, format.Out());
    if (format) flat::GdipSetStringFormatFlags(format.Get(), o.formatFlags);
  }
  // Measure on the target itself, in a layout box of size 0 at the origin.
  gp::RectF measured{0, 0, 0, 0};
  {
    Graphics g(dc);
    if (!g) return;
    gp::RectF layout{0, 0, 0, 0};
    std::wstring w = win::Widen(text);
    flat::GdipMeasureString(g.Get(), w.c_str(), -1, font.Get(), &layout, format.Get(), &measured, nullptr, nullptr);
  }
  int width = 0, height = 0;
  shapes::TextBox(measured.Width, measured.Height, o.formatFlags, width, height);
  DRAWSTRINGGDIP(dc, text, o.x, o.y, width, height, o.colour, gp::TextRenderingHintAntiAlias, font.Get(), o.shadow,
                 o.formatFlags);
}

}  // namespace

void DRAWOVERLAY(HDC dc, const std::string& path) {
  if (!dc) return;
  layer::Trailer trailer;
  std::vector<layer::Object> objects;
  if (!layer::ReadFile(layer::LayerPathFor(path), trailer, objects)) return;
  for (const layer::Object& o : objects) {
    if (o.visible == 0) continue;
    if (o.kind == layer::kText) {
      DrawText(dc, o);
    } else if (o.kind >= layer::kEllipse && o.kind <= layer::kPolyline && !o.points.empty()) {
      DRAWSHAPE(dc, o.x, o.y, int(o.points.size()), shapes::PointBuffer(o.points), o.colour, o.shadow, o.size,
                uint32_t(o.kind) + 65536u * uint32_t(o.style));
    }
  }
}
