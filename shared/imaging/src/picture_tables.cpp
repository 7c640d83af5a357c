#include "imaging/picture_tables.h"

#include <cmath>

#include "fileio/macros.h"
#include "fileio/paths.h"
#include "skin/sk_text.h"

std::string DottedExtension(std::string_view path) {
  size_t dot = path.rfind('.');
  if (dot == std::string_view::npos) return {};
  return SKUCASE(std::string(path.substr(dot)));
}

bool ExtensionInList(std::string_view path, std::string_view list) {
  std::string ext = DottedExtension(path);
  if (ext.size() < 2) return false;
  return list.find(ext + ".") != std::string_view::npos;
}

int ExtensionPosition(std::string_view path, std::string_view list) {
  std::string ext = DottedExtension(path);
  if (ext.size() < 2) return 0;
  size_t at = list.find(ext + ".");
  if (at == std::string_view::npos) return 0;
  int position = 0;
  for (size_t i = 0; i <= at; ++i)
    if (list[i] == '.') ++position;
  return position;
}

std::string SaveMimeType(std::string_view extension) {
  std::string e = SKUCASE(std::string(extension));
  if (e == "BMP") return "image/bmp";
  if (e == "EMF") return "image/x-emf";
  if (e == "GIF") return "image/gif";
  if (e == "ICO") return "image/x-icon";
  if (e == "JPG" || e == "JPEG") return "image/jpeg";
  if (e == "PNG") return "image/png";
  if (e == "TIF" || e == "TIFF") return "image/tiff";
  if (e == "WMF") return "image/x-wmf";
  return {};
}

uint32_t MAKEARGB(uint8_t alpha, uint8_t red, uint8_t green, uint8_t blue) {
  return uint32_t(alpha) << 24 | uint32_t(red) << 16 | uint32_t(green) << 8 | blue;
}

void SPLITARGB(uint32_t argb, uint8_t& alpha, uint8_t& red, uint8_t& green, uint8_t& blue) {
  alpha = uint8_t(argb >> 24);
  red = uint8_t(argb >> 16);
  green = uint8_t(argb >> 8);
  blue = uint8_t(argb);
}

uint32_t SETALPHA(uint32_t argb, uint8_t alpha) { return (argb & 0x00FFFFFFu) | uint32_t(alpha) << 24; }

void CapBitmapSize(int& width, int& height, int bytesPerPixel, int osVersion) {
  constexpr double kLimit = 16000000.0;
  if (osVersion >= 500 || width <= 0 || height <= 0) return;
  double bytes = double(width) * height * std::max(1, bytesPerPixel);
  if (bytes <= kLimit) return;
  // Both sides shrink by the square root of the excess, so the area shrinks by it.
  double factor = std::sqrt(bytes / kLimit);
  width = std::max(1, int(std::lround(width / factor)));
  height = std::max(1, int(std::lround(height / factor)));
}

std::string GifConversionPath(std::string_view tempFolder, std::string_view programPath, uint32_t processId) {
  std::string name = SKUCASE(fileio::NameOf(programPath)).substr(0, 3);
  return fileio::WithTrailingSeparator(tempFolder) + name + "CONV" + std::to_string(processId) + ".G2B";
}

bool ParseFileTypeRegistration(std::string_view text, std::string_view programFolder, FileTypeRegistration& out) {
  std::vector<std::string> fields;
  if (SKSPLITS(std::string(text), ",", fields) != 4) return false;
  for (std::string& f : fields) f = fileio::Trim(f);
  if (fields[0].empty() || fields[1].empty() || fields[2].empty()) return false;
  std::string command = fileio::ExpandPathMacros(
      SKLCASE(fields[2]), {.programFolder = SKLCASE(fileio::WithTrailingSeparator(programFolder))});
  out = {fields[0], fields[1], command, fields[3]};
  return true;
}
