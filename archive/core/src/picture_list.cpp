#include "grilton/picture_list.h"

#include <algorithm>

#include "db/db.h"
#include "fileio/fields.h"
#include "fileio/file.h"
#include "fileio/paths.h"

namespace grilton {

bool IsPictureType(std::string_view extension) {
  if (extension.empty() || extension.find('.') != std::string_view::npos) return false;
  return std::string_view(kPictureTypes).find("." + fileio::ToUpper(extension) + ".") != std::string_view::npos;
}

std::vector<std::string> ListPictures(const std::string& pattern, const ListingHooks& hooks) {
  std::vector<std::string> pictures;
  const std::string folder = fileio::FolderOf(pattern);
  std::vector<fileio::DirEntry> entries = fileio::ListDirectory(pattern);
  std::sort(entries.begin(), entries.end(), [](const fileio::DirEntry& a, const fileio::DirEntry& b) {
    return fileio::ToUpper(a.name) < fileio::ToUpper(b.name);
  });
  for (const fileio::DirEntry& entry : entries) {
    if (hooks.between && !hooks.between(int(pictures.size()))) break;
    if (entry.directory) continue;
    std::string extension = fileio::ExtensionOf(entry.name);
    if (!IsPictureType(extension)) continue;
    std::string path = folder + entry.name;
    if (fileio::ToUpper(extension) != "GIF") {
      int width = 0, height = 0;
      if (!hooks.pictureSize || !hooks.pictureSize(path, width, height) || width <= 0 || height <= 0) continue;
    }
    pictures.push_back(path);
  }
  return pictures;
}

std::string ScanFolder(const std::string& programFolder) {
  return fileio::WithTrailingSeparator(programFolder) + "TWAIN\\";
}

std::string NextScanPage(const std::string& scanFolder) {
  std::string name = DBSEQUENCE(fileio::WithTrailingSeparator(scanFolder) + "QORTWAIN.CPT", "TWN00000", 1);
  if (name.empty()) return {};
  return fileio::WithTrailingSeparator(scanFolder) + name + ".jpg";
}

int StripFirstAfter(int command, int first, int count) {
  constexpr int kFrames = 4;
  switch (command) {
    case 1:
      return first > 0 ? 0 : -1;
    case 2:
      return first > 0 ? first - 1 : -1;
    case 5:
      return first + kFrames < count ? first + 1 : -1;
    case 6:
      return count > kFrames && first + kFrames < count ? count - kFrames : -1;
    default:
      return -1;
  }
}

int PictureUnderFrame(int first, int frame, int count) {
  if (count <= 0) return -1;
  return std::clamp(first + frame, 0, count - 1);
}

bool IsSourceDialog(const TopWindow& window, std::string_view knownCaptions) {
  if (window.ownWindow) return false;
  std::string text = fileio::ToUpper(fileio::Trim(window.text));
  if (text.empty()) return false;
  if (window.childOfMain) return true;
  for (const std::string& caption : fileio::SplitFields(knownCaptions, '|'))
    if (!caption.empty() && fileio::ToUpper(caption) == text) return true;
  return false;
}

}  // namespace grilton
