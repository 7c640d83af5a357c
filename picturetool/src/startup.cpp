#include "startup.h"

#include <commctrl.h>

#include "fileio/paths.h"
#include "imaging/gdiplus_helpers.h"
#include "imaging/partner.h"
#include "imaging/text_shape.h"
#include "mainwindow.h"
#include "skin/sk_draw.h"
#include "skin/sk_menu.h"
#include "skin/sk_msgbox.h"
#include "skin/skin.h"
#include "state.h"
#include "tool.h"

namespace bravik {
namespace {

// How long a second start waits for the running copy's window.
constexpr DWORD kRunningCopyWaitMs = 10000;

void IdentifyProgram(HINSTANCE instance) {
  ToolState& t = Tool();
  t.instance = instance;
  t.exePath = SKEXENAME();
  std::string folder, name;
  SKSPLITN(t.exePath, folder, name);
  t.programFolder = fileio::WithTrailingSeparator(folder);
  t.programName = fileio::StemOf(name);
  t.uiFile = fileio::WithoutExtension(t.exePath) + ".SYS";
}

// False when another copy runs: it is brought to the front and this one ends. The wait for
// its window ends when its mutex is gone or after a time limit.
bool TakeSingleInstance() {
  ToolState& t = Tool();
  t.mutex = TakeSingleInstanceMutex(kClassPictureTool, kRunningCopyWaitMs);
  return t.mutex != nullptr;
}

void ReportMissingUiFile() {
  ToolState& t = Tool();
  SKMSGBOX(nullptr, SKCAPTIONFONT(), t.programName, t.uiFile + " missing !", "", SkBoxStyle::Stop());
}

void GreyAtStart() {
  std::vector<int> ids{313, 315, 317};
  for (int id = 201; id <= 214; ++id) ids.push_back(id);
  for (int id = 301; id <= 308; ++id) ids.push_back(id);
  for (int base : {600, 700, 900})
    for (int id = base + 1; id <= base + 8; ++id) ids.push_back(id);
  // The table's items start greyed, so that the bar's menus are built that way.
  for (int id : ids)
    if (MenuItem* item = Tool().menus.FindItem(id)) item->grayed = true;
}

int RunMessageLoop() {
  ToolState& t = Tool();
  MSG msg{};
  BOOL got;
  while ((got = GetMessageA(&msg, nullptr, 0, 0)) != 0) {
    if (got == -1) break;
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_F1) {
      PostMessageA(t.frame, WM_COMMAND, kHelpButton, 0);
      continue;
    }
    if (SKDIALOGMESSAGE(t.frame, msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return int(msg.wParam);
}

void CleanUp() {
  ToolState& t = Tool();
  if (t.gdiplusToken) GDIPSTOP(t.gdiplusToken);
  t.gdiplusToken = 0;
  if (t.frame && IsWindow(t.frame)) DestroyWindow(t.frame);
  t.frame = nullptr;
  if (t.mainMenu) DestroyMenu(t.mainMenu);
  t.mainMenu = nullptr;
  ZOOMPICTURE(0);
  if (t.canvas) SKDELETEMEMBMP(t.canvas);
  SKDELETEOBJECT(t.fullViewFit);
  SKKILLFILE(t.conversionPath);
  if (t.mutex) CloseHandle(t.mutex);
  t.mutex = nullptr;
}

}  // namespace

int WINMAIN(HINSTANCE instance, const std::string& commandLine) {
  ToolState& t = Tool();
  IdentifyProgram(instance);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  SKINITENGINE(t.programFolder + "TOLVERN.SKS");
  if (!TakeSingleInstance()) return 0;

  t.conversionPath = SKGETTEMPPATH() + "BRAVIKCONV.BMP";
  t.defaultFont = SKDEFAULTFONT();
  t.screenWidth = GetSystemMetrics(SM_CXSCREEN);
  t.screenHeight = GetSystemMetrics(SM_CYSCREEN);
  t.commandLine = commandLine;
  if (!SKEXIST(t.uiFile)) {
    ReportMissingUiFile();
    if (t.mutex) CloseHandle(t.mutex);
    return 2;
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
  SETCURVETENSION(0.33f);

  RECT place = t.settingsPlace;
  int exitCode = 0;
  if (CreateMainWindow(place.left, place.top, place.right - place.left, place.bottom - place.top)) {
    int colours = 0;
    t.baseObject = CREATEOBJECT(t.canvas, 0);
    LOADPICTURE("", colours);
    if (!SKFINDF("gdiplus.dll").empty()) t.gdiplusToken = GDIPSTART();
    SendMessageA(t.frame, WM_INITDIALOG, reinterpret_cast<WPARAM>(t.frame), 0);
    ShowWindow(t.frame, SW_SHOW);
    UpdateWindow(t.frame);
    exitCode = RunMessageLoop();
  }
  CleanUp();
  return exitCode;
}

}  // namespace bravik
