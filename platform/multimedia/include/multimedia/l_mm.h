// The imaging library's multimedia calls: one clip per handle, a video or a sound played
// in a window of the caller's. Sounds that the audio layer decodes (WAVE, MPEG audio)
// play through it, also on a machine without a sound card; everything else (AVI videos
// with the codecs Windows ships, MIDI, ...) through the system's media control (MCI).
// Positions are milliseconds. Every call answers imglib::kSuccess (1) or a negative
// imglib::Status. Windows only; main thread.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

struct MmClip;
using HMMCLIP = MmClip*;

// What a clip reports through the event callback.
enum MmEvent : int {
  kMmEventLoaded = 0,
  kMmEventFreed = 1,
  kMmEventSeeked = 2,
  kMmEventVolume = 3,
  kMmEventEnd = 4,       // the play range has been played to its end (7 follows)
  kMmEventPlaying = 6,   // play started
  kMmEventStopped = 7,
  kMmEventPaused = 8,
  kMmEventResumed = 9,
};

// The callback gets the clip and the event; its answer is not used. Called on the main
// thread (from the calls themselves, and from the message loop for the end of a clip).
using MmEventCallback = int (*)(HMMCLIP clip, int event, void* userData);
int L_MMSetEventCallback(MmEventCallback callback, void* userData);

// A clip: init, load a file, free (which stops and closes it).
int L_MMInit(HMMCLIP* clip);
int L_MMFree(HMMCLIP* clip);
int L_MMLoad(HMMCLIP clip, const std::string& file);

// L_MMSetPlayExt flag: show the video in the given window.
constexpr unsigned kMmPlayInWindow = 0x40000000u;
int L_MMSetPlayExt(HMMCLIP clip, HWND window, unsigned flags);
// Moves the video to another window (shown there from now on).
int L_MMSetParentWin(HMMCLIP clip, HWND window);
// Stretches the video over the client area of its window; kUnsupported for a clip
// without a picture (so the answer tells whether there is a video).
int L_MMAdjustWin(HMMCLIP clip, HWND window);
// Redraws the current frame (a window procedure calls it on WM_PAINT of the video window).
int L_MMPaint(HMMCLIP clip, HDC dc);
// The picture size of the video; kUnsupported without a picture.
int L_MMGetVideoSize(HMMCLIP clip, int* width, int* height);
// Puts the video frame at the position (milliseconds; clamped to the clip) on the clipboard
// as a device-independent bitmap, read from the file itself (not from the screen), so a
// covered or hidden video window gives the same frame. count must be 1 (one frame).
int L_MMCopyFrames(HMMCLIP clip, int32_t position, int count);

// The range that L_MMPlay plays (an end of 0: the clip's end).
int L_MMMarkClip(HMMCLIP clip, int32_t start, int32_t end);
int L_MMPlay(HMMCLIP clip);
int L_MMPause(HMMCLIP clip);
int L_MMResume(HMMCLIP clip);
int L_MMStop(HMMCLIP clip);
// A playing clip goes on playing from the new position; a paused one stays paused there.
int L_MMSetCurrentPos(HMMCLIP clip, int32_t position);
int L_MMGetCurrentPos(HMMCLIP clip, int32_t* position);
int L_MMGetLength(HMMCLIP clip, int32_t* length);
// 1 while the clip plays, 0 otherwise (also for an invalid clip).
int L_MMIsPlaying(HMMCLIP clip);
// Volume 0 to 100; kept for a clip that is not loaded yet and applied when it is.
int L_MMSetVolume(HMMCLIP clip, int volume);
