// The skin engine's controls: skinned push buttons, image buttons, check buttons, input
// fields, progress bars, track bars, tool tips, control colours and child window queries.
#pragma once
#include <windows.h>

#include <string>

// A skinned push button (an owner-drawn BUTTON drawn by the engine; the parent's window
// procedure passes WM_DRAWITEM to SKDRAWITEM, or SKGETMESSAGE draws it). font null: the
// skin's caption font.
HWND SKBUT3D(HWND parent, const std::string& caption, int x, int y, int width, int height, int id,
             HFONT font = nullptr);
// A push button that shows a bitmap resource of the program, or else a bitmap file of that
// path (magenta, RGB 255, 0, 255, is transparent) on the skin's button face. Answers WM_COMMAND BN_CLICKED like a button.
HWND SKBUTIMAGE(HWND parent, const std::string& bitmapName, int x, int y, int width, int height, int id);
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
// A horizontal track bar with the skin's colours, range minimum..maximum. It reports to
// its parent with WM_HSCROLL, as every track bar does.
HWND SKTRACKBAR(HWND parent, int x, int y, int width, int height, int id, int minimum, int maximum);
// Moves a track bar's thumb (redrawn) without reporting a move.
void SKSETTRACKPOS(HWND trackBar, int position);
int SKGETTRACKPOS(HWND trackBar);
// Child windows of a window: how many, and the n-th (from 1) in creation order.
int SKCHILDCOUNT(HWND parent);
HWND SKCHILDWINDOW(HWND parent, int number);
// Whether a child placed at (x, y) of a panel shows: 1 when the point lies in the panel's
// client area, 0 when it lies outside (or the panel is no window).
int SKPANELCHILDXY(HWND panel, int x, int y);
// The skin's own place of a players' pane child (its [panel] section) in a style index (1
// to 8): the picture (the caller's to delete), x and y; null and 0, 0 when the skin does
// not place it or its picture cannot be read.
HBITMAP SKPANELCHILDXY(int id, int& x, int& y, int styleIndex);
// Whether the skin places any pane children itself.
bool SkHasPanelChildren();
// Hooks the keyboard of an input field (an edit field, or the edit field of a combo box):
// Enter and Escape reach target as WM_COMMAND with the given identifiers (0 leaves that
// key to the field), also where a message loop runs IsDialogMessageA, which would take
// them first. 1 when the hook is set; a second hook replaces the first. The hook goes
// with the field, or earlier with SkUnhookKeys.
int SkHookKeys(HWND field, HWND target, int enterCommand, int escapeCommand);
void SkUnhookKeys(HWND field);
// The engine's keyboard hook in the form the programs' own boxes take it: Enter in the field
// is posted to target as kSkMsgFieldEnter and Escape as kSkMsgFieldEscape, with the field in
// lParam. 1 when the hook is set.
inline constexpr UINT kSkMsgFieldEnter = WM_USER + 13;
inline constexpr UINT kSkMsgFieldEscape = WM_USER + 27;
int SKSETKEYBOARDHOOK(HWND field, HWND target);
// Frees every keyboard hook that reports to target (a box frees them when it goes).
void SKFREEKEYBOARDHOOK(HWND target);

// ---- Controls drawn from pictures (a player's pane and its boxes) -------------------------
// A panel that shows a picture (a pane) names it, so that the picture controls on it draw
// what lies under them; null forgets it. The picture stays the panel's.
void SkSetPanelPicture(HWND panel, HBITMAP picture);
HBITMAP SkPanelPicture(HWND panel);
// An image button of bitmap's size showing it (magenta is transparent) over what lies
// under it: the panel's picture, else the skin's control background. The button owns the
// bitmap from now on and deletes it with itself; null, the bitmap still the caller's, when
// the button cannot be made.
HWND SKBUTIMAGE(HWND parent, HBITMAP bitmap, int x, int y, int id);
// A track bar drawn from pictures: the channel stretched along the bar, the thumb over it
// (magenta is transparent in both; a missing picture is drawn in the skin's colours).
// Vertical bars have their minimum at the bottom. It owns the pictures from now on. A
// move by the user (a drag when the thumb is let go, a click, a key) reaches the parent as
// WM_COMMAND with the id (the low word of wParam, the TB_ code in the high word) and the
// new position in lParam. TBM_GETPOS, TBM_SETPOS (ignored while the user holds the thumb),
// TBM_SETRANGE, TBM_GETRANGEMIN and TBM_GETRANGEMAX work as on the system's track bar.
struct SkTrackPictures {
  HBITMAP channel = nullptr;
  HBITMAP thumb = nullptr;
  bool vertical = false;
};
HWND SKTRACKBAR(HWND parent, int x, int y, int width, int height, int id, int minimum, int maximum,
                const SkTrackPictures& pictures);
// A group box with the skin's text colour (113; font null: the caption font).
HWND SKGROUPBOX(HWND parent, const std::string& caption, int x, int y, int width, int height, int id,
                HFONT font = nullptr);
// The answer to WM_CTLCOLORSTATIC (wParam the context, lParam the control) for a window
// that shows the skin's control background: the control's own colours when it has them
// (SKSETCOLOR), else text colour 113 on that background.
LRESULT SKCTLCOLORSTATIC(HDC dc, HWND control);
// What the engine holds for the child controls of a window that goes: their colours
// (SKSETCOLOR); the engine's fonts, which they stop using (a skin change remakes the
// fonts); and of its check buttons, their tips and colours.
void SKFREEOBJECTCOLOR(HWND window);
void SKFREEOBJECTFONT(HWND window);
void SKFREECHECKBUTTON(HWND window);

// An animation: the frames of a strip picture (side by side, each as wide as the strip is
// high) shown in turn every 100 ms while it plays. It owns the strip. Magenta is
// transparent; with SKSETANIMATERGN(1) the animations made from then on are also shaped
// like their first frame.
void SKSETANIMATERGN(int on);
HWND SKANIMATE(HWND parent, HBITMAP strip, int x, int y, int id);
// Its messages: stop (back to the first frame) and play.
constexpr UINT kSkAnimationStop = WM_USER;
constexpr UINT kSkAnimationPlay = WM_USER + 1;
