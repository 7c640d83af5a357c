// The control bars on the player's pane, built for the kind of the current item (web,
// media, picture), and the layout of the client panel (the web panel, the picture area and
// the video fitted by the window size item; the compact form while no video shows).
#pragma once
#include <windows.h>

namespace falcet {

void BUILDWEBBAR();
void BUILDMEDIABAR(int kind);  // 2 video, 8 sound
void BUILDPICTUREBAR();
void DESTROYCONTROLS();
// The element of a control of the bars in a style: its picture (the caller's to delete) and
// place, from the skin's own pane places (option field 22 off) or the pane description.
HBITMAP LOADSKINIMAGE(int id, int& x, int& y, int style);
// Places the picture area, the web panel and the video in the client panel.
void LAYOUTCONTROLS();
// Whether the bar of that kind is built and its pane shows.
bool BarShows(int kind);
// The pane to the corner of the main window that option field 5 names (when it names one).
void DockPane();
// The main window as it was before the compact form (a medium that failed to open).
void LeaveCompactForm();
// Back from the video over the whole screen (size item 308): the main window, the pane and
// the taskbar show again.
void LeaveEnlargedVideo();
// The taskbar the enlarged view hid shows again (every way out of the player calls it).
void ShowTaskbarAgain();

// The control of a command number (null when the bar has none).
HWND Control(int id);
// Shows one control in place of another (play and pause, mute and unmute).
void SwapControls(int shown, int hidden);
void EnableControl(int id, bool on);
bool ControlVisible(int id);
// Whether the player's bars stand on a pane now. Without one (a built show's folder holds no
// skin, or the skin's pane pictures are missing, or the bar of this kind is switched off)
// the player has no controls, and what they would start starts by itself.
bool HasBars();
// Track bars (76 volume, 77 position): 0 to 100.
void SetSliderPosition(int id, int position);
int SliderPosition(int id);
bool RepeatChecked();

// The client panel's area for pages, pictures and videos.
RECT ContentArea();

}  // namespace falcet
