// GDI+ for the browser's pictures, started only when gdiplus.dll is there: the browser
// runs without it.
#pragma once
#include <windows.h>

// Loads gdiplus.dll and starts it; returns the token, 0 when it is missing or refuses.
ULONG_PTR StartGdiplus();
// Stops GDI+ started with the token (0: nothing to do).
void StopGdiplus(ULONG_PTR token);
