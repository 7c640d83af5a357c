// The control bars on the player's pane ("qPlayer", the audio player's pane code): built
// for the kind of the current item, docked to a corner of the main window when option
// field 5 says so; the layout of the client panel (the web panel, the picture area, the
// video fitted by the window size item) and the compact form while no video shows.
#include "bars.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "boxes.h"
#include "commands.h"
#include "falcet/bar_rules.h"
#include "falcet/options.h"
#include "fileio/paths.h"
#include "items.h"
#include "jorvel/marquee.h"
#include "jorvel/mixer_volume.h"
#include "jorvel/pane.h"
#include "mainwindow.h"
#include "media.h"
#include "pictures.h"
#include "skin/sk_controls.h"
#include "skin/sk_draw.h"
#include "skin/sk_menu.h"
#include "skin/sk_text.h"
#include "skin/skin.h"
#include "state.h"
#include "web.h"
#include "wndproc.h"

namespace falcet {

namespace {

// The ids DESTROYCONTROLS removes, in its order.
constexpr int kBarControlIds[] = {53, 54, 55, 56, 57, 67, 68, 61, 62, 72, 69, 64, 70, 65, 66,
                                  77, 76, 73, 51, 52, 74, 63, 71, 78, 48, 49, 50};

// Field n of a "|" entry.
std::string TipText(int entry, int field) {
  if (field <= 0) return Ui(entry);
  std::vector<std::string> parts;
  SKSPLITS(Ui(entry), "|", parts);
  return size_t(field) <= parts.size() ? parts[size_t(field) - 1] : std::string();
}

bool TopMost() {
  Player& p = App();
  return p.frame && (GetWindowLongPtrA(p.frame, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

// The main window (and the pane and the tips) on top again.
void KeepOnTop() {
  Player& p = App();
  if (!TopMost()) return;
  SetWindowPos(p.frame, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (HWND pane = jorvel::PaneWindow())
    SetWindowPos(pane, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void OnDropped(const std::vector<std::string>& files) {
  Player& p = App();
  std::string list;
  for (const std::string& f : files) list += (list.empty() ? "" : "|") + f;
  if (list.empty()) return;
  p.timeList.clear();
  OpenList(list, false);
}

jorvel::PaneSetup Setup() {
  Player& p = App();
  jorvel::PaneSetup s;
  s.owner = p.frame;
  s.icon = p.icon;
  s.title = jorvel::kPlayerPaneTitle;
  s.left = p.paneLeft;
  s.top = p.paneTop;
  s.command = [](WPARAM wp, LPARAM lp) { return WNDPROC(App().frame, WM_COMMAND, wp, lp); };
  s.dropped = OnDropped;
  s.buttonDoubleClicked = [](bool right) { OnCommand(right ? kEffectsButton : kSpectrumButton, 0); };
  // A docked pane stays at its corner, except over the enlarged view.
  s.draggable = [] { return !PaneDocked(Option(kOptPaneDock)) || App().slideState == 2; };
  s.rightClicked = [] { ShowContextMenu(kPopupWindow); };
  s.spectrum = []() -> HWND { return App().startedSpectrum ? FindWindowA(kClassSpectrum, nullptr) : nullptr; };
  s.warn = [](const std::string& text) { WarningBox(text); };
  s.element = LOADSKINIMAGE;
  return s;
}

void RememberPanePlace() {
  Player& p = App();
  if (HWND pane = jorvel::PaneWindow()) {
    RECT r;
    GetWindowRect(pane, &r);
    p.paneLeft = r.left;
    p.paneTop = r.top;
  }
}

// The volume slider follows the mixer; a mixer at 0 gets the remembered volume (or 50).
void SetUpVolume() {
  Player& p = App();
  std::optional<int> volume = jorvel::GETMIXERVOLUME(p.mixer);
  if (volume == 0) {
    volume = p.mutedVolume ? p.mutedVolume : 50;
    jorvel::SETMIXERVOLUME(p.mixer, *volume);
  }
  // A mixer that cannot be read leaves the slider where it is.
  if (HWND v = Control(kVolumeSlider); v && volume) SendMessageA(v, TBM_SETPOS, TRUE, *volume);
}

// The steps every bar shares before its controls are made. False: no bar for this kind.
bool PrepareBar(int kind, bool resumeAudioPlayer) {
  Player& p = App();
  p.itemKind = kind == kBarSound ? kBarVideo : kind;
  int bits = Option(kOptBars);
  int bit = kind == kBarSound ? kBarVideo : kind;
  if (bits == 0) return false;
  if (!SKINSET(bits, bit)) {
    if (HWND pane = jorvel::PaneWindow()) ShowWindow(pane, SW_HIDE);
    return false;
  }
  p.barKind = kind;
  DESTROYCONTROLS();
  RememberPanePlace();
  if (resumeAudioPlayer) ResumeAudioPlayer();
  return jorvel::BUILDPANES(PaneModeOf(kind), Setup()) != nullptr;
}

// The check button (repeat): at its element's place only when the element has a picture,
// measured by its tip in the default font. With option field 22 off the tip is its caption
// beside the box; with it on the box stands alone and the tip is its tool tip.
HWND CreateCheckButton(int id, int style, const std::string& tip, int show) {
  HWND pane = jorvel::PaneWindow();
  if (!pane) return nullptr;
  if (HWND existing = GetDlgItem(pane, id)) {
    ShowWindow(existing, show);
    return existing;
  }
  int x = 0, y = 0;
  win::Bitmap element(LOADSKINIMAGE(id, x, y, style));
  if (!element) x = y = 0;
  int textWidth = 0, textHeight = 0;
  SKGETTEXTEXTENT(SKDEFAULTFONT(), tip.empty() ? " " : tip, textWidth, textHeight);
  bool captioned = Option(kOptPaneLayout) == 0;
  int width = captioned ? textHeight + textWidth + 2 : textHeight + 2;
  HWND check = SKCHECKBUTTON(pane, captioned ? tip : "", x, y, width, textHeight, id, SKDEFAULTFONT());
  if (!check) return nullptr;
  ShowWindow(check, show);
  if (!captioned && !tip.empty()) SKBUTTONTIP(check, tip);
  return check;
}

// CREATEPLAYERCONTROL: one control of the bar on the pane, into the control table.
void CREATEPLAYERCONTROL(const BarControl& c, int barStyle) {
  Player& p = App();
  std::string tip = TipText(c.tip, c.tipField);
  int style = c.style ? c.style : barStyle, show = c.shown ? SW_SHOW : SW_HIDE;
  HWND w = c.kind == kCheckButton ? CreateCheckButton(c.id, style, tip, show)
                                  : jorvel::CREATEPLAYERCONTROLS(c.kind, style, c.id, tip, show);
  if (w) p.controls[size_t(c.id)] = w;
}

void CreateControls(int kind) {
  Player& p = App();
  // Controls are made while the skin engine runs messages: a second build waits its turn.
  if (p.buildingBar) return;
  p.buildingBar = true;
  for (const BarControl& c : BarPlan(kind)) {
    if (c.id == 0) {
      SetUpVolume();  // the volume step, where the bar's order puts it
      continue;
    }
    if (c.id >= kIndexPage1 && c.id <= kIndexPage3 && UiField(51 + c.id - kIndexPage1, 3).empty()) continue;
    if (c.id == kHelpButton && UiField(90, 3).empty()) continue;
    if (c.id == kSnapshotButton && !HasFileSource()) continue;
    CREATEPLAYERCONTROL(c, BarStyle(kind));
  }
  if (HWND pane = jorvel::PaneWindow(); pane && !IsWindowVisible(pane)) ShowWindow(pane, SW_SHOWNOACTIVATE);
  KeepOnTop();
  p.buildingBar = false;
  DockPane();
  LAYOUTCONTROLS();
}

// Leaves the compact form: the window back where and as big as it was.
void RestoreFromCompact() {
  Player& p = App();
  if (!p.compact) return;
  p.compact = false;
  p.offScreen = false;
  HWND after = TopMost() ? HWND_TOPMOST : HWND_TOP;
  if (Option(kOptPaneLayout)) {
    SetWindowPos(p.frame, after, p.compactOrigin.x, p.compactOrigin.y, 0, 0, SWP_SHOWWINDOW | SWP_NOSIZE);
  } else {
    const RECT& r = p.compactRect;
    SetWindowPos(p.frame, after, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_SHOWWINDOW);
  }
}

void EnterCompact() {
  Player& p = App();
  CompactForm form = CompactFormFor(Option(kOptFullScreen) != 0, Option(kOptPaneLayout) != 0, Option(kOptPaneDock));
  if (form == CompactForm::kNone || p.compact) return;
  p.compact = true;
  if (form == CompactForm::kShrunk) {
    GetWindowRect(p.frame, &p.compactRect);
    int width = SKXMINI(), height = SKYMINI();
    if (width > 0 && height > 0)
      SetWindowPos(p.frame, nullptr, 0, 0, width, height, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOZORDER);
    KeepOnTop();
    return;
  }
  POINT origin{0, 0};
  ClientToScreen(p.frame, &origin);
  p.compactOrigin = origin;
  if (form == CompactForm::kOffScreen)
    SetWindowPos(p.frame, nullptr, -GetSystemMetrics(SM_CXSCREEN), -GetSystemMetrics(SM_CYSCREEN), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  p.offScreen = true;
}

// Size item 308: the video over the whole screen in the zoom holder, the main window, the
// pane and the taskbar out of the way (the taskbar comes back on every way out).
void EnterEnlargedVideo() {
  Player& p = App();
  bool wasEnlarged = p.videoEnlarged;
  if (!p.hiddenTaskbar) {
    HWND taskbar = FindWindowA("Shell_TrayWnd", "");
    if (taskbar && IsWindowVisible(taskbar)) {
      // Asynchronous: a shell that does not answer keeps no player waiting.
      ShowWindowAsync(taskbar, SW_HIDE);
      p.hiddenTaskbar = taskbar;
    }
  }
  p.videoEnlarged = true;
  int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
  if (!wasEnlarged) {
    if (!p.zoom) CreateZoomHolder();
    ShowWindow(p.frame, SW_HIDE);
    if (HWND pane = jorvel::PaneWindow()) ShowWindow(pane, SW_HIDE);
  }
  if (!p.zoom) return;
  int x = 0, y = 0, width = screenWidth, height = screenHeight;
  if (MenuChecked(kMenuFitVideo) && p.media.videoWidth > 0 && p.media.videoHeight > 0) {
    // A fitted video keeps its shape on a backdrop that covers everything behind it.
    if (p.popup && !wasEnlarged)
      SetWindowPos(p.popup, HWND_BOTTOM, -100, -100, screenWidth + 200, screenHeight + 200, SWP_SHOWWINDOW);
    SKICONISE(p.media.videoWidth, p.media.videoHeight, screenWidth, screenHeight, x, y, width, height);
  } else if (p.popup) {
    ShowWindow(p.popup, SW_HIDE);
  }
  SetWindowPos(p.zoom, HWND_TOPMOST, x, y, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  L_MMSetParentWin(p.media.clip, p.zoom);
}

}  // namespace

void ShowTaskbarAgain() {
  Player& p = App();
  if (p.hiddenTaskbar && IsWindow(p.hiddenTaskbar)) ShowWindowAsync(p.hiddenTaskbar, SW_SHOW);
  p.hiddenTaskbar = nullptr;
}

void LeaveEnlargedVideo() {
  Player& p = App();
  ShowTaskbarAgain();
  if (!p.videoEnlarged) return;
  p.videoEnlarged = false;
  if (p.frame) SetWindowPos(p.frame, nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  if (HWND pane = jorvel::PaneWindow()) ShowWindow(pane, SW_SHOWNOACTIVATE);
  if (p.popup) ShowWindow(p.popup, SW_HIDE);
  // The video goes back to its window before the zoom holder goes.
  if (p.media.clip && p.media.video && p.view) L_MMSetParentWin(p.media.clip, p.view);
  LeaveSlideShow();
}

HWND Control(int id) {
  if (id < kFirstControl || id > kLastControl) return nullptr;
  HWND w = App().controls[size_t(id)];
  return w && IsWindow(w) ? w : nullptr;
}

void SwapControls(int shown, int hidden) {
  if (HWND w = Control(hidden)) ShowWindow(w, SW_HIDE);
  if (HWND w = Control(shown)) ShowWindow(w, SW_SHOW);
}

void EnableControl(int id, bool on) {
  if (HWND w = Control(id)) EnableWindow(w, on ? TRUE : FALSE);
}

bool HasBars() {
  // A description alone is not enough: a skin whose pane pictures are missing gives no pane,
  // and then nobody could press the buttons the show waits for.
  HWND pane = jorvel::PaneWindow();
  return pane && (GetWindowLongPtrA(pane, GWL_STYLE) & WS_VISIBLE);
}

bool ControlVisible(int id) {
  HWND w = Control(id);
  return w && (GetWindowLongPtrA(w, GWL_STYLE) & WS_VISIBLE);
}

void SetSliderPosition(int id, int position) {
  if (HWND w = Control(id))
    if (int(SendMessageA(w, TBM_GETPOS, 0, 0)) != position) SendMessageA(w, TBM_SETPOS, TRUE, position);
}

int SliderPosition(int id) {
  HWND w = Control(id);
  return w ? int(SendMessageA(w, TBM_GETPOS, 0, 0)) : 0;
}

bool RepeatChecked() {
  HWND w = Control(kRepeatButton);
  return w && SKGETCHECK(w) != 0;
}

bool BarShows(int kind) {
  Player& p = App();
  HWND pane = jorvel::PaneWindow();
  return p.barKind == kind && pane && IsWindowVisible(pane);
}

void DESTROYCONTROLS() {
  Player& p = App();
  for (int id : kBarControlIds) jorvel::DESTROYCONTROL(id);
  p.controls.fill(nullptr);
}

void BUILDWEBBAR() {
  if (!PrepareBar(kBarWeb, true)) return;
  StopAttachedSound();
  Player& p = App();
  if (!IsWindowVisible(p.frame)) ShowWindow(p.frame, SW_SHOW);
  CreateControls(kBarWeb);
  WEBZOOMSTATE();
}

void BUILDMEDIABAR(int kind) {
  Player& p = App();
  if (!PrepareBar(kind, false)) return;
  LeaveSlideShow();
  p.mediumKind = kind;
  StopAttachedSound();
  CreateControls(kind);
  if (!HasFileSource()) EnableControl(kOpenButton, false);
  // Only a sound's floating pane carries the marquee (and the level meter) that go with the
  // effects window.
  HWND pane = jorvel::PaneWindow();
  p.marquee = nullptr;
  if (pane && kind == kBarSound && !PaneDocked(Option(kOptPaneDock))) {
    int x = 0, y = 0;
    win::Bitmap strip(LOADSKINIMAGE(jorvel::kMarqueeElement, x, y, kBarVideo));
    p.marquee = jorvel::MARQUEEWIN(pane, strip.Get(), x, y);
  }
  if (!p.marquee) EnableControl(kEffectsButton, false);
}

void BUILDPICTUREBAR() {
  if (!PrepareBar(kBarPicture, true)) return;
  WebPanelGivesWay(kBarPicture);
  CreateControls(kBarPicture);
  EnableControl(kEffectsButton, false);
  EnableControl(kSpectrumButton, false);
  if (!HasFileSource()) EnableControl(kOpenButton, false);
}

HBITMAP LOADSKINIMAGE(int id, int& x, int& y, int style) {
  x = y = 0;
  // Option field 22 off: the skin places the pane's children itself, when it places any
  // (a skin without such places keeps its pane description's).
  if (Option(kOptPaneLayout) == 0 && SkHasPanelChildren())
    return SKPANELCHILDXY(id, x, y, jorvel::STYLEINDEX(std::clamp(style, 1, 128)));
  return jorvel::PANEELEMENT(id, x, y, style);
}

void DockPane() {
  Player& p = App();
  int field = Option(kOptPaneDock);
  HWND pane = jorvel::PaneWindow();
  if (!PaneDocked(field) || !pane || !p.frame) return;
  RECT frame, own;
  GetWindowRect(p.frame, &frame);
  GetWindowRect(pane, &own);
  PanePoint at = DockedPanePlace(field, frame.left, frame.top, frame.right, frame.bottom, own.right - own.left,
                                 own.bottom - own.top);
  if (at.x != own.left || at.y != own.top)
    SetWindowPos(pane, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT ContentArea() {
  Player& p = App();
  RECT r{};
  if (p.clip) GetClientRect(p.clip, &r);
  // The index column that stays beside a medium or a picture stands at the left.
  r.left = std::min(r.right, r.left + IndexColumnBeside());
  return r;
}

void LAYOUTCONTROLS() {
  Player& p = App();
  if (!p.clip) return;
  bool video = p.media.holder == Holder::kClip && p.media.video;
  RECT area = ContentArea();
  int areaWidth = area.right - area.left, areaHeight = area.bottom - area.top;
  if (p.web && IsWindowVisible(p.web)) {
    if (p.indexBeside) MoveWindow(p.web, 0, area.top, area.left, areaHeight, TRUE);
    else MoveWindow(p.web, area.left, area.top, areaWidth, areaHeight, TRUE);
  }
  if (p.pictureArea && IsWindowVisible(p.pictureArea)) {
    MoveWindow(p.pictureArea, area.left, area.top, areaWidth, areaHeight, TRUE);
    UpdatePictureScroll();
    RepaintPicture();
  }
  HWND snapshot = Control(kSnapshotButton);
  if (video && p.sizeItem == kSizeFullScreen) {
    EnterEnlargedVideo();
    return;
  }
  LeaveEnlargedVideo();
  if (video) {
    Fit f = VideoPlacement(p.sizeItem, MenuChecked(kMenuFitVideo), p.media.videoWidth, p.media.videoHeight, area.left,
                           area.top, areaWidth, areaHeight);
    MoveWindow(p.view, f.x, f.y, f.width, f.height, TRUE);
    if (MMSETVIDEO()) {
      if (!IsWindowVisible(p.view)) ShowWindow(p.view, SW_SHOW);
      if (snapshot) {
        EnableWindow(snapshot, TRUE);
        ShowWindow(snapshot, SW_SHOW);
      }
      RestoreFromCompact();
      KeepOnTop();
    }
    return;
  }
  if (p.view && IsWindowVisible(p.view)) ShowWindow(p.view, SW_HIDE);
  if (snapshot) {
    // A medium without a picture: no snapshot, and the window takes its compact form.
    if (IsWindowEnabled(snapshot)) {
      EnableWindow(snapshot, FALSE);
      ShowWindow(snapshot, SW_HIDE);
      EnterCompact();
    }
  } else {
    RestoreFromCompact();
  }
}

void LeaveCompactForm() { RestoreFromCompact(); }

}  // namespace falcet
