// The effects window's rules that need no window: its texts, the line that keeps its
// controls between runs, and where it is placed beside the pane. Portable.
#pragma once
#include <array>
#include <string>
#include <vector>

namespace jorvel {

// Controls 1 to 10 are the band bars (0 to 100, 50 flat), 11 On/Off, 12 Reset, 13 to 17
// reverb, chorus, flanger, echo and rotation; values[i] is control i + 1.
constexpr int kFxControlCount = 17;
constexpr int kFxBarCount = 10;
constexpr int kFxOnOff = 11;
constexpr int kFxResetCheck = 12;
constexpr int kFxFirstEffect = 13;
constexpr int kFxHelpButton = 99;
constexpr int kFxBarFlat = 50;
using FxControls = std::array<int, kFxControlCount>;

// The settings file's name, in the temporary folder.
inline constexpr const char* kFxSettingsFile = "qAudioFX.cfg";
// The bars' labels and the window's texts: title, group box, then the check buttons 11 to 17.
inline constexpr const char* kFxBandLabels = "80,170,310,600,1K,3K,6K,10K,12K,14K";
inline constexpr const char* kFxTexts = "Audio FX|Equalizer|On/Off|Reset|Reverb|Chorus|Flanger|Echo|Rotate";

// As the window is made: the bars flat, nothing checked.
FxControls DefaultFxControls();
// A settings line: the values separated by "|"; a missing or unreadable field is 0.
FxControls ParseFxSettings(const std::string& line);
std::string FormatFxSettings(const FxControls& values);
// What Reset leaves: the bars flat, On/Off and Reset unchecked, the effects as they were.
FxControls ResetFxControls(const FxControls& values);

// The window's top-left corner: left of the pane and above it (each at least 0), then
// moved into the work area (left, top, right, bottom) as far as it fits.
struct FxPlace {
  int x = 0, y = 0;
};
FxPlace PlaceFxWindow(int paneLeft, int paneTop, int width, int height, const std::array<int, 4>& workArea);

}  // namespace jorvel
