#include "hessam/marks.h"

#include <algorithm>

#include "fileio/paths.h"

namespace hessam {
namespace {

bool Contains(const std::vector<std::string>& paths, const std::string& path) {
  return std::any_of(paths.begin(), paths.end(), [&path](const std::string& p) { return fileio::EqualsNoCase(p, path); });
}

std::vector<std::string> Select(const std::vector<std::string>& list, const MarkedPaths& marks, bool marked) {
  std::vector<std::string> out;
  for (const std::string& p : DistinctPaths(list))
    if (marks.Marked(p) == marked) out.push_back(p);
  return out;
}

}  // namespace

bool MarkedPaths::Toggle(const std::string& path) {
  auto it = std::find_if(paths_.begin(), paths_.end(), [&path](const std::string& p) { return fileio::EqualsNoCase(p, path); });
  if (it != paths_.end()) {
    paths_.erase(it);
    return false;
  }
  paths_.push_back(path);
  return true;
}

bool MarkedPaths::Marked(const std::string& path) const { return Contains(paths_, path); }

std::vector<std::string> DistinctPaths(const std::vector<std::string>& list) {
  std::vector<std::string> out;
  for (const std::string& p : list)
    if (!Contains(out, p)) out.push_back(p);
  return out;
}

int MarkedCount(const std::vector<std::string>& list, const MarkedPaths& marks) {
  return int(Select(list, marks, true).size());
}

MarkOutcome PlanAnswer(int answer, const std::vector<std::string>& list, const MarkedPaths& marks) {
  MarkOutcome o;
  std::vector<std::string> marked = Select(list, marks, true), unmarked = Select(list, marks, false);
  switch (answer) {
    case 1:
    case 3:
      o.changesList = true;
      o.newList = answer == 1 ? marked : unmarked;
      break;
    case 2:
      if (unmarked.empty()) break;
      o.changesList = o.asksFirst = true;
      o.newList = marked;
      o.deleted = unmarked;
      break;
    case 4:
      if (marked.empty()) break;
      o.changesList = o.asksFirst = true;
      o.newList = unmarked;
      o.deleted = marked;
      break;
    default:
      break;
  }
  o.warnCount = int(o.deleted.size());
  return o;
}

}  // namespace hessam
