#include "startup.h"

#include <commctrl.h>
#include <shlobj.h>

#include "audio/bass.h"
#include "bars.h"
#include "boxes.h"
#include "closing.h"
#include "codecs.h"
#include "falcet/command_line.h"
#include "falcet/options.h"
#include "fileio/file.h"
#include "fileio/macros.h"
#include "fileio/paths.h"
#include "imaging/copydata.h"
#include "imaging/partner.h"
#include "imaging/program_start.h"
#include "items.h"
#include "jorvel/mixer_volume.h"
#include "mainwindow.h"
#include "media.h"
#include "pictures.h"
#include "settings.h"
#include "skin/sk_menu.h"
#include "skin/sk_msgbox.h"
#include "skin/sk_shell.h"
#include "skin/skin.h"
#include "state.h"
#include "web.h"
#include "wndproc.h"

namespace falcet {

namespace {

// A folder with "dravel.dll" that cannot run its built show ends with this code.
constexpr int kExitWithoutBuiltShow = 2;

// How long a second copy waits for the running copy's window. A copy that is still
// starting shows it within a moment; one that hangs or ends must not keep us for ever.
constexpr DWORD kRunningCopyWaitMs = 10000;

void Identify(HINSTANCE instance, const std::string& commandLine) {
  Player& p = App();
  static_cast<startup::ProgramIdentity&>(p) = startup::IdentifyProgram(instance);
  p.commandLine = fileio::Trim(commandLine);
  if (HasRecordKeyword(p.commandLine)) {
    p.recordMode = true;
    p.commandLine.clear();
  }
  p.icon = LoadIconA(instance, "PROGRAM");
}

// The argument rule with a single ".upl" expanded.
std::string StartList(const std::string& commandLine) {
  std::string list = ArgumentList(commandLine);
  if (ItemCount(list) == 1 && EndsWithNoCase(list, ".upl")) list = READUPL(list, App().programFolder);
  return list;
}

// One player at a time. False when another copy runs (it got this start's list, code 18,
// and was brought to the front) or the single-instance mutex cannot be made; this copy
// ends then.
bool TakeSingleInstance(const std::string& commandLine) {
  Player& p = App();
  p.mutex = win::Mutex(TakeSingleInstanceMutex(kClassPlayer, kRunningCopyWaitMs));
  if (p.mutex) return true;
  if (HWND running = FindWindowA(kClassPlayer, nullptr)) SENDCOPYDATA(running, kCodeHandOver, StartList(commandLine));
  return false;
}

// A ".SYS" argument replaces the player's own UI text file before it is read. The new file
// is written beside the old one and then replaces it, so a failed write keeps the old one;
// a file with malformed lines is shown and never replaces a file the player can start with.
void TakeUiTextArgument() {
  Player& p = App();
  if (!IsUiTextArgument(p.commandLine)) return;
  std::string source = fileio::ExpandPathMacros(p.commandLine, {.programFolder = p.programFolder});
  p.commandLine.clear();
  std::string text;
  if (fileio::ReadWholeFile(source, text) != fileio::kOk || text.empty()) return;
  std::vector<UiTextError> errors;
  if (IsUsableUiText(text, errors)) {
    fileio::WriteFileReplacing(p.uiFile, text);
    return;
  }
  std::string report = errors.empty() ? source + ": no menu and no entry" : UiTextErrorReport(source, errors, "|");
  // The skin is not read yet: the plain style of the start-up reports.
  SkBoxStyle style;
  style.icon = LoadIcon(nullptr, IDI_EXCLAMATION);
  SKMSGBOX(nullptr, SKCAPTIONFONT(), p.programName, report, "", style);
}

void SwitchToSingleVideo() {
  Player& p = App();
  p.singleVideo = true;
  p.options = WithOption(WithOption(p.options, kOptFullScreen, "1"), kOptSizeItem, std::to_string(kSizeNormal));
}

// With "dravel.dll" in the folder the player runs a built show. False: end with code 2.
bool CheckBuiltShow() {
  Player& p = App();
  if (!fileio::Exists(p.programFolder + "dravel.dll")) return true;
  if (!fileio::Exists(BuiltShowList()) && !fileio::Exists(p.programFolder + "quelby.exe")) return false;
  if (EndsWithNoCase(p.commandLine, ".AVI")) SwitchToSingleVideo();
  std::string text;
  if (p.commandLine.empty() && fileio::ReadWholeFile(p.programFolder + "AUTORUN.INF", text) == fileio::kOk) {
    std::string name = AutorunStartItem(text, "falcet.exe");
    if (!name.empty() && fileio::Exists(name) && EndsWithNoCase(name, ".avi")) {
      SwitchToSingleVideo();
      p.autorunItem = name;
    }
  }
  return true;
}

void OpenMixer() {
  Player& p = App();
  p.mixer = jorvel::OpenFirstMixer();
  int start = Option(kOptStartVolume);
  if (start > -1) {
    p.volumeBeforeStart = jorvel::GETMIXERVOLUME(p.mixer).value_or(-1);
    jorvel::SETMIXERVOLUME(p.mixer, start);
  }
}

void PrepareMenus() {
  Player& p = App();
  SKUSEFOCUSRECT(1);
  SKSETTRANSMENU(1);
  p.topMost = Option(kOptTopMost) != 0 || p.settings.topMost != 0;
  p.sizeItem = IsSizeItem(p.settings.sizeItem) ? p.settings.sizeItem : Option(kOptSizeItem);
  if (!IsSizeItem(p.sizeItem)) p.sizeItem = kSizeFillWindow;
  if (p.singleVideo) p.sizeItem = kSizeNormal;
  if (MenuItem* m = p.menus.FindItem(kMenuTopMost)) m->checked = p.topMost;
  if (MenuItem* m = p.menus.FindItem(kMenuFitVideo)) m->checked = Option(kOptFitVideo) != 0;
  if (MenuItem* m = p.menus.FindItem(kMenuScrollBars)) m->checked = Option(kOptScrollBars) != 0;
  if (MenuItem* m = p.menus.FindItem(kMenuEnlargedView)) m->checked = Option(kOptZoom) != 0;
  for (int i = kSizeHalf; i <= kSizeFullScreen; ++i)
    if (MenuItem* m = p.menus.FindItem(i)) m->checked = i == p.sizeItem;
}

// The window's place: from the settings, else (or with option fields 9 and 10) anew.
WindowPlace PlaceOfWindow() {
  Player& p = App();
  WindowPlace w{p.settings.left, p.settings.top, p.settings.width, p.settings.height};
  if (!p.settings.read || Option(kOptWidth) != 0 || Option(kOptHeight) != 0) {
    int frameWidth = 800 + SKGETSYSTEMMETRICS(4) + SKGETSYSTEMMETRICS(5);
    int frameHeight = 600 + SKGETSYSTEMMETRICS(1) + SKGETSYSTEMMETRICS(6) + SKGETSYSTEMMETRICS(3) +
                      (SKINSET(Option(kOptFrameStyle), 64) ? 0 : SKGETSYSTEMMETRICS(2));
    w = DefaultWindowPlace(Option(kOptWidth), Option(kOptHeight), frameWidth, frameHeight,
                           GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    if (!p.settings.read) p.settings.paneLeft = p.settings.paneTop = -1;
    p.paneLeft = p.settings.paneLeft;
    p.paneTop = p.settings.paneTop;
  }
  return w;
}

void SetDownloadFolder() {
  if (!BASSAVAILABLE()) return;
  std::string folder = SKGETSPECIALFOLDER(CSIDL_PERSONAL);
  if (folder.empty()) return;
  folder = fileio::WithTrailingSeparator(folder);
  SKMAKEDIR(folder);
  BASSSETDOWNLOADPATH(folder);
}

// Escape is looked at before the message goes anywhere.
void OnEscape() {
  Player& p = App();
  if (p.recordMode) {
    // A recording player takes no other input: Escape (the user's, or the one the program
    // waiting for the recording sends) ends the recording and the player.
    PostMessageA(p.frame, WM_SYSCOMMAND, SC_CLOSE, 0);
    return;
  }
  if (Option(kOptFullScreen) != 0 && AskToQuit()) PostQuitMessage(0);
  if (IsSizeItem(p.returnSizeItem) && p.returnSizeItem != p.sizeItem) {
    p.sizeItem = p.returnSizeItem;
    CheckSizeItem(p.sizeItem);
    LAYOUTCONTROLS();
  }
  if (p.slideState == 1) LeaveSlideShow();
}

int RunMessageLoop() {
  Player& p = App();
  startup::MessageLoopSteps steps;
  steps.filter = [](MSG& msg) {
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) OnEscape();
    return false;  // the key goes on to its window as well
  };
  steps.dialogKeys = true;
  steps.after = [] {
    if (App().restartRequested) OpenStartItems();
  };
  return startup::RunMessageLoop(p.frame, steps);
}

void CleanUp() {
  Player& p = App();
  if (p.frame && IsWindow(p.frame)) WNDPROC(p.frame, WM_DESTROY, 0, 0);
  int start = Option(kOptStartVolume);
  if (start > -1 && p.volumeBeforeStart >= 0 && jorvel::GETMIXERVOLUME(p.mixer) == start)
    jorvel::SETMIXERVOLUME(p.mixer, p.volumeBeforeStart);
  StopAttachedSound();
  CLOSEMEDIA();
  BASSUNLOAD();
  p.gdiplus.Reset();
  if (p.mixer) mixerClose(p.mixer);
  p.mixer = nullptr;
  KillThreadTimer(p.volumeTimer);
  KillThreadTimer(p.handOverTimer);
  KillThreadTimer(p.slideTimer);
  KillThreadTimer(p.stepTimer);
  DeleteWebControls();
  // Whatever way the player ends, a taskbar it hid comes back.
  ShowTaskbarAgain();
  FreePicture();
  // The program that asked for a recording waits until this window is gone and then reads
  // the counts: they go out while the window is still there, the video file complete.
  StopRecorder();
  ReportRecording();
  if (p.frame && IsWindow(p.frame)) DestroyWindow(p.frame);
  p.frame = nullptr;
  p.mutex.Reset();
  RemoveTemporaryFiles();
}

}  // namespace

void RequestRestart() { App().restartRequested = true; }

void OpenStartItems() {
  Player& p = App();
  p.restartRequested = false;
  if (!p.gdiplus) p.gdiplus = startup::StartGdiplusWhenPresent();
  std::string line = p.commandLine;
  if (!Ui(89).empty() && EndsWithNoCase(line, Ui(89))) {
    p.showItem = line;
    line.clear();
  }
  std::string opened;
  if (!line.empty()) {
    if (ItemCount(line) > 1 || !SKFINDF(line).empty()) {
      std::string list = ItemCount(line) > 1 ? line : ListOfName(line);
      OpenList(list, false);
      opened = list;
    } else {
      opened = WebAddressOf(line);
      OPENITEM(opened);
    }
  } else if (!p.showItem.empty()) {
    opened = p.showItem;
    OPENITEM(opened);
  } else if (fileio::Exists(BuiltShowList())) {
    if (!fileio::Exists(p.programFolder + "dravel.dll")) {
      PostQuitMessage(kExitWithoutBuiltShow);
      return;
    }
    if (p.recordMode) {
      BUILDPICTUREBAR();
    } else {
      opened = !p.autorunItem.empty() ? p.autorunItem : BuiltShowList();
      OPENITEM(opened);
    }
  } else if (fileio::Exists(p.basePath + ".HTM")) {
    opened = p.basePath + ".HTM";
    OPENITEM(opened);
  } else {
    BUILDPICTUREBAR();
  }
  if (p.barKind == kBarPicture) SetSliderPosition(kPositionSlider, PictureSliderPosition(p.itemCount));
  if (p.strings.size() > 80) p.strings[80].clear();
  p.currentItem = opened;
}

int WINMAIN(HINSTANCE instance, const std::string& commandLine) {
  Identify(instance, commandLine);
  Player& p = App();
  if (!TakeSingleInstance(p.commandLine)) return 0;
  SetCurrentDirectoryA(p.programFolder.c_str());
  TakeUiTextArgument();
  if (!startup::CheckUiFile(p.uiFile, p.programName)) {
    p.mutex.Reset();
    return startup::kExitMissingUiFile;
  }
  int count = 0;
  SKREADM(p.uiFile, p.menus, count);
  SKREADSTR(p.uiFile, p.strings, count);
  p.options = Ui(49);
  INSTALLCODECS();
  if (!CheckBuiltShow()) {
    p.mutex.Reset();
    return kExitWithoutBuiltShow;
  }
  L_MMSetEventCallback(_leadevent, nullptr);

  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  fileio::RemoveFile(p.basePath + ".LOG");
  ReadSettings();
  PrepareMenus();
  SKAPPTITLE(Ui(1));
  SKWINDOWSTYLE(Option(kOptFrameStyle));
  SKSETSHADOW(0);
  WindowPlace place = PlaceOfWindow();
  int exitCode = 0;
  if (CreateMainWindow(place.left, place.top, place.width, place.height)) {
    ShowWindow(p.frame, SW_SHOW);
    UpdateWindow(p.frame);
    // The mixer's driver and the ActiveX host take long to start and nothing before the
    // window needs them: they come after it shows, before its bars and first item.
    OpenMixer();
    StartWebHost();
    SetDownloadFolder();
    p.commandLine = StartList(p.commandLine);
    StartVolumeTimer();
    // The picture bar is there from the start, so that a show list's "press play" finds it.
    BUILDPICTUREBAR();
    OpenStartItems();
    exitCode = RunMessageLoop();
  }
  CleanUp();
  return exitCode;
}

}  // namespace falcet
