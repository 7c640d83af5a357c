// The player's windows: the main window with its holders, menus and status line, the
// picture and video window, the picture area, the zoom holder and the pop-up window.
#pragma once
#include <windows.h>

#include <string>

namespace falcet {

// The main window's class, also the name of the single-instance mutex, is kClassPlayer
// (imaging/suite_classes.h); its partners are addressed by their kClass... names there.
// The player's other windows:
inline constexpr const char* kViewClass = "QPLAYERVIEW";      // the picture and video window
inline constexpr const char* kPictureClass = "SKCTL";         // the picture area
inline constexpr const char* kZoomClass = "SKZOOM";           // the enlarged view of a slide show
inline constexpr const char* kPopupClass = "QPLAYERPOPUP";    // the backdrop pop-up
inline constexpr const char* kWebClass = "QPLAYERWEB";        // the web panel

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

// Whether a menu item of a popup menu is checked, and setting it.
bool MenuChecked(int item);
void SetMenuCheck(int item, bool on);
// Checks one window size item and unchecks the others.
void CheckSizeItem(int item);

// The main window on top (or not) of all others, with its menu item.
void SetTopMost(bool on);

}  // namespace falcet
