// The settings file: its folder is option field 13 (the temporary folder when empty).
#include "settings.h"

#include "falcet/options.h"
#include "falcet/settings_line.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "jorvel/pane.h"
#include "skin/skin.h"
#include "state.h"
#include "win/window_place.h"

namespace falcet {

namespace {

// The audio pane of the player's panel (a window of class "SKPANE" named "qAudio").
HWND AudioPane() { return FindWindowA("SKPANE", "qAudio"); }

}  // namespace

void ReadSettings() {
  Player& p = App();
  std::string folder = SettingsFolder(OptionText(p.options, kOptSettingsFolder), p.programFolder, SKWINDIR(),
                                      SKSYSDIR(), SKGETTEMPPATH());
  p.settingsPath = folder + p.programName + ".cfg";
  std::string text;
  if (fileio::ReadWholeFile(p.settingsPath, text) != fileio::kOk) text.clear();
  p.settings = ParseSettings(text, p.programFolder, SKGETTEMPPATH(), IsExistingFile);
  if (HWND pane = AudioPane()) {
    RECT r;
    GetWindowRect(pane, &r);
    p.settings.paneLeft = r.left;
    p.settings.paneTop = r.top;
  }
  // Without a skin of its own the player takes the suite's skin list beside it (a missing
  // one gives the engine's built-in skin).
  SKINITENGINE(p.settings.skinFile.empty() ? p.programFolder + "tolvern.skl" : p.settings.skinFile);
  jorvel::LoadPaneDescription(p.programFolder);
  p.paneLeft = p.settings.paneLeft;
  p.paneTop = p.settings.paneTop;
}

void WriteSettings() {
  Player& p = App();
  // A recording sizes the window for the video, full screen for the screen: neither is the
  // user's own size. Record mode counts from the start (SSL2AVI) and from code 20, also
  // when the recording itself never began.
  if (p.recordMode || p.recorderMode != 0 || Option(kOptFullScreen) != 0 || !p.frame) return;
  PlayerSettings s = p.settings;
  if (!win::TakeNormalPlace(p.frame, s)) return;
  HWND pane = jorvel::PaneWindow();
  if (!pane) pane = AudioPane();
  if (Option(kOptPaneLayout) != 0 && pane) {
    RECT pr;
    GetWindowRect(pane, &pr);
    s.paneLeft = pr.left;
    s.paneTop = pr.top;
  }
  s.sizeItem = p.sizeItem;
  // The frame's pin button may have changed it meanwhile: the window itself tells.
  s.topMost = (GetWindowLongPtrA(p.frame, GWL_EXSTYLE) & WS_EX_TOPMOST) ? -1 : 0;
  // Written beside the old file and then put in its place: a failed write keeps it.
  fileio::WriteFileReplacing(p.settingsPath, FormatSettings(s));
}

}  // namespace falcet
