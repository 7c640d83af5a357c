#include "fileio/folder_guard.h"

#include <cctype>

#include "fileio/paths.h"

namespace fileio {

namespace {

// The folder as its parts: the root ("C:" or "\\server\share") first, then each name, upper-
// cased, "." dropped and ".." taking its parent away. Empty when it is no full path.
std::vector<std::string> Parts(std::string_view folder) {
  std::string text = ToUpper(Trim(folder));
  for (char& c : text)
    if (c == '/') c = '\\';
  std::vector<std::string> names;
  size_t at = 0;
  if (text.size() >= 2 && std::isalpha(static_cast<unsigned char>(text[0])) && text[1] == ':') {
    if (text.size() > 2 && text[2] != '\\') return {};
    names.push_back(text.substr(0, 2));
    at = 2;
  } else if (text.rfind("\\\\", 0) == 0) {
    size_t server = text.find('\\', 2);
    if (server == std::string::npos || server == 2) return {};
    size_t share = text.find('\\', server + 1);
    std::string root = text.substr(0, share);
    if (root.size() <= server + 1) return {};
    names.push_back(root);
    at = share == std::string::npos ? text.size() : share;
#ifndef _WIN32
  } else if (text.size() >= 1 && text[0] == '\\' && text.rfind("\\\\", 0) != 0) {
    // The native build's full paths start at the one root "/".
    names.push_back("\\");
    at = 1;
#endif
  } else {
    return {};
  }
  size_t roots = names.size();
  while (at < text.size()) {
    size_t next = text.find('\\', at);
    if (next == std::string::npos) next = text.size();
    std::string name = Trim(text.substr(at, next - at));
    at = next + 1;
    if (name.empty() || name == ".") continue;
    if (name == "..") {
      if (names.size() > roots) names.pop_back();
      continue;
    }
    names.push_back(name);
  }
  return names;
}

// True when `inner` is `outer` or below it.
bool Within(const std::vector<std::string>& inner, const std::vector<std::string>& outer) {
  if (outer.empty() || inner.size() < outer.size()) return false;
  for (size_t i = 0; i < outer.size(); ++i)
    if (inner[i] != outer[i]) return false;
  return true;
}

}  // namespace

bool IsDisposableFolder(std::string_view folder, const ProtectedFolders& protectedFolders) {
  std::vector<std::string> parts = Parts(folder);
  if (parts.size() < 2) return false;  // no full path, or a root
  std::vector<std::string> list = protectedFolders.others;
  list.push_back(protectedFolders.windowsFolder);
  list.push_back(protectedFolders.systemFolder);
  list.push_back(protectedFolders.programFolder);
  list.push_back(protectedFolders.dataFolder);
  for (const std::string& p : list) {
    if (Trim(p).empty()) continue;
    std::vector<std::string> guarded = Parts(p);
    if (guarded.empty()) continue;
    if (Within(guarded, parts)) return false;  // the folder is it, or holds it
  }
  return true;
}

}  // namespace fileio
