// The slide show maker's settings file: the temporary folder + program name + ".cfg", one
// line of 13 fields separated by "|", no line end; a 14th once a video was copied.
// Portable.
//
//  1-4 window left, top, width, height   5 show folder        6 a text setting
//  7 recording quality                    8 music volume (%)   9 default slide time (ms)
//  10 mode flag (0, or -1)                11 output size "w,h" 12 frames per second (0-30)
//  13 a further number                    14 the folder a video was last copied to
#pragma once
#include <string>

namespace dunmere {

struct SettingsRecord {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::string showFolder;
  std::string textSetting;
  int quality = 0;
  int groupValue = 100;  // the show's music volume in percent (menu group 701-709)
  int defaultTime = 4000;
  int modeFlag = 0;
  std::string outputSize;
  int framesPerSecond = 3;
  int further = 0;
  std::string videoFolder;  // left out of the line while empty, as older lines have it
};

// The music volumes the menu offers (701-709): 20, 30, ... 100 percent; a volume read from
// a file or the UI text file that is not one of them gives kDefaultMusicVolume.
inline constexpr int kDefaultMusicVolume = 100;
bool IsMusicVolume(int percent);

// The values without a settings file: the quality of UI entry 51, the music volume of
// UI entry 20's first field, 4000 ms, 3 frames per second, the show folder "@path@" +
// showSubfolder; placement left to the caller.
SettingsRecord DefaultSettings(const std::string& qualityEntry, const std::string& groupEntry,
                               const std::string& showSubfolder);
// Reads a settings line over the record. False for an empty line (the record stays).
// Missing fields keep the record's values; numbers read as the suite reads them; any mode
// other than 0 reads as -1, the frame rate is kept within 0 to 30, and a music volume the
// menu does not offer becomes kDefaultMusicVolume.
bool ParseSettings(const std::string& line, SettingsRecord& record);
std::string FormatSettings(const SettingsRecord& record);
// The window's minimum size applied to width and height, the position kept on screen.
void ClampPlacement(SettingsRecord& record, int minWidth, int minHeight, int screenWidth, int screenHeight);

}  // namespace dunmere
