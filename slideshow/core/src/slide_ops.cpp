#include "dunmere/slide_ops.h"

#include <algorithm>
#include <set>

namespace dunmere {

int PageStep(int clientHeight, int rowHeight) { return std::max(1, clientHeight / std::max(1, 10 + rowHeight)); }

std::vector<int> MovedIndices(int count, const std::vector<int>& selected, int step, bool down) {
  if (selected.empty() || step < 1) return {};
  if (!std::is_sorted(selected.begin(), selected.end())) return {};
  if (down ? selected.back() >= count - step : selected.front() < step) return {};
  std::vector<int> out;
  out.reserve(selected.size());
  for (int i : selected) out.push_back(down ? i + step : i - step);
  return out;
}

bool InLastPartialPage(int newIndex, int count, int page) {
  if (page < 1) return false;
  return newIndex + 1 > count / page * page;
}

std::vector<size_t> PasteChoice(const std::vector<std::string>& listPaths, const std::vector<std::string>& held) {
  std::set<std::string> present(listPaths.begin(), listPaths.end());
  std::vector<size_t> out;
  for (size_t i = 0; i < held.size(); ++i)
    if (present.insert(held[i]).second) out.push_back(i);
  return out;
}

std::vector<int> InvertedSelection(int count, const std::vector<int>& selected) {
  if (selected.empty()) return {};
  std::set<int> was(selected.begin(), selected.end());
  std::vector<int> out;
  for (int i = 0; i < count; ++i)
    if (!was.count(i)) out.push_back(i);
  return out;
}

}  // namespace dunmere
