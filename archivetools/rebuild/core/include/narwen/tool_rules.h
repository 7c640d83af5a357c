// The maintenance tool's window rules: its status line, the menu commands' library and
// item picks and what a failure box says.
#pragma once
#include <string>
#include <vector>

namespace narwen {

// Menu commands.
inline constexpr int kCmdCompactLibrary = 101;
inline constexpr int kCmdRebuildIndex = 102;
inline constexpr int kCmdStoreFiles = 201;
inline constexpr int kCmdCopyItemsOut = 202;
inline constexpr int kCmdRemoveItems = 203;
inline constexpr int kCmdCheckItems = 204;

// The command-line job, handed to the window procedure with the path's length and address.
inline constexpr unsigned kMsgCompactJob = 0x0400 + 1;    // WM_USER + 1: mode 0
inline constexpr unsigned kMsgIndexOnlyJob = 0x0400 + 2;  // WM_USER + 2: mode 1

// The library operation (qBtMmLib) of an item command: 2 copy out, 3 remove, 4 check; 0
// for any other command.
int ItemOperation(int command);

// The status line: UI entry 3, " [", 1 for enough disk space or 2 for short of it, "]",
// then the library's file name when there is one.
std::string StatusLine(const std::string& entry3, bool enoughSpace, const std::string& library);

// What the pick dialog lists when a library is picked: the folder's files named
// prefix + "*.B*", never those of the extensions left out.
std::string LibraryPickPath(const std::string& folder, const std::string& prefix);
inline constexpr const char* kLibraryExtensionsLeftOut = ".BAS|.BAK|.BAT|";

// The keys of a pick of the key list: each "|" item's name after its folder; empty items
// are dropped.
std::vector<std::string> PickedKeys(const std::string& result);
// The file an item is copied out to or named by: the key without its padding blanks
// ("AB      .WAV" -> "AB.WAV").
std::string ItemFileName(const std::string& key);

// A failing item's line: the item, "|" and the text of the code.
std::string ItemFailure(const std::string& item, const std::string& codeText);

}  // namespace narwen
