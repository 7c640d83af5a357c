// The pick dialog's filter rules: the filter list of the filter box, the include and exclude
// lists of the file list, and the normal forms the library keeps them in. Portable.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace pick {

// One entry of the filter box: the name it shows and its patterns ("*.jpg;*.png").
struct FilterEntry {
  std::string name;
  std::string patterns;
};

// Reads a filter list "name|patterns|name|patterns...". A last name without patterns is
// taken as its own pattern list, so that a bare "*.bmp" still gives one usable entry;
// empty names with empty patterns are skipped.
std::vector<FilterEntry> ParseFilterList(const std::string& text);

// The filter box's tip: the patterns without "*." and with ", " between them
// ("*.jpg;*.png" -> "jpg, png").
std::string FilterTip(const std::string& patterns);

// True when the pattern text holds more than one pattern (separated by ";").
bool HoldsSeveralPatterns(const std::string& patterns);

// The include list of a pattern text that holds several patterns: upper-cased, one "|"
// after each pattern ("*.jpg;*.PNG" -> "*.JPG|*.PNG|").
std::string IncludeListFromPatterns(const std::string& patterns);

// The filter list as the library keeps it: without trailing "|" and with exactly one
// "|" added; an empty text stays empty.
std::string NormalFilterList(const std::string& text);

// The extension filter as the library keeps it: ".JPG.PNG." -> ".JPG|.PNG|" (each
// extension with its dot, followed by "|"); an empty text stays empty.
std::string NormalExtensionFilter(const std::string& text);

// The key a file name is looked up with: its upper-cased extension from the last "."
// on, followed by "|" ("a.b.jpg" -> ".JPG|"); "" for a name without ".".
std::string ExtensionKey(const std::string& name);

// Whether a file name is listed. With a non-empty include list the name is listed
// exactly when the list holds its key; otherwise it is listed unless the exclude list
// holds its key. A name without "." is listed only when the include list is empty. Both
// lists are compared without regard to letter case.
bool NameAccepted(const std::string& name, const std::string& includeList, const std::string& excludeList);

// Whether a folder entry with these Windows attribute bits is a file the list shows:
// no folders, hidden, system or temporary files, devices, nor files held offline (in
// remote storage, recalled when read). Read-only, archive, compressed, encrypted and
// not-indexed files are shown.
bool AttributesAccepted(uint32_t attributes);

}  // namespace pick
