// The system's output volume through the WinMM mixer (not through the audio library), as the
// audio player, the slide show maker and the media player show it on their volume bars. The
// scale is portable; the mixer calls exist only on Windows.
#pragma once
#include <cstdint>

#ifdef _WIN32
#include <windows.h>
#include <mmsystem.h>
#endif

namespace jorvel {

// The volume scale: percent p (limited to 0 to 100) is written as p x 655, so 100 % is
// 65500; a mixer value is read back as round(100 x value / 65535).
uint32_t MixerValueOfPercent(int percent);
int PercentOfMixerValue(uint32_t value);

#ifdef _WIN32
// Mixer device 0, opened once at start-up; null on a system without a mixer. The caller
// closes it with mixerClose at exit.
HMIXER OpenFirstMixer();

// Fills record with the control of that type on the line of that component type; false
// (record as it was) when the mixer has no such line or control.
bool GETMIXERCONTROL(HMIXER mixer, DWORD componentType, DWORD controlType, MIXERCONTROLA& record);

// The volume of the speaker line in percent. A failed read (no mixer, no speaker volume
// control, a refused call) gives 0: callers that must not act on a missing mixer check
// their handle.
int GETMIXERVOLUME(HMIXER mixer);
// Sets the speaker line's volume; false when the mixer refused the value or has no such
// control.
bool SETMIXERVOLUME(HMIXER mixer, int percent);
#endif

}  // namespace jorvel
