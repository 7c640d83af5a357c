// GDI+ fonts of the text objects and their measuring.
#include <utility>

#include "imaging/shape_plan.h"
#include "objects_internal.h"
#include "win/gdiplus_raii.h"
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
  entry.font.Reset();
  entry.family.Reset();
}

bool MakeObjectFont(ObjectEntry& entry) {
  FreeObjectFont(entry);
  std::wstring face = win::Widen(entry.data.font);
  win::gdip::FontFamily family;
  if (flat::GdipCreateFontFamilyFromName(face.c_str(), nullptr, family.Out()) != gp::Ok || !family) return false;
  win::gdip::Font font;
  if (flat::GdipCreateFont(family.Get(), float(entry.data.size > 0 ? entry.data.size : 14), gp::FontStyleRegular,
                           gp::UnitPixel, font.Out()) != gp::Ok ||
      !font)
    return false;
  entry.family = std::move(family);
  entry.font = std::move(font);
  return true;
}

void MeasureTextObject(ObjectEntry& entry) {
  if (!entry.font) return;
  std::wstring text = win::Widen(TrimmedText(entry.data.text));
  gp::RectF measured{0, 0, 0, 0};
  {
    win::WindowDC screen(nullptr);
    win::gdip::Graphics g(screen);
    if (g) {
      win::gdip::StringFormat format;
      if (entry.data.formatFlags != 0) {
        flat::GdipCreateStringFormat(0, LANG_NEUTRAL, format.Out());
        if (format) flat::GdipSetStringFormatFlags(format.Get(), entry.data.formatFlags);
      }
      gp::RectF layout{0, 0, 0, 0};
      flat::GdipMeasureString(g.Get(), text.c_str(), -1, entry.font.Get(), &layout, format.Get(), &measured, nullptr,
                              nullptr);
    }
  }
  int width = 0, height = 0;
  shapes::TextBox(measured.Width, measured.Height, entry.data.formatFlags, width, height);
  entry.data.width = width;
  entry.data.height = height;
}

}  // namespace bravik
