#include "kelmor/settings.h"

#include <algorithm>

#include "fileio/fields.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "skin/sk_text.h"

namespace kelmor {

namespace {

// Folders are the same without regard to letter case or a trailing "": the box must not
// hold one folder twice, or the favourites file would grow with every start.
bool HoldsFolder(const std::vector<std::string>& entries, const std::string& folder) {
  std::string wanted = fileio::WithoutTrailingSeparator(folder);
  for (const auto& e : entries) {
    std::string held = fileio::WithoutTrailingSeparator(!e.empty() && e[0] == ' ' ? e.substr(1) : e);
    if (fileio::EqualsNoCase(held, wanted)) return true;
  }
  return false;
}

}  // namespace

bool ParseSettingsLine(const std::string& line, BrowserSettingsRecord& record) {
  std::string text = line;
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
  if (text.empty()) return false;
  std::vector<std::string> f;
  SKSPLITS(text, "|", f);
  auto has = [&f](size_t i) { return f.size() > i; };
  if (has(0)) record.left = fileio::LeadingNumber(f[0]);
  if (has(1)) record.top = fileio::LeadingNumber(f[1]);
  if (has(2)) record.width = fileio::LeadingNumber(f[2]);
  if (has(3)) record.height = fileio::LeadingNumber(f[3]);
  if (has(4)) record.folder = f[4];
  if (has(5)) record.filter = f[5];
  if (has(6)) record.option809 = fileio::LeadingNumber(f[6]);
  if (has(7)) record.hintOff = fileio::LeadingNumber(f[7]);
  if (has(8)) record.markers = fileio::LeadingNumber(f[8]);
  return true;
}

std::string FormatSettingsLine(const BrowserSettingsRecord& r) {
  return std::to_string(r.left) + "|" + std::to_string(r.top) + "|" + std::to_string(r.width) + "|" +
         std::to_string(r.height) + "|" + r.folder + "|" + r.filter + "|" + std::to_string(r.option809) + "|" +
         std::to_string(r.hintOff) + "|" + std::to_string(r.markers);
}

void ClampSettings(BrowserSettingsRecord& r, int minWidth, int minHeight,
                   const std::function<bool(const std::string&)>& folderExists) {
  r.left = std::max(0, r.left);
  r.top = std::max(0, r.top);
  r.width = std::max(r.width, minWidth);
  r.height = std::max(r.height, minHeight);
  if (!r.folder.empty() && !folderExists(fileio::WithoutTrailingSeparator(r.folder))) r.folder.clear();
}

void DefaultPlacement(BrowserSettingsRecord& r, int screenWidth, int screenHeight, int minWidth, int minHeight) {
  r.width = std::max(600, minWidth);
  r.height = std::max(400, minHeight);
  r.left = std::max(0, (screenWidth - r.width) / 2);
  r.top = std::max(0, (screenHeight - r.height) / 2);
}

bool ReadSettingsFile(const std::string& path, BrowserSettingsRecord& record) {
  std::string bytes;
  if (fileio::ReadWholeFile(path, bytes) != fileio::kOk) return false;
  size_t end = bytes.find_first_of("\r\n");
  return ParseSettingsLine(bytes.substr(0, end), record);
}

int WriteSettingsFile(const std::string& path, const BrowserSettingsRecord& record) {
  return fileio::WriteFileReplacing(path, FormatSettingsLine(record));
}

std::string AddFavouriteLines(const std::vector<std::string>& lines, std::vector<std::string>& entries,
                              const std::function<bool(const std::string& root)>& isRemovableOrCd,
                              const std::function<bool(const std::string& folder)>& folderExists) {
  std::string first;
  for (const auto& line : lines) {
    if (line.empty()) continue;
    if (HoldsFolder(entries, line)) continue;
    if (isRemovableOrCd(line.substr(0, 3))) continue;
    if (!folderExists(fileio::WithoutTrailingSeparator(line))) continue;
    entries.push_back(" " + line);
    if (first.empty()) first = line;
  }
  return first;
}

std::string FavouriteTip(const std::string& folder) {
  return SKLCASE(fileio::WithoutTrailingSeparator(folder));
}

void PutFolderOnTop(std::vector<std::string>& entries, const std::string& tip) {
  if (!HoldsFolder(entries, tip)) entries.insert(entries.begin(), " " + tip);
}

std::string FormatFavourites(const std::vector<std::string>& entries) {
  std::string out;
  for (const auto& e : entries) out += fileio::Trim(e) + "\r\n";
  return out;
}

}  // namespace kelmor
