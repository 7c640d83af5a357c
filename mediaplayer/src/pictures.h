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
void StartSlideShow(int command);
void LeaveSlideShow();
void OnSlideTimer();
void OnStepTimer();

}  // namespace falcet
