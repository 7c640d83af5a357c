// The picture tool's command identifiers: its menus (100 x menu number + item number, as
// bravik.SYS numbers them), its popup menus and the controls of its control panel; and
// OnCommand, which runs them.
#pragma once
#include <vector>

namespace bravik {

// Menu numbers of bravik.SYS.
enum MenuNumber : int {
  kMenuFile = 1,
  kMenuColours = 2,
  kMenuPicture = 3,
  kMenuObjects = 4,
  kMenuEffects = 6,
  kMenuEmboss = 7,
  kMenuCapture = 8,
  kMenuRelief = 9,
  // Popup menus, not in the menu bar.
  kMenuSelection = 10,
  kMenuObject = 11,
  kMenuFill = 12,
  kMenuOrder = 13,
};

// The command of an item of a menu.
constexpr int MenuCommand(int menu, int item) { return 100 * menu + item; }

enum CommandId : int {
  // Controls of the control panel and the menu bar's help button.
  kButtonPrevious = 1,
  kButtonFullView = 2,
  kButtonNext = 3,
  kButtonReload = 4,
  kHelpButton = 42,
  kTrackList = 76,

  // File.
  kCmdOpen = 101,
  kCmdNewPicture = 102,
  kCmdPrint = 104,
  kCmdSave = 106,
  kCmdSaveAs = 107,
  kCmdDeleteFile = 108,
  kCmdExit = 109,  // its menu action is "END"
  kCmdZoomWindow = 110,
  kCmdHelp = 112,

  // Colours: 203 to 212 are the tool boxes 1 to 10.
  kCmdContrast = 203,
  kCmdStretchIntensity = 212,
  kCmdAutoEnhance = 214,
  kCmdChooseUnderlay = 216,
  kCmdUnderlay = 217,
  kCmdColourSpare = 219,  // enabled with a picture, though the menu has no item for it

  // Picture.
  kCmdFlip = 301,
  kCmdMirror = 302,
  kCmdTurnLeft = 303,
  kCmdTurnRight = 304,
  kCmdAutoTrim = 306,
  kCmdCopy = 308,
  kCmdPaste = 309,
  kCmdResize = 313,
  kCmdSelectArea = 315,
  kCmdRedEye = 317,

  // Objects: 401 to 406 are also the tool buttons, one per kind of object (command - 400).
  kCmdNewText = 401,
  kCmdNewEllipse = 402,
  kCmdNewRectangle = 403,
  kCmdNewCurve = 404,
  kCmdNewArrow = 405,
  kCmdNewPolyline = 406,
  // 408 to 414 reach every object (object messages 0x402 to 0x408).
  kCmdShowAll = 408,
  kCmdMergeAll = 409,
  kCmdMergeAllShow = 410,
  kCmdHideAll = 411,
  kCmdLockAll = 412,
  kCmdUnlockAll = 413,
  kCmdDeleteAll = 414,

  // Effects: 601 to 606 are the tool boxes 11 to 16; emboss 701 to 708 the boxes 17 to 24.
  kCmdSharpen = 601,
  kCmdMedian = 606,
  kCmdOilPainting = 608,
  kCmdEmbossFirst = 701,
  kCmdEmbossLast = 708,

  // Capture.
  kCmdCaptureScreen = 801,
  kCmdCaptureActive = 802,
  kCmdCaptureClicked = 803,

  // Relief: the eight directions of the light.
  kCmdReliefFirst = 901,
  kCmdReliefLast = 908,

  // The selection's popup.
  kCmdCrop = 1001,
  kCmdEndSelection = 1002,

  // An object's popup.
  kCmdEditObject = 1101,
  kCmdDuplicate = 1102,
  kCmdTurnObject = 1103,
  kCmdMergeObject = 1104,
  kCmdHideObject = 1105,
  kCmdDeleteObject = 1106,
  kCmdLockObject = 1107,
  kCmdDuplicateShown = 1110,
  kCmdDuplicateHere = 1111,

  // The fill styles: style = command - kFillStyleBase.
  kFillStyleBase = 1200,
  kCmdFillOutline = 1201,
  kCmdFillOpen = 1205,

  // The stacking order: 1301 to the back, 1301 + j after window j, 1302 + n to the front.
  kCmdToBack = 1301,
};

// The commands greyed until a picture is open, and those that opening a picture enables.
std::vector<int> CommandsGreyedAtStart();
std::vector<int> CommandsOfAPicture();

// Runs a menu command, a control's command or a tool button's.
void OnCommand(int id);

}  // namespace bravik
