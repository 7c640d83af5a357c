// The slide show maker's Windows skin engine functions: free disk space, the skinned track
// bar and the panel placement query.
#include <windows.h>
#include <commctrl.h>

#include "engine_internal.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "skin/sk_controls.h"
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

HWND SKTRACKBAR(HWND parent, int x, int y, int width, int height, int id, int minValue, int maxValue) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  skin_engine::EnsureResources();
  HWND w = CreateWindowExA(0, TRACKBAR_CLASSA, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | TBS_HORZ | TBS_NOTICKS, x, y,
                           width, height, parent, reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleA(nullptr),
                           nullptr);
  if (!w) return nullptr;
  SendMessageA(w, TBM_SETRANGEMIN, FALSE, minValue);
  SendMessageA(w, TBM_SETRANGEMAX, TRUE, maxValue);
  SendMessageA(w, TBM_SETPAGESIZE, 0, (maxValue - minValue) / 10 > 0 ? (maxValue - minValue) / 10 : 1);
  const SkinTheme& t = skin_engine::State().theme;
  SKSETCOLOR(w, t.Colour(kSkinWindowBack), t.Colour(kSkinText));
  return w;
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
