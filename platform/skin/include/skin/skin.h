// The skin engine: start-up, the skinned frame and holders, colours, fonts and metrics of
// the look, message boxes and system services. Windows only; the portable parts are in
// sk_files.h, sk_text.h, ui_text.h and skin_theme.h, included here for convenience.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "skin/sk_files.h"
#include "skin/sk_text.h"
#include "skin/skin_theme.h"
#include "skin/ui_text.h"

// ---- Engine start and program identity --------------------------------------------
// Starts the engine with a skin file (".sks") or skin list (".skl"); a missing file gives
// the built-in skin. The first call of every program; calling it again switches skins.
void SKINITENGINE(const std::string& skinFile);
// Full path of the running program.
std::string SKEXENAME();
// The folder of the current skin, with its final "\" ("" for the built-in skin).
std::string SKSKINFOLDER();
// The current skin (colours, metrics, fonts, pictures).
const SkinTheme& SkinCurrent();
// A named text of the current skin (its [strings] section, names in any case), as the skin
// file writes it; "" when the skin has none.
std::string SKLOADSTRING(const std::string& name);
// The program title that the engine shows in its own boxes.
void SKAPPTITLE(const std::string& title);
std::string SkAppTitle();
// The operating system as a number: major * 100 + minor (Windows XP 501, 7 601).
int SKOSVERSION();
// Not 0 when the user's interface language is French (dates are then shown day first).
int ISFRENCH();
// The user's date separator ("/" when the system names none).
char SkDateSeparator();
// The processor's clock in MHz (measured once); slow machines get lighter effects.
int SKCPUSPEED();
std::string SKWINDIR();   // with final "\"
std::string SKSYSDIR();   // with final "\"

// ---- Look ----------------------------------------------------------------------------
// Colour of a skin slot (101 to 119); other slots give GetSysColor of slot - 100 when
// that is a system colour, else black.
COLORREF SKGETSYSCOLOR(int slot);
// Skin metrics 1 to 7 (caption height, menu bar height, status height, left, right and
// bottom border, caption button size); 0 for other numbers.
int SKGETSYSTEMMETRICS(int number);
// The skin's fonts; the engine owns them (do not delete).
HFONT SKCAPTIONFONT();
HFONT SKDEFAULTFONT();
// Minimum frame size of the skin.
int SKXMINI();
int SKYMINI();
// ARGB colour from an alpha byte and a colour reference.
unsigned int SKINARGB(int alpha, COLORREF colour);
int SKGETRVALUE(COLORREF colour);
int SKGETGVALUE(COLORREF colour);
int SKGETBVALUE(COLORREF colour);

// ---- Frames and holders -----------------------------------------------------------------
// Frame style for the frames created from now on. Bits: 1 close button, 2 minimise
// button, 4 maximise and restore button, 8 pin (dock/undock: keeps the window on top),
// 16 sizing border, 64 no menu bar (read by the programs, see SKINSET).
void SKWINDOWSTYLE(int style);
int SkWindowStyle();
// Frame drop shadow on (1) or off (0).
void SKSETSHADOW(int on);
// Focus rectangles in the engine's controls on (1) or off (0).
void SKUSEFOCUSRECT(int on);
// Maximum frame size: the larger of width/maxWidth and height/maxHeight, never below the
// skin's minimum; maxWidth and maxHeight receive the values used.
void SKSETMAXSIZE(int width, int height, int& maxWidth, int& maxHeight);
// Tips of the caption buttons: "Dock|Undock|Minimize|Maximize|Restore|Close".
void SKSETSYSBUTTONTIP(const std::string& tips);
// A holder panel on a frame: a child window of class className (registered once with
// procedure) laid out by the engine: "SKMENU" at the top (menu bar height), the status
// window at the bottom, every other holder in the rest of the frame's client area.
HWND SKHOLDER(HWND frame, const std::string& className, WNDPROC procedure);
// A child window of a class of the program's own, registered once with procedure, for the
// windows a program draws itself (strips, canvases). Visible; id is its control identifier.
HWND SKANYWND(HWND parent, const std::string& className, int x, int y, int width, int height, WNDPROC procedure,
              int id = 0);
// The status line at the bottom of a frame.
HWND SKSTATUSWINDOW(HWND frame, const std::string& text);
// Registers a window class unless it exists; returns the class atom or 0. The suite's own
// classes go through win::RegisterClassOnce (win/window_class.h).
ATOM SKREGISTERCLASS(const WNDCLASSEXA& windowClass);
// Not 0 when this process has registered the class (or it is a system class).
int SKCHECKCLASS(const std::string& className);
// Centres a window on another one (on the work area when other is null), kept on screen.
void SKCENTERWIND(HWND window, HWND other);
// The work area of the screen (the desktop without the task bar), in screen coordinates.
RECT SKGETWORKAREA();
// A top-level popup that draws the whole of itself (a shaped pane): the engine gives it no
// skinned frame although it has a system menu. Call it at WM_NCCREATE, before the window's
// first message reaches SKGETMESSAGE.
void SkUnframed(HWND window);

// ---- Message hooks ---------------------------------------------------------------------
// The first call of every window procedure of a skinned program. Not 0: the engine
// handled the message and the procedure returns this value at once. The engine may also
// adjust what wParam and lParam point to and answer 0 (the procedure goes on).
LRESULT SKGETMESSAGE(HWND window, UINT& message, WPARAM& wParam, LPARAM& lParam);
// Default handling for messages a skinned window procedure does not consume.
LRESULT SkDefaultProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Called by the message loop before IsDialogMessageA; not 0: consumed.
int SKDIALOGMESSAGE(HWND mainWindow, MSG& message);

// ---- System services ----------------------------------------------------------------------
// Looks for a file: as given, in the program folder, the current folder, the system
// folders and PATH. Returns its full path, "" when not found.
std::string SKFINDF(const std::string& file);
// Starts a program (with its arguments after the first blank that follows ".exe", or
// through the shell for documents). Returns 0 on success or a Windows error number.
int SKSHELL(const std::string& commandLine, int showState, int wait);
// The system's text for a Windows error number (without line end).
std::string SKWINERR(int error);
