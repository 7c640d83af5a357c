// What the pick dialog's file list shows for a folder: the search pattern and the include
// and exclude lists in force, and the listed names with the extensions held apart in
// list mode 2. Portable: the folder's entries come in from the caller.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "fileio/file.h"

namespace pick {

// The list mode in which names are shown without their extension.
constexpr int kModeNoExtension = 2;

struct ListingRule {
  std::string searchPattern;  // what the folder is searched with ("*.*" or the one pattern)
  std::string includeList;    // "" or ".EXT|"-searchable list of patterns or extensions
  std::string excludeList;    // "" or the kept filter list, upper-cased
};

// The rule for a pattern in force: several patterns give an include list of their own and
// a search with "*.*"; a single pattern is searched for and takes the kept extension
// filter as its include list. The kept filter list is the exclude list.
ListingRule MakeListingRule(const std::string& patternInForce, const std::string& keptExtensionFilter,
                            const std::string& keptFilterList);

// One entry of the list: the text shown and, in mode 2, the extension held apart for the
// result (with its dot, as it is on disk). Each entry keeps its own extension, so a folder
// with a.jpg and b.png returns each name with the right one.
struct ListedName {
  std::string shown;
  std::string extension;
};

// The entries of a folder search that the list shows, sorted: files only (see
// AttributesAccepted), no names that begin with ".", names that match the search pattern
// and pass the include and exclude lists; in mode 2 without their extension, in every
// other mode in lower case.
std::vector<ListedName> ListNames(const std::vector<fileio::DirEntry>& entries, const ListingRule& rule, int mode);

}  // namespace pick
