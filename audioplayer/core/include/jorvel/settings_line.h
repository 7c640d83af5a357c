// The audio player's settings file: one line of nine "|" fields (window left, top, width,
// height, the last pick folder, a second folder, the skin, the pane's left and top), and
// where it lies. Portable.
#pragma once
#include <functional>
#include <string>

namespace jorvel {

struct AudioSettings {
  int left = 0, top = 0, width = 800, height = 600;
  std::string pickFolder;    // where the pick dialog starts
  std::string secondFolder;  // held as read
  std::string skinFile;      // the skin the player draws with
  int paneLeft = -1, paneTop = -1;  // -1: no place of its own
};

// What the settings are read against.
struct SettingsContext {
  int screenWidth = 0, screenHeight = 0;
  std::string programFolder;  // with its final "\"
  std::string tempFolder;     // with its final "\"
  std::string basePath;       // the executable's path without its extension
  std::function<bool(const std::string&)> exists;  // whether a skin file is there
};

// The settings of a file's text ("" when the file is missing or unreadable): width 800 and
// height 600 unless given (a negative one is the screen's), the window centred unless placed
// (left and top at least 0), the program folder to pick from, the temporary folder as the
// second folder, the pane's place only from a line of more than eight fields. The skin is the
// one the line names when it exists, else the executable's ".skl" list; either way it is
// taken from the program folder.
AudioSettings ParseAudioSettings(const std::string& text, const SettingsContext& context);
// The line written at close: numbers with one blank in front unless negative, the skin
// field empty.
std::string FormatAudioSettings(const AudioSettings& settings);
// The settings file: the temporary folder + the program file's name up to its first "." +
// ".cfg".
std::string SettingsFileOf(const std::string& tempFolder, const std::string& programFile);

}  // namespace jorvel
