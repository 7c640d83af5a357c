// The canvas (the working picture and its objects), its modes (selection, shape drawing,
// red-eye touch-up) and the full view on the zoom panel.
#pragma once
#include <windows.h>

namespace bravik {

// The canvas's and the zoom panel's messages; handled is false for those they leave to
// the window procedure.
LRESULT CanvasMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
LRESULT ZoomPanelMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
void XORRECT(HDC dc, int left, int top, int right, int bottom);
void REFRESHWINDOW(HWND window, bool erase);
void EraseRubberBand();
void StartShapeDrawing(int kind, int style);
// Ends the selection and the red-eye mode.
void EndCanvasModes();
void StartRedEyeMode();
void EndRedEyeMode();
void ShowFullView();
void HideFullView();

}  // namespace bravik
