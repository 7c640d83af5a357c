#include "startup.h"

#include <commctrl.h>

#include "commands.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "mainwindow.h"
#include "narwen/command_line.h"
#include "narwen/tool_rules.h"
#include "skin/sk_files.h"
#include "skin/skin.h"
#include "state.h"
#include "wndproc.h"

namespace narwen {

namespace {

void ReadSettings() {
  Narwen& a = App();
  a.settingsPath = fileio::WithTrailingSeparator(SKGETTEMPPATH()) + a.programName + ".cfg";
  std::string bytes;
  fileio::ReadWholeFile(a.settingsPath, bytes);
  a.place = ParseToolSettings(bytes, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

// The window's place as it ends, unless it ends minimised.
void WriteSettings() {
  Narwen& a = App();
  RECT r;
  if (!a.frame || IsIconic(a.frame) || !GetWindowRect(a.frame, &r)) return;
  fileio::WriteFileReplacing(a.settingsPath,
                             FormatToolSettings({int(r.left), int(r.top), int(r.right - r.left), int(r.bottom - r.top)}));
}

}  // namespace

int WINMAIN(HINSTANCE instance, const std::string& commandLine) {
  Narwen& a = App();
  static_cast<startup::ProgramIdentity&>(a) = startup::IdentifyProgram(instance);
  SKINITENGINE(a.programFolder + "TOLVERN.SKL");
  if (!startup::CheckUiFile(a.uiFile, "NARWEN")) return startup::kExitMissingUiFile;
  int count = 0;
  SKREADM(a.uiFile, a.menus, count);
  SKREADSTR(a.uiFile, a.strings, count);
  a.pickFolder = a.programFolder;
  ReadSettings();
  ListKeysInPicks();
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  if (!CreateMainWindow()) return 0;
  ShowWindow(a.frame, SW_SHOW);
  UpdateWindow(a.frame);
  const CommandLineJob job = ParseCommandLine(commandLine);
  if (job.present) {
    // Handed over as the window's own message; the job ends the program when it is done.
    WNDPROC(a.frame, job.mode == kModeIndexOnly ? kMsgIndexOnlyJob : kMsgCompactJob, WPARAM(job.path.size()),
            LPARAM(job.path.c_str()));
  }
  const int exitCode = startup::RunMessageLoop(a.frame);
  WriteSettings();
  if (a.frame && IsWindow(a.frame)) DestroyWindow(a.frame);
  a.frame = nullptr;
  return exitCode;
}

}  // namespace narwen
