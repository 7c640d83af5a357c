#include "bravik/export_rules.h"

#include <array>

#include "fileio/paths.h"
#include "imglib/status.h"

namespace bravik {
namespace {

struct Entry {
  std::string_view extension;
  SaveFormat format;
};

// The formats that saving writes through the imaging layer. ".JPEG" is read as a picture
// everywhere in the suite, so it is saved like ".JPG".
constexpr std::array<Entry, 14> kSaveTable{{
    {".BMP", {6, 24, 0}},
    {".CMP", {5, 24, -1}},
    {".EPS", {16, 8, 0}},
    {".FPX", {80, 24, 0}},
    {".JPG", {10, 24, 2}},
    {".JPEG", {10, 24, 2}},
    {".PCT", {56, 24, 0}},
    {".PCX", {1, 24, 0}},
    {".PCC", {1, 24, 0}},
    {".PNG", {75, 24, 0}},
    {".PSD", {76, 24, 0}},
    {".RAS", {55, 24, 0}},
    {".TGA", {4, 24, 0}},
    {".WPG", {54, 8, 0}},
}};

constexpr std::string_view kGdiplusSaveList = ".DIB.EMF.TIF.TIFF.WMF.";

std::string ReplaceAll(std::string text, std::string_view what, std::string_view with) {
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
    text.replace(at, what.size(), with);
  return text;
}

}  // namespace

std::string TargetExtension(std::string_view target) {
  size_t dot = target.rfind('.');
  if (dot == std::string_view::npos) return ".";
  return "." + fileio::ToUpper(target.substr(dot + 1));
}

bool LookupSaveFormat(std::string_view extension, SaveFormat& format) {
  std::string upper = fileio::ToUpper(extension);
  for (const Entry& e : kSaveTable) {
    if (e.extension == upper) {
      format = e.format;
      return true;
    }
  }
  return false;
}

bool LookupMetafileFormat(std::string_view extension, SaveFormat& format) {
  std::string upper = fileio::ToUpper(extension);
  if (upper != ".EMF" && upper != ".WMF") return false;
  format = SaveFormat{upper == ".EMF" ? imglib::kFormatEmf : imglib::kFormatWmf, 24, 0};
  return true;
}

bool IsGdiplusSaveExtension(std::string_view extension) {
  std::string upper = fileio::ToUpper(extension);
  if (upper.size() < 2 || upper[0] != '.' || upper.find('.', 1) != std::string::npos) return false;
  return kGdiplusSaveList.find(upper + ".") != std::string_view::npos;
}

std::string ExpandPatternTarget(std::string_view target, std::string_view currentFileName,
                                std::string_view fallbackName) {
  std::string out(target);
  if (out.find('*') == std::string::npos) out = ReplaceAll(out, "\\.", "\\*.");
  if (out.find("*.") == std::string::npos) return out;
  std::string name = fileio::NameOf(currentFileName);
  std::string base = name.substr(0, name.find('.'));
  if (base.empty()) base = std::string(fallbackName);
  return ReplaceAll(out, "*.", base + ".");
}

}  // namespace bravik
