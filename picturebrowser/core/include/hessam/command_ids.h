// The picture browser's identifiers: the buttons and controls of its holder (each button's
// tip is a UI entry) and its menu commands. In the core, since the rules of the strip and
// the shows name them as well as the window code and the tests. Portable.
#pragma once

namespace hessam {

enum BrowserCommand : int {
  // The buttons under the picture strip, left to right.
  kCmdFirstFour = 1,    // back to pictures 1 to 4
  kCmdOneBack = 2,
  kCmdPrint = 3,
  kCmdPreview = 4,
  kCmdOneForward = 5,
  kCmdLastFour = 6,
  // The selection row: 7, 9, 11, 13 show selection cell 1 to 4 in the zoom view, 8, 10, 12,
  // 14 empty it.
  kCmdZoomSelection1 = 7,
  kCmdClearSelection1 = 8,
  kCmdHelp = 15,          // the "?" button, F1
  kFolderTree = 16,       // the folder tree control's identifier
  kCmdPictureButton = 17, // the picture button: the document of UI entry 14
  kCmdStart = 99,         // posted at the end of the layout: starts the start-up timer
  kCmdPrinterSetup = 101,
  kCmdSlideShow = 201,
  kCmdTiledShow = 203,
  kCmdTiledShow2 = 204,
  kCmdNamesOn = 206,
  kCmdNamesOff = 207,
  kCmdHelpMenu = 209,
};

// Controls without commands, named so that a partner or a test can find them.
enum BrowserControl : int {
  kPictureStripControl = 30,
  kSelectionStripControl = 31,
  kCountControl = 32,
  kSelectionLabelControl = 41,  // 41 to 44: the labels of selection cells 1 to 4
  kPositionControl = 51,        // 51 to 60: layout positions 1 to 10
};

// The selection row's two buttons of selection cell n (1 to 4).
constexpr int ZoomSelectionCommand(int n) { return 2 * n + 5; }
constexpr int ClearSelectionCommand(int n) { return 2 * n + 6; }

// The zoom window's states.
enum ZoomState : int { kZoomClosed = 0, kZoomShown = 1, kPreviewShown = 2 };

}  // namespace hessam
