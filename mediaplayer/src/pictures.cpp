#include "pictures.h"

#include <algorithm>
#include <tuple>

#include "audio/bass.h"
#include "bars.h"
#include "dunmere/effect_choice.h"
#include "dunmere/transition_paint.h"
#include "falcet/item_lists.h"
#include "falcet/options.h"
#include "fileio/fields.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "imaging/copydata.h"
#include "imaging/side_files.h"
#include "imaging/text_shape.h"
#include "imglib/imglib.h"
#include "imglib/imglib_effects.h"
#include "items.h"
#include "mainwindow.h"
#include "media.h"
#include "skin/skin.h"
#include "state.h"
#include "web.h"
#include "win/raii.h"
#include "wndproc.h"

namespace falcet {

namespace {

imglib::BitmapOwner& Picture() {
  static imglib::BitmapOwner picture;
  return picture;
}

EffectCycle& Effects() {
  static EffectCycle cycle(Ui(84));
  return cycle;
}

std::string SideFile(const std::string& path, const char* extension) {
  std::string side = SideFilePath(path, extension, SideFileNoDot::kNone);
  return !side.empty() && fileio::Exists(side) ? side : std::string();
}

std::string ReadWhole(const std::string& path) {
  std::string text;
  if (!path.empty()) fileio::ReadWholeFile(path, text);
  return text;
}

void ReadSideFiles(const std::string& path) {
  Player& p = App();
  p.keywordText = ReadWhole(SideFile(path, "kwd"));
  p.soundSideFile = SideFile(path, "wav");
  p.documentSideFile = SideFile(path, "doc");
  p.effectText = ReadWhole(SideFile(path, "sfx"));
  std::string tim = SideFile(path, "tim");
  p.displayTime = DisplayTime(!tim.empty(), fileio::LeadingNumber(ReadWhole(tim)), p.defaultPictureTime);
  // The transition: the side file's effect number, or the next of the effect list.
  dunmere::SlideTransition transition = dunmere::ParseSlideTransition(p.effectText);
  p.effectNumber = transition.id != 0 ? transition.id : Effects().Next();
  p.effectStep = transition.step;
  p.effectTime = transition.time;
}

// ---- Transitions ------------------------------------------------------------------------

bool gTransitionRunning = false;
bool gTransitionAbort = false;

// A click or an arrow key stops a transition and then takes effect; so does a command
// posted to the main window (the next picture, leaving the show): no picture is shown
// while another one's transition is still being painted.
bool StopsTransition(const MSG& m) {
  Player& p = App();
  switch (m.message) {
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
      return true;
    case WM_COMMAND:
      return m.hwnd == p.frame;
    case WM_KEYDOWN:
      switch (m.wParam) {
        case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_ESCAPE: return true;
        default: return false;
      }
    default:
      return false;
  }
}

// Paints the shown picture into its window with its transition, in slide show variants 1
// and 2; false when none was played (the window is repainted as usual then).
bool PlayTransition() {
  Player& p = App();
  if (gTransitionRunning || p.slideState != 1 || (p.slideVariant != 1 && p.slideVariant != 2)) return false;
  HWND window = p.zoom ? p.zoom : p.pictureArea;
  if (!window || !IsWindowVisible(window) || !Picture()->dib) return false;
  RECT r;
  GetClientRect(window, &r);
  if (r.right <= 0 || r.bottom <= 0) return false;
  // The frame the window ends on, as it paints itself.
  imglib::BitmapOwner target;
  if (L_CreateBitmap(target.Get(), r.right, r.bottom, 24) != imglib::kSuccess) return false;
  HDC composer = L_CreateLeadDC(target.Get());
  if (!composer) return false;
  PaintPicture(window, composer);
  L_DeleteLeadDC(composer);
  dunmere::TransitionPlan plan = dunmere::PlanTransition(
      p.effectNumber, p.effectStep, p.effectTime, dunmere::IsPluginEffect(p.effectNumber) ? SKCPUSPEED() : 0);
  // The plug-in is loaded for this transition only.
  dunmere::EffectPlugin plugin;
  if (plan.painter == dunmere::TransitionPainter::kPlugin) plugin.Load(p.programFolder);
  gTransitionRunning = true;
  gTransitionAbort = false;
  {
    win::WindowDC dc(window);
    dunmere::PaintSlideTransition(dc, r, *target, plan, _statuscallback, &plugin);
  }
  gTransitionRunning = false;
  gTransitionAbort = false;
  return true;
}

// Hands the picture's document to the help viewer.
void ShowDocument(const std::string& document) {
  std::string viewer = SKFINDF("VANDREL.EXE");
  if (viewer.empty()) return;
  if (HWND help = FindWindowA(kClassHelp, nullptr)) {
    if (IsIconic(help)) ShowWindow(help, SW_RESTORE);
    SENDCOPYDATA(help, kCodeOpen, document);
    return;
  }
  SKSHELL(viewer + " " + document + "," + App().programFolder + "tolvern.skl", SW_SHOW, 0);
}

int StepIntervalOfPicture() {
  Player& p = App();
  int interval = Option(kOptStepInterval);
  if (!p.timeList.empty()) {
    int listed = fileio::LeadingNumber(ItemAt(p.timeList, p.currentIndex));
    if (listed > 0) interval = listed;
  }
  if (p.slideShowFlag) interval = p.displayTime;
  return interval > 0 ? interval : 4000;
}

}  // namespace

void ICONISE(int width, int height, int areaWidth, int areaHeight, int& x, int& y, int& fitWidth, int& fitHeight) {
  if (!MenuChecked(kMenuEnlargeSmall)) {
    SKICONISE(width, height, areaWidth, areaHeight, x, y, fitWidth, fitHeight);
    return;
  }
  Fit f = EnlargingFit(width, height, areaWidth, areaHeight);
  x = f.x;
  y = f.y;
  fitWidth = f.width;
  fitHeight = f.height;
}

int CALLBACK _statuscallback(int /*percentComplete*/, void* /*userData*/) {
  Player& p = App();
  if (!gTransitionAbort) {
    // Newer systems paint fast: the pump then also sets the transition's pace.
    DWORD pace = SKOSVERSION() > 499 ? DWORD(std::max(0, Option(kOptTransitionPace))) : 0;
    if (dunmere::PumpDuringTransition(StopsTransition, GetTickCount(), pace)) gTransitionAbort = true;
  }
  bool stop = gTransitionAbort || p.slideVariant == 0;
  gTransitionAbort = false;
  return stop ? imglib::kUserAbort : imglib::kSuccess;
}

bool TransitionRunning() { return gTransitionRunning || L_GetStatusCallBack() != nullptr; }

void FreePicture() { L_FreeBitmap(Picture().Get()); }

const ImgBitmap* CurrentPicture() { return Picture()->dib ? Picture().Get() : nullptr; }

void PaintPicture(HWND window, HDC dc) {
  RECT r;
  GetClientRect(window, &r);
  int colour = Option(kOptViewColour);
  win::Brush back(CreateSolidBrush(COLORREF(colour)));
  FillRect(dc, &r, back.Get());
  ImgBitmap* picture = Picture().Get();
  if (!picture->dib) return;
  int x = 0, y = 0, w = 0, h = 0;
  Player& p = App();
  if (window == p.pictureArea && MenuChecked(kMenuScrollBars)) {
    // Full size, from the scroll position.
    w = picture->width;
    h = picture->height;
    x = ScrolledOrigin(p.scrollX, r.right, w);
    y = ScrolledOrigin(p.scrollY, r.bottom, h);
  } else {
    ICONISE(picture->width, picture->height, r.right, r.bottom, x, y, w, h);
  }
  RECT destination{x, y, x + w, y + h};
  win::Palette palette(L_CreatePaintPalette(dc, picture));
  HPALETTE old = palette ? SelectPalette(dc, palette.Get(), FALSE) : nullptr;
  if (palette) RealizePalette(dc);
  SetStretchBltMode(dc, HALFTONE);
  L_PaintDC(dc, picture, nullptr, nullptr, &destination, nullptr, SRCCOPY);
  if (palette) SelectPalette(dc, old, FALSE);
}

void UpdatePictureScroll() {
  Player& p = App();
  if (!p.pictureArea) return;
  bool on = MenuChecked(kMenuScrollBars);
  ShowScrollBar(p.pictureArea, SB_BOTH, on);
  if (!on) return;
  const ImgBitmap* picture = Picture().Get();
  int width = picture->dib ? picture->width : 0, height = picture->dib ? picture->height : 0;
  RECT r;
  GetClientRect(p.pictureArea, &r);
  p.scrollX = ScrollPosition(-1, p.scrollX, 0, r.right, width);
  p.scrollY = ScrollPosition(-1, p.scrollY, 0, r.bottom, height);
  for (auto [bar, size, page, position] : {std::tuple{SB_HORZ, width, r.right, p.scrollX},
                                           std::tuple{SB_VERT, height, r.bottom, p.scrollY}}) {
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, 0, std::max(0, size - 1),
                    UINT(std::max(0L, LONG(page))), position, 0};
    SetScrollInfo(p.pictureArea, bar, &info, TRUE);
  }
}

void ScrollPicture(bool vertical, int code, int thumb) {
  Player& p = App();
  if (!p.pictureArea || !MenuChecked(kMenuScrollBars)) return;
  const ImgBitmap* picture = Picture().Get();
  if (!picture->dib) return;
  RECT r;
  GetClientRect(p.pictureArea, &r);
  int& position = vertical ? p.scrollY : p.scrollX;
  int next = ScrollPosition(code, position, thumb, vertical ? r.bottom : r.right,
                            vertical ? picture->height : picture->width);
  if (next == position) return;
  int by = position - next;
  position = next;
  ScrollWindowEx(p.pictureArea, vertical ? 0 : by, vertical ? by : 0, nullptr, nullptr, nullptr, nullptr,
                 SW_INVALIDATE);
  SetScrollPos(p.pictureArea, vertical ? SB_VERT : SB_HORZ, next, TRUE);
  UpdateWindow(p.pictureArea);
}

void RepaintPicture() {
  Player& p = App();
  if (p.pictureArea) InvalidateRect(p.pictureArea, nullptr, FALSE);
  if (p.zoom) InvalidateRect(p.zoom, nullptr, FALSE);
}

void ShowPicture(const std::string& path) {
  Player& p = App();
  // A picture shown from within a transition's pump ends that transition.
  if (gTransitionRunning) gTransitionAbort = true;
  WebPanelGivesWay(kBarPicture);
  if (p.slideState == 2) LeaveSlideShow();
  StartVolumeTimer();
  if (!p.recorderMode) SetStatusText("");
  KillPlayerTick();
  CLOSEMEDIA();
  if (p.view) ShowWindow(p.view, SW_HIDE);
  HWND area = PictureArea();
  ShowWindow(area, SW_SHOW);
  LAYOUTCONTROLS();
  FreePicture();
  if (L_LoadBitmap(path, Picture().Get(), 24) == imglib::kSuccess) {
    // The layered objects of the picture are drawn into it at their own co-ordinates.
    if (HDC dc = L_CreateLeadDC(Picture().Get())) {
      DRAWOVERLAY(dc, path);
      L_DeleteLeadDC(dc);
    }
  }
  p.picturePath = path;
  p.scrollX = p.scrollY = 0;
  UpdatePictureScroll();
  ReadSideFiles(path);
  SetTitle(Ui(1) + " - " + fileio::NameOf(path));
  // Menu option 407 shows the picture's keywords in the status line.
  if (!p.recorderMode) SetStatusText(MenuChecked(kMenuKeywords) ? p.keywordText : std::string());
  if (Option(kOptShowAtOnce) && !p.zoom) PostMessageA(p.frame, WM_COMMAND, kMenuShowByHand, 0);
  else PlayTransition();
  // The window paints itself anew: also after a transition that was stopped or overtaken.
  RepaintPicture();
  PICTUREEXTRAS();
}

void PICTUREEXTRAS() {
  Player& p = App();
  p.stepInterval = StepIntervalOfPicture();
  CLOSEMEDIA();
  // Without bars there is no volume slider to turn the side files off.
  bool volumeOn = !HasBars() || (Control(kVolumeSlider) && IsWindowEnabled(Control(kVolumeSlider)));
  if (!p.soundSideFile.empty() && volumeOn && OPENMEDIA(nullptr, p.soundSideFile, 0) > 0) {
    if (PLAYMEDIA(0, 0) == 1) p.stepInterval = std::max<int64_t>(p.stepInterval, p.media.end - p.media.start);
  }
  if (!p.documentSideFile.empty() && volumeOn) ShowDocument(p.documentSideFile);
  KillThreadTimer(p.slideTimer);
  if (p.slideVariant == 2 && p.slideState == 1) p.slideTimer = StartThreadTimer(UINT(p.stepInterval));
  if (p.currentIndex == p.itemCount && (p.showHeader.lastFlag || p.recorderMode == 1))
    FadeAttachedSound(p.stepInterval);
}

void StartSlideShow(int command) {
  Player& p = App();
  p.slideState = 1;
  p.zoomFlag = MenuChecked(kMenuEnlargedView);
  if (p.zoomFlag) CreateZoomHolder();
  if (p.recordMode) StartRecorder();
  SwapControls(kPauseButton, kPlayButton);
  switch (command) {
    case kMenuShowWithEffects:
      p.slideVariant = 1;
      KillThreadTimer(p.slideTimer);
      break;
    case kMenuAutomaticShow:
      p.slideVariant = 2;
      if (p.stepInterval <= 0) p.stepInterval = Option(kOptStepInterval) > 0 ? Option(kOptStepInterval) : 4000;
      KillThreadTimer(p.slideTimer);
      p.slideTimer = StartThreadTimer(UINT(p.stepInterval));
      if (p.zoom) {
        EnableWindow(p.zoom, FALSE);
        if (HWND next = Control(kNextButton)) SetFocus(next);
      }
      break;
    default:
      p.slideVariant = 0;
      KillThreadTimer(p.slideTimer);
      RepaintPicture();
      break;
  }
  if (!p.soundSideFile.empty() && !AttachedSoundPlaying()) PlayAttachedSound(p.soundSideFile);
}

void LeaveSlideShow() {
  Player& p = App();
  KillThreadTimer(p.slideTimer);
  KillThreadTimer(p.stepTimer);
  if (p.zoom) {
    EnableWindow(p.zoom, TRUE);
    DestroyZoomHolder();
  }
  if (p.slideState != 0 || p.barKind == kBarPicture) {
    SwapControls(kPlayButton, kPauseButton);
  }
  p.slideState = 0;
  p.slideVariant = 0;
  p.zoomFlag = false;
}

void OnSlideTimer() {
  Player& p = App();
  KillThreadTimer(p.slideTimer);
  // The next picture waits until a running transition has ended.
  if (TransitionRunning()) p.slideTimer = StartThreadTimer(kTransitionRetryMs);
  else p.stepTimer = StartThreadTimer(25);
}

void OnStepTimer() {
  Player& p = App();
  KillThreadTimer(p.stepTimer);
  if (p.slideState == 1 && p.itemCount > 1) {
    if (p.stepDirection == 1) PreviousItem();
    else NextItem();
    return;
  }
  if (p.zoom) PostMessageA(p.zoom, WM_KEYDOWN, p.stepDirection == 1 ? VK_LEFT : VK_RIGHT, 0);
}

}  // namespace falcet
