// The folder tree of a window that chooses a target folder (the media browser's "TARGETBOX",
// the slide show maker's target-folder window): the tree from its root with the preset
// folder selected, and the window's caption following the selection.
#pragma once
#include <windows.h>

#include <string>

// The tree control at (x, y), filled from its root; the preset folder is selected when it
// exists. Null when the control could not be made.
HWND CreateTargetTree(HWND parent, const std::string& preset, int x, int y, int width, int height, int id);

// A WM_COMMAND of the window that holds the tree: when it is the tree's report of a changed
// selection, the window's caption becomes the selected folder (the frame is drawn again)
// and folder receives it; true then. False for every other command.
bool FollowTargetTree(HWND window, HWND tree, WPARAM wParam, std::string& folder);
