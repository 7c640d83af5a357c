#include "skin/sk_skins.h"

#include <algorithm>

#include "fileio/file.h"
#include "fileio/paths.h"

namespace {

// The first entry of a folder that matches a pattern, by name; "" when none does.
std::string FirstMatch(const std::string& folder, const char* pattern) {
  std::vector<std::string> names;
  for (const auto& e : fileio::ListDirectory(fileio::JoinPath(folder, pattern)))
    if (!e.directory) names.push_back(e.name);
  if (names.empty()) return {};
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return fileio::ToLower(a) < fileio::ToLower(b); });
  return names.front();
}

}  // namespace

std::vector<std::string> SKLISTSKINS(const std::string& programFolder) {
  std::vector<std::string> skins;
  if (programFolder.empty()) return skins;
  for (const auto& e : fileio::ListDirectory(fileio::JoinPath(programFolder, "*"))) {
    if (!e.directory) continue;
    std::string folder = fileio::WithTrailingSeparator(fileio::JoinPath(programFolder, e.name));
    if (FirstMatch(folder, "*.skp").empty()) continue;
    std::string skin = FirstMatch(folder, "*.sks");
    if (!skin.empty()) skins.push_back(folder + skin);
  }
  std::sort(skins.begin(), skins.end(), [](const std::string& a, const std::string& b) {
    return fileio::ToLower(a) < fileio::ToLower(b);
  });
  return skins;
}

std::string FormatSkinList(const std::string& listFolder, const std::string& skinFile) {
  std::string folder = fileio::WithTrailingSeparator(listFolder);
  std::string named = skinFile;
  if (!folder.empty() && skinFile.size() > folder.size() &&
      fileio::EqualsNoCase(std::string_view(skinFile).substr(0, folder.size()), folder)) {
    named = skinFile.substr(folder.size());
  }
  return "# The current skin of the suite, relative to this folder.\r\n" + named + "\r\n";
}

int SKSETSKIN(const std::string& listPath, const std::string& skinFile) {
  if (listPath.empty() || skinFile.empty()) return fileio::kErrInvalidName;
  if (!fileio::Exists(skinFile) || fileio::IsDirectory(skinFile)) return fileio::kErrFileNotFound;
  return fileio::WriteFileReplacing(listPath, FormatSkinList(fileio::FolderOf(listPath), skinFile));
}
