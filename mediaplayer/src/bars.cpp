#include "bars.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "commands.h"
#include "falcet/options.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "items.h"
#include "jorvel/mixer_volume.h"
#include "mainwindow.h"
#include "media.h"
#include "pictures.h"
#include "skin/sk_controls.h"
#include "skin/sk_draw.h"
#include "skin/sk_text.h"
#include "skin/skin.h"
#include "state.h"
#include "web.h"
#include "win/window_class.h"
#include "wndproc.h"

namespace falcet {

namespace {

enum ControlKind { kImageButton = 1, kTrackBar = 2, kCheckButton = 3 };

struct ControlPlan {
  int id;
  int kind;
  int tip;        // UI entry of the tip
  int tipField;   // field of a "|" tip entry (0: the whole entry)
  bool shown;
};

// Where a bar's plan sets the volume slider from the mixer.
constexpr ControlPlan kVolumeStep{0, 0, 0, 0, false};

// Field n of a "|" entry.
std::string TipText(int entry, int field) {
  if (field <= 0) return Ui(entry);
  std::vector<std::string> parts;
  SKSPLITS(Ui(entry), "|", parts);
  return size_t(field) <= parts.size() ? parts[size_t(field) - 1] : std::string();
}

void CreatePlayerControl(const ControlPlan& c) {
  Player& p = App();
  std::string tip = TipText(c.tip, c.tipField);
  HWND w = nullptr;
  switch (c.kind) {
    case kTrackBar:
      w = SKTRACKBAR(p.bar, 0, 0, 0, 0, c.id, 0, 100);
      if (w) SendMessageA(w, TBM_SETPAGESIZE, 0, 10);
      break;
    case kCheckButton:
      w = SKCHECKBUTTON(p.bar, tip, 0, 0, 0, 0, c.id, SKDEFAULTFONT());
      break;
    default:
      w = SKBUT3D(p.bar, tip, 0, 0, 0, 0, c.id);
      break;
  }
  if (!w) return;
  SKBUTTONTIP(w, tip);
  ShowWindow(w, c.shown ? SW_SHOW : SW_HIDE);
  p.controls[size_t(c.id)] = w;
}

LRESULT CALLBACK BarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT answer = SKGETMESSAGE(window, message, wParam, lParam)) return answer;
  switch (message) {
    case WM_COMMAND:
      // The buttons' commands go to the main window procedure.
      return WNDPROC(App().frame, message, wParam, lParam);
    case WM_HSCROLL:
      return WNDPROC(App().frame, message, wParam, lParam);
    case WM_DRAWITEM:
      if (SKDRAWITEM(lParam)) return TRUE;
      break;
    case WM_RBUTTONUP:
      // The bar's context menu: popup 1 (keep the player on top).
      ShowContextMenu(kPopupWindow);
      return 0;
    default:
      break;
  }
  return SkDefaultProc(window, message, wParam, lParam);
}

bool MakeBar() {
  Player& p = App();
  if (p.bar && IsWindow(p.bar)) return true;
  if (!win::RegisterClassOnce({.name = kBarClass, .procedure = BarProc, .instance = p.instance})) return false;
  p.bar = CreateWindowExA(WS_EX_CONTROLPARENT, kBarClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0,
                          p.clip, reinterpret_cast<HMENU>(INT_PTR(kBarId)), p.instance, nullptr);
  return p.bar != nullptr;
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
    if (p.bar) ShowWindow(p.bar, SW_HIDE);
    return false;
  }
  p.barKind = kind;
  DESTROYCONTROLS();
  if (resumeAudioPlayer) ResumeAudioPlayer();
  return MakeBar();
}

void CreateControls(const std::vector<ControlPlan>& plans) {
  for (const ControlPlan& c : plans) {
    if (c.id == 0) {
      SetUpVolume();  // the volume step, where the bar's order puts it
      continue;
    }
    if (c.id >= kIndexPage1 && c.id <= kIndexPage3 && UiField(51 + c.id - kIndexPage1, 3).empty()) continue;
    if (c.id == kHelpButton && UiField(90, 3).empty()) continue;
    CreatePlayerControl(c);
  }
  Player& p = App();
  ShowWindow(p.bar, SW_SHOW);
  LAYOUTCONTROLS();
}

}  // namespace

HWND Control(int id) {
  if (id < kFirstControl || id > kLastControl) return nullptr;
  HWND w = App().controls[size_t(id)];
  return w && IsWindow(w) ? w : nullptr;
}

void SwapControls(int shown, int hidden) {
  if (HWND w = Control(hidden)) ShowWindow(w, SW_HIDE);
  if (HWND w = Control(shown)) ShowWindow(w, SW_SHOW);
  LAYOUTCONTROLS();
}

void EnableControl(int id, bool on) {
  if (HWND w = Control(id)) EnableWindow(w, on ? TRUE : FALSE);
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

void DESTROYCONTROLS() {
  Player& p = App();
  for (HWND& w : p.controls) {
    if (w && IsWindow(w)) {
      SKBUTTONTIP(w, "");
      DestroyWindow(w);
      SKDELETEMEMBMP(w);
    }
    w = nullptr;
  }
}

void BUILDWEBBAR() {
  if (!PrepareBar(kBarWeb, true)) return;
  StopAttachedSound();
  Player& p = App();
  if (!IsWindowVisible(p.frame)) ShowWindow(p.frame, SW_SHOW);
  CreateControls({{kEffectsButton, kImageButton, 16, 1, true}, {kSpectrumButton, kImageButton, 17, 1, true},
                  {kPreviousButton, kImageButton, 18, 0, true}, {kNextButton, kImageButton, 19, 0, true},
                  {kPlayButton, kImageButton, 14, 0, true}, {kPauseButton, kImageButton, 15, 0, false},
                  {kRestartButton2, kImageButton, 36, 0, true}, {kRestartButton, kImageButton, 36, 0, true},
                  {kOpenButton, kImageButton, 20, 0, true}, {kPrintButton, kImageButton, 37, 0, true},
                  {kCopyButton, kImageButton, 38, 0, true}, {kWebStopButton, kImageButton, 39, 0, true},
                  {kRefreshButton, kImageButton, 40, 0, true}, {kNoticeButton, kImageButton, 41, 0, true},
                  {kLargerButton, kImageButton, 42, 0, true}, {kSmallerButton, kImageButton, 43, 0, true},
                  {kVolumeSlider, kTrackBar, 23, 0, true}, {kIndexPage1, kImageButton, 54, 0, true},
                  {kIndexPage2, kImageButton, 55, 0, true}, {kIndexPage3, kImageButton, 56, 0, true},
                  {kStopButton, kImageButton, 26, 0, true}, kVolumeStep});
}

void BUILDMEDIABAR(int kind) {
  Player& p = App();
  if (!PrepareBar(kind, false)) return;
  LeaveSlideShow();
  p.mediumKind = kind;
  StopAttachedSound();
  bool source = HasFileSource();
  std::vector<ControlPlan> plans{
      {kEffectsButton, kImageButton, 16, 2, true}, {kSpectrumButton, kImageButton, 17, 2, true},
      {kPreviousButton, kImageButton, 18, 0, true}, {kNextButton, kImageButton, 19, 0, true},
      {kPlayButton, kImageButton, 14, 0, true}, {kPauseButton, kImageButton, 15, 0, false},
      {kOpenButton, kImageButton, 20, 0, true}};
  if (source) plans.push_back({kSnapshotButton, kImageButton, 21, 0, false});
  for (const ControlPlan& c : std::vector<ControlPlan>{
           {kMuteButton, kImageButton, 24, 0, true}, {kUnmuteButton, kImageButton, 25, 0, false},
           {kStopButton, kImageButton, 26, 0, true}, {kPositionSlider, kTrackBar, 22, 0, true},
           {kVolumeSlider, kTrackBar, 23, 0, true}, {kIndexPage1, kImageButton, 54, 0, true},
           {kIndexPage2, kImageButton, 55, 0, true}, {kIndexPage3, kImageButton, 56, 0, true},
           {kHelpButton, kImageButton, 50, 0, true}, kVolumeStep, {kRepeatButton, kCheckButton, 35, 0, true}})
    plans.push_back(c);
  CreateControls(plans);
  if (!source) EnableControl(kOpenButton, false);
  // Without a level meter and marquee of its own (a sound's pane), the effects button waits.
  if (kind != kBarSound) EnableControl(kEffectsButton, false);
}

void BUILDPICTUREBAR() {
  if (!PrepareBar(kBarPicture, true)) return;
  HideWebPanel();
  bool source = HasFileSource();
  CreateControls({{kEffectsButton, kImageButton, 16, 2, true}, {kSpectrumButton, kImageButton, 17, 2, true},
                  {kPreviousButton, kImageButton, 18, 0, true}, {kNextButton, kImageButton, 19, 0, true},
                  {kOpenButton, kImageButton, 20, 0, true}, {kPrintButton, kImageButton, 37, 0, true},
                  {kMuteButton, kImageButton, 24, 0, true}, {kUnmuteButton, kImageButton, 25, 0, false},
                  {kStopButton, kImageButton, 26, 0, true}, {kPositionSlider, kTrackBar, 22, 0, true},
                  {kVolumeSlider, kTrackBar, 23, 0, true}, {kCopyButton, kImageButton, 38, 0, true},
                  {kIndexPage1, kImageButton, 54, 0, true}, {kIndexPage2, kImageButton, 55, 0, true},
                  {kIndexPage3, kImageButton, 56, 0, true}, kVolumeStep, {kPauseButton, kImageButton, 87, 0, false},
                  {kPlayButton, kImageButton, 86, 0, true}, {kHelpButton, kImageButton, 50, 0, true}});
  EnableControl(kEffectsButton, false);
  EnableControl(kSpectrumButton, false);
  if (!source) EnableControl(kOpenButton, false);
}

RECT ContentArea() {
  Player& p = App();
  RECT r{};
  if (!p.clip) return r;
  GetClientRect(p.clip, &r);
  if (p.bar && IsWindowVisible(p.bar)) {
    RECT b;
    GetWindowRect(p.bar, &b);
    r.bottom = std::max(r.top, r.bottom - (b.bottom - b.top));
  }
  return r;
}

void LAYOUTCONTROLS() {
  Player& p = App();
  if (!p.clip) return;
  RECT client;
  GetClientRect(p.clip, &client);
  int space = 0, textHeight = 0;
  SKSPACECHARTOPIXEL(SKCAPTIONFONT(), space, textHeight);
  int rowHeight = textHeight + 10;
  bool video = p.media.holder == Holder::kClip && p.media.video;
  if (HWND snapshot = Control(kSnapshotButton)) {
    ShowWindow(snapshot, video ? SW_SHOW : SW_HIDE);
    EnableWindow(snapshot, video ? TRUE : FALSE);
  }
  if (p.bar && IsWindowVisible(p.bar)) {
    // The controls in creation order, in as many rows as the width needs.
    struct Placed {
      HWND window;
      int x, row, width;
    };
    std::vector<Placed> placed;
    int x = 3, row = 0;
    for (HWND w = GetWindow(p.bar, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
      if (!(GetWindowLongPtrA(w, GWL_STYLE) & WS_VISIBLE)) continue;
      char cls[64] = {};
      GetClassNameA(w, cls, sizeof cls);
      int width = 90;
      if (lstrcmpiA(cls, TRACKBAR_CLASSA) != 0) {
        int tw = 0, th = 0;
        SKGETTEXTEXTENT(SKCAPTIONFONT(), SkGetCtlText(w), tw, th);
        // A check button needs room for its box as well.
        width = tw + 2 * space + 12 + (GetDlgCtrlID(w) == kRepeatButton ? 20 : 0);
      }
      if (x > 3 && x + width > client.right - 3) {
        x = 3;
        ++row;
      }
      placed.push_back({w, x, row, width});
      x += width + 2;
    }
    int barHeight = (row + 1) * (rowHeight + 3) + 3;
    MoveWindow(p.bar, 0, client.bottom - barHeight, client.right, barHeight, TRUE);
    for (const Placed& c : placed) MoveWindow(c.window, c.x, 3 + c.row * (rowHeight + 3), c.width, rowHeight, TRUE);
  }
  RECT area = ContentArea();
  int areaWidth = area.right - area.left, areaHeight = area.bottom - area.top;
  if (p.web && IsWindowVisible(p.web)) MoveWindow(p.web, area.left, area.top, areaWidth, areaHeight, TRUE);
  if (p.pictureArea && IsWindowVisible(p.pictureArea)) {
    MoveWindow(p.pictureArea, area.left, area.top, areaWidth, areaHeight, TRUE);
    RepaintPicture();
  }
  if (video) {
    Fit f = VideoPlacement(p.sizeItem, MenuChecked(kMenuFitVideo), p.media.videoWidth, p.media.videoHeight, area.left, area.top,
                           areaWidth, areaHeight);
    MoveWindow(p.view, f.x, f.y, f.width, f.height, TRUE);
    if (MMSETVIDEO() && !IsWindowVisible(p.view)) ShowWindow(p.view, SW_SHOW);
  } else if (p.view && IsWindowVisible(p.view)) {
    ShowWindow(p.view, SW_HIDE);
  }
}

}  // namespace falcet
