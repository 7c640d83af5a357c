#pragma once
#include <windows.h>

namespace ostrel {

// The frame's close: a running search stops, the settings are written, the loop ends.
void OnSysClose();
// Command messages: the end code closes; every command is answered with 1.
LRESULT OnCopyData(WPARAM wParam, LPARAM lParam);

}  // namespace ostrel
