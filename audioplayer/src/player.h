// Opening and playing items: OPENITEM, PLAYITEM and the lists the player is handed.
#pragma once
#include <cstdint>
#include <string>

namespace jorvel {

// OPENITEM: the item (or the link, when it is an address the pick dialog gave) is checked,
// a connection dialled for an internet address, the pane set for a sound, and the item
// played from start to end (milliseconds; 0, 0 for the whole). A failure is shown.
void OPENITEM(const std::string& link, const std::string& item, int32_t start, int32_t end);
// PLAYITEM: the medium opens and plays; the player tick follows it. A failure is shown.
void PLAYITEM(const std::string& item, int32_t start, int32_t end);
// A "|" list to play (code 3, a hand-over, the start list): it becomes the play list (a
// single ".m3u" stands for its items) and its first item opens. An empty list changes
// nothing.
void OpenReceivedList(const std::string& list);
// The item opened again, or the next one (the tick at the end of an item; previous, next).
void OpenListItem(const std::string& item);

}  // namespace jorvel
