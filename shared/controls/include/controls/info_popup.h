// The archive family's small pieces of user interface over the skin engine: the info
// popup (class "SKSTATIC"), a few lines of text that stay over a window while work runs
// (destroy the window to remove it), and the skinned warning and question boxes. The
// boxes are owned by the host's main window (SetControlsHost).
#pragma once
#include <windows.h>

#include <string>

#include "controls/info_popup_layout.h"

inline constexpr const char* kInfoPopupClass = "SKSTATIC";

// Shows the popup centred over the owner's window (over the screen without an owner),
// with the text's "|"-separated lines between an empty line and two line ends. Null when
// the window cannot be made.
HWND SKSTATIC(HWND owner, const std::string& text);
// The popup's window procedure.
LRESULT CALLBACK SKSTATICPAINT(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A warning without answer: the exclamation icon, UI entry 10 as the caption.
void ARCMESSAGEBOX(const std::string& text);
// A question: the program's icon "PROGRAM", the main window's title as the caption, the
// buttons of thirdText ("|"-separated). Returns the number of the pressed button (1 for
// the first), 0 when the box was closed without one.
int ARCMESSAGEBOXTEXT(const std::string& text, const std::string& thirdText);
