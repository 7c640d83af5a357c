// The skin engine's controls: skinned push buttons, check buttons, input fields, progress
// bars, tool tips and control colours.
#pragma once
#include <windows.h>

#include <string>

// A skinned push button (an owner-drawn BUTTON drawn by the engine; the parent's window
// procedure passes WM_DRAWITEM to SKDRAWITEM, or SKGETMESSAGE draws it). font null: the
// skin's caption font.
HWND SKBUT3D(HWND parent, const std::string& caption, int x, int y, int width, int height, int id,
             HFONT font = nullptr);
// A check button with the skin's text colour (font null: the default font).
HWND SKCHECKBUTTON(HWND parent, const std::string& caption, int x, int y, int width, int height, int id,
                   HFONT font = nullptr);
int SKGETCHECK(HWND control);
void SKSETCHECK(HWND control, int state);
// A tool tip for a control; an empty text removes it.
void SKBUTTONTIP(HWND control, const std::string& tip);
// Background and text colour of a control (lists, statics, edits); the engine answers the
// parent's WM_CTLCOLOR* messages for it.
void SKSETCOLOR(HWND control, COLORREF back, COLORREF text);
void SKSETCTLTEXT(HWND control, const std::string& text);
std::string SkGetCtlText(HWND control);
// Draws an engine control from a WM_DRAWITEM lParam; 1 when it drew it, 0 when the item is
// not the engine's.
int SKDRAWITEM(LPARAM drawItem);
// A skinned input field (EDIT with a client edge, the default font). With minValue <
// maxValue it takes digits only and its value is kept within the range.
HWND SKINPUT(HWND parent, const std::string& text, int x, int y, int width, int height, int id, int maxLength,
             int minValue = 0, int maxValue = 0);
// A progress bar with the skin's colours (range 0 to 100).
HWND SKPROGRESS32(HWND parent, int x, int y, int width, int height, int id);
// Child windows of a window: how many, and the n-th (from 1) in creation order.
int SKCHILDCOUNT(HWND parent);
HWND SKCHILDWINDOW(HWND parent, int number);
