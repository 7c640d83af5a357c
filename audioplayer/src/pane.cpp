#include "pane.h"

#include <shlobj.h>

#include "jorvel/player_texts.h"
#include "skin/sk_files.h"
#include "skin/sk_shell.h"
#include "state.h"

namespace jorvel {

void BUILDPLAYER(int mode) {
  Jorvel& p = App();
  if (p.pane && IsWindow(p.pane)) {
    RECT r{};
    GetWindowRect(p.pane, &r);
    p.settings.paneLeft = r.left;
    p.settings.paneTop = r.top;
    DestroyWindow(p.pane);
  }
  p.pane = nullptr;
  p.marquee = nullptr;
  p.animation = nullptr;
  p.paneMode = mode;
  p.pane = BUILDPANES(mode);
}

HWND BUILDPANES(int) {
  // The skins bring no pane description yet (the skin string "POPUPPANE"): there is no pane.
  return nullptr;
}

HWND CommandWindow() {
  Jorvel& p = App();
  return p.pane && IsWindow(p.pane) ? p.pane : p.frame;
}

std::string GETCONFIGFOLDER() {
  Jorvel& p = App();
  if (!p.configFolder.empty()) return p.configFolder;
  std::string folder = ConfigFolderOf(Ui(81), p.programFolder, SKGETSPECIALFOLDER(CSIDL_PERSONAL));
  if (folder.empty() || SKMAKEDIR(folder) != 0) folder = p.programFolder;
  p.configFolder = folder;
  return folder;
}

}  // namespace jorvel
