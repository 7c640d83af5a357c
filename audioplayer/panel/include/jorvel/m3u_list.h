// The suite's one reader of ".m3u" play lists (the audio player's rule; the media player
// reads them the same way). Portable.
#pragma once
#include <string>

namespace jorvel {

// The items of an ".m3u" file's text, joined by "|". Lines are trimmed; empty lines and
// lines beginning with "#" are left out. A line without a drive is completed from the
// list's place: with a "\" inside it, the list's drive + "\" + the line (a line that
// begins with "\" gets no second one); without one, the list's folder + the line. Lines
// of one character, lines with a drive, network paths ("\\server\...") and addresses
// ("scheme://...") stay as they are. listPath is the list's full path; on a network share
// its drive is "\\server\share".
std::string M3uItems(const std::string& text, const std::string& listPath);

// Where a play list named without a drive is read: on the drive of the program folder,
// doubled "\" collapsed. Network paths and paths with a drive stay as they are.
std::string PlayListPath(const std::string& path, const std::string& programFolder);

// READPLAYLIST: the items of the ".m3u" file at path (completed by PlayListPath) replace
// playList; false, and playList unchanged, when the file does not exist.
bool READPLAYLIST(const std::string& path, const std::string& programFolder, std::string& playList);

}  // namespace jorvel
