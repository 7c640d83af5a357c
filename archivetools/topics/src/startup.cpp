#include "startup.h"

#include <commctrl.h>
#include <shellapi.h>

#include "boxes.h"
#include "db/archive.h"
#include "fileio/file.h"
#include "imaging/partner.h"
#include "imaging/program_start.h"
#include "imaging/suite_classes.h"
#include "lumbric/command_ids.h"
#include "lumbric/records.h"
#include "form.h"
#include "mainwindow.h"
#include "settings.h"
#include "skin/sk_files.h"
#include "skin/sk_menu.h"
#include "skin/sk_msgbox.h"
#include "skin/sk_shell.h"
#include "skin/skin.h"
#include "state.h"
#include "wndproc.h"

namespace lumbric {

namespace {

constexpr DWORD kRunningCopyWaitMs = 10000;

// The data folder of NET.CFG (or the program folder) and its standard thesaurus. False
// after the stop box when the folder cannot be made.
bool PrepareDataFolder() {
  Lumbric& a = App();
  a.baseName = Ui(34);
  int rc = db::ResolveDataFolder(a.programFolder, a.baseName, a.dataFolder);
  if (rc != 0) {
    SKMSGBOX(nullptr, SKCAPTIONFONT(), a.programName, a.dataFolder + "|" + SKWINERR(rc), "", SkBoxStyle::Stop());
    return false;
  }
  const std::string standard = a.programFolder + "standard.thm";
  if (!fileio::Exists(a.dataFolder + "standard.thm") && fileio::Exists(standard)) {
    rc = SKSHELLCOPY(nullptr, standard, a.dataFolder + "standard.thm");
    if (rc != 0)
      SKMSGBOX(nullptr, SKCAPTIONFONT(), a.programName, SKWINERR(rc) + "|\r\n", "", SkBoxStyle::Stop());
  }
  return true;
}

void CleanUp() {
  Lumbric& a = App();
  if (a.frame && IsWindow(a.frame)) DestroyWindow(a.frame);
  a.frame = nullptr;
  a.mutex.Reset();
}

}  // namespace

int WINMAIN(HINSTANCE instance, const std::string& commandLine) {
  Lumbric& a = App();
  static_cast<startup::ProgramIdentity&>(a) = startup::IdentifyProgram(instance);
  a.commandLine = commandLine;
  SKINITENGINE(a.SkinFile());
  a.screenWidth = GetSystemMetrics(SM_CXSCREEN);
  a.screenHeight = GetSystemMetrics(SM_CYSCREEN);
  if (!startup::CheckUiFile(a.uiFile, a.programName)) return startup::kExitMissingUiFile;
  a.mutex = win::Mutex(TakeSingleInstanceMutex(kClassTopicEditor, kRunningCopyWaitMs));
  if (!a.mutex) return 0;
  a.icon = LoadIconA(instance, "PROGRAM");
  int count = 0;
  SKREADM(a.uiFile, a.menus, count);
  SKREADSTR(a.uiFile, a.strings, count);
  if (!PrepareDataFolder()) {
    CleanUp();
    return kExitNoDataFolder;
  }
  ReadSettings();
  DbSetDayFirstDates(ISFRENCH() != 0);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  PrepareFields();
  int exitCode = 0;
  if (CreateMainWindow()) {
    // A rebuild that a kill interrupted while it put its files in place is finished first.
    FinishInterruptedRebuild(a.RecordFile(), a.fields);
    // The frame shows at once; the record form and the thesaurus list come into it
    // afterwards, before any message is handled.
    ShowWindow(a.frame, SW_SHOW);
    UpdateWindow(a.frame);
    SetForegroundWindow(a.frame);
    SendMessageA(a.frame, kMsgBuildForm, kBuildFormParameter, 0);
    // The holder painted before the form knew whether the archive is locked (its icon).
    RedrawWindow(a.clientHolder, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    UpdateWindow(a.frame);
    startup::MessageLoopSteps steps;
    steps.filter = [](MSG& msg) {
      if (msg.message == WM_KEYDOWN && msg.wParam == VK_F1) {
        PostMessageA(App().frame, WM_COMMAND, kCmdHelp, 0);
        return true;
      }
      return false;
    };
    steps.dialogKeys = true;
    exitCode = startup::RunMessageLoop(a.frame, steps);
  }
  const bool restart = a.restart;
  const std::string self = a.programFolder + a.programFile;
  CleanUp();
  if (restart) ShellExecuteA(nullptr, "open", self.c_str(), nullptr, nullptr, SW_SHOW);
  return exitCode;
}

}  // namespace lumbric
