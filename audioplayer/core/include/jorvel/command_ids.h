// The audio player's command identifiers: the buttons and bars of its pane, its menu items,
// the commands other windows post to its main window. Portable.
#pragma once

namespace jorvel {

enum CommandId : int {
  kPlayButton = 51,      // play or resume
  kPauseButton = 52,
  kEffectsButton = 53,   // show or hide the effects window
  kSpectrumButton = 54,  // start or close the spectrum display
  kPreviousButton = 55,
  kNextButton = 56,
  kRestartButton = 57,   // the pane is built again and the start list opened again
  kMuteButton = 61,
  kUnmuteButton = 62,
  kOpenButton = 67,      // open files
  kStopButton = 71,      // stop and close the player
  kRestartItem = 73,     // as 57, from the menu
  kHelpButton = 74,
  kVolumeBar = 76,       // lParam: the volume in percent
  kPositionBar = 77,     // lParam: the position in percent
  kRepeatCheck = 78,     // clears the repeat flag
  kRestartCommand = 101, // as 57
  kOpenItem = 103,       // open files, from the menu
};

}  // namespace jorvel
