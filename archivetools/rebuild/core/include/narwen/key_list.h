// The item names of a library's index, as the pick dialog lists them for the item commands.
#pragma once
#include <string>
#include <vector>

namespace narwen {

inline constexpr size_t kMaxListedKeys = 32768;

// The first `limit` names of the index in key order, trailing blanks (and NUL bytes, read
// as blanks) taken off. 2 when the index is missing: the caller lists the folder instead.
int ReadLibraryKeys(const std::string& indexPath, std::vector<std::string>& keys, size_t limit = kMaxListedKeys);

}  // namespace narwen
