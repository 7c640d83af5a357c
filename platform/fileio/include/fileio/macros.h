// The path macros that stored paths and UI texts may hold; a text is expanded when it is
// read. Portable.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace fileio {

// The program folder's macro, for the writers of files that hold it.
inline constexpr const char* kProgramFolderMacro = "@path@";

// What each macro stands for. A macro without a value stays in the text as it stands, so a
// reader names only the macros its texts may hold ("@rel@" and "@cdrom@" have no value here:
// no program expands them).
struct PathMacros {
  std::optional<std::string> programFolder = std::nullopt;  // "@path@"; in a list file the list's folder
  std::optional<std::string> userFolder = std::nullopt;     // "@user@": the user's documents folder
  std::optional<std::string> windowsFolder = std::nullopt;  // "@win@"
  std::optional<std::string> systemFolder = std::nullopt;   // "@sys@"
  std::optional<std::string> tempFolder = std::nullopt;     // "@temp@" and "@tmp@"
  std::optional<std::string> programTitle = std::nullopt;   // "@prog@" in menu texts
  // Only a macro at the very start of the text counts (the show files' rule); otherwise
  // every one does, wherever it stands.
  bool atStartOnly = false;
};

// The text with every macro, matched in any letter case, replaced by its value as given. A
// value is put in as it is and not searched again.
std::string ExpandPathMacros(std::string_view text, const PathMacros& macros);

}  // namespace fileio
