// The player's commands by name: the controls of its bars, the items of its menus (the UI
// text file's), its popup menus and its own child windows; and their dispatch (WM_COMMAND).
#pragma once
#include <windows.h>

#include "falcet/player_rules.h"  // the window size items of menu 3 (SizeItem)

namespace falcet {

// Controls of the bars, by command number.
enum ControlId : int {
  kIndexPage1 = 48, kIndexPage2 = 49, kIndexPage3 = 50,
  kPlayButton = 51, kPauseButton = 52, kEffectsButton = 53, kSpectrumButton = 54,
  kPreviousButton = 55, kNextButton = 56, kRestartButton = 57,
  kMuteButton = 61, kUnmuteButton = 62, kSnapshotButton = 63, kRefreshButton = 64,
  kLargerButton = 65, kSmallerButton = 66, kOpenButton = 67, kPrintButton = 68, kWebStopButton = 69,
  kNoticeButton = 70, kStopButton = 71, kCopyButton = 72, kRestartButton2 = 73, kHelpButton = 74,
  kVolumeSlider = 76, kPositionSlider = 77, kRepeatButton = 78,
  kFirstControl = 48, kLastControl = 78,
};

// Items of the menus; an item of menu n is numbered n * 100 and up.
enum MenuItemId : int {
  kMenuTopMost = 101,          // popup 1; as a command from elsewhere the list starts again
  kMenuOpenFiles = 103,
  kMenuFitVideo = 301,
  kMenuScrollBars = 401,
  kMenuShowWithEffects = 403,  // the slide show by hand, with transitions
  kMenuShowByHand = 404,
  kMenuAutomaticShow = 405,
  kMenuKeywords = 407,         // the picture's keywords in the status line
  kMenuEnlargeSmall = 409,     // the enlarging fit of the picture view
  kMenuEnlargedView = 411,     // a slide show in the zoom holder
};

// The menus that are also popup menus: 1 on the bar, 3 on the picture and video windows.
enum PopupMenu : int { kPopupWindow = 1, kPopupView = 3, kPopupShow = 4 };

// The player's own child windows (none of them a control number).
enum WindowId : int { kViewId = 1001, kPictureId = 1002, kBarId = 1003, kWebId = 1004, kWebTextId = 1005,
                      kWebNoticeId = 1006 };

void OnCommand(int id, LPARAM lParam);
// The audio effects window, made hidden when it is not there yet.
void MakeEffectsWindow();
// A popup menu at the cursor; its chosen item is carried out.
void ShowContextMenu(int popup);

}  // namespace falcet
