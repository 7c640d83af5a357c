#include "kelmor/keyrules.h"

namespace kelmor {

namespace {

bool OnList(const KeyFacts& f) { return f.window != KeyWindow::Other; }

KeyDecision KeyDown(const KeyFacts& f) {
  KeyDecision d;
  switch (f.key) {
    case kKeyDelete:
      if (f.window == KeyWindow::FileList && f.selected > 0) d.postCommand = kDeleteFilesCommand;
      if (f.window == KeyWindow::CollectionList && f.selected > 0) d.postCommand = kRemoveFromCollectionCommand;
      break;
    case kKeyUp:
      // The list would otherwise wrap or beep at its ends.
      d.consumed = f.window == KeyWindow::FileList && f.count > 0 && f.current == 0;
      break;
    case kKeyDown:
      d.consumed = f.window == KeyWindow::FileList && f.count > 0 && f.current == f.count - 1;
      break;
    case kKeyF1:
      d.postCommand = kHelpCommand;
      break;
    case kKeyA:
      if (f.control && OnList(f)) d.action = KeyAction::SelectAll;
      break;
    case kKeyZ:
      if (f.control && OnList(f)) d.action = KeyAction::DeselectAll;
      break;
    default:
      break;
  }
  return d;
}

KeyDecision SysKeyDown(const KeyFacts& f) {
  KeyDecision d;
  bool vertical = f.key == kKeyUp || f.key == kKeyDown;
  bool horizontal = f.key == kKeyLeft || f.key == kKeyRight;
  if ((f.window == KeyWindow::CollectionList && vertical) || (f.window == KeyWindow::FileList && (vertical || horizontal)))
    d.action = KeyAction::ForwardSysKey;
  return d;
}

}  // namespace

KeyDecision DecideKey(const KeyFacts& f) {
  KeyDecision d;
  switch (f.message) {
    case KeyMessage::KeyDown:
      return KeyDown(f);
    case KeyMessage::SysKeyDown:
      return SysKeyDown(f);
    case KeyMessage::LeftDoubleClick:
      if (f.window == KeyWindow::FileList) d.action = KeyAction::OpenFileEntry;
      if (f.window == KeyWindow::CollectionList) d.action = KeyAction::RemoveCollectionEntry;
      d.consumed = OnList(f);
      return d;
    case KeyMessage::LeftDown:
      // The click that closed a list's popup menu does not reach the list.
      d.consumed = OnList(f) && f.rightFlag;
      d.clearRightFlag = true;
      return d;
    case KeyMessage::Command:
      d.clearRightFlag = true;
      return d;
    case KeyMessage::RightDown:
      if (OnList(f)) {
        d.action = KeyAction::ListPopup;
        d.setRightFlag = true;
        d.consumed = true;
      }
      return d;
    default:
      return d;
  }
}

int EntryAfterRemoval(int countBefore, int currentBefore) {
  int s = currentBefore;
  if (countBefore > 0 && s >= countBefore - 1) s = s - 1;
  return s;
}

}  // namespace kelmor
