#include "startup.h"

#include <commctrl.h>

#include "build.h"
#include "closing.h"
#include "commands.h"
#include "fileio/fields.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "imaging/partner.h"
#include "imaging/program_start.h"
#include "mainwindow.h"
#include "settings.h"
#include "showfile.h"
#include "skin/sk_menu.h"
#include "skin/skin.h"
#include "slidelist.h"
#include "slides.h"
#include "sound.h"
#include "state.h"
#include "thumbs.h"

namespace dunmere {

namespace {

constexpr int kFrameStyle = 31;  // close, minimise, maximise, pin, sizing border
constexpr DWORD kSecondStartPauseMs = 200;
constexpr UINT kVolumeTimerMs = 100;

// The skin: a ".sks" file given as the only argument, else the skin list beside the program.
std::string SkinFileOf(const std::string& commandLine) {
  std::string argument = fileio::UnquoteField(commandLine);
  if (!argument.empty() && fileio::EqualsNoCase(fileio::ExtensionOf(argument), "sks") && fileio::Exists(argument))
    return argument;
  return App().programFolder + "tolvern.skl";
}

void StartSkin(const std::string& commandLine) {
  State& s = App();
  s.skinFile = SkinFileOf(commandLine);
  SKINITENGINE(s.skinFile);
  SKUSEFOCUSRECT(1);
  SKSETTRANSMENU(1);
  SKAPPTITLE(Ui(1));
  SKWINDOWSTYLE(kFrameStyle);
  SKSETSHADOW(0);
}

// The frame's contents and what they show at start.
void FillFrame() {
  CreateControls();
  CheckOptionGroups();
  ShowTitle();
  SKKILLFILE(SKGETTEMPPATH() + "$SSLTMP");
  CountFixedPart();
  ShowMusicLabel();
  SHOWCOUNTERS();
  ShowTotal();
  UpdateSoundButtons();
}

void CleanUp() {
  State& s = App();
  if (s.volumeTimer) KillTimer(nullptr, s.volumeTimer);
  s.volumeTimer = 0;
  WaitForScan(5000);
  EndSound();
  if (s.frame && IsWindow(s.frame)) DestroyWindow(s.frame);
  s.frame = nullptr;
  FREETHUMBS();
  CloseMixer();
  s.miniled.Reset();
}

}  // namespace

int WINMAIN(HINSTANCE instance, const std::string& commandLine) {
  State& s = App();
  s.icon = LoadIconA(instance, "PROGRAM");
  s.miniled.Reset(LoadBitmapA(instance, "miniled"));

  // No mutex: a second start brings the running copy forward and ends.
  if (HWND running = FindWindowA(kClassSlideMaker, nullptr)) {
    BringPartnerToFront(running);
    MessageBeep(MB_OK);
    Sleep(kSecondStartPauseMs);
    return 0;
  }

  static_cast<startup::ProgramIdentity&>(s) = startup::IdentifyProgram(instance);
  if (!startup::CheckUiFile(s.uiFile, s.programName)) return startup::kExitMissingUiFile;
  int count = 0;
  SKREADM(s.uiFile, s.menus, count);
  SKREADSTR(s.uiFile, s.strings, count);

  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  OpenMixer();
  StartSkin(commandLine);

  SETTINGSFILE(0);
  if (SKMAKEDIR(s.showFolder) != 0) s.showFolder = s.programFolder;
  int maxWidth = GetSystemMetrics(SM_CXSCREEN), maxHeight = GetSystemMetrics(SM_CYSCREEN);
  SKSETMAXSIZE(s.windowWidth, s.windowHeight, maxWidth, maxHeight);

  // GDI+ ends after the clean-up below, when the thumbnails and the window are gone.
  win::GdiplusSession gdiplus;
  int exitCode = 0;
  if (CreateFrame(s.windowLeft, s.windowTop, s.windowWidth, s.windowHeight)) {
    // The frame shows at once; its controls and GDI+ come into it afterwards.
    ShowWindow(s.frame, SW_SHOW);
    UpdateWindow(s.frame);
    FillFrame();
    gdiplus = startup::StartGdiplusWhenPresent();
    SetFocus(s.slideList);
    s.volumeTimer = SetTimer(nullptr, 0, kVolumeTimerMs, VOLUMETIMERPROC);
    startup::MessageLoopSteps steps;
    steps.filter = [](MSG& msg) { return KEYFILTER(msg); };
    steps.dialogKeys = true;
    exitCode = startup::RunMessageLoop(s.frame, steps);
  }
  CleanUp();
  return exitCode;
}

}  // namespace dunmere
