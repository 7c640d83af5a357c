// The picture browser's program-wide state: what start-up fixes, the main window and its
// controls, the picture list and the strip, the selection and the layout positions, the
// zoom view, a running show and the printer. Main thread only.
#pragma once
#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "hessam/command_ids.h"
#include "hessam/holder_layout.h"
#include "hessam/marks.h"
#include "hessam/print_layout.h"
#include "hessam/shows.h"
#include "hessam/strip.h"
#include "hessam/zoom.h"
#include "imaging/program_start.h"
#include "skin/ui_text.h"
#include "win/gdiplus_session.h"
#include "win/raii.h"

namespace hessam {

// A show while it runs in the zoom window.
struct ShowRun {
  bool running = false;
  ShowKind kind = ShowKind::kSlide;
  bool pause = false;
  Tiles tiles;                         // the tiled show's
  std::vector<std::string> tilePaths;  // the path each tile of the screen shows (index = tile)
  MarkedPaths marks;
};

// The identity (program folder, base name, UI text file) is fixed at start; the base name
// is the executable's name up to its first ".".
struct BrowserState : startup::ProgramIdentity {
  std::string title;        // UI entry 4
  std::string commandLine;
  std::string tempPicture;  // the temporary folder + "QEXPCONV.BMP", deleted at the end
  MenuTable menus;
  StringTable strings{std::string()};
  HMENU menuBar = nullptr;
  HICON icon = nullptr;
  HFONT defaultFont = nullptr;
  int screenWidth = 0;
  int screenHeight = 0;
  win::GdiplusSession gdiplus;
  win::Bitmap perforation;  // the resource "CRAN"

  // Windows.
  HWND frame = nullptr;
  HWND menuHolder = nullptr;
  HWND holder = nullptr;
  HWND status = nullptr;
  HWND zoom = nullptr;
  HWND pictureStrip = nullptr;
  HWND selectionStrip = nullptr;
  HWND countField = nullptr;
  HWND folderTree = nullptr;
  HWND helpButton = nullptr;
  std::array<HWND, kPositionCount> slots{};  // the layout position windows
  std::array<HWND, 4> selectionLabels{};
  HolderLayout layout;
  std::vector<HWND> skinnedButtons;  // their memory bitmaps go with the window

  // The folder and the picture list.
  std::string currentFolder;  // with its final "\"
  std::string displayName;
  std::string searchMask;
  std::string receivedList;
  std::vector<std::string> pictures;  // list number n is pictures[n - 1]
  Strip strip;
  UINT_PTR startTimer = 0;
  bool treeQuiet = true;  // the tree's own selections (start, the browser's) list nothing
  bool scanning = false;
  bool scanAgain = false;  // a new folder was chosen while a listing ran

  // The picture the commands work on, the one the status line names, the selection.
  std::string currentPicture;
  bool missingPicture = false;  // set by CHECKPICTUREFILE
  std::string hovered;
  std::array<std::string, 4> selection;
  int pickedNumber = 0;
  Positions positions{};

  // The zoom window.
  int zoomState = kZoomClosed;
  ZoomView zoomView;
  win::Bitmap zoomPicture;  // the picture of the zoom view (null once freed)
  bool fileNames = false;   // the option of commands 206 and 207
  ShowRun show;

  // Printing.
  win::CreatedDC printer;
};

BrowserState& App();

// UI entry n of the string table ("" when the file has none).
const std::string& Ui(int n);
// The path of list number n (1 to count); "" outside the list.
std::string PicturePath(int number);

}  // namespace hessam
