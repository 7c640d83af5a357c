// The GDI+ session of a program: GdiplusStartup when it starts, GdiplusShutdown when the
// owner ends. Without the GDI+ headers, so that a program's start-up code can hold one.
#pragma once
#include <windows.h>

#include "win/raii.h"

namespace win {

// Starts GDI+ (version 1, no debug callback, with its background thread): the session's
// token, 0 when GDI+ does not start.
ULONG_PTR StartGdiplus();
// Ends the session of the token; nothing for 0.
void StopGdiplus(ULONG_PTR token);

// Empty (token 0) when GDI+ did not start, or for a program that runs without it.
using GdiplusSession = Owner<ULONG_PTR, &StopGdiplus>;

inline GdiplusSession StartGdiplusSession() { return GdiplusSession(StartGdiplus()); }

}  // namespace win
