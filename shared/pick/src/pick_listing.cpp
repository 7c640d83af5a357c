#include "pick/pick_listing.h"

#include <algorithm>

#include "fileio/paths.h"
#include "pick/pick_filters.h"

namespace pick {

ListingRule MakeListingRule(const std::string& patternInForce, const std::string& keptExtensionFilter,
                            const std::string& keptFilterList) {
  ListingRule rule;
  std::string pattern = fileio::Trim(patternInForce);
  if (pattern.empty()) pattern = "*.*";
  if (HoldsSeveralPatterns(pattern)) {
    rule.includeList = IncludeListFromPatterns(pattern);
    rule.searchPattern = "*.*";
  } else {
    rule.searchPattern = pattern;
    rule.includeList = fileio::ToUpper(keptExtensionFilter);
  }
  rule.excludeList = fileio::ToUpper(keptFilterList);
  return rule;
}

std::vector<ListedName> ListNames(const std::vector<fileio::DirEntry>& entries, const ListingRule& rule, int mode) {
  std::vector<ListedName> out;
  // The system's search also matches short 8.3 names ("*.jpg" finds "a.jpeg" through
  // "A~1.JPG"), so the long name is checked against the pattern again.
  bool everything = rule.searchPattern == "*.*" || rule.searchPattern == "*";
  for (const fileio::DirEntry& e : entries) {
    if (e.name.empty() || e.name[0] == '.') continue;
    if (e.directory || !AttributesAccepted(e.attributes)) continue;
    if (!everything && !fileio::WildcardMatch(rule.searchPattern, e.name)) continue;
    if (!NameAccepted(e.name, rule.includeList, rule.excludeList)) continue;
    ListedName n;
    if (mode == kModeNoExtension) {
      size_t dot = e.name.rfind('.');
      n.shown = e.name.substr(0, dot);
      if (dot != std::string::npos) n.extension = e.name.substr(dot);
    } else {
      n.shown = fileio::ToLower(e.name);
    }
    out.push_back(std::move(n));
  }
  std::stable_sort(out.begin(), out.end(), [](const ListedName& a, const ListedName& b) {
    std::string ua = fileio::ToUpper(a.shown), ub = fileio::ToUpper(b.shown);
    if (ua != ub) return ua < ub;
    if (a.shown != b.shown) return a.shown < b.shown;
    return fileio::ToUpper(a.extension) < fileio::ToUpper(b.extension);
  });
  return out;
}

}  // namespace pick
