// What the media browser's key filter does with a message, decided from the message and
// the state of the two lists. Portable: KEYFILTER gathers the facts and carries out the
// answer.
#pragma once
#include "kelmor/command_ids.h"

namespace kelmor {

enum class KeyMessage { KeyDown, SysKeyDown, LeftDoubleClick, LeftDown, RightDown, Command, Other };
enum class KeyWindow { Other, FileList, CollectionList };

// Virtual keys the filter looks at.
enum : int {
  kKeyLeft = 0x25,
  kKeyUp = 0x26,
  kKeyRight = 0x27,
  kKeyDown = 0x28,
  kKeyDelete = 0x2E,
  kKeyA = 0x41,
  kKeyZ = 0x5A,
  kKeyF1 = 0x70,
};

struct KeyFacts {
  KeyMessage message = KeyMessage::Other;
  KeyWindow window = KeyWindow::Other;
  int key = 0;            // virtual key of a key message
  bool control = false;   // Ctrl held
  int count = 0;          // entries of the list the message is for
  int selected = 0;       // selected entries of that list
  int current = -1;       // its current entry (caret)
  bool rightFlag = false; // a list's popup menu was opened by the right button
};

enum class KeyAction {
  None,
  SelectAll,             // LB_SETSEL TRUE, -1 on the list
  DeselectAll,           // LB_SETSEL FALSE, -1 on the list
  OpenFileEntry,         // WNDPROC(list, WM_COMMAND, kAddButton, 0)
  RemoveCollectionEntry, // WNDPROC(list, WM_COMMAND, kRemoveButton, 0), then reselect
  ListPopup,             // WNDPROC(list, WM_RBUTTONDOWN, 0, 0)
  ForwardSysKey,         // WNDPROC with the message unchanged
};

struct KeyDecision {
  bool consumed = false;
  int postCommand = 0;   // WM_COMMAND to post to the frame, 0 for none
  KeyAction action = KeyAction::None;
  bool setRightFlag = false;
  bool clearRightFlag = false;
};

KeyDecision DecideKey(const KeyFacts& facts);

// After a double click removed collection entries: the entry to select, from the count and
// the current entry taken before the removal.
int EntryAfterRemoval(int countBefore, int currentBefore);

}  // namespace kelmor
