#include "pick/pick_filters.h"

#include "fileio/paths.h"

namespace pick {
namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    size_t at = text.find(separator, start);
    parts.push_back(text.substr(start, at == std::string::npos ? std::string::npos : at - start));
    if (at == std::string::npos) return parts;
    start = at + 1;
  }
}

std::string TrimRight(std::string text, const char* characters) {
  size_t end = text.find_last_not_of(characters);
  text.erase(end == std::string::npos ? 0 : end + 1);
  return text;
}

// Runs of "|" collapse into one, so that a list passed in either written form keeps one
// separator between its items.
std::string CollapseBars(const std::string& text) {
  std::string out;
  for (char c : text)
    if (c != '|' || out.empty() || out.back() != '|') out += c;
  return out;
}

}  // namespace

std::vector<FilterEntry> ParseFilterList(const std::string& text) {
  std::vector<FilterEntry> entries;
  if (text.empty()) return entries;
  std::vector<std::string> items = Split(text, '|');
  for (size_t i = 0; i < items.size(); i += 2) {
    FilterEntry e;
    e.name = items[i];
    e.patterns = i + 1 < items.size() ? items[i + 1] : items[i];
    if (e.name.empty() && e.patterns.empty()) continue;
    if (e.patterns.empty()) e.patterns = "*.*";
    entries.push_back(e);
  }
  return entries;
}

std::string FilterTip(const std::string& patterns) {
  std::string out;
  for (size_t i = 0; i < patterns.size(); ++i) {
    if (patterns.compare(i, 2, "*.") == 0) {
      ++i;
    } else if (patterns[i] == ';') {
      out += ", ";
    } else {
      out += patterns[i];
    }
  }
  return out;
}

bool HoldsSeveralPatterns(const std::string& patterns) { return patterns.find(';') != std::string::npos; }

std::string IncludeListFromPatterns(const std::string& patterns) {
  std::string out;
  for (const std::string& p : Split(fileio::ToUpper(patterns), ';')) {
    std::string t = fileio::Trim(p);
    if (!t.empty()) out += t + "|";
  }
  return out;
}

std::string NormalFilterList(const std::string& text) {
  std::string t = TrimRight(text, "|");
  return t.empty() ? std::string() : t + "|";
}

std::string NormalExtensionFilter(const std::string& text) {
  std::string t;
  for (char c : text) {
    if (c == '.') t += "|.";
    else t += c;
  }
  t = CollapseBars(t);
  size_t first = t.find_first_not_of('|');
  t.erase(0, first == std::string::npos ? t.size() : first);
  t = TrimRight(t, "|.");
  return t.empty() ? std::string() : t + "|";
}

std::string ExtensionKey(const std::string& name) {
  size_t dot = name.rfind('.');
  if (dot == std::string::npos) return {};
  return fileio::ToUpper(name.substr(dot)) + "|";
}

bool NameAccepted(const std::string& name, const std::string& includeList, const std::string& excludeList) {
  std::string key = ExtensionKey(name);
  if (!includeList.empty()) return !key.empty() && fileio::ToUpper(includeList).find(key) != std::string::npos;
  if (key.empty()) return true;
  return excludeList.empty() || fileio::ToUpper(excludeList).find(key) == std::string::npos;
}

bool AttributesAccepted(uint32_t attributes) {
  constexpr uint32_t kHidden = 0x2, kSystem = 0x4, kDirectory = 0x10, kDevice = 0x40, kTemporary = 0x100;
  // Files kept in remote storage: reading one (a thumbnail, a detail) recalls it.
  constexpr uint32_t kOffline = 0x1000, kRecallOnOpen = 0x40000, kRecallOnDataAccess = 0x400000;
  constexpr uint32_t kLeftOut =
      kHidden | kSystem | kDirectory | kDevice | kTemporary | kOffline | kRecallOnOpen | kRecallOnDataAccess;
  return (attributes & kLeftOut) == 0;
}

}  // namespace pick
