// The shared settings file, work folder and password check.
#include "lumbric/work_folder.h"

#include "db/archive.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "skin/sk_folders.h"

namespace lumbric {

Settings ParseSettings(std::string_view bytes, const Settings& defaults) {
  if (bytes.size() < 8) return defaults;
  Settings s = defaults;
  int16_t* numbers[] = {&s.left, &s.top, &s.width, &s.height};
  for (size_t i = 0; i < 4; ++i) {
    *numbers[i] = int16_t(uint16_t(uint8_t(bytes[2 * i])) | uint16_t(uint8_t(bytes[2 * i + 1]) << 8));
  }
  std::string_view text = bytes.substr(8);
  size_t bar = text.find('|');
  std::string folder(text.substr(0, bar));
  if (!folder.empty()) s.workFolder = folder;
  if (bar != std::string_view::npos && bar + 1 < text.size()) s.thesaurus = std::string(text.substr(bar + 1));
  return s;
}

std::string FormatSettings(const Settings& s) {
  std::string out;
  for (int16_t n : {s.left, s.top, s.width, s.height}) {
    out += char(uint16_t(n) & 0xFF);
    out += char(uint16_t(n) >> 8);
  }
  return out + s.workFolder + "|" + s.thesaurus;
}

std::string DefaultWorkFolder(const std::string& tempFolder, const std::string& programName) {
  return fileio::WithTrailingSeparator(fileio::WithTrailingSeparator(tempFolder) + programName);
}

int KILLALLFILES(const std::string& folder) {
  if (SkIsRootOrRelative(folder)) return fileio::kErrAccessDenied;
  const std::string f = fileio::WithTrailingSeparator(fileio::Trim(folder));
  if (!fileio::IsDirectory(fileio::WithoutTrailingSeparator(f))) return fileio::kErrPathNotFound;
  int first = 0;
  for (const auto& entry : fileio::ListDirectory(f + "*")) {
    if (entry.directory) continue;
    int rc = fileio::RemoveFile(f + entry.name);
    if (first == 0) first = rc;
  }
  return first;
}

int KILLALLFILES(const std::string& folder, const fileio::ProtectedFolders& guarded) {
  if (!fileio::IsDisposableFolder(fileio::Trim(folder), guarded)) return fileio::kErrAccessDenied;
  return KILLALLFILES(folder);
}

int CheckPassword(const std::string& passwordFile, const std::string& typed, bool& matches) {
  std::string password;
  matches = false;
  int rc = db::ReadPasswordFile(passwordFile, password);
  if (rc == 0) matches = typed == password;
  return rc;
}

std::string ConfirmedTitles(const std::vector<std::string>& typed, std::string_view entry) {
  size_t blank = entry.rfind(' ');
  std::string prefix = fileio::Trim(blank == std::string_view::npos ? entry : entry.substr(0, blank)) + " ";
  std::string out;
  for (size_t i = 0; i < typed.size(); ++i) {
    if (i) out += '|';
    std::string title = typed[i];
    if (title.find_first_not_of(' ') == std::string::npos) title = db::DefaultTopicTitle(prefix, int(i + 1));
    out += title;
  }
  return out;
}

}  // namespace lumbric
