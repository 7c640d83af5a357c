// The collection list: files gathered from the file list to hand to other programs.
#pragma once
#include <windows.h>

namespace kelmor {

// Commands 5/103 (the selected files) and 6/104 (the current file): into the collection
// list as full paths, at its current entry (after the last one when none is selected).
void AddToCollection(bool currentOnly);
// Commands 10/201: the selected entries go.
void RemoveFromCollection();
// Commands 11/202: the collection list is emptied after a question.
void EmptyCollection();
// Commands 12/203: a list file chosen in the list-file box fills the collection list (or,
// with its second button, goes to the recycle bin).
void LoadCollectionList();
// Commands 13/204: the collection list is saved under a name chosen in the list-file box.
void SaveCollectionList();
// Alt+Up and Alt+Down in the collection list: the selected entries move one place.
void MoveCollectionEntries(bool up);

}  // namespace kelmor
