#include "startup.h"

#include <commctrl.h>

#include "closing.h"
#include "commands.h"
#include "imaging/partner.h"
#include "imaging/program_start.h"
#include "mainwindow.h"
#include "objects.h"
#include "picture.h"
#include "settings.h"
#include "skin/sk_draw.h"
#include "skin/skin.h"
#include "state.h"

namespace bravik {
namespace {

// How long a second start waits for the running copy's window.
constexpr DWORD kRunningCopyWaitMs = 10000;

// False when another copy runs: it is brought to the front and this one ends. The wait for
// its window ends when its mutex is gone or after a time limit.
bool TakeSingleInstance() {
  ToolState& t = App();
  t.mutex = win::Mutex(TakeSingleInstanceMutex(kClassPictureTool, kRunningCopyWaitMs));
  return bool(t.mutex);
}

void GreyAtStart() {
  // The table's items start greyed, so that the bar's menus are built that way.
  for (int id : CommandsGreyedAtStart())
    if (MenuItem* item = App().menus.FindItem(id)) item->grayed = true;
}

// F1 in any window of the tool is the help button.
bool HelpKey(MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_F1) return false;
  PostMessageA(App().frame, WM_COMMAND, kHelpButton, 0);
  return true;
}

void CleanUp() {
  ToolState& t = App();
  t.gdiplus.Reset();
  if (t.frame && IsWindow(t.frame)) DestroyWindow(t.frame);
  t.frame = nullptr;
  if (t.mainMenu) DestroyMenu(t.mainMenu);
  t.mainMenu = nullptr;
  ZOOMPICTURE(0);
  if (t.canvas) SKDELETEMEMBMP(t.canvas);
  SKDELETEOBJECT(t.fullViewFit);
  RemoveTemporaryFiles();
  t.mutex.Reset();
}

}  // namespace

int WINMAIN(HINSTANCE instance, const std::string& commandLine) {
  ToolState& t = App();
  static_cast<startup::ProgramIdentity&>(t) = startup::IdentifyProgram(instance);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  SKINITENGINE(t.programFolder + "TOLVERN.SKS");
  if (!TakeSingleInstance()) return 0;

  t.conversionPath = SKGETTEMPPATH() + "BRAVIKCONV.BMP";
  t.defaultFont = SKDEFAULTFONT();
  t.screenWidth = GetSystemMetrics(SM_CXSCREEN);
  t.screenHeight = GetSystemMetrics(SM_CYSCREEN);
  t.commandLine = commandLine;
  if (!startup::CheckUiFile(t.uiFile, t.programName)) {
    t.mutex.Reset();
    return startup::kExitMissingUiFile;
  }
  int count = 0;
  SKREADM(t.uiFile, t.menus, count);
  PICSETTINGS(0);
  GreyAtStart();
  SKREADSTR(t.uiFile, t.strings, count);
  t.caption = Ui(1).substr(0, 259);
  SKAPPTITLE(t.caption);
  t.tempCopy = SKGETTEMPPATH() + Ui(13) + ".bmp";
  t.tempLayer = SKGETTEMPPATH() + Ui(13) + ".qmf";

  RECT place = t.settingsPlace;
  int exitCode = 0;
  if (CreateMainWindow(place.left, place.top, place.right - place.left, place.bottom - place.top)) {
    int colours = 0;
    t.baseObject = CREATEOBJECT(t.canvas, 0);
    LOADPICTURE("", colours);
    t.gdiplus = startup::StartGdiplusWhenPresent();
    SendMessageA(t.frame, WM_INITDIALOG, reinterpret_cast<WPARAM>(t.frame), 0);
    ShowWindow(t.frame, SW_SHOW);
    UpdateWindow(t.frame);
    startup::MessageLoopSteps steps;
    steps.filter = HelpKey;
    exitCode = startup::RunMessageLoop(t.frame, steps);
  }
  CleanUp();
  return exitCode;
}

}  // namespace bravik
