// What the audio player makes of its command line and of the lists it is handed: the
// argument rule (HANDOVERARGS), the address a single missing name is opened as, and how a
// list is opened (a single ".m3u" stands for its items). Portable.
#pragma once
#include <functional>
#include <string>

namespace jorvel {

// HANDOVERARGS: the command line as an item list. Blanks inside double quotes stay in their
// name and the quotes go; every other blank parts two names; empty names are left out. An
// unmatched quote ends the scan: the rest of the line is taken as it stands.
// several (when given) tells whether the list holds two or more items.
std::string HANDOVERARGS(const std::string& commandLine, bool* several = nullptr);

// A single name that is no existing file is opened as an address: as it stands when it
// holds "file://", "http://", "https://" or "ftp://" (any case), else with "file://" in front.
std::string AddressOf(const std::string& name);
// Whether an item is an internet address ("http://", "https://", "ftp://", any case), for
// which a connection may have to be dialled first.
bool IsInternetAddress(const std::string& item);
// Whether a name is a play list: it ends in ".m3u" (any case).
bool IsPlayListName(const std::string& name);

// How a list is opened: the play list it becomes, the index of the item opened first (1;
// 0 when the list is empty) and that item.
struct ListOpening {
  std::string playList;
  int index = 0;
  std::string item;
};
// A "|" list to open: a play list in it stands for its items (readPlayList fills them and
// answers false when the file is missing; a missing or empty play list stays an item, so
// that opening it tells the user); the first item opens.
ListOpening OpenList(const std::string& list,
                     const std::function<bool(const std::string& path, std::string& items)>& readPlayList);

}  // namespace jorvel
