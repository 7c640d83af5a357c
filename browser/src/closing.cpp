#include "closing.h"

#include "detail_filler.h"
#include "kelmor/command_ids.h"
#include "kelmor/startup_values.h"
#include "settings.h"
#include "skin/sk_files.h"
#include "state.h"
#include "watchers.h"
#include "win/window_place.h"

namespace kelmor {

namespace {

// The names option of the index sheets: the check mark of its command (-1 checked, 0 not).
int NamesOption() {
  BrowserState& b = App();
  if (!b.menuBar) return 0;
  UINT state = GetMenuState(b.menuBar, kSheetNamesCommand, MF_BYCOMMAND);
  return state != UINT(-1) && (state & MF_CHECKED) ? -1 : 0;
}

}  // namespace

void OnSysClose() {
  BrowserState& b = App();
  b.closing = true;
  // The worker threads end first: nothing posts to the frame once it is gone.
  StopListInfo();
  STOPWATCH();
  StopDriveWatch();
  RECT r{};
  win::NormalRect(b.frame, r);
  int left = r.left, top = r.top, width = r.right - r.left, height = r.bottom - r.top;
  std::string folder = b.currentFolder;
  std::string filter = b.filterChoice;
  int option809 = NamesOption();
  BROWSERSETTINGS(left, top, width, height, folder, filter, option809, 1);
  PostQuitMessage(0);
}

void RemoveTemporaryFiles() { SKKILLFILE(ConversionPicture(SKGETTEMPPATH(), App().programName)); }

}  // namespace kelmor
