// The control bars: one strip of buttons and sliders at the bottom of the client panel,
// built for the kind of the current item (web, media, picture), and the layout of the
// panel (the bar, and the video fitted above it by the window size item).
#pragma once
#include <windows.h>

namespace falcet {

void BUILDWEBBAR();
void BUILDMEDIABAR(int kind);  // 2 video, 8 sound
void BUILDPICTUREBAR();
void DESTROYCONTROLS();
// Places the bar, the picture area, the web panel and the video in the client panel.
void LAYOUTCONTROLS();

// The control of a command number (null when the bar has none).
HWND Control(int id);
// Shows one control in place of another (play and pause, mute and unmute); one layout.
void SwapControls(int shown, int hidden);
void EnableControl(int id, bool on);
bool ControlVisible(int id);
// Track bars (76 volume, 77 position): 0 to 100.
void SetSliderPosition(int id, int position);
int SliderPosition(int id);
bool RepeatChecked();

// The area above the bar, in client panel co-ordinates.
RECT ContentArea();

}  // namespace falcet
