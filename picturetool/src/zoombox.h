// The zoom window: a popup that magnifies the canvas around the mouse cursor.
#pragma once
#include <windows.h>

#include <string>

namespace bravik {
// Makes the zoom window (or shows the one that exists) with a title.
HWND CREATEZOOMBOX(const std::string& title);
}  // namespace bravik
