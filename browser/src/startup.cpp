#include "startup.h"

#include <commctrl.h>
#include <shellapi.h>

#include "closing.h"
#include "commands.h"
#include "controls/buildbox.h"
#include "detail_filler.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "imaging/gdiplus_helpers.h"
#include "imaging/partner.h"
#include "imaging/program_start.h"
#include "kelmor/cmdline.h"
#include "kelmor/menus.h"
#include "kelmor/settings.h"
#include "kelmor/startup_values.h"
#include "keyfilter.h"
#include "launcher.h"
#include "mainwindow.h"
#include "pick/pick.h"
#include "settings.h"
#include "skin/sk_draw.h"
#include "skin/sk_menu.h"
#include "skin/sk_skins.h"
#include "skin/skin.h"
#include "state.h"
#include "watchers.h"

namespace kelmor {

namespace {

// How long a second copy waits for the running copy's window before it gives up and ends.
constexpr DWORD kRunningCopyWaitMs = 10000;

void Identify(HINSTANCE instance) {
  BrowserState& b = App();
  static_cast<startup::ProgramIdentity&>(b) = startup::IdentifyProgram(instance);
  b.icon = LoadIconA(instance, "PROGRAM");
  b.miniled = LoadBitmapA(instance, "miniled");
}

void ReadUiFile() {
  BrowserState& b = App();
  int count = 0;
  SKREADM(b.uiFile, b.menus, count);
  SKREADSTR(b.uiFile, b.strings, count);
  b.title = Ui(1);
  ReplaceProgramTitle(b.menus, b.title);
}

// False when another copy runs: it has been brought to the front and this one ends. A
// window that does not appear in time (a copy still starting up or ending) gets nothing.
bool TakeSingleInstance() {
  BrowserState& b = App();
  b.mutex = win::Mutex(TakeSingleInstanceMutex(kClassBrowser, kRunningCopyWaitMs));
  return bool(b.mutex);
}

void PrepareMenus() {
  BrowserState& b = App();
  b.burnerInstalled = PruneProgramMenus(b.menus, [&b](const std::string& program) {
    return fileio::Exists(b.programFolder + program) && !fileio::IsDirectory(b.programFolder + program);
  });
  BuildSkinMenu(b.menus, SKLISTSKINS(b.programFolder), SKSKINFOLDER());
  SKSETTRANSMENU(1);
}

void FormWorkingFolder() {
  BrowserState& b = App();
  std::string folder = WorkingFolderText(Ui(21), b.programFolder);
  if (folder.empty() || SKMAKEDIR(folder) != 0) folder = b.programFolder;
  b.workingFolder = fileio::WithTrailingSeparator(folder);
  b.workingFile = b.workingFolder + Ui(24) + Ui(25);
  b.thumbnailSize = ThumbnailSize(Ui(16));
  // The extensions that the lists of all files leave out (side files, the program's own).
  std::string filterList = Ui(3);
  SKPICKFILTER(filterList, 1);
}

void SetMenuCheck(int command, bool on) {
  if (MenuItem* item = App().menus.FindItem(command)) item->checked = on;
}

// The current folder: the stored one, else the first favourite, else the program folder.
// The favourites box gets the folders of the favourites file and, at the top, the current
// folder.
void FillFavourites(std::string storedFolder) {
  BrowserState& b = App();
  std::vector<std::string> entries;
  if (SKEXIST(FavouritesPath())) {
    std::vector<std::string> lines;
    int end = 0;
    while (!end) lines.push_back(SKBUFIN(FavouritesPath(), end));
    std::string first = AddFavouriteLines(
        lines, entries,
        [](const std::string& root) {
          UINT type = GetDriveTypeA(root.c_str());
          return type == DRIVE_CDROM || type == DRIVE_REMOVABLE;
        },
        [](const std::string& folder) { return SKEXIST(folder + "\\*.*") != 0; });
    if (storedFolder.empty()) storedFolder = first;
  }
  if (storedFolder.empty()) storedFolder = b.programFolder;
  b.currentFolder = fileio::WithTrailingSeparator(storedFolder);
  std::string tip = FavouriteTip(b.currentFolder);
  PutFolderOnTop(entries, tip);
  CreateFavouritesBox(entries, tip);
}

void ShowStartupHint() {
  BrowserState& b = App();
  BuildBoxStyle style;
  style.icon = b.icon;
  style.textColour = SKGETSYSCOLOR(113);
  style.secondColour = SKGETSYSCOLOR(112);
  style.layout = 6;
  style.flag = 0;
  style.textStyle = kTextRaised;
  style.raisedFrame = true;
  uint32_t mask = 0;
  BUILDBOX(b.frame, SKCAPTIONFONT(), Ui(1), Ui(67), Ui(68), "", mask, style);
  if (!mask) return;
  int left, top, width, height, option809;
  std::string folder, filter;
  BROWSERSETTINGS(left, top, width, height, folder, filter, option809, 0);
  b.hintOff = int(mask);
  BROWSERSETTINGS(left, top, width, height, folder, filter, option809, 1);
}

// The key filter sees every message first; Tab and the arrow keys move between the
// controls as in a dialog.
int RunMessageLoop() {
  startup::MessageLoopSteps steps;
  steps.filter = [](MSG& msg) { return KEYFILTER(App().frame, msg) != 0; };
  steps.dialogKeys = true;
  return startup::RunMessageLoop(App().frame, steps);
}

// Everything the browser started goes; the window and the single-instance mutex go before
// a new copy starts, so that the new copy cannot mistake this one for a running browser.
void CleanUpAndRestart() {
  BrowserState& b = App();
  StopListInfo();
  STOPWATCH();
  StopDriveWatch();
  SKDELETEOBJECT(b.miniled);
  RemoveTemporaryFiles();
  b.gdiplus.Reset();
  if (b.frame && IsWindow(b.frame)) DestroyWindow(b.frame);
  b.frame = nullptr;
  b.mutex.Reset();
  RestartPlan plan = PlanRestart(b.restartState);
  if (plan.restart) {
    ShellExecuteA(nullptr, "open", b.exePath.c_str(), plan.argument.empty() ? nullptr : plan.argument.c_str(),
                  b.programFolder.c_str(), SW_SHOW);
  }
}

}  // namespace

int WINMAIN(HINSTANCE instance, HINSTANCE, const std::string& commandLine, int) {
  BrowserState& b = App();
  Identify(instance);
  if (!startup::CheckUiFile(b.uiFile, b.programName)) return startup::kExitMissingUiFile;
  ReadUiFile();

  BrowserCommandLine line = ParseBrowserCommandLine(commandLine);
  if (!line.fileList.empty()) {
    // A hand-over: no mutex, no skin, no window.
    return int(reinterpret_cast<INT_PTR>(LAUNCHSUITEAPP(line.fileList)));
  }
  b.startByDrive = line.startByDrive;
  b.skinFile = line.skinFile.empty() ? b.programFolder + "TOLVERN.SKL" : line.skinFile;

  if (!TakeSingleInstance()) return 0;

  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  SKINITENGINE(b.skinFile);
  SKUSEFOCUSRECT(1);
  PrepareMenus();
  FormWorkingFolder();
  SKAPPTITLE(b.title);
  SKWINDOWSTYLE(31);
  SKSETSHADOW(0);

  int left = 0, top = 0, width = 0, height = 0, option809 = -1;
  std::string folder, filter;
  BROWSERSETTINGS(left, top, width, height, folder, filter, option809, 0);
  // The suite's own file types: layered pictures and collection lists.
  for (int entry : {83, 84})
    if (!Ui(entry).empty()) REGISTERFILETYPE(Ui(entry));
  SetMenuCheck(kSheetNamesCommand, option809 != 0);
  SetMenuCheck(kMarkersCommand, b.markers != 0);
  int maxWidth = GetSystemMetrics(SM_CXSCREEN), maxHeight = GetSystemMetrics(SM_CYSCREEN);
  SKSETMAXSIZE(width, height, maxWidth, maxHeight);

  int exitCode = 0;
  if (CreateFrame(left, top, width, height)) {
    // The frame shows at once; what takes long to fill (the favourites, the folder tree,
    // the file types, GDI+) comes into it afterwards.
    ShowWindow(b.frame, SW_SHOW);
    UpdateWindow(b.frame);
    CreateFileTypeBox(filter);
    FillFavourites(folder);
    CreateControls();
    b.gdiplus = startup::StartGdiplusWhenPresent();
    BringWindowToTop(b.frame);
    // The keyboard starts in the file list.
    SetFocus(b.fileList);
    if (b.currentFileType != kThumbnailFileType && !b.hintOff && !b.startByDrive) ShowStartupHint();
    exitCode = RunMessageLoop();
  }
  CleanUpAndRestart();
  return exitCode;
}

}  // namespace kelmor
