// The file types of the file-type box: UI entry 15 is a "|" list of pairs, a label and a
// filter ("Pictures|*.jpg;*.png|..."). Portable.
#pragma once
#include <string>
#include <vector>

namespace kelmor {

struct FileTypes {
  std::vector<std::string> labels;   // as the box shows them: one leading blank
  std::vector<std::string> filters;  // the filter of the entry at the same index
};

// Index of the file type that shows thumbnails (the fifth entry).
inline constexpr int kThumbnailFileType = 4;

FileTypes ParseFileTypes(const std::string& uiEntry15);
// The entry to select for a stored filter text: the entry with that filter; the last entry
// when the text is empty; -1 when no entry has it.
int SelectFileType(const FileTypes& types, const std::string& storedFilter);
// Field n (from 1) of a text split at "|", "" when there is no such field.
std::string BarField(const std::string& text, int n);

}  // namespace kelmor
