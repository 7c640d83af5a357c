// The media browser's settings file and favourites file. Portable.
//
// Settings: the temporary folder + program name + ".cfg", one line without line end, nine
// fields separated by "|": left, top, width, height, current folder, file-type filter,
// names option of the index sheets (command 809), start-up hint suppressed, side-file
// markers shown (command 408). Favourites: the temporary folder + program name + ".fav",
// one folder per line, CR LF.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "skin/sk_text.h"

namespace kelmor {

struct BrowserSettingsRecord {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::string folder;
  std::string filter;
  int option809 = -1;  // -1 (or any non-zero value): checked
  int hintOff = 0;     // non-zero: the start-up hint is not shown
  int markers = 0;     // non-zero: side-file markers are drawn
};

// Reads one settings line. False when the line is empty (the caller takes the defaults).
// Fields that are missing keep the record's values; a field that is no number reads as 0.
bool ParseSettingsLine(const std::string& line, BrowserSettingsRecord& record);
// The nine fields joined by "|", numbers in decimal, no line end.
std::string FormatSettingsLine(const BrowserSettingsRecord& record);

// The limits applied to a stored record: position at least 0, size at least the skin's
// minimum, a folder that no longer exists dropped. folderExists gets the folder without
// its trailing "\".
void ClampSettings(BrowserSettingsRecord& record, int minWidth, int minHeight,
                   const std::function<bool(const std::string&)>& folderExists);

// Window size and position when there are no settings: 600 x 400 or the skin's minimum,
// centred on the screen (never at a negative position).
void DefaultPlacement(BrowserSettingsRecord& record, int screenWidth, int screenHeight, int minWidth,
                      int minHeight);

// Reads the settings file. False when it is missing, unreadable or empty (record unchanged).
bool ReadSettingsFile(const std::string& path, BrowserSettingsRecord& record);
// Writes the settings file beside the old one and then replaces it; 0 or an error number.
int WriteSettingsFile(const std::string& path, const BrowserSettingsRecord& record);

// ---- Favourites -----------------------------------------------------------------------
// The favourites box holds folders, each with one leading blank.

// The folders of a favourites file that the box takes at start: non-empty lines that the
// box does not hold yet (without regard to letter case and a trailing "\"), not on a removable or CD-ROM drive (by the line's first three
// characters) and still existing. Each accepted line is added to entries with one leading
// blank; the first accepted line is returned ("" when none).
std::string AddFavouriteLines(const std::vector<std::string>& lines, std::vector<std::string>& entries,
                              const std::function<bool(const std::string& root)>& isRemovableOrCd,
                              const std::function<bool(const std::string& folder)>& folderExists);

// The tip of the favourites box for a folder: lower-cased, without its trailing "\".
std::string FavouriteTip(const std::string& folder);
// Puts the tip at the top of the entries (with one leading blank) unless they hold that
// folder already.
void PutFolderOnTop(std::vector<std::string>& entries, const std::string& tip);

// The favourites file's text: every entry trimmed of blanks, each followed by CR LF.
std::string FormatFavourites(const std::vector<std::string>& entries);
// The lines of a favourites file: SplitLines of the skin engine's text helpers.

}  // namespace kelmor
