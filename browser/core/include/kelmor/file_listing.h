// Which files the media browser's file list shows for a folder and a file-type filter, how
// a refresh after a change in the folder differs from the list, and the texts around the
// list (status line, hover text). Portable: the folder's entries come in from the caller.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace kelmor {

// The rule of one fill: what the folder is searched with and which names pass.
struct FileListRule {
  std::string searchPattern;  // "*.*" for a list of patterns, else the filter itself
  std::string patternList;    // lower case, "|" after each item ("*.jpg|*.gif|" or ".jpg|.png|"); "" for none
  std::string excludeList;    // lower case: the pick library's list of extensions to leave out
};

// The pattern list of a filter that holds ";": lower case, every ";" a "|", "|" stripped at
// both ends and one "|" appended ("*.JPG;*.gif" -> "*.jpg|*.gif|"); "" for any other filter.
std::string PatternListFromFilter(const std::string& filter);

// The rule for a filter: several patterns give their own pattern list and a search with
// "*.*"; a single pattern is searched for and takes the pick library's extension list
// (useFilter, "" when none is set). The pick library's filter list leaves extensions out.
FileListRule MakeFileListRule(const std::string& filter, const std::string& pickFilterList,
                              const std::string& useFilter);

// The key a name is looked up with: its extension from the last "." on, lower case, followed
// by "|" ("A.b.JPG" -> ".jpg|"); "" for a name without ".".
std::string ListExtensionKey(const std::string& name);

// Whether a folder entry is listed: no names that begin with ".", files only (no folders,
// hidden, system or device entries), matching the search pattern; with a pattern list the
// extension must be in it (a name without "." is then never listed), without one it must
// not be in the exclude list.
bool FileListed(const std::string& name, uint32_t attributes, const FileListRule& rule);

// The list entry of a file: one blank and the name in lower case.
std::string FileListEntry(const std::string& name);
// The file name of a list entry: the entry without its leading blanks.
std::string EntryFileName(const std::string& entry);

// A folder with any trailing "\" removed and exactly one appended ("" stays "").
std::string CurrentFolderText(const std::string& folder);
// Two folders are the same one: compared upper-cased, trailing separators aside.
bool SameFolder(const std::string& a, const std::string& b);

// For a number below 2 every "(s)" of the text is removed, otherwise each becomes "s".
std::string PLURALS(int64_t number, const std::string& text);
// The status line after the list changed: the count, UI entry 4 in the right form, and the
// folder without its leading and trailing backslashes ("3 files in c:\pics").
std::string FileListStatus(int64_t count, const std::string& uiEntry4, const std::string& folder);

// One made thumbnail's details, as the hover text shows them.
struct PictureDetails {
  int width = 0;
  int height = 0;
  int colours = 0;
  int64_t fileSize = 0;
  int depth = 0;     // bits per pixel
  bool layered = false;  // a layered picture file belongs to the picture
};
// "NAME.JPG  640 x 480 (24" + UI 57 + "12,345" + UI 58 [+ " " + UI 90 for a layered picture].
std::string HoverText(const std::string& entry, const PictureDetails& details, const std::string& uiEntry57,
                      const std::string& uiEntry58, const std::string& uiEntry90);

// ---- Refresh after a change in the folder --------------------------------------------------

// A file the folder holds now and the list would show: its entry text and last write time.
struct FoundFile {
  std::string entry;
  uint64_t writeTime = 0;  // any monotonic clock the caller also uses for the last fill time
};

struct RefreshPlan {
  std::vector<std::string> removed;  // entries whose files are gone
  std::vector<std::string> added;    // entries of new files, in the order found
  std::vector<std::string> stale;    // listed entries written after the last fill: their thumbnails go
  bool Empty() const { return removed.empty() && added.empty() && stale.empty(); }
};

// What a refresh changes: listed holds the list's entries, found what the folder holds now.
RefreshPlan PlanRefresh(const std::vector<std::string>& listed, const std::vector<FoundFile>& found,
                        uint64_t lastFillTime);

}  // namespace kelmor
