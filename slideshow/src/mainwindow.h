// The main window and its controls: creation, layout and the title.
#pragma once
#include <windows.h>

namespace dunmere {

bool CreateFrame(int left, int top, int width, int height);
void CreateControls();
void LayoutControls();
// UI entry 1 + " - " + the menu text of the chosen output size (UI entry 1 alone without one).
void ShowTitle();

}  // namespace dunmere
