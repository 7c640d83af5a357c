#include "fileio/item_list.h"

#include <algorithm>

namespace fileio {

int ItemCount(std::string_view list) {
  return list.empty() ? 0 : int(std::count(list.begin(), list.end(), '|')) + 1;
}

std::string ItemAt(std::string_view list, int n) {
  if (n < 1 || list.empty()) return std::string();
  size_t from = 0;
  for (int i = 1; i < n; ++i) {
    from = list.find('|', from);
    if (from == std::string_view::npos) return std::string();
    ++from;
  }
  return std::string(list.substr(from, list.find('|', from) - from));
}

std::string TrimBars(std::string_view list) {
  size_t a = list.find_first_not_of('|');
  if (a == std::string_view::npos) return std::string();
  return std::string(list.substr(a, list.find_last_not_of('|') - a + 1));
}

}  // namespace fileio
