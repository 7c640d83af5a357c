// The show as a whole: its project file (save, open, new) and its background music.
#pragma once
#include <string>
#include <vector>

#include "dunmere/show_format.h"
#include "state.h"

namespace dunmere {

// The project file's extension and the video's (UI entry 25).
std::string ProjectExtension();
std::string VideoExtension();
// The numbers that head the project file and the show list.
ShowHeader CurrentHeader();
// Saves the show into the show folder under its name; 0 or the error shown to the user.
int WRITESHOW();
void NewShow();             // kCmdNewShow
void OpenShow();            // kCmdOpenShow
void SaveShow();            // kCmdSaveShow
void ChooseMusic();         // kCmdChooseMusic
void ClearMusic();          // kCmdNoMusic
// The sounds of a music list that count: existing files with an extension of UI entry 62.
std::vector<std::string> CountedSounds(const std::string& musicList, Tally& tally);
// Shows UI entry 12 + the music list's name, or UI entry 64 without one.
void ShowMusicLabel();

}  // namespace dunmere
