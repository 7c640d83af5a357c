#include "jorvel/command_line.h"

#include "fileio/item_list.h"
#include "fileio/paths.h"

namespace jorvel {

namespace {

constexpr char kProtectedBlank = '\1';

bool ContainsNoCase(const std::string& text, const char* part) {
  return fileio::ToLower(text).find(part) != std::string::npos;
}

}  // namespace

std::string HANDOVERARGS(const std::string& commandLine, bool* several) {
  std::string line = commandLine;
  size_t from = 0;
  for (;;) {
    size_t open = line.find('"', from);
    if (open == std::string::npos) break;
    size_t close = line.find('"', open + 1);
    // An odd quote: the scan ends and the rest stays as it is.
    if (close == std::string::npos) break;
    std::string name = line.substr(open + 1, close - open - 1);
    for (char& c : name)
      if (c == ' ') c = kProtectedBlank;
    line.replace(open, close - open + 1, name);
    from = open + name.size();
  }
  std::string list;
  size_t start = 0;
  while (start <= line.size()) {
    size_t blank = line.find(' ', start);
    std::string name = line.substr(start, blank == std::string::npos ? std::string::npos : blank - start);
    for (char& c : name)
      if (c == kProtectedBlank) c = ' ';
    if (!name.empty()) list += (list.empty() ? "" : "|") + name;
    if (blank == std::string::npos) break;
    start = blank + 1;
  }
  if (several) *several = fileio::ItemCount(list) > 1;
  return list;
}

std::string AddressOf(const std::string& name) {
  if (ContainsNoCase(name, "file://") || ContainsNoCase(name, "http://") || ContainsNoCase(name, "https://") ||
      ContainsNoCase(name, "ftp://"))
    return name;
  return "file://" + name;
}

bool IsInternetAddress(const std::string& item) {
  return ContainsNoCase(item, "http://") || ContainsNoCase(item, "https://") || ContainsNoCase(item, "ftp://");
}

bool IsPlayListName(const std::string& name) {
  return name.size() >= 4 && fileio::ToLower(name.substr(name.size() - 4)) == ".m3u";
}

ListOpening OpenList(const std::string& list,
                     const std::function<bool(const std::string& path, std::string& items)>& readPlayList) {
  ListOpening o;
  const int count = fileio::ItemCount(list);
  for (int n = 1; n <= count; ++n) {
    std::string item = fileio::ItemAt(list, n);
    std::string items;
    if (IsPlayListName(item) && readPlayList && readPlayList(item, items) && !items.empty()) item = items;
    if (!o.playList.empty()) o.playList += '|';
    o.playList += item;
  }
  if (count == 0) return o;
  o.index = 1;
  o.item = fileio::ItemAt(o.playList, 1);
  return o;
}

}  // namespace jorvel
