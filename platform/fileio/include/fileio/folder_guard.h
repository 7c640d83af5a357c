// Which folders a program may fill with work files and empty again. One rule for every
// program that clears a folder of its own: never a drive or share root, never the
// Windows, system, program or data folder, nor a folder that holds one of them.
// Portable.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace fileio {

struct ProtectedFolders {
  std::string windowsFolder;
  std::string systemFolder;
  std::string programFolder;
  std::string dataFolder;
  std::vector<std::string> others;  // further folders a program must never empty
};

// True when the folder may be used as a work folder and emptied: it is a full path
// ("C:\..." or "\\server\share\..."), no root, and neither one of the protected folders
// nor above one (compared without regard to letter case, "\" and "/" alike, "." and ".."
// resolved). Empty protected entries are ignored.
bool IsDisposableFolder(std::string_view folder, const ProtectedFolders& protectedFolders);

}  // namespace fileio
