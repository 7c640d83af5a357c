// The preview pane and the effect boxes: the current slide's picture fitted into the pane,
// the effect groups and their lists, and the transition preview.
#pragma once
#include <windows.h>

#include <string>

namespace dunmere {

// Paints the picture fitted and centred into the pane (kept in the pane's memory bitmap);
// a picture that cannot be loaded leaves the pane empty.
void PAINTPREVIEW(const std::string& path);
// Fills the pane with the skin's background.
void ClearPreviewPane();
// WM_PAINT of the pane.
void PaintPreviewPane(HWND pane);

// Fills the effect list for the group chosen in the group box (UI entry 40).
void LOADLISTFILE();
// The effect number of the current choice (2000 + 1000 x group + index) and the chosen
// list entry's text; -1 and "" without a choice.
int ChosenEffectId();
std::string ChosenEffectEntry();
// Chooses the group and entry of an effect number (the current slide's sfx).
void SelectEffect(int id);
// The preview button: the current slide's picture shown in the pane with the chosen
// transition (the plug-in's or the imaging layer's painter), the pane ending on it.
void PreviewTransition();
// The status callback of a running preview: keeps the window answering; a click, or Esc or
// an arrow key, stops the preview and then takes effect. Answers 1, or -100 to stop.
int CALLBACK _statuscallback(int percentComplete, void* userData);
bool PreviewRunning();
// Stops a running preview at its next frame (the window is closing).
void StopPreview();

}  // namespace dunmere
