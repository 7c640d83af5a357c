#include "startup.h"

#include <commctrl.h>

#include <algorithm>

#include "fileio/paths.h"
#include "hessam/command_ids.h"
#include "hessam/texts.h"
#include "imaging/program_start.h"
#include "mainwindow.h"
#include "settings.h"
#include "skin/sk_menu.h"
#include "skin/skin.h"
#include "state.h"
#include "wndproc.h"

namespace hessam {
namespace {

constexpr int kWindowStyle = 0x1B;  // close, minimise, pin and sizing border

// Who the program is: the base name is the file name up to its first ".", so a folder with
// a "." in its name does not cut the UI text file's path.
void Identify(HINSTANCE instance, const std::string& commandLine) {
  BrowserState& b = App();
  static_cast<startup::ProgramIdentity&>(b) = startup::IdentifyProgram(instance);
  b.programName = ProgramBaseName(b.exePath);
  b.basePath = b.programFolder + b.programName;
  b.uiFile = b.basePath + ".SYS";
  b.commandLine = commandLine;
  b.tempPicture = SKGETTEMPPATH() + "QEXPCONV.BMP";
  b.defaultFont = SKDEFAULTFONT();
  b.screenWidth = GetSystemMetrics(SM_CXSCREEN);
  b.screenHeight = GetSystemMetrics(SM_CYSCREEN);
  b.icon = LoadIconA(instance, "PROGRAM");
  b.perforation.Reset(static_cast<HBITMAP>(LoadImageA(instance, "CRAN", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

void ReadUiFile() {
  BrowserState& b = App();
  int count = 0;
  SKREADM(b.uiFile, b.menus, count);
  SKREADSTR(b.uiFile, b.strings, count);
  b.title = Ui(4).substr(0, 256);
  SKAPPTITLE(b.title);
}

// The largest window: 800 x 600 of content (a width of whole groups of 4, a height of whole
// groups of 2) with the skin's frame around it.
void SetLargestSize() {
  int sides = SKGETSYSTEMMETRICS(kSkinLeftBorder) + SKGETSYSTEMMETRICS(kSkinRightBorder);
  int rows = SKGETSYSTEMMETRICS(kSkinCaptionHeight) + SKGETSYSTEMMETRICS(kSkinMenuBarHeight) +
             SKGETSYSTEMMETRICS(kSkinStatusHeight) + SKGETSYSTEMMETRICS(kSkinBottomBorder);
  int width = (800 - sides) / 4 * 4 + sides, height = (600 - rows) / 2 * 2 + rows;
  int maxWidth = width, maxHeight = height;
  SKSETMAXSIZE(width, height, maxWidth, maxHeight);
}

// A click on a layout position goes straight to WNDPROC; F1 is the help command.
bool LoopFilter(MSG& msg) {
  BrowserState& b = App();
  if (msg.message == WM_LBUTTONDOWN && msg.hwnd &&
      std::find(b.slots.begin(), b.slots.end(), msg.hwnd) != b.slots.end()) {
    WNDPROC(msg.hwnd, WM_LBUTTONDOWN, 0, 0);
    return true;
  }
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_F1) {
    PostMessageA(b.frame, WM_COMMAND, kCmdHelp, 0);
    return true;
  }
  return false;
}

void CleanUp() {
  BrowserState& b = App();
  SKKILLFILE(b.tempPicture);
  if (b.startTimer) KillTimer(nullptr, b.startTimer);
  b.startTimer = 0;
  b.zoomPicture.Reset();
  b.printer.Reset();
  if (b.zoom && IsWindow(b.zoom)) DestroyWindow(b.zoom);
  b.zoom = nullptr;
  if (b.frame && IsWindow(b.frame)) DestroyWindow(b.frame);
  b.frame = nullptr;
  if (b.menuBar) DestroyMenu(b.menuBar);
  b.menuBar = nullptr;
  b.gdiplus.Reset();
}

}  // namespace

int WINMAIN(HINSTANCE instance, HINSTANCE, const std::string& commandLine, int) {
  BrowserState& b = App();
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  Identify(instance, commandLine);
  SKINITENGINE(b.programFolder + "TOLVERN.SKL");
  if (!startup::CheckUiFile(b.uiFile, b.programName)) return startup::kExitMissingUiFile;
  ReadUiFile();
  SKWINDOWSTYLE(kWindowStyle);
  SetLargestSize();
  int left = 0, top = 0, width = 0, height = 0;
  PICTURESETTINGS(left, top, width, height, 0);
  int exitCode = 0;
  if (CreateMainWindow(left, top, width, height)) {
    // The frame shows at once; what takes long (GDI+, the printer, the folder tree, the
    // holder's controls) comes into it afterwards, before any message is handled.
    ShowWindow(b.frame, SW_SHOW);
    UpdateWindow(b.frame);
    b.gdiplus = startup::StartGdiplusWhenPresent();
    CreateZoomWindow();
    SendMessageA(b.frame, WM_INITDIALOG, 0, 0);
    // The holder painted before its layout was known (the line under the buttons).
    RedrawWindow(b.holder, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    UpdateWindow(b.frame);
    startup::MessageLoopSteps steps;
    steps.filter = LoopFilter;
    exitCode = startup::RunMessageLoop(b.frame, steps);
  }
  CleanUp();
  return exitCode;
}

}  // namespace hessam
