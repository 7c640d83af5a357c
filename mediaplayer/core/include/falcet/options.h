// The player's options: UI entry 49 is one line of comma-separated fields, each read as
// the number at its start (a missing field reads 0). Also the codec entry of field 12 and
// the settings folder of field 13. Portable.
#pragma once
#include <string>
#include <vector>

namespace falcet {

// Field numbers of UI entry 49, as the player uses them.
enum OptionField : int {
  kOptPopupMenu = 1,       // right click shows popup menu 3
  kOptFitVideo = 2,        // menu item 301 starts checked
  kOptSizeItem = 3,        // window size item, 303 to 308
  kOptBars = 4,            // bar bits: 1 web, 2 media, 4 picture
  kOptPaneDock = 5,
  kOptFrameStyle = 6,
  kOptFullScreen = 7,
  kOptTopMost = 8,
  kOptWidth = 9,
  kOptHeight = 10,
  kOptVideoStyle = 11,
  kOptCodecs = 12,
  kOptSettingsFolder = 13,
  kOptStartVolume = 14,    // -1 leaves the mixer alone
  kOptPopupOthers = 15,
  kOptScrollBars = 16,     // menu item 401 starts checked
  kOptShowAtOnce = 17,
  kOptStepInterval = 19,   // milliseconds between pictures of a slide show
  kOptTransitionPace = 20, // milliseconds a transition step takes at least
  kOptViewColour = 21,
  kOptPaneLayout = 22,
  kOptZoom = 23,           // menu item 411 starts checked
};

// The text of field n (from 1), "" when the entry has fewer fields.
std::string OptionText(const std::string& entry, int field);
// The number at the start of field n (0 for a missing field or one that holds none).
int OptionValue(const std::string& entry, int field);
// The entry with field n replaced (missing fields before it are added empty).
std::string WithOption(const std::string& entry, int field, const std::string& value);

// What the codec installation writes, from field 12 ("file|key|description|friendly";
// empty: the default codec of the suite).
struct CodecInstall {
  std::string source;        // the driver file, "@path@" expanded
  std::string fileName;      // its name without folder
  std::string target;        // system folder + fileName
  std::string key;           // the driver key, e.g. "VIDC.CSCD"
  std::string description;   // "," written as "."
  std::string friendlyName;  // the description when empty; "," written as "."
  std::string registryKey;   // below HKEY_LOCAL_MACHINE
  bool valid = false;        // false when the entry names no file or no key
};
CodecInstall CodecInstallOf(const std::string& field12, const std::string& programFolder,
                            const std::string& systemFolder);
// The default of an empty field 12.
extern const char* const kDefaultCodecEntry;

// The settings file's folder: field 13 with its macros replaced ("@path@" program
// folder, "@win@", "@sys@", "@temp@" or "@tmp@"), the temporary folder when empty; with
// its final "\".
std::string SettingsFolder(const std::string& field13, const std::string& programFolder,
                           const std::string& windowsFolder, const std::string& systemFolder,
                           const std::string& tempFolder);

}  // namespace falcet
