#include "kelmor/file_listing.h"

#include <unordered_map>
#include <unordered_set>

#include "fileio/paths.h"
#include "pick/pick_filters.h"
#include "skin/sk_text.h"

namespace kelmor {

namespace {

std::string StripBars(const std::string& text) {
  size_t first = text.find_first_not_of('|');
  if (first == std::string::npos) return {};
  size_t last = text.find_last_not_of('|');
  return text.substr(first, last - first + 1);
}

// "*.*" and "*" match every name, also one without a dot, as a folder search does.
bool MatchesSearch(const std::string& pattern, const std::string& name) {
  if (pattern.empty() || pattern == "*.*" || pattern == "*") return true;
  return fileio::WildcardMatch(pattern, name);
}

}  // namespace

std::string PatternListFromFilter(const std::string& filter) {
  if (filter.find(';') == std::string::npos) return {};
  std::string list = SKLCASE(filter);
  for (char& c : list)
    if (c == ';') c = '|';
  list = StripBars(list);
  return list.empty() ? std::string() : list + "|";
}

FileListRule MakeFileListRule(const std::string& filter, const std::string& pickFilterList,
                              const std::string& useFilter) {
  FileListRule rule;
  rule.patternList = PatternListFromFilter(filter);
  if (rule.patternList.empty()) {
    rule.searchPattern = fileio::Trim(filter).empty() ? "*.*" : fileio::Trim(filter);
    rule.patternList = SKLCASE(useFilter);
  } else {
    rule.searchPattern = "*.*";
  }
  rule.excludeList = SKLCASE(pickFilterList);
  return rule;
}

std::string ListExtensionKey(const std::string& name) {
  size_t dot = name.rfind('.');
  if (dot == std::string::npos) return {};
  return SKLCASE(name.substr(dot)) + "|";
}

bool FileListed(const std::string& name, uint32_t attributes, const FileListRule& rule) {
  if (name.empty() || name[0] == '.') return false;
  if (!pick::AttributesAccepted(attributes)) return false;
  if (!MatchesSearch(rule.searchPattern, name)) return false;
  std::string key = ListExtensionKey(name);
  if (!rule.patternList.empty()) return !key.empty() && rule.patternList.find(key) != std::string::npos;
  if (key.empty() || rule.excludeList.empty()) return true;
  return rule.excludeList.find(key) == std::string::npos;
}

std::string FileListEntry(const std::string& name) { return " " + SKLCASE(name); }

std::string EntryFileName(const std::string& entry) {
  size_t first = entry.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : entry.substr(first);
}

std::string CurrentFolderText(const std::string& folder) {
  size_t end = folder.find_last_not_of("\\/");
  if (end == std::string::npos) return {};
  return folder.substr(0, end + 1) + "\\";
}

bool SameFolder(const std::string& a, const std::string& b) {
  return SKUCASE(CurrentFolderText(a)) == SKUCASE(CurrentFolderText(b));
}

std::string PLURALS(int64_t number, const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size();) {
    if (text.compare(i, 3, "(s)") == 0) {
      if (number >= 2) out += 's';
      i += 3;
    } else {
      out += text[i++];
    }
  }
  return out;
}

std::string FileListStatus(int64_t count, const std::string& uiEntry4, const std::string& folder) {
  size_t first = folder.find_first_not_of('\\');
  size_t last = folder.find_last_not_of('\\');
  std::string shown = first == std::string::npos ? std::string() : folder.substr(first, last - first + 1);
  return std::to_string(count) + PLURALS(count, uiEntry4) + shown;
}

std::string HoverText(const std::string& entry, const PictureDetails& d, const std::string& uiEntry57,
                      const std::string& uiEntry58, const std::string& uiEntry90) {
  std::string text = SKUCASE(EntryFileName(entry)) + "  " + std::to_string(d.width) + " x " +
                     std::to_string(d.height) + " (" + std::to_string(d.depth) + uiEntry57 +
                     SKLONGFORMAT(d.fileSize) + uiEntry58;
  if (d.layered) text += " " + uiEntry90;
  return text;
}

RefreshPlan PlanRefresh(const std::vector<std::string>& listed, const std::vector<FoundFile>& found,
                        uint64_t lastFillTime) {
  RefreshPlan plan;
  std::unordered_map<std::string, uint64_t> now;
  now.reserve(found.size());
  for (const FoundFile& f : found) now.emplace(f.entry, f.writeTime);
  std::unordered_set<std::string> shown(listed.begin(), listed.end());
  for (const std::string& entry : listed) {
    auto it = now.find(entry);
    if (it == now.end()) plan.removed.push_back(entry);
    else if (it->second > lastFillTime) plan.stale.push_back(entry);
  }
  for (const FoundFile& f : found)
    if (!shown.count(f.entry)) {
      plan.added.push_back(f.entry);
      shown.insert(f.entry);  // a name found twice is added once
    }
  return plan;
}

}  // namespace kelmor
