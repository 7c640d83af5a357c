// The item list: opening one item (a medium, a show list, a picture or a web page),
// opening a whole list, stepping to the previous and next item, choosing files to open;
// and the web panel.
#pragma once
#include <string>

namespace falcet {

// Opens one item (a medium plays from its start).
void OPENITEM(const std::string& item);
// Makes a list the item list and opens its first item (the item itself for one item).
// leaveShow: a single item leaves the slide show first.
void OpenList(const std::string& list, bool leaveShow);
void NextItem();
// The skin's waiting animation on the pane stops (a medium opened, or failed to).
void StopWaitingAnimation();
void PreviousItem();

// The item list a name stands for: an ".m3u" or ".upl" list is read, anything else is the
// name itself.
std::string ListOfName(const std::string& name);
// The built show list beside the player (its base name with UI entry 89).
std::string BuiltShowList();

// Open files (button 67, menu item 103): the media browser becomes the file source when it
// is installed, else the pick dialog chooses the list.
void OpenFiles();
// Whether there is a file source: the media browser's program or the pick library.
bool HasFileSource();

}  // namespace falcet
