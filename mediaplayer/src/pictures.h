// The picture view (a picture with its layered objects and its side files), its printing
// and clipboard copy, and the slide show that steps through the pictures of the list.
#pragma once
#include <windows.h>

#include <string>

struct ImgBitmap;

namespace falcet {

void ShowPicture(const std::string& path);
// Paints the current picture into a window (the picture area or the zoom holder).
void PaintPicture(HWND window, HDC dc);
void RepaintPicture();
// With menu item 401 the picture area shows the picture at full size under scroll bars
// (their ranges follow the picture and the area); without it, the bars go.
void UpdatePictureScroll();
// A scroll bar's request (WM_HSCROLL or WM_VSCROLL of the picture area).
void ScrollPicture(bool vertical, int code, int thumb);
void FreePicture();
// The imaging bitmap of the shown picture (with its layered objects); null when none.
const ImgBitmap* CurrentPicture();
// The picture's extras: step interval, its sound and document, the slide timer.
void PICTUREEXTRAS();

// The picture view's fit: the skin engine's (never enlarging) unless menu item 409 asks
// for the enlarging fit.
void ICONISE(int width, int height, int areaWidth, int areaHeight, int& x, int& y, int& fitWidth, int& fitHeight);

// Printing (button 68) and the clipboard copy (button 72) of the picture as the view
// shows it.
void PrintCurrent();
void CopyPicture();

// Commands 403 (by hand, with transitions), 404 (by hand) and 405 (by itself).
// Variants 1 and 2 paint each new picture with its transition.
void StartSlideShow(int command);
// The status callback of a transition: keeps the player answering at the pace of option
// field 20; a click or arrow key on the picture stops the transition and then takes
// effect. Answers 1, or -100 to stop (also once the slide show has been left).
int CALLBACK _statuscallback(int percentComplete, void* userData);
// A transition is being painted: the slide timer tries again after kTransitionRetryMs.
bool TransitionRunning();
inline constexpr UINT kTransitionRetryMs = 100;
void LeaveSlideShow();
void OnSlideTimer();
void OnStepTimer();

}  // namespace falcet
