// The VU window of the audio panel (class "VUMETER"): a child window showing a skin
// bitmap, into which the level meter (level_meter.h) draws the two columns of bars. One
// meter per program, kept by this library; the program drives it from its player tick.
// Windows only.
#pragma once
#include <windows.h>

#include <cstdint>

// The VU window at x, y of the parent, the size of the bitmap, which it shows and owns
// from now on (deleted with the window). Null, and the bitmap left to the caller, when the
// bitmap is null or has no size. The window becomes the level meter's.
extern "C" HWND WINAPI VUMETERWIN(HWND parent, HBITMAP bitmap, int x, int y);
// Its window procedure: WM_INITDIALOG takes the bitmap (wParam), WM_ERASEBKGND copies it to
// the window, WM_DESTROY deletes it and parts the meter from the window.
extern "C" LRESULT CALLBACK VUMETERPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

namespace jorvel {

// The meter's switch: the number of comma field 35 of the pane description's entry 2; 0
// keeps the meter dark for the life of the program. On until told.
void SetLevelMeterSwitch(int value);
// The VU window the meter draws into; null when there is none.
HWND LevelMeterWindow();
// One call of the meter: the steps move by the levels (0 to 128) and the bars are drawn
// into dc, a context of the VU window. The geometry is taken from the first VU window the
// meter finds; without one, or with the meter switched off, nothing is drawn.
void DRAWLEVELMETER(HDC dc, int left, int right);
// The tick's call: the levels as the audio layer packs them, drawn into the VU window.
void DrawChannelLevel(uint32_t packedLevel);
// Eight calls with 0, 0: the meter fades to black.
void FadeLevelMeter();

}  // namespace jorvel
