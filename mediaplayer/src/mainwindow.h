// The player's windows: the main window with its holders, menus and status line, the
// picture and video window, the picture area, the zoom holder and the pop-up window.
#pragma once
#include <windows.h>

#include <string>

namespace falcet {

// Builds the menus and the main window with its children at the given place. False when
// the window cannot be made.
bool CreateMainWindow(int left, int top, int width, int height);
// The picture area "SKCTL" on the clip panel, made the first time a picture is shown.
HWND PictureArea();
// The zoom holder over the whole screen area of the picture window (made anew each time).
HWND CreateZoomHolder();
void DestroyZoomHolder();

void SetStatusText(const std::string& text);
void SetTitle(const std::string& text);

// Whether a menu item of popup 1, 3 or 4 is checked, and setting it.
bool MenuChecked(int item);
void SetMenuCheck(int item, bool on);
// Checks one item of 303 to 308 and unchecks the others.
void CheckSizeItem(int item);

// The main window on top (or not) of all others, with menu item 101.
void SetTopMost(bool on);

// The player's message box (title UI entry 1, the skin's box colours) with an icon; the
// warning is the same box with the exclamation icon.
void PlayerBox(const std::string& text, HICON icon);
void WarningBox(const std::string& text);

}  // namespace falcet
