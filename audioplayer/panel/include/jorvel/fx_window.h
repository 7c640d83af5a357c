// The effects window (class "QFXEFFECT"): ten band bars, the equaliser's On/Off and Reset,
// and the switches of reverb, chorus, flanger, echo and rotation. It holds only the
// controls: it attaches itself to the audio layer (BASSFXWINDOW), which reads them, and
// tells the layer which control changed. Its controls are kept in a settings file between
// runs. One per program; the audio player and the media player use it. Windows only.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "jorvel/fx_settings.h"

namespace jorvel {

// What the window takes from its program.
struct FxWindowSetup {
  HWND owner = nullptr;  // the program's main window, which owns it
  HWND pane = nullptr;   // it is placed left of and above this window (none: the work area's corner)
  HICON icon = nullptr;
  std::string settingsPath;  // "" : kFxSettingsFile in the temporary folder
  // The bars' channel and thumb pictures (the pane's elements 79 and 75); the caller keeps
  // them, each bar draws a copy. Null: drawn in the skin's colours.
  HBITMAP channel = nullptr;
  HBITMAP thumb = nullptr;
  // The help button: shown when helpPicture names a picture file; its tip and its action.
  std::string helpPicture;
  std::string helpTip;
  std::function<void()> help;
  // The program's warning box ("|" starts a new line).
  std::function<void(const std::string&)> warn;
};

// FXWIN: makes the (hidden) window, loads its settings and attaches it, so that the saved
// settings are heard at once. Null, after a warning, when the sound layer is too old or
// the window cannot be made. An existing window is answered as it is.
HWND FXWIN(const FxWindowSetup& setup);
// The window, null when there is none.
HWND FxWindow();
// Command 53: shows the window, made first when absent, or hides it.
void ToggleFxWindow(const FxWindowSetup& setup);
// FXSETTINGS: 0 loads the settings file into the controls (a missing or empty file leaves
// them), 1 saves the controls into it.
void FXSETTINGS(int write);
// The controls' values as the window shows them (all 0 without a window).
FxControls FxWindowControls();

}  // namespace jorvel

// The window procedure of "QFXEFFECT", exported.
extern "C" LRESULT CALLBACK FXPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
