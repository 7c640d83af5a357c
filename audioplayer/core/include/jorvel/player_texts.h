// The texts the audio player makes from its UI entries: the failure of an item, the about
// box, the window title and the marquee's title, and the folder of its settings and
// downloads. Portable.
#pragma once
#include <string>

namespace jorvel {

// An item that cannot be played: UI entry 12 with every "#" replaced by the result,
// followed by the item (a "#" in the item stays), and on a line of its own what is wrong
// with it: the text of the failure's "key=text" field in the "|"-separated reasons entry
// (none when the entry has no field for the key).
std::string PlayFailureText(const std::string& entry12, const std::string& item, int result,
                            const std::string& reasons = "", const std::string& failure = "");
// The about box: the skin engine's credit line, then UI entry 2 with every "#" replaced by
// the year (the last four characters of the date).
std::string AboutText(const std::string& credit, const std::string& entry2, const std::string& date);
// The window title while an item plays: UI entry 1, " - " and the item's file name.
std::string PlayingTitle(const std::string& entry1, const std::string& item);
// The marquee's title: the music's name when the medium has one, else the stream's name
// when it has one, else the item's file name.
std::string MarqueeText(const std::string& item, const std::string& musicName, const std::string& streamName);

// The folder of the settings and downloads from UI entry 81: "" (the program folder) when
// the entry is empty; otherwise the entry in lower case with "@path@" and "@user@" replaced
// by the program folder and the user's documents folder, doubled "\" collapsed (a network
// path keeps its two), with its final "\".
std::string ConfigFolderOf(const std::string& entry81, const std::string& programFolder,
                           const std::string& userFolder);

}  // namespace jorvel
