#include "startup.h"

#include <commctrl.h>

#include "audio/bass.h"
#include "boxes.h"
#include "fileio/item_list.h"
#include "imaging/copydata.h"
#include "imaging/partner.h"
#include "imaging/program_start.h"
#include "jorvel/command_line.h"
#include "jorvel/m3u_list.h"
#include "jorvel/play_list.h"
#include "mainwindow.h"
#include "pane.h"
#include "player.h"
#include "settings.h"
#include "skin/skin.h"
#include "state.h"
#include "tick.h"

namespace jorvel {

namespace {

// How long a second copy waits for the running copy's window. A copy that is still
// starting shows it within a moment; one that hangs or ends must not keep us for ever.
constexpr DWORD kRunningCopyWaitMs = 10000;

// One player at a time. False when another copy runs (it got this start's list, code 18,
// also an empty one, and was brought to the front) or the mutex cannot be made.
bool TakeSingleInstance(const std::string& commandLine) {
  Jorvel& p = App();
  p.mutex = win::Mutex(TakeSingleInstanceMutex(kClassAudioPlayer, kRunningCopyWaitMs));
  if (p.mutex) return true;
  if (HWND running = FindWindowA(kClassAudioPlayer, nullptr))
    SENDCOPYDATA(running, kCodeHandOver, HANDOVERARGS(commandLine));
  return false;
}

int RunMessageLoop() {
  startup::MessageLoopSteps steps;
  steps.dialogKeys = true;
  steps.after = [] {
    if (App().reopen) OpenStartList();
  };
  return startup::RunMessageLoop(App().frame, steps);
}

void CleanUp() {
  Jorvel& p = App();
  StopTick();
  if (BASSAVAILABLE()) {
    p.medium.CLOSEMEDIA();
    BASSUNLOAD();
  }
  if (p.frame && IsWindow(p.frame)) DestroyWindow(p.frame);
  p.frame = nullptr;
  p.mutex.Reset();
  p.mixer.Close();
  KILLVOLUMETIMER();
  if (p.handOverTimer) KillTimer(nullptr, p.handOverTimer);
  p.handOverTimer = 0;
}

}  // namespace

void OpenStartList() {
  Jorvel& p = App();
  p.reopen = false;
  BUILDPLAYER(kPaneIdle);
  const std::string& list = p.startList;
  if (list.empty()) return;
  std::string found = SKFINDF(list);
  if (!found.empty() || fileio::ItemCount(list) > 1) {
    OpenReceivedList(fileio::ItemCount(list) > 1 ? list : found);
    return;
  }
  // One name that is no file: an address.
  p.playList.Set(AddressOf(list), 1);
  OPENITEM("", p.playList.Text(), 0, 0);
}

int WINMAIN(HINSTANCE instance, const std::string& commandLine) {
  Jorvel& p = App();
  static_cast<startup::ProgramIdentity&>(p) = startup::IdentifyProgram(instance);
  p.commandLine = commandLine;
  if (!TakeSingleInstance(commandLine)) return 0;
  p.icon = LoadIconA(instance, "PROGRAM");
  SetCurrentDirectoryA(p.programFolder.c_str());
  if (!startup::CheckUiFile(p.uiFile, p.programName)) {
    p.mutex.Reset();
    return startup::kExitMissingUiFile;
  }
  int count = 0;
  SKREADM(p.uiFile, p.menus, count);
  SKREADSTR(p.uiFile, p.strings, count);
  p.soundTypes = SoundTypeList(Ui(88));
  AUDIOSETTINGS(false);
  SKUSEFOCUSRECT(1);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  int exitCode = 0;
  if (CreateMainWindow()) {
    if (BASSAVAILABLE()) BASSSETDOWNLOADPATH(GETCONFIGFOLDER());
    p.startList = HANDOVERARGS(commandLine);
    StartVolumeSync();
    OpenStartList();
    exitCode = RunMessageLoop();
  }
  CleanUp();
  return exitCode;
}

}  // namespace jorvel
