// The sound comment of the current picture: recording it into the work sound file,
// playing it back, deleting it (commands 7 to 10), and the capture buffers' MM_WIM_DATA.
#pragma once
#include <windows.h>

namespace grilton {

void PlayComment();
void RecordComment();
void StopRecording();
void DeleteComment();
void OnWaveData(WPARAM device, LPARAM header);
// Ends a recording without keeping it (the program closes).
void AbandonRecording();

}  // namespace grilton
