#include "jorvel/pane_description.h"

#include <algorithm>

#include "fileio/fields.h"
#include "fileio/macros.h"
#include "fileio/paths.h"

namespace jorvel {

int STYLEINDEX(int style) {
  style = std::clamp(style, 1, 128);
  int index = 1;
  while (style > 1) {
    style >>= 1;
    ++index;
  }
  return index;
}

PaneDescription::PaneDescription(StringTable strings, std::string programFolder)
    : strings_(std::move(strings)), programFolder_(std::move(programFolder)) {}

bool PaneDescription::Complete() const { return strings_.size() > 2; }

std::string PaneDescription::Expand(const std::string& path) const {
  fileio::PathMacros macros;
  macros.programFolder = programFolder_;
  return fileio::ExpandPathMacros(fileio::Trim(path), macros);
}

std::string PaneDescription::PanePicture(int style) const {
  std::vector<std::string> fields = fileio::SplitFields(UiEntry(strings_, 1), ',');
  size_t index = size_t(STYLEINDEX(style));
  if (index > fields.size() || fields[index - 1].empty()) return {};
  return Expand(fileio::ToLower(fields[index - 1]));
}

int PaneDescription::Field(int n) const {
  std::vector<std::string> fields = fileio::SplitFields(UiEntry(strings_, 2), ',');
  return n >= 1 && size_t(n) <= fields.size() ? fileio::LeadingNumber(fields[n - 1]) : 0;
}

std::optional<PaneElementPlace> PaneDescription::Element(int id, int style) const {
  if (id < kFirstPaneElement) return std::nullopt;
  int k = Field(id - kFirstPaneElement + 1);
  if (k <= 0 || k > kUiEntryLimit - 2) return std::nullopt;
  const std::string& entry = UiEntry(strings_, k + 2);
  if (entry.empty()) return std::nullopt;
  std::vector<std::string> fields = fileio::SplitFields(entry, ',');
  PaneElementPlace place;
  if (fields.size() > 1) place.picture = fields[1].empty() ? std::string() : Expand(fields[1]);
  // The pairs after the name and the picture; the last one serves the styles beyond it.
  size_t pairs = fields.size() > 2 ? (fields.size() - 2) / 2 : 0;
  if (pairs > 0) {
    size_t pair = std::min(size_t(STYLEINDEX(style)), pairs) - 1;
    place.x = fileio::LeadingNumber(fields[2 + 2 * pair]);
    place.y = fileio::LeadingNumber(fields[3 + 2 * pair]);
  }
  return place;
}

}  // namespace jorvel
