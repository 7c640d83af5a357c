// Drives the suite's windows from outside, as a user or a partner program would: find a
// window by class, send command messages and menu commands, read texts and lists, press a
// box's buttons, capture a window. Every wait has a time limit.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "bmp_file.h"

namespace driver {

// A top-level window of the class; null when none appeared within the time.
HWND WaitWindow(const std::string& className, DWORD milliseconds);
// A descendant window with this control identifier (searched through holders), or null.
HWND FindChild(HWND parent, int id);
// A descendant window of a class, or null.
HWND FindChildByClass(HWND parent, const std::string& className);
// Waits for a descendant control: controls may appear after their top-level window.
HWND WaitChild(HWND parent, int id, DWORD milliseconds);

LRESULT SendCommand(HWND target, int code, const std::string& text);
bool PostCommand(HWND window, int id);

// Window text (read as UTF-16 and converted, as Wine answers other processes in UTF-16).
std::string WindowText(HWND window);
// Sets a window's (or input field's) text; false when the window does not answer.
bool SetText(HWND window, const std::string& text);
// Items of a list box or combo box.
std::vector<std::string> ListItems(HWND list);

// A box's button: by number (1 = first "Button" child in creation order) when caption is
// empty, else the first whose text without "&" equals caption without "&"; null when none.
HWND FindButton(HWND box, int number, const std::string& caption);
// What a box of the skin engine says: its message, lines parted by CR LF ("" for no box).
std::string BoxText(HWND box);
// Finds a top-level window of the class and presses its button: by number (1 = first
// button in creation order) when caption is empty, else the one whose text (without "&")
// equals caption. False when no such box or button appeared within the time.
bool PressButton(const std::string& boxClass, int number, const std::string& caption, DWORD milliseconds);

// Waits for the skin's input box (of that process unless processId is 0) with its field
// and first button, types the text into the field and presses that button (OK). The
// box's controls may appear after the box itself. False when they did not, or the box did
// not close, within the time.
bool AnswerInputBox(const std::string& text, DWORD milliseconds, DWORD processId = 0);

// Copies a visible window from the screen into a 24-bit BMP file.
bool CaptureWindow(HWND window, const std::string& bmpPath);
// The same pixels, top row first, 3 bytes (blue, green, red) each; null: the whole screen.
bool CaptureWindowPixels(HWND window, int& width, int& height, std::vector<unsigned char>& bgr);
// The pixels of a rectangle of the screen, blue, green, red, rows top down.
bool CaptureScreenPixels(const RECT& rect, std::vector<unsigned char>& bgr);
}  // namespace driver
