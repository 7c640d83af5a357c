// The player's item lists: "|"-joined texts of paths and addresses, the readers of ".upl"
// and ".m3u" play lists and of built show lists, and the tests that decide how an item is
// opened (medium, sound, picture, web page). Portable.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "fileio/item_list.h"

namespace falcet {

// ---- "|" lists: the suite's rule ------------------------------------------------------------
using fileio::ItemAt;
using fileio::ItemCount;
using fileio::TrimBars;

// ---- Play lists ---------------------------------------------------------------------------------
// A ".upl" file's text: lines trimmed, empty lines left out, "@path@" (any case) replaced
// by the program folder, joined by "|".
std::string UplItems(const std::string& text, const std::string& programFolder);
// Reads a ".upl" file; "" when it does not exist.
std::string READUPL(const std::string& path, const std::string& programFolder);

// ".m3u" lists are read by the audio player's reader (jorvel/m3u_list.h).

// ---- Built show lists ----------------------------------------------------------------------------
struct ShowItems {
  std::string items;      // the slides that exist and are pictures, joined by "|"
  std::string times;      // their display times, in the same order
  std::string soundFile;  // header field 1, "@path@" expanded
  int flagOne = 0, flagTwo = 0, flagThree = 0;
  int soundNumberOne = 0, soundNumberTwo = 0;
  int pictureTime = 0;    // 0: the header sets none
  bool lastFlag = false;
};
// A built show list's text; "@path@" stands for listFolder. A missing or non-picture slide
// is left out together with its time, so every later slide keeps its own.
ShowItems ReadShowItems(const std::string& text, const std::string& listFolder,
                        const std::function<bool(const std::string&)>& exists);

// ---- What an item is ------------------------------------------------------------------------------
// The picture types the player shows.
bool IsPictureFile(const std::string& path);
// Whether the item's "*.ext" is one of the ";"-separated patterns (any case).
bool MatchesPatterns(const std::string& item, const std::string& patterns);
// A medium: a pattern of UI entry 3, or of UI entry 88 when the audio layer is there.
bool IsMedium(const std::string& item, const std::string& mediaPatterns, const std::string& soundPatterns,
              bool audioAvailable);
// A web page ending: ".htm" or ".html".
bool IsWebPageName(const std::string& item);

// The sounds of an attached-sound list (a music list): every line, trimmed and with
// "@path@" replaced by baseFolder, that names an existing file.
std::vector<std::string> AttachedSoundEntries(const std::string& listText, const std::string& baseFolder,
                                              const std::function<bool(const std::string&)>& exists);

}  // namespace falcet
