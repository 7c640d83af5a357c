#include "startup.h"

#include <commctrl.h>

#include "boxes.h"
#include "commands.h"
#include "db/archive.h"
#include "imaging/program_start.h"
#include "mainwindow.h"
#include "settings.h"
#include "skin/sk_controls.h"
#include "skin/sk_menu.h"
#include "skin/skin.h"
#include "state.h"
#include "wndproc.h"

namespace ostrel {

namespace {

constexpr int kExitNoDataFolder = 3;

void CleanUp() {
  Ostrel& a = App();
  if (a.frame && IsWindow(a.frame)) DestroyWindow(a.frame);
  a.frame = nullptr;
}

}  // namespace

int WINMAIN(HINSTANCE instance, const std::string& commandLine) {
  Ostrel& a = App();
  static_cast<startup::ProgramIdentity&>(a) = startup::IdentifyProgram(instance);
  a.commandLine = commandLine;
  SKINITENGINE(a.programFolder + "TOLVERN.SKS");
  a.screenWidth = GetSystemMetrics(SM_CXSCREEN);
  a.screenHeight = GetSystemMetrics(SM_CYSCREEN);
  if (!startup::CheckUiFile(a.uiFile, a.programName)) return startup::kExitMissingUiFile;
  // Any number of copies may run: no single-instance mutex.
  a.icon = LoadIconA(instance, "PROGRAM");
  int count = 0;
  SKREADM(a.uiFile, a.menus, count);
  SKREADSTR(a.uiFile, a.strings, count);
  DbSetDayFirstDates(ISFRENCH() != 0);
  a.baseName = Ui(34);
  if (int rc = db::ResolveDataFolder(a.programFolder, a.baseName, a.dataFolder); rc != 0) {
    StopBox(a.dataFolder, 3);
    return kExitNoDataFolder;
  }
  db::CopyStandardThesaurus(a.programFolder, a.dataFolder);
  ReadSettings();
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  int exitCode = 0;
  if (CreateMainWindow()) {
    // The frame shows at once; the query form, the thesaurus and its word list come into
    // it afterwards, before any message is handled.
    ShowWindow(a.frame, SW_SHOW);
    UpdateWindow(a.frame);
    SetForegroundWindow(a.frame);
    WNDPROC(a.frame, WM_INITDIALOG, 0, 0);
    UpdateWindow(a.frame);
    startup::MessageLoopSteps steps;
    steps.dialogKeys = true;
    steps.filter = [](MSG& m) {
      if (m.message == WM_KEYDOWN && m.wParam == VK_F1) {
        PostMessageA(App().frame, WM_COMMAND, kCmdHelp, 0);
        return true;
      }
      return false;
    };
    exitCode = startup::RunMessageLoop(a.frame, steps);
  }
  CleanUp();
  return exitCode;
}

}  // namespace ostrel
