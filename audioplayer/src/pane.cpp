#include "pane.h"

#include <shlobj.h>

#include "boxes.h"
#include "imaging/copydata.h"
#include "imaging/suite_classes.h"
#include "jorvel/command_ids.h"
#include "jorvel/marquee.h"
#include "jorvel/mixer_volume.h"
#include "jorvel/pane.h"
#include "jorvel/player_texts.h"
#include "player.h"
#include "skin/sk_controls.h"
#include "skin/sk_files.h"
#include "skin/sk_shell.h"
#include "state.h"
#include "wndproc.h"

namespace jorvel {

namespace {

// The controls of the pane, their kinds and tips (UI entries); hidden ones start hidden.
struct PaneControl {
  int id;
  int kind;
  int tip;
  int style;
};
constexpr PaneControl kPaneControls[] = {
    {kPlayButton, kPaneImageButton, 14, 2},     {kPauseButton, kPaneImageButton, 15, 2},
    {kEffectsButton, kPaneImageButton, 16, 2},  {kSpectrumButton, kPaneImageButton, 17, 2},
    {kPreviousButton, kPaneImageButton, 18, 2}, {kNextButton, kPaneImageButton, 19, 2},
    {kRestartButton, kPaneImageButton, 0, 2},   {kOpenButton, kPaneImageButton, 20, 2},
    {kMuteButton, kPaneImageButton, 24, 2},     {kUnmuteButton, kPaneImageButton, 25, 2},
    {kStopButton, kPaneImageButton, 26, 2},     {kHelpButton, kPaneImageButton, 50, 4},
    {kPositionBar, kPaneTrackBar, 22, 2},       {kVolumeBar, kPaneTrackBar, 23, 2},
    {kRepeatCheck, kPaneCheckButton, 35, 2},
};

void Dropped(const std::vector<std::string>& files) {
  Jorvel& p = App();
  std::string list;
  for (const std::string& file : files) list += (list.empty() ? "" : "|") + file;
  p.playList.Set(list, 1);
  OPENITEM("", p.playList.ItemToOpen(1), 0, 0);
}

PaneSetup Setup() {
  Jorvel& p = App();
  PaneSetup s;
  s.owner = p.frame;
  s.icon = p.icon;
  s.title = kAudioPaneTitle;
  s.left = p.settings.paneLeft;
  s.top = p.settings.paneTop;
  s.command = [](WPARAM wp, LPARAM lp) { return WNDPROC(App().frame, WM_COMMAND, wp, lp); };
  s.dropped = Dropped;
  s.doubleClicked = [] {
    SendMessageA(App().frame, WM_COMMAND, kSpectrumButton, 0);
    SendMessageA(App().frame, WM_COMMAND, kEffectsButton, 0);
  };
  s.spectrum = []() -> HWND { return App().startedSpectrum ? FindWindowA(kClassSpectrum, nullptr) : nullptr; };
  s.moved = [] {
    if (HWND marquee = App().marquee; marquee && IsWindow(marquee)) SendMessageA(marquee, WM_MOVE, 0, 0);
  };
  s.warn = [](const std::string& text) { WARNINGBOX(text); };
  return s;
}

void MakeControls() {
  Jorvel& p = App();
  const PaneDescription& d = CurrentPaneDescription();
  bool playing = p.itemReady && p.medium.IsOpen() && p.medium.ISMEDIAACTIVE() == 1;
  for (const PaneControl& c : kPaneControls) {
    if (!d.Element(c.id, c.style)) continue;
    bool hidden = c.id == (playing ? kPlayButton : kPauseButton) || c.id == kUnmuteButton;
    HWND control = CREATEPLAYERCONTROLS(c.kind, c.style, c.id, c.tip ? Ui(c.tip) : std::string(),
                                        hidden ? SW_HIDE : SW_SHOW);
    if (control && c.id == kRepeatCheck) SKSETCHECK(control, p.repeat ? 1 : 0);
  }
  // A mixer left at 0 (muted, or turned down by another program) would make the new pane
  // play silently: it gets the remembered volume, or 50.
  std::optional<int> volume = p.mixer.VolumeForNewBar();
  if (HWND bar = Control(kVolumeBar); bar && volume) SKSETTRACKPOS(bar, *volume);
  p.animation = CreatePaneAnimation(2);
  if (p.paneMode == kPaneSound) {
    int x = 0, y = 0;
    win::Bitmap strip(PANEELEMENT(kMarqueeElement, x, y, 2));
    if (strip) p.marquee = MARQUEEWIN(p.pane, strip.Get(), x, y);
  }
}

}  // namespace

void BUILDPLAYER(int mode) {
  Jorvel& p = App();
  if (p.pane && IsWindow(p.pane)) {
    RECT r{};
    GetWindowRect(p.pane, &r);
    p.settings.paneLeft = r.left;
    p.settings.paneTop = r.top;
    DESTROYPLAYERCONTROLS();
  }
  if (p.marquee && IsWindow(p.marquee)) DestroyWindow(p.marquee);
  p.pane = nullptr;
  p.marquee = nullptr;
  p.animation = nullptr;
  p.paneMode = mode;
  // Leaving the sound mode closes the spectrum display the player started.
  if (mode != kPaneSound && p.startedSpectrum) {
    if (HWND spectrum = FindWindowA(kClassSpectrum, nullptr)) SENDCOPYDATA(spectrum, kCodeClose, "");
    p.startedSpectrum = false;
  }
  p.pane = BUILDPANES(mode);
  // The mixer's driver takes long to load: the first pane shows before it opens, and its
  // volume bar is the first to need it.
  if (!p.mixerOpened) {
    p.mixer.Open();
    p.mixerOpened = true;
  }
  if (p.pane) MakeControls();
}

HWND BUILDPANES(int mode) {
  Jorvel& p = App();
  if (!LoadPaneDescription(p.programFolder)) return nullptr;
  return jorvel::BUILDPANES(mode, Setup());
}

HBITMAP PaneBitmap(int element) {
  int x = 0, y = 0;
  return PANEELEMENT(element, x, y, 2);
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
