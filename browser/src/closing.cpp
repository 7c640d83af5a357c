// Closing the media browser: the settings are written from the window's normal position
// and the browser's state, then the message loop ends.
#include "browsersettings.h"
#include "detail_filler.h"
#include "state.h"
#include "watchers.h"
#include "wndproc.h"

namespace kelmor {

namespace {

// The names option of the index sheets: the check mark of command 809 (-1 checked, 0 not).
int NamesOption() {
  BrowserState& b = Browser();
  if (!b.menuBar) return 0;
  UINT state = GetMenuState(b.menuBar, 809, MF_BYCOMMAND);
  return state != UINT(-1) && (state & MF_CHECKED) ? -1 : 0;
}

}  // namespace

void OnSysClose() {
  BrowserState& b = Browser();
  // The worker threads end first: nothing posts to the frame once it is gone.
  StopListInfo();
  STOPWATCH();
  StopDriveWatch();
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(b.frame, &placement);
  const RECT& r = placement.rcNormalPosition;
  int left = r.left, top = r.top, width = r.right - r.left, height = r.bottom - r.top;
  std::string folder = b.currentFolder;
  std::string filter = b.filterChoice;
  int option809 = NamesOption();
  BROWSERSETTINGS(left, top, width, height, folder, filter, option809, 1);
  PostQuitMessage(0);
}

}  // namespace kelmor
