// The main window of the picture tool: its class, panels, status window and controls.
#pragma once
#include <windows.h>

namespace bravik {

// The height of the two control rows above the canvas.
constexpr int kControlRowsHeight = 50;

// Registers the class and creates the main window with everything on it. False when the
// window cannot be made.
bool CreateMainWindow(int left, int top, int width, int height);
// Places the canvas below the control rows and the help button at the menu bar's right end.
void LayoutPanels();

}  // namespace bravik
