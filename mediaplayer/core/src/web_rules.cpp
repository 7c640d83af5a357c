#include "falcet/web_rules.h"

#include <algorithm>
#include <vector>

#include "fileio/fields.h"
#include "fileio/macros.h"

namespace falcet {

namespace {

bool SameNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return (x >= 'A' && x <= 'Z' ? x + 32 : x) == (y >= 'A' && y <= 'Z' ? y + 32 : y);
         });
}

}  // namespace

bool IsIndexControl(std::string_view control) { return control == kIndexControl; }

WebEventAction WebEventActionFor(std::string_view control, std::string_view event) {
  if (control != kContentControl && control != kIndexControl) return WebEventAction::kIgnore;
  if (event == "TitleChange") return WebEventAction::kTitle;
  if (event == "BeforeNavigate2") return WebEventAction::kReadAddress;
  if (event == "DocumentComplete") return WebEventAction::kCurrentItem;
  return WebEventAction::kNothing;
}

int TextSizeAfter(int size, bool larger) {
  size = std::clamp(size, 0, kLargestTextSize);
  if (larger) return size < kLargestTextSize ? size + 1 : size;
  return size > 0 ? size - 1 : size;
}

TextSizeButtons TextSizeButtonsFor(int size) { return {size < kLargestTextSize, size > 0}; }

IndexColumn ParseIndexColumn(const std::string& entry, const std::string& programFolder) {
  IndexColumn column;
  if (entry.empty()) return column;
  std::vector<std::string> fields =
      fileio::SplitFields(entry, entry.find('|') != std::string::npos ? '|' : ',');
  auto field = [&fields](size_t n) { return n <= fields.size() ? fields[n - 1] : std::string(); };
  column.page = field(1);
  std::string width = field(2);
  column.width = std::max(0, fileio::LeadingNumber(width));
  column.percent = width.find('%') != std::string::npos;
  column.frameStyle = fileio::LeadingNumber(field(3));
  std::string page = field(4);
  if (!page.empty()) column.page = fileio::ExpandPathMacros(page, {.programFolder = programFolder});
  return column;
}

int IndexColumnWidth(const IndexColumn& column, int panelWidth) {
  if (column.page.empty() || panelWidth <= 0) return 0;
  int64_t width = column.percent ? int64_t(panelWidth) * std::min(column.width, 100) / 100 : column.width;
  return int(std::min<int64_t>(width, panelWidth));
}

bool IndexStaysBeside(const IndexColumn& column, int itemKind) {
  if (column.page.empty()) return false;
  int bit = itemKind == kIndexBesideMedia ? kIndexBesideMedia : itemKind == kIndexBesidePictures ? kIndexBesidePictures : 0;
  return bit != 0 && (column.frameStyle & bit) != 0;
}

bool IsDocumentItem(std::string_view item) {
  return item.size() >= 4 && SameNoCase(item.substr(item.size() - 4), ".xls");
}

}  // namespace falcet
