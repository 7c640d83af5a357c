#include "settings.h"

#include "fileio/file.h"
#include "skin/skin.h"
#include "state.h"
#include "win/window_place.h"

namespace jorvel {

namespace {

// The media player's pane: the audio player's pane takes its place.
HWND MediaPlayerPane() { return FindWindowA("SKPANE", "qPlayer"); }

void ReadSettings() {
  Jorvel& p = App();
  p.settingsPath = SettingsFileOf(SKGETTEMPPATH(), p.programFile);
  std::string text;
  if (fileio::ReadWholeFile(p.settingsPath, text) != fileio::kOk) text.clear();
  SettingsContext context;
  context.screenWidth = GetSystemMetrics(SM_CXSCREEN);
  context.screenHeight = GetSystemMetrics(SM_CYSCREEN);
  context.programFolder = p.programFolder;
  context.tempFolder = SKGETTEMPPATH();
  context.basePath = p.basePath;
  context.exists = [](const std::string& f) { return fileio::Exists(f) && !fileio::IsDirectory(f); };
  p.settings = ParseAudioSettings(text, context);
  if (HWND pane = MediaPlayerPane()) {
    RECT r{};
    GetWindowRect(pane, &r);
    p.settings.paneLeft = r.left;
    p.settings.paneTop = r.top;
  }
  SKINITENGINE(p.settings.skinFile);
}

void WriteSettings() {
  Jorvel& p = App();
  AudioSettings s = p.settings;
  win::TakeNormalPlace(p.frame, s);
  if (p.pane && IsWindow(p.pane)) {
    RECT r{};
    GetWindowRect(p.pane, &r);
    s.paneLeft = r.left;
    s.paneTop = r.top;
  }
  // Written beside the old file and then put in its place: a failed write keeps it.
  fileio::WriteFileReplacing(p.settingsPath, FormatAudioSettings(s));
}

}  // namespace

void AUDIOSETTINGS(bool write) {
  if (write) WriteSettings();
  else ReadSettings();
}

}  // namespace jorvel
