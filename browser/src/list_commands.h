// Commands on the selections of the two lists: selecting, inverting, handing the sound
// files among them to the audio program.
#pragma once
#include <windows.h>

namespace kelmor {

// 112: all entries of the file list selected (unless they are already).
void SelectAllFiles();
// 113: the selected entries of the file list become the unselected ones and the other way.
void InvertFileSelection();
// 114 and 208: no entry of the list selected.
void SelectNone(HWND list);
// 116 and 210: the selected entries of the list whose type is one of UI entry 65's go to
// the program of UI entry 64.
void PlaySelectedSounds(HWND list);

}  // namespace kelmor
