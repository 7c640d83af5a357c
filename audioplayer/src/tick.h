// The player tick (timer 1 of the main window, 100 ms): it follows the position and the
// end of an item, the volume, the level meter, the spectrum display and the marquee. And
// the volume timer that serves until the first item plays.
#pragma once
#include <windows.h>

namespace jorvel {

void CALLBACK PLAYERTICK(HWND window, UINT message, UINT_PTR id, DWORD time);
// Starts the tick unless it runs; stops it.
void StartTick();
void StopTick();
// The volume timer: the volume bar follows the mixer every 100 ms (until PLAYITEM).
void StartVolumeSync();
// Whether the item starts again at its end: the repeat check button when the pane has it,
// else the repeat flag.
bool RepeatOn();

}  // namespace jorvel
