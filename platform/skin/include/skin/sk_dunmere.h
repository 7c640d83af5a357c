// Skin engine functions that the slide show maker brought: emptying a folder tree, the size
// of a folder tree, free disk space, the skinned track bar and the panel placement query.
// SKCLEARTREE and SKFOLDERSIZE are portable; the rest is Windows only.
#pragma once
#include <cstdint>
#include <string>

// Deletes every file and folder inside folder and keeps the folder itself. A drive's or a
// share's root, a relative path and an empty text are refused with 5 (access denied), so
// that a wrong setting can never empty a whole drive. Returns 0, or the first error met
// (the rest is still tried); a missing folder is 3.
int SKCLEARTREE(const std::string& folder);
// The bytes of every file in folder and below it; 0 for a missing folder.
int64_t SKFOLDERSIZE(const std::string& folder);

#ifdef _WIN32
#include <windows.h>

// Free bytes available to the caller on the volume of path (a folder that need not exist
// yet: its nearest existing parent is asked); -1 when that cannot be told.
int64_t SKDISKFREE(const std::string& path);

// Moves a track bar's thumb (redrawn) without reporting a move.
void SKSETTRACKPOS(HWND trackBar, int position);
int SKGETTRACKPOS(HWND trackBar);

// Whether a child placed at (x, y) of a panel shows: 1 when the point lies in the panel's
// client area, 0 when it lies outside (or the panel is no window).
int SKPANELCHILDXY(HWND panel, int x, int y);
#endif
