#include "startup.h"

#include <commctrl.h>

#include "build.h"
#include "dunmere/show_format.h"
#include "fileio/fields.h"
#include "fileio/file.h"
#include "fileio/macros.h"
#include "fileio/paths.h"
#include "imaging/gdiplus_helpers.h"
#include "imaging/partner.h"
#include "mainwindow.h"
#include "settings.h"
#include "showfile.h"
#include "skin/sk_menu.h"
#include "skin/sk_msgbox.h"
#include "skin/skin.h"
#include "slides.h"
#include "sound.h"
#include "state.h"
#include "thumbs.h"
#include "wndproc.h"

namespace dunmere {

namespace {

constexpr int kFrameStyle = 31;  // close, minimise, maximise, pin, sizing border
constexpr DWORD kSecondStartPauseMs = 200;

void IdentifyProgram(HINSTANCE instance) {
  State& s = App();
  s.instance = instance;
  s.exePath = SKEXENAME();
  s.programFolder = fileio::WithTrailingSeparator(fileio::FolderOf(s.exePath));
  s.programName = fileio::StemOf(s.exePath);
  s.uiFile = fileio::WithoutExtension(s.exePath) + ".SYS";
}

void ReportMissingUiFile() {
  State& s = App();
  SKMSGBOX(nullptr, SKCAPTIONFONT(), s.programName, s.uiFile + " missing !", "", SkBoxStyle::Stop());
}

// The skin: a ".sks" file given as the only argument, else the skin list beside the program.
std::string SkinFileOf(const std::string& commandLine) {
  std::string argument = fileio::UnquoteField(commandLine);
  if (!argument.empty() && fileio::EqualsNoCase(fileio::ExtensionOf(argument), "sks") && fileio::Exists(argument))
    return argument;
  return App().programFolder + "tolvern.skl";
}

// The part of the total that every build carries: the player's files, the skin folder and
// the extra folder.
void CountFixedPart() {
  State& s = App();
  s.fixed = Tally{};
  for (const auto& name : SplitFields(Ui(80))) {
    int64_t size = SKFILESIZE(s.programFolder + name);
    if (size >= 0) s.fixed += Tally{size, 1};
  }
  auto addFolder = [&s](const std::string& folder) {
    if (folder.empty()) return;
    for (const auto& e : fileio::ListDirectory(fileio::WithTrailingSeparator(folder) + "*"))
      if (!e.directory) s.fixed += Tally{e.size, 1};
  };
  addFolder(SKSKINFOLDER());
  std::string extra =
      fileio::Trim(fileio::ExpandPathMacros(Ui(82), ShowPathMacros(s.programFolder)));
  if (!extra.empty() && fileio::IsDirectory(fileio::WithoutTrailingSeparator(extra))) addFolder(extra);
}

int RunMessageLoop() {
  State& s = App();
  MSG msg{};
  BOOL got;
  while ((got = GetMessageA(&msg, nullptr, 0, 0)) != 0) {
    if (got == -1) break;
    if (KEYFILTER(msg)) continue;
    if (SKDIALOGMESSAGE(s.frame, msg)) continue;
    if (s.frame && IsWindow(s.frame) && IsDialogMessageA(s.frame, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return int(msg.wParam);
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
  if (s.gdiplusToken) GDIPSTOP(s.gdiplusToken);
  s.gdiplusToken = 0;
  if (s.miniled) DeleteObject(s.miniled);
  s.miniled = nullptr;
}

}  // namespace

void OnSysClose() {
  State& s = App();
  StopScan();
  WaitForScan(5000);
  EndSound();
  SETTINGSFILE(1);
  if (s.frame && IsWindow(s.frame)) DestroyWindow(s.frame);
  s.frame = nullptr;
  PostQuitMessage(0);
}

int WINMAIN(HINSTANCE instance, const std::string& commandLine) {
  State& s = App();
  s.icon = LoadIconA(instance, "PROGRAM");
  s.miniled = LoadBitmapA(instance, "miniled");

  // No mutex: a second start brings the running copy forward and ends.
  if (HWND running = FindWindowA(kClassSlideMaker, nullptr)) {
    BringPartnerToFront(running);
    MessageBeep(MB_OK);
    Sleep(kSecondStartPauseMs);
    return 0;
  }

  IdentifyProgram(instance);
  if (!SKEXIST(s.uiFile)) {
    ReportMissingUiFile();
    return 2;
  }
  int count = 0;
  SKREADM(s.uiFile, s.menus, count);
  SKREADSTR(s.uiFile, s.strings, count);

  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  OpenMixer();
  s.skinFile = SkinFileOf(commandLine);
  SKINITENGINE(s.skinFile);
  SKUSEFOCUSRECT(1);
  SKSETTRANSMENU(1);
  SKAPPTITLE(Ui(1));
  SKWINDOWSTYLE(kFrameStyle);
  SKSETSHADOW(0);

  SETTINGSFILE(0);
  if (SKMAKEDIR(s.showFolder) != 0) s.showFolder = s.programFolder;
  int maxWidth = GetSystemMetrics(SM_CXSCREEN), maxHeight = GetSystemMetrics(SM_CYSCREEN);
  SKSETMAXSIZE(s.windowWidth, s.windowHeight, maxWidth, maxHeight);

  int exitCode = 0;
  if (CreateFrame(s.windowLeft, s.windowTop, s.windowWidth, s.windowHeight)) {
    CreateControls();
    CheckOptionGroups();
    ShowTitle();
    SKKILLFILE(SKGETTEMPPATH() + "$SSLTMP");
    CountFixedPart();
    ShowMusicLabel();
    SHOWCOUNTERS();
    ShowTotal();
    UpdateSoundButtons();
    if (!SKFINDF("gdiplus.dll").empty()) s.gdiplusToken = GDIPSTART();
    ShowWindow(s.frame, SW_SHOW);
    UpdateWindow(s.frame);
    SetFocus(s.slideList);
    s.volumeTimer = SetTimer(nullptr, 0, 100, VOLUMETIMERPROC);
    exitCode = RunMessageLoop();
  }
  CleanUp();
  return exitCode;
}

}  // namespace dunmere
