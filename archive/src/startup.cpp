#include "startup.h"

#include <commctrl.h>

#include "grilton/recording_volume.h"
#include "boxes.h"
#include "commands.h"
#include "display.h"
#include "db/archive.h"
#include "fileio/file.h"
#include "fileio/folder_guard.h"
#include "fileio/paths.h"
#include "grilton/picture_list.h"
#include "imaging/partner.h"
#include "imaging/program_start.h"
#include "mainwindow.h"
#include "settings.h"
#include "skin/sk_controls.h"
#include "skin/sk_files.h"
#include "skin/sk_menu.h"
#include "skin/skin.h"
#include "state.h"
#include "wndproc.h"

namespace grilton {

namespace {

constexpr DWORD kRunningCopyWaitMs = 10000;
constexpr UINT kVolumeTimerMs = 75;

void CALLBACK VolumeTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  Grilton& a = App();
  if (!a.clientHolder) return;
  if (auto level = ReadRecordingVolume(a.mixer.Handle()))
    if (HWND bar = GetDlgItem(a.clientHolder, kVolumeBar)) SKSETTRACKPOS(bar, *level);
  if (a.recording) RepaintRecordingDisplay();
}

// The folders the archive works in. False after the stop box when the data folder cannot
// be made.
bool PrepareFolders() {
  Grilton& a = App();
  a.place.baseName = Ui(21);
  a.place.keyPattern = Ui(14);
  a.place.templatePath = Ui(62).empty() ? std::string() : a.programFolder + Ui(62);
  int rc = db::ResolveDataFolder(a.programFolder, a.place.baseName, a.place.dataFolder);
  if (rc != 0) {
    StopBox(a.place.dataFolder, 3);
    return false;
  }
  db::CopyStandardThesaurus(a.programFolder, a.place.dataFolder);
  // A work folder is emptied when the program ends: never a root, nor a folder of the
  // system, of the programs or of the archive's data.
  fileio::ProtectedFolders guarded;
  guarded.windowsFolder = SKWINDIR();
  guarded.systemFolder = SKSYSDIR();
  guarded.programFolder = a.programFolder;
  guarded.dataFolder = a.place.dataFolder;
  std::string work = ExpandFolderEntry(Ui(66), a.programFolder);
  if (work.empty() || !fileio::IsDisposableFolder(work, guarded))
    work = fileio::WithTrailingSeparator(SKGETTEMPPATH()) + fileio::ToUpper(a.programName) + "WORK\\";
  a.place.workFolder = work;
  SKMAKEDIR(work);
  a.entry24Folder = ExpandFolderEntry(Ui(24), a.programFolder);
  if (!a.entry24Folder.empty()) SKMAKEDIR(a.entry24Folder);
  a.thesaurusAddFile = ExpandFolderEntry(Ui(77), a.programFolder);
  if (!a.thesaurusAddFile.empty()) a.thesaurusAddFile.pop_back();
  return true;
}

void CleanUp() {
  Grilton& a = App();
  if (a.volumeTimer) KillTimer(nullptr, a.volumeTimer);
  a.volumeTimer = 0;
  if (a.frame && IsWindow(a.frame)) DestroyWindow(a.frame);
  a.frame = nullptr;
  SKKILLFILE(a.temporaryPicture);
  a.mixer.Close();
  a.gdiplus = {};
  a.mutex.Reset();
}

}  // namespace

int WINMAIN(HINSTANCE instance, const std::string& commandLine) {
  Grilton& a = App();
  static_cast<startup::ProgramIdentity&>(a) = startup::IdentifyProgram(instance);
  a.commandLine = commandLine;
  SKINITENGINE(a.programFolder + "TOLVERN.SKS");
  a.temporaryPicture = TemporaryPicturePath(SKGETTEMPPATH(), a.programFile);
  a.scanFolder = ScanFolder(a.programFolder);
  a.screenWidth = GetSystemMetrics(SM_CXSCREEN);
  a.screenHeight = GetSystemMetrics(SM_CYSCREEN);
  if (!startup::CheckUiFile(a.uiFile, a.programName)) return startup::kExitMissingUiFile;
  a.mutex = win::Mutex(TakeSingleInstanceMutex(kClassArchive, kRunningCopyWaitMs));
  if (!a.mutex) return 0;
  a.icon = LoadIconA(instance, "PROGRAM");
  int count = 0;
  SKREADM(a.uiFile, a.menus, count);
  SKREADSTR(a.uiFile, a.strings, count);
  ReadSettings();
  DbSetDayFirstDates(ISFRENCH() != 0);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  SKUSEFOCUSRECT(1);
  if (!PrepareFolders()) {
    CleanUp();
    return kExitNoDataFolder;
  }
  // The record's layout, as the form will build it: what the start's checks need of it
  // before the form exists.
  const auto layout = db::ArchiveFields(db::ParseTopicSlots(Ui(36)).count, 2000, 1);
  // Filings that a crash interrupted lose their items before anything is filed.
  RecoverInterruptedFilings(a.place, layout);
  int exitCode = 0;
  if (CreateMainWindow()) {
    CheckRecordingChoice();
    // The frame shows at once; the mixer, the record form, the thesaurus list and GDI+
    // come into it afterwards, before any message is handled.
    ShowWindow(a.frame, SW_SHOW);
    UpdateWindow(a.frame);
    SetForegroundWindow(a.frame);
    BringWindowToTop(a.frame);
    // An archive that cannot be filed into says so (and what mends it) before any work, in
    // the complete window.
    std::string problem;
    const bool damaged = db::CheckRecordFile(a.place.RecordFile(), layout, problem) != 0 && !problem.empty();
    // The start command is queued before the controls exist, so that a command a user or
    // a partner posts once they are there comes after it, as when the window showed complete.
    if (!damaged) PostMessageA(a.frame, WM_COMMAND, WPARAM(kCmdStart & 0xFFFF), 0);
    a.mixer.Open();
    WNDPROC(a.frame, WM_INITDIALOG, 0, 0);
    a.gdiplus = startup::StartGdiplusWhenPresent();
    UpdateWindow(a.frame);
    if (damaged) {
      WarningBox(problem);
      PostMessageA(a.frame, WM_COMMAND, WPARAM(kCmdStart & 0xFFFF), 0);
    }
    a.volumeTimer = SetTimer(nullptr, 0, kVolumeTimerMs, VolumeTimerProc);
    startup::MessageLoopSteps steps;
    steps.dialogKeys = true;
    exitCode = startup::RunMessageLoop(a.frame, steps);
  }
  CleanUp();
  return exitCode;
}

}  // namespace grilton
