// The recording display (class "GRILTONSPECTRUM"): the sound being recorded as a trace or
// as figures over a tiled background.
#pragma once
#include <windows.h>

namespace grilton {

HWND CreateRecordingDisplay(HWND parent, int x, int y, int width, int height);
// Repaints it (the 75 ms timer while recording, and when a recording ends).
void RepaintRecordingDisplay();

}  // namespace grilton
