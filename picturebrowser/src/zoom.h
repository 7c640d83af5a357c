// The zoom window: the zoom view of one picture (SHOWZOOMVIEW) with its keyboard and
// edge scrolling; the shows and the print preview use the same window.
#pragma once
#include <windows.h>

namespace hessam {

// The current picture in the zoom view: fitted into the screen, or at its own size
// (scrolling where it is larger than the screen). Nothing when the file is missing.
void SHOWZOOMVIEW(bool fit);
// Hides the zoom window and frees its picture.
void CloseZoom();
// Puts the zoom window top-most at a place of the screen and shows it, its memory bitmap
// of that size (returned) filled with colour.
HDC ShowZoomWindow(int x, int y, int width, int height, COLORREF colour);
// A key while the zoom view or the preview shows; false when neither shows.
bool ZoomKeyDown(int key);
// Mouse messages of the zoom window.
void ZoomMouse(UINT message, LPARAM lParam);

}  // namespace hessam
