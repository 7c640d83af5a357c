// GDI+ fonts of the text objects and their measuring.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include "imaging/shape_plan.h"
#include "objects_internal.h"
#include "win/wide_text.h"

namespace bravik {

namespace gp = Gdiplus;
namespace flat = Gdiplus::DllExports;

std::string TrimmedText(const std::string& text) {
  const std::string blanks(" \0", 2);
  size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return {};
  size_t last = text.find_last_not_of(blanks);
  return text.substr(first, last - first + 1);
}

void FreeObjectFont(ObjectEntry& entry) {
  if (entry.font) flat::GdipDeleteFont(entry.font);
  if (entry.family) flat::GdipDeleteFontFamily(static_cast<gp::GpFontFamily*>(entry.family));
  entry.font = nullptr;
  entry.family = nullptr;
}

bool MakeObjectFont(ObjectEntry& entry) {
  FreeObjectFont(entry);
  std::wstring face = win::Widen(entry.data.font);
  gp::GpFontFamily* family = nullptr;
  if (flat::GdipCreateFontFamilyFromName(face.c_str(), nullptr, &family) != gp::Ok || !family) return false;
  gp::GpFont* font = nullptr;
  if (flat::GdipCreateFont(family, float(entry.data.size > 0 ? entry.data.size : 14), gp::FontStyleRegular,
                           gp::UnitPixel, &font) != gp::Ok ||
      !font) {
    flat::GdipDeleteFontFamily(family);
    return false;
  }
  entry.family = family;
  entry.font = font;
  return true;
}

void MeasureTextObject(ObjectEntry& entry) {
  if (!entry.font) return;
  std::wstring text = win::Widen(TrimmedText(entry.data.text));
  HDC screen = GetDC(nullptr);
  gp::GpGraphics* g = nullptr;
  gp::RectF measured{0, 0, 0, 0};
  if (flat::GdipCreateFromHDC(screen, &g) == gp::Ok && g) {
    gp::GpStringFormat* format = nullptr;
    if (entry.data.formatFlags != 0) {
      flat::GdipCreateStringFormat(0, LANG_NEUTRAL, &format);
      if (format) flat::GdipSetStringFormatFlags(format, entry.data.formatFlags);
    }
    gp::RectF layout{0, 0, 0, 0};
    flat::GdipMeasureString(g, text.c_str(), -1, entry.font, &layout, format, &measured, nullptr, nullptr);
    if (format) flat::GdipDeleteStringFormat(format);
    flat::GdipDeleteGraphics(g);
  }
  ReleaseDC(nullptr, screen);
  int width = 0, height = 0;
  shapes::TextBox(measured.Width, measured.Height, entry.data.formatFlags, width, height);
  entry.data.width = width;
  entry.data.height = height;
}

}  // namespace bravik
