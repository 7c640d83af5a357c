// The free space of a volume.
#include <windows.h>

#include "fileio/file.h"
#include "fileio/paths.h"
#include "skin/sk_folders.h"

int64_t SKDISKFREE(const std::string& path) {
  std::string folder = fileio::WithoutTrailingSeparator(fileio::Trim(path));
  // The folder may not exist yet: ask its nearest existing parent.
  while (!folder.empty() && !fileio::IsDirectory(folder)) {
    std::string parent = fileio::WithoutTrailingSeparator(fileio::FolderOf(folder));
    if (parent == folder) break;
    folder = parent;
  }
  if (folder.empty()) return -1;
  ULARGE_INTEGER available{}, total{}, free{};
  std::string asked = fileio::WithTrailingSeparator(folder);
  if (!GetDiskFreeSpaceExA(asked.c_str(), &available, &total, &free)) return -1;
  return int64_t(available.QuadPart);
}
