// The player's pane: BUILDPLAYER builds it for a mode, and GETCONFIGFOLDER gives the
// folder of settings and downloads.
#pragma once
#include <windows.h>

#include <string>

namespace jorvel {

// BUILDPLAYER: the pane (its place remembered) is made anew for the mode (2 idle, 8 with
// the title and the VU window). Without a pane description in the skin the player runs
// without a visible window; commands then reach the main window.
void BUILDPLAYER(int mode);
// BUILDPANES: the pane window for the mode; null when the skin describes no pane.
HWND BUILDPANES(int mode);
// The effects window's bar pictures: the pane's elements in the player's style (the
// caller's to delete; null when the skin has none).
constexpr int kFxChannelElement = 79;
constexpr int kFxThumbElement = 75;
HBITMAP PaneBitmap(int element);
// The window that takes the pane's commands: the pane, or the main window without one.
HWND CommandWindow();
// GETCONFIGFOLDER: UI entry 81 made a folder (created when missing), or the program folder;
// with its final "\". Worked out once.
std::string GETCONFIGFOLDER();

}  // namespace jorvel
