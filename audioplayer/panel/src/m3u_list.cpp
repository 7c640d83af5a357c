#include "jorvel/m3u_list.h"

#include "fileio/file.h"
#include "fileio/paths.h"
#include "skin/sk_text.h"

namespace jorvel {

namespace {

bool IsNetworkPath(const std::string& path) { return path.size() > 1 && path[0] == '\\' && path[1] == '\\'; }
bool HasDrive(const std::string& path) { return path.size() > 1 && path[1] == ':'; }

// "C:" of a drive path; "\\server\share" of a network path.
std::string RootOf(const std::string& path) {
  if (!IsNetworkPath(path)) return path.substr(0, 2);
  size_t server = path.find('\\', 2);
  if (server == std::string::npos) return path;
  size_t share = path.find('\\', server + 1);
  return share == std::string::npos ? path : path.substr(0, share);
}

std::string CompletedLine(const std::string& line, const std::string& root, const std::string& folder) {
  if (line.size() < 2 || HasDrive(line) || IsNetworkPath(line) || line.find("://") != std::string::npos)
    return line;
  if (line.find('\\') == std::string::npos) return folder + line;
  return root + (line[0] == '\\' ? "" : "\\") + line;
}

}  // namespace

std::string M3uItems(const std::string& text, const std::string& listPath) {
  const std::string root = RootOf(listPath);
  const std::string folder = fileio::FolderOf(listPath);
  std::string list;
  for (const auto& raw : SplitLines(text)) {
    std::string line = fileio::Trim(raw);
    if (line.empty() || line[0] == '#') continue;
    if (!list.empty()) list += '|';
    list += CompletedLine(line, root, folder);
  }
  return list;
}

std::string PlayListPath(const std::string& path, const std::string& programFolder) {
  if (HasDrive(path) || IsNetworkPath(path)) return path;
#ifndef _WIN32
  // The native build's own paths are whole from their "/".
  if (!path.empty() && path[0] == '/') return path;
#endif
  std::string full = programFolder.substr(0, 3) + path;
  std::string collapsed;
  for (char c : full)
    if (!(c == '\\' && !collapsed.empty() && collapsed.back() == '\\')) collapsed += c;
  return collapsed;
}

bool READPLAYLIST(const std::string& path, const std::string& programFolder, std::string& playList) {
  std::string full = PlayListPath(path, programFolder);
  std::string text;
  if (fileio::IsDirectory(full) || fileio::ReadWholeFile(full, text) != fileio::kOk) return false;
  playList = M3uItems(text, full);
  return true;
}

}  // namespace jorvel
