// The main window: its class, the frame with its holders, the zoom window, and the
// holder's controls that WM_INITDIALOG lays out.
#pragma once
#include <windows.h>

namespace hessam {

inline constexpr const char* kStripClass = "QPICSTRIP";     // the picture strip and the selection strip
inline constexpr const char* kZoomClass = "SKZOOM";         // the zoom window of the views and shows

// Registers "QPICBROWSER" and creates the main window at the place given, with its menu
// bar, holder and status window; false when it could not be made.
bool CreateMainWindow(int left, int top, int width, int height);
// The hidden top-level zoom window (its procedure is WNDPROC).
HWND CreateZoomWindow();
// WM_INITDIALOG of the main window: the holder's controls; posts command 99 at the end.
void OnInitDialog();
// WM_SIZE: the help button stays at the right end of the menu bar.
void PlaceHelpButton();
// A layout position's window text and value.
void SetPosition(int position, int number);

}  // namespace hessam
