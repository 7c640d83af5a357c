// The picture tool's program-wide state: what start-up fixes, the windows, the opened
// list, the working picture and the canvas modes that the window procedure, the commands
// and the object windows share. Main thread only.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "bravik/object_rules.h"
#include "bravik/opened_list.h"
#include "imaging/program_start.h"
#include "skin/ui_text.h"
#include "win/gdiplus_session.h"
#include "win/raii.h"

namespace bravik {

// The grey around the picture in the canvas and in the output copy.
inline constexpr COLORREF kCanvasGrey = RGB(192, 192, 192);

// The identity (instance, program folder and name, UI text file) is fixed at start.
struct ToolState : startup::ProgramIdentity {
  std::string conversionPath;  // temporary folder + "BRAVIKCONV.BMP"
  std::string caption;         // UI entry 1

  MenuTable menus;
  StringTable strings{std::string()};
  HMENU mainMenu = nullptr;
  HFONT defaultFont = nullptr;
  int screenWidth = 0;
  int screenHeight = 0;
  win::Mutex mutex;  // the single instance's
  win::GdiplusSession gdiplus;  // empty when GDI+ is not there

  // Windows.
  HWND frame = nullptr;
  HWND menuPanel = nullptr;
  HWND controlPanel = nullptr;
  HWND zoomPanel = nullptr;
  HWND canvas = nullptr;
  HWND status = nullptr;
  HWND listLabel = nullptr;
  HWND trackBar = nullptr;
  HWND helpButton = nullptr;
  HWND zoomBox = nullptr;
  int zoomFactor = 2;  // of the zoom window, 1 to 10
  HWND baseObject = nullptr;  // the kind-0 object window

  // Settings.
  RECT settingsPlace{};       // the main window's place as the settings give it
  std::string commandLine;
  std::string currentFolder;
  std::string saveFilter;
  int zoomLeft = 0;
  int zoomTop = 0;

  // The pictures being stepped through.
  OpenedList list;
  std::string currentFile;
  std::string loadedFile;
  startup::ReceivedLists received;  // lists of command messages, opened after the sender is free
  std::string lastSaveFolder;
  std::string underlayFile;
  int modified = 0;

  // The working picture.
  int pictureWidth = 0;
  int pictureHeight = 0;
  int memoryWidth = 0;    // the canvas memory bitmap
  int memoryHeight = 0;
  int colours = 0;
  bool shrunk = false;
  int unshrunkWidth = 0;
  int unshrunkHeight = 0;
  // The output copy of the working picture (ZOOMPICTURE): the picture without the object
  // layer, at least the screen's size.
  win::MemoryDC output;
  int scrollX = 0;
  int scrollY = 0;
  std::string tempCopy;   // temporary folder + UI entry 13 + ".bmp"
  std::string tempLayer;  // the same with ".qmf"

  bool partnerStarted = false;

  // Canvas modes.
  bool selectionMode = false;
  int selection[4] = {-1, -1, -1, -1};
  bool xorShown = false;
  RECT xorRect{};
  bool redEyeMode = false;
  std::vector<RedEyeRecord> redEye;
  bool fullView = false;
  int fullViewX = 0;
  int fullViewY = 0;
  HBITMAP fullViewFit = nullptr;  // the picture fitted to the screen (right click)
  int drawKind = 0;               // shape drawing mode: the kind being drawn (0: none)
  int drawStyle = 0;
  std::vector<POINT> drawPoints;  // picture coordinates
  bool rubberShown = false;
  POINT rubberEnd{};
  POINT zoomCentre{};             // the canvas point under the cursor, for the zoom window

  // The default printer.
  std::string printerName;
  std::string printerDriver;
  std::string printerPort;
};

ToolState& App();

// UI entry n ("" when the file has none).
const std::string& Ui(int n);
// The field of a "|"-separated UI entry (1-based), "" when it has none.
std::string UiField(int n, int field, char separator = '|');

}  // namespace bravik
