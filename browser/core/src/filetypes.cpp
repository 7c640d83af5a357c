#include "kelmor/filetypes.h"

#include "skin/sk_text.h"

namespace kelmor {

FileTypes ParseFileTypes(const std::string& uiEntry15) {
  FileTypes types;
  if (uiEntry15.empty()) return types;
  std::vector<std::string> fields;
  SKSPLITS(uiEntry15, "|", fields);
  for (size_t i = 0; i + 1 < fields.size(); i += 2) {
    types.labels.push_back(" " + fields[i]);
    types.filters.push_back(fields[i + 1]);
  }
  return types;
}

int SelectFileType(const FileTypes& types, const std::string& storedFilter) {
  if (storedFilter.empty()) return int(types.filters.size()) - 1;
  for (size_t i = 0; i < types.filters.size(); ++i)
    if (types.filters[i] == storedFilter) return int(i);
  return -1;
}

std::string BarField(const std::string& text, int n) {
  std::vector<std::string> fields;
  SKSPLITS(text, "|", fields);
  return n >= 1 && size_t(n) <= fields.size() ? fields[size_t(n - 1)] : std::string();
}

}  // namespace kelmor
