#include "imaging/side_files.h"

std::string SideFilePath(std::string_view picturePath, std::string_view extension, SideFileNoDot noDot) {
  if (picturePath.empty()) return {};
  size_t nameStart = picturePath.find_last_of("\\/:");
  nameStart = nameStart == std::string_view::npos ? 0 : nameStart + 1;
  if (nameStart >= picturePath.size()) return {};  // a folder, not a file
  if (!extension.empty() && extension.front() == '.') extension.remove_prefix(1);
  size_t dot = picturePath.rfind('.');
  std::string base;
  if (dot == std::string_view::npos || dot < nameStart) {
    if (noDot == SideFileNoDot::kNone) return {};
    base = std::string(picturePath) + ".";
  } else {
    base = std::string(picturePath.substr(0, dot + 1));
  }
  return base + std::string(extension);
}
