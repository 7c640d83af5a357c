// The player's settings file: one line of "|"-separated fields (window place and size, two
// remembered folders, the skin, the pane's place, the size item, the top-most flag), and
// the window size that the player takes without one. Portable.
#pragma once
#include <functional>
#include <string>

namespace falcet {

struct PlayerSettings {
  bool read = false;         // a line was read
  int left = 0, top = 0, width = 0, height = 0;
  std::string openFolder;    // start folder of the open-files dialog
  std::string snapshotFolder;
  std::string skinFile;
  int paneLeft = -1, paneTop = -1;
  int sizeItem = 0;          // 0: none chosen
  int topMost = 0;           // -1 or 0
};

// Reads a settings file's text. Negative left and top become 0; fields 8 to 11 count only
// when the line has them; the skin is dropped when skinExists says it is not there; an
// empty open folder becomes programFolder and an empty snapshot folder tempFolder.
PlayerSettings ParseSettings(const std::string& text, const std::string& programFolder,
                             const std::string& tempFolder, const std::function<bool(const std::string&)>& skinExists);

// The line to write: numbers as decimal text with one leading blank unless negative, the
// skin field empty, size item 308 written as 307.
std::string FormatSettings(const PlayerSettings& s);

// Window size without a settings line (or with option field 9 or 10 set): the options'
// width and height when not 0 (negative: the screen's), else the skin's frame for an inner
// area of 800 x 600 (a height of 0 from the skin: 600); centred on the screen.
struct WindowPlace {
  int left = 0, top = 0, width = 0, height = 0;
};
WindowPlace DefaultWindowPlace(int optionWidth, int optionHeight, int skinWidth, int skinHeight, int screenWidth,
                               int screenHeight);

}  // namespace falcet
