// Item lists: one text holding several items (paths, addresses, values) joined by "|"; the
// empty text is the empty list. Portable.
#pragma once
#include <string>
#include <string_view>

namespace fileio {

// The number of items: the "|" fields of a non-empty list ("a|b|" has three); 0 for "".
int ItemCount(std::string_view list);
// Item n (from 1); "" outside the list.
std::string ItemAt(std::string_view list, int n);
// The list without its leading and trailing "|".
std::string TrimBars(std::string_view list);

}  // namespace fileio
