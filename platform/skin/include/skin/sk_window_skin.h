// Skinning the frame of a window that the skin engine does not draw (a system dialog): its
// caption in the skin's colours and font, the caption buttons drawn by the skin, and tips
// over them. The engine's own frames need none of this.
#pragma once
#include <windows.h>

#include <string>

// tips: "Dock|Undock|Minimize|Maximize|Restore|Close"; the entries of the buttons the
// window has are shown over them. 1 when the window is skinned (until it is destroyed).
int skSkinWindow(HWND window, const std::string& tips);
