// The slide's sound: playing the wav side file as a clip, recording a narration into it
// from the sound card (the library's recorder) with its level display, deleting it; and
// the output volume on the volume bar through the mixer.
#pragma once
#include <windows.h>

#include <string>

namespace dunmere {

// The mixer of the volume bar (device 0); a system without one leaves the bar at 0.
void OpenMixer();
void CloseMixer();
// Creates the volume bar unless it exists: placed by the panel placement of its entry.
void CREATEVOLUMEBAR(int id, const std::string& tip, int showState);
// The 100 ms volume timer: the bar follows the mixer.
void CALLBACK VOLUMETIMERPROC(HWND window, UINT message, UINT_PTR id, DWORD time);
// The volume bar was moved.
void VolumeBarMoved();

// Enables the sound buttons for the current slide (play and delete with a sound, record
// with a slide, stop while recording).
void UpdateSoundButtons();
void PlaySlideSound();    // kPlaySoundButton
void StartRecording();    // kRecordButton
void StopRecording();     // kStopButton
void DeleteSlideSound();  // kDeleteSoundButton
bool Recording();
// MM_WIM_DATA: a filled capture buffer.
void OnWaveData(WPARAM device, LPARAM header);
// WM_PAINT of the level display: the loudness of the last captured buffer.
void PaintLevelDisplay(HWND window);
// Stops a recording and frees the device at the end.
void EndSound();

}  // namespace dunmere
