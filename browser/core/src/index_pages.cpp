#include "kelmor/index_pages.h"

#include <algorithm>

#include "fileio/paths.h"
#include "kelmor/file_listing.h"
#include "skin/sk_text.h"

namespace kelmor {

GridLayout ParseGridLayout(const std::string& actionText) {
  std::vector<int> numbers;
  SKCODE(actionText, numbers);
  numbers.resize(3, 0);
  GridLayout grid;
  // A grid beyond a few hundred cells a side would leave boxes of no pixel.
  auto pick = [](int value, int fallback) { return value > 0 ? std::min(value, 200) : fallback; };
  grid.columns = pick(numbers[0], 4);
  grid.rows = pick(numbers[1], 5);
  grid.divisor = pick(numbers[2], 6);
  return grid;
}

PageArea PageAreaFor(int screenWidth, int divisor) {
  int a = 6796, b = 9366;
  if (screenWidth <= 800) a = 4671, b = 6777;
  else if (screenWidth == 1024) a = 5760, b = 7938;
  if (divisor <= 0) divisor = 6;
  PageArea area;
  area.width = std::min(a, b) / divisor;
  area.height = std::max(a, b) / divisor - 20;
  return area;
}

int PageCount(int pictures, const GridLayout& grid) {
  int per = std::max(1, grid.PerPage());
  return pictures <= 0 ? 0 : (pictures + per - 1) / per;
}

BoxSize WebThumbnailBox(const PageArea& area, const GridLayout& grid) {
  BoxSize box;
  box.width = std::max(1, (area.width - 30) / std::max(1, grid.columns));
  box.height = std::max(1, (area.height - 36) / std::max(1, grid.rows));
  return box;
}

std::string HTMLLINE(const std::string& line) {
  std::string out;
  out.reserve(line.size() + 2);
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '\'' && i + 1 < line.size() && line[i + 1] == '\'') {
      out += '"';
      ++i;
    } else {
      out += line[i];
    }
  }
  return out + "\r\n";
}

std::string HtmlEscape(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string UrlEscape(const std::string& name) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : name) {
    bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                 c == '.' || c == '_' || c == '~';
    if (plain) {
      out += char(c);
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

std::vector<std::string> WebPageHead(const std::string& title, int page, int pages) {
  return {
      "<html>",
      "<head>",
      "<title>QOR Media Solution</title>",
      "<meta http-equiv=''Content-Type'' content=''text/html; charset=windows-1252''>",
      "</head>",
      "<body text=''#000000'' vLink=''#CC00CC'' aLink=''#CC0000'' link=''#0000CC'' bgColor=''#FFFFFF''",
      "style=''font-family: Arial; font-size: smaller''>",
      "<h1 align=''center''>" + HtmlEscape(title) + "<br>",
      "<small><small><small>page " + std::to_string(page) + "/" + std::to_string(pages) +
          "</small></small></small></h1>",
      "<div align=''center''><center>",
      "<table cellPadding=''5''><TBODY>",
  };
}

std::vector<std::string> WebPageCell(const std::string& thumbnailName, int width, int height,
                                     const std::string& pictureName) {
  return {
      "<td><font face=''Arial'' size=''2''>",
      "<img src=''" + UrlEscape(thumbnailName) + "'' width=''" + std::to_string(width) + "'' height=''" +
          std::to_string(height) + "'' border=''0''><br>",
      HtmlEscape(pictureName) + "<br>",
      "</font></td>",
  };
}

std::string ThumbnailName(const std::string& targetFolder, const std::string& pictureName,
                          const std::function<bool(const std::string&)>& isSource,
                          const std::function<bool(const std::string&)>& exists, const std::set<std::string>& written) {
  size_t dot = pictureName.find('.');
  std::string base = dot == std::string::npos ? pictureName : pictureName.substr(0, dot);
  auto taken = [&](const std::string& name) {
    std::string path = targetFolder + name;
    return isSource(path) || written.count(fileio::ToLower(path)) != 0 || exists(path);
  };
  std::string name = base + ".jpg";
  for (int n = 2; taken(name) && n < 100000; ++n) name = base + "-" + std::to_string(n) + ".jpg";
  return name;
}

std::string WebPagesQuestion(int pages, const std::string& uiEntry59, const std::string& targetFolder) {
  // The plural ending first: a folder name holding "(s)" stays as it is.
  std::string text = std::to_string(pages) + PLURALS(pages, uiEntry59);
  size_t at = text.find('@');
  if (at != std::string::npos) text.replace(at, 1, targetFolder + "qorct???.htm");
  return text;
}

int SheetLayout::BitmapHeight() const { return gridHeight + kSheetFooter; }

SheetLayout ComputeSheetLayout(const PageArea& area, const GridLayout& grid) {
  SheetLayout s;
  int columns = std::max(1, grid.columns), rows = std::max(1, grid.rows);
  s.cellWidth = std::max(1, (area.width - 3 * kSheetColumnGap) / columns);
  s.cellHeight = std::max(1, (area.height - 3 * kSheetRowGap) / rows);
  s.pageWidth = (columns - 1) * kSheetColumnGap + columns * s.cellWidth + 2;
  s.gridHeight = (rows - 1) * kSheetRowGap + rows * s.cellHeight + 2;
  return s;
}

CellCorner SheetCellCorner(const SheetLayout& sheet, int row, int column) {
  return CellCorner{1 + (column - 1) * (sheet.cellWidth + kSheetColumnGap),
                    1 + (row - 1) * (sheet.cellHeight + kSheetRowGap)};
}

std::string SheetFooter(const std::string& targetFolder, int page, int pages) {
  return SKUCASE(fileio::WithoutTrailingSeparator(targetFolder)) + " Page " + std::to_string(page) + " / " +
         std::to_string(pages);
}

SheetKind SheetKindOf(int command) {
  if (command >= 801 && command <= 807) return SheetKind::kPages;
  if (command == 1400) return SheetKind::kOnePage;
  if (command >= 1401 && command <= 1499) return SheetKind::kCopies;
  return SheetKind::kNone;
}

int SheetPictureCount(SheetKind kind, int selected, const GridLayout& grid) {
  if (selected <= 0) return 0;
  return kind == SheetKind::kCopies ? grid.PerPage() : selected;
}

int SheetPageCount(SheetKind kind, int selected, const GridLayout& grid) {
  if (selected <= 0 || kind == SheetKind::kNone) return 0;
  if (kind != SheetKind::kPages) return 1;
  return PageCount(selected, grid);
}

int SheetPictureAt(SheetKind kind, int cell, int pictures) {
  if (cell < 0 || cell >= pictures) return -1;
  return kind == SheetKind::kCopies ? 0 : cell;
}

}  // namespace kelmor
