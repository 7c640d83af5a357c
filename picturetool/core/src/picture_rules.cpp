#include "bravik/picture_rules.h"

#include <algorithm>
#include <cmath>

#include "fileio/paths.h"

namespace bravik {
namespace {

std::string ReplaceAll(std::string text, std::string_view what, std::string_view with) {
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
    text.replace(at, what.size(), with);
  return text;
}

}  // namespace

std::string SaveFilterFor(std::string_view path) {
  std::string name = fileio::NameOf(path);
  size_t dot = name.rfind('.');
  if (dot == std::string::npos) return {};
  return "*" + fileio::ToUpper(name.substr(dot));
}

std::string SaveAsPattern(std::string_view saveFilter) {
  if (saveFilter.empty() || saveFilter == "*.*") return "*.BMP";
  if (fileio::EqualsNoCase(saveFilter, "*.GIF")) return "*.PNG";
  return std::string(saveFilter);
}

std::string PictureStatusText(std::string_view fileName, int width, int height, bool shrunk, int unshrunkWidth,
                              int unshrunkHeight, int colours, std::string_view shrunkText,
                              std::string_view coloursText) {
  std::string text = " " + fileio::ToLower(fileName) + " " + std::to_string(width) + " x" + std::to_string(height) + " ";
  if (shrunk) {
    std::string s = ReplaceAll(std::string(shrunkText), "#", std::to_string(unshrunkWidth));
    text += ReplaceAll(s, "@", std::to_string(unshrunkHeight));
  }
  if (colours > 0) text += ReplaceAll(std::string(coloursText), "#", std::to_string(colours));
  return text;
}

std::string KeywordFilePath(std::string_view picturePath) {
  std::string name = fileio::NameOf(picturePath);
  if (name.find('.') == std::string::npos) return {};
  size_t dot = picturePath.rfind('.');
  return std::string(picturePath.substr(0, dot)) + ".KWD";
}

KeywordTexts ReadKeywordTexts(std::string_view bytes) {
  KeywordTexts out;
  size_t first = bytes.find('\0');
  out.status = std::string(bytes.substr(0, first));
  size_t last = bytes.rfind('\0');
  std::string_view after = last == std::string_view::npos ? bytes : bytes.substr(last + 1);
  out.caption = fileio::Trim(after);
  return out;
}

bool MemoryLimit(int displayBits, int width, int height, int canvasWidth, int canvasHeight, int osVersion,
                 int& newWidth, int& newHeight) {
  newWidth = width;
  newHeight = height;
  if (osVersion >= 500 || width <= 0 || height <= 0) return false;
  constexpr double kLimit = 16000000.0;
  double bytes = double(std::max(displayBits, 8) / 8) * double(std::max(width, canvasWidth)) *
                 double(std::max(height, canvasHeight));
  if (bytes <= kLimit) return false;
  double factor = bytes / kLimit;
  newWidth = std::max(1, int(std::lround(width / factor)));
  newHeight = std::max(1, int(std::lround(height / factor)));
  return true;
}

int ClampScroll(int position, int content, int client) {
  return std::clamp(position, 0, std::max(0, content - client));
}

int ScrollRequest(int code, int thumb, int position, int content, int client) {
  constexpr int kLine = 5, kPage = 50;
  switch (code) {
    case 0: position -= kLine; break;
    case 1: position += kLine; break;
    case 2: position -= kPage; break;
    case 3: position += kPage; break;
    case 4:
    case 5: position = thumb; break;
    case 6: position = 0; break;
    case 7: position = content; break;
    default: break;
  }
  return ClampScroll(position, content, client);
}

bool PlacePrintedPicture(int horzSizeMm, int vertSizeMm, int horzRes, int vertRes, int pictureWidth,
                         int pictureHeight, PrintPlacement& placement) {
  if (pictureWidth <= 0 || pictureHeight <= 0) return false;
  bool landscape = horzSizeMm >= vertSizeMm;
  int mx = landscape ? 60 : 15;
  int my = landscape ? 0 : 60;
  int roomX = horzRes - 2 * mx, roomY = vertRes - 2 * my;
  if (roomX <= 0 || roomY <= 0) return false;
  double scale = std::min(double(roomX) / pictureWidth, double(roomY) / pictureHeight);
  int w = int(std::lround(scale * pictureWidth));
  int h = int(std::lround(scale * pictureHeight));
  if (w <= 0 || h <= 0) return false;
  placement.width = w;
  placement.height = h;
  placement.left = (horzRes - w) / 2;
  placement.top = (vertRes - h) / 2;
  return true;
}

bool ParseSizeText(std::string_view text, int& width, int& height) {
  int numbers[2] = {0, 0};
  int found = 0;
  size_t i = 0;
  while (i < text.size() && found < 2) {
    if (text[i] < '0' || text[i] > '9') {
      ++i;
      continue;
    }
    long value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && value <= 99999) value = value * 10 + (text[i++] - '0');
    numbers[found++] = int(std::min(value, 99999L));
  }
  if (found < 2) return false;
  for (int n : numbers)
    if (n < 1 || n > 9999) return false;
  width = numbers[0];
  height = numbers[1];
  return true;
}

uint32_t GRAYCOLOR(uint32_t colour) {
  uint32_t r = colour & 0xFF, g = (colour >> 8) & 0xFF, b = (colour >> 16) & 0xFF;
  uint32_t grey = (19595 * r + 38470 * g + 7471 * b) >> 16;
  return grey | (grey << 8) | (grey << 16);
}

}  // namespace bravik
