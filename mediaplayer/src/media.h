// The media layer (one current medium through the audio layer or a multimedia clip), the
// player tick, the volume timer, the attached sound, the mixer volume, the video snapshot
// and the window recorder; and the start, stop and seek of a medium from the outside.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "falcet/player_rules.h"
#include "morvane/morvane.h"
#include "multimedia/l_mm.h"

namespace falcet {

// The player tick: timer 1 of the main window.
inline constexpr UINT_PTR kTickTimer = 1;

// The window recorder's three notices.
enum RecorderNotice : UINT {
  kMsgRecorderNotice1 = kMvFrameWritten,
  kMsgRecorderNotice2 = kMvFrameDropped,
  kMsgRecorderNotice3 = kMvError,
};

// ---- The medium ------------------------------------------------------------------------------
// Opens a file as the current medium, in the video window when given. Returns 2 when the
// audio layer holds it, 1 for a multimedia clip, else a negative failure.
int OPENMEDIA(HWND window, const std::string& file, int flag);
// Starts the medium on the range a..b (0, 0: all of it); 1 on success, else below 1.
int PLAYMEDIA(int64_t a, int64_t b);
void CLOSEMEDIA();
void PAUSEMEDIA();
void RESUMEMEDIA();
void STOPMEDIA();
void SEEKMEDIA(int64_t position);
bool ISMEDIAACTIVE();
// Position in percent of the marked range, 0 to 100; 100 at the end.
int GETMEDIASTATE();
// Fits the video to the video window; true when there is a video.
bool MMSETVIDEO();
// The imaging library's multimedia events: the state the snapshot and the tick read.
int _leadevent(HMMCLIP clip, int event, void* userData);

// The audio player goes on (code 9), and only when the player paused it.
void ResumeAudioPlayer();

// ---- Start, stop, seek ------------------------------------------------------------------------
// Opens and plays a medium from its start, with the title and the player tick; the
// result of the opening, or the failure after its warning.
int SHOWMEDIAINFO(const std::string& file);
void STOPANDCLOSE();
void SEEKTO(int percent);
// Play (51) and pause (52) of the media bar.
void PlayOrResume();
void PauseMedium();

// ---- Timers ------------------------------------------------------------------------------------------
void CALLBACK PLAYERTICK(HWND window, UINT message, UINT_PTR id, DWORD time);
void CALLBACK VOLUMETIMERPROC(HWND window, UINT message, UINT_PTR id, DWORD time);
void StartPlayerTick();
// The volume timer, when it does not run yet.
void StartVolumeTimer();
void KillPlayerTick();

// ---- Attached sound ----------------------------------------------------------------------------------
// Code 4: the named file (a music list, or a sound) plays beside the main medium.
void PlayAttachedList(const AttachedSoundRequest& request, const std::string& baseFolder);
// Plays one sound as the attached sound (an empty name closes it).
void PlayAttachedSound(const std::string& file);
void StopAttachedSound();
bool AttachedSoundPlaying();
void OnAttachedSoundTimer();
// Fades the attached sound out over the time (the last slide of a show).
void FadeAttachedSound(int milliseconds);

// ---- Mixer volume ----------------------------------------------------------------------------------------
void SETVOLUME(int percent);
void MUTEVOLUME();
void UNMUTEVOLUME();

// ---- Video snapshot -------------------------------------------------------------------------------------
// Button 63: the video's frame saved where the pick dialog says.
void SaveSnapshot();

// ---- Window recorder ------------------------------------------------------------------------------------
void StartRecorder();
void StopRecorder();
// A notice of the plug-in: its counter goes up, the first two show in the status line.
void OnRecorderNotice(UINT message);
// After the loop: the counts to the report window (code 21), the plug-in freed.
void ReportRecording();

}  // namespace falcet
