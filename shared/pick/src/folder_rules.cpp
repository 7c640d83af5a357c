#include "pick/folder_rules.h"

#include "fileio/paths.h"

namespace pick {

bool IsNetworkPath(const std::string& path) { return path.find("\\\\") != std::string::npos; }

std::string NormalFolderPath(const std::string& path) {
  std::string p = path;
  for (char& c : p)
    if (c == '/') c = '\\';
  if (p.size() < 2 || p[1] != ':') return {};
  char drive = p[0];
  if (!((drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z'))) return {};
  if (p.size() == 2) return p + "\\";
  if (p[2] != '\\') return {};
  while (p.size() > 3 && p.back() == '\\') p.pop_back();
  return p;
}

bool FolderChain(const std::string& rootPath, const std::string& path, std::vector<std::string>& chain) {
  chain.clear();
  if (IsNetworkPath(path) || IsNetworkPath(rootPath)) return false;
  std::string target = NormalFolderPath(path);
  if (target.empty()) return false;
  // Every folder from the drive root down.
  std::vector<std::string> folders{target.substr(0, 3)};
  size_t start = 3;
  while (start < target.size()) {
    size_t end = target.find('\\', start);
    if (end == std::string::npos) end = target.size();
    std::string part = target.substr(start, end - start);
    if (part.empty() || part == "." || part == "..") return false;
    folders.push_back(target.substr(0, end));
    start = end + 1;
  }
  if (rootPath.empty()) {
    chain.push_back("");
    chain.insert(chain.end(), folders.begin(), folders.end());
    return true;
  }
  std::string root = NormalFolderPath(rootPath);
  if (root.empty()) return false;
  for (size_t i = 0; i < folders.size(); ++i) {
    if (fileio::EqualsNoCase(folders[i], root)) {
      chain.assign(folders.begin() + long(i), folders.end());
      return true;
    }
  }
  return false;
}

AutoScroll DecideAutoScroll(bool hasRange, int left, int top, int right, int bottom, int x, int y, int zoneHeight) {
  AutoScroll s;
  if (!hasRange) {
    s.action = AutoScroll::kStop;
    return s;
  }
  bool insideX = x >= left && x < right;
  bool insideY = y >= top && y < bottom;
  if (insideX && insideY) {
    if (y < top + zoneHeight) {
      s = {AutoScroll::kRun, 0, kSlowScrollPeriod};
    } else if (y >= bottom - zoneHeight) {
      s = {AutoScroll::kRun, 1, kSlowScrollPeriod};
    } else {
      s.action = AutoScroll::kStop;
    }
  } else if (y < top) {
    s = {AutoScroll::kRun, 0, kFastScrollPeriod};
  } else if (y >= bottom) {
    s = {AutoScroll::kRun, 1, kFastScrollPeriod};
  }
  return s;
}

}  // namespace pick
