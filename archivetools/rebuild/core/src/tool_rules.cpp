#include "narwen/tool_rules.h"

#include "fileio/item_list.h"
#include "fileio/paths.h"

namespace narwen {

int ItemOperation(int command) {
  switch (command) {
    case kCmdCopyItemsOut:
      return 2;
    case kCmdRemoveItems:
      return 3;
    case kCmdCheckItems:
      return 4;
    default:
      return 0;
  }
}

std::string StatusLine(const std::string& entry3, bool enoughSpace, const std::string& library) {
  std::string line = entry3 + " [" + (enoughSpace ? "1" : "2") + "]";
  if (!library.empty()) line += " " + fileio::NameOf(library);
  return line;
}

std::string LibraryPickPath(const std::string& folder, const std::string& prefix) {
  return fileio::WithTrailingSeparator(folder) + prefix + "*.B*";
}

std::vector<std::string> PickedKeys(const std::string& result) {
  std::vector<std::string> keys;
  const int count = fileio::ItemCount(result);
  for (int i = 1; i <= count; ++i) {
    const std::string item = fileio::ItemAt(result, i);
    const size_t slash = item.find_last_of("\\/");
    std::string key = slash == std::string::npos ? item : item.substr(slash + 1);
    if (!fileio::Trim(key).empty()) keys.push_back(key);
  }
  return keys;
}

std::string ItemFileName(const std::string& key) {
  const size_t dot = key.rfind('.');
  if (dot == std::string::npos) return fileio::Trim(key);
  const std::string ext = fileio::Trim(key.substr(dot + 1));
  return fileio::Trim(key.substr(0, dot)) + (ext.empty() ? "" : "." + ext);
}

std::string ItemFailure(const std::string& item, const std::string& codeText) { return item + "|" + codeText; }

}  // namespace narwen
