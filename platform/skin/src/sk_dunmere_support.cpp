// The slide show maker's Windows skin engine functions: free disk space, track bar
// positions and the panel placement query.
#include <windows.h>
#include <commctrl.h>

#include "fileio/file.h"
#include "fileio/paths.h"
#include "skin/sk_dunmere.h"

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

void SKSETTRACKPOS(HWND trackBar, int position) {
  if (trackBar && int(SendMessageA(trackBar, TBM_GETPOS, 0, 0)) != position)
    SendMessageA(trackBar, TBM_SETPOS, TRUE, position);
}

int SKGETTRACKPOS(HWND trackBar) { return trackBar ? int(SendMessageA(trackBar, TBM_GETPOS, 0, 0)) : 0; }

int SKPANELCHILDXY(HWND panel, int x, int y) {
  if (!panel || !IsWindow(panel)) return 0;
  RECT r;
  GetClientRect(panel, &r);
  POINT p{x, y};
  return PtInRect(&r, p) ? 1 : 0;
}
