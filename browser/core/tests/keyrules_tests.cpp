// The key filter's table: which keys and clicks on the two lists are consumed, which post
// a command and which act on the list.
#include <gtest/gtest.h>

#include "kelmor/keyrules.h"

namespace kelmor {

namespace {

KeyFacts Key(KeyWindow window, int key, int count = 5, int selected = 1, int current = 2) {
  KeyFacts f;
  f.message = KeyMessage::KeyDown;
  f.window = window;
  f.key = key;
  f.count = count;
  f.selected = selected;
  f.current = current;
  return f;
}

TEST(KeyRules, DeleteDeletesFromTheListThatHasASelection) {
  EXPECT_EQ(DecideKey(Key(KeyWindow::FileList, kKeyDelete)).postCommand, kDeleteFilesCommand);
  EXPECT_EQ(DecideKey(Key(KeyWindow::CollectionList, kKeyDelete)).postCommand, kRemoveFromCollectionCommand);
  EXPECT_EQ(DecideKey(Key(KeyWindow::FileList, kKeyDelete, 5, 0)).postCommand, 0);
  EXPECT_EQ(DecideKey(Key(KeyWindow::Other, kKeyDelete)).postCommand, 0);
  EXPECT_FALSE(DecideKey(Key(KeyWindow::FileList, kKeyDelete)).consumed);
}

TEST(KeyRules, ArrowsStopAtTheEndsOfTheFileList) {
  EXPECT_TRUE(DecideKey(Key(KeyWindow::FileList, kKeyUp, 5, 1, 0)).consumed);
  EXPECT_FALSE(DecideKey(Key(KeyWindow::FileList, kKeyUp, 5, 1, 1)).consumed);
  EXPECT_TRUE(DecideKey(Key(KeyWindow::FileList, kKeyDown, 5, 1, 4)).consumed);
  EXPECT_FALSE(DecideKey(Key(KeyWindow::FileList, kKeyDown, 5, 1, 3)).consumed);
  EXPECT_FALSE(DecideKey(Key(KeyWindow::FileList, kKeyUp, 0, 0, 0)).consumed);
  EXPECT_FALSE(DecideKey(Key(KeyWindow::CollectionList, kKeyUp, 5, 1, 0)).consumed);
}

TEST(KeyRules, HelpFromAnywhereAndSelectionKeysOnLists) {
  EXPECT_EQ(DecideKey(Key(KeyWindow::Other, kKeyF1)).postCommand, kHelpCommand);
  KeyFacts ctrlA = Key(KeyWindow::CollectionList, kKeyA);
  ctrlA.control = true;
  EXPECT_EQ(DecideKey(ctrlA).action, KeyAction::SelectAll);
  KeyFacts ctrlZ = Key(KeyWindow::FileList, kKeyZ);
  ctrlZ.control = true;
  EXPECT_EQ(DecideKey(ctrlZ).action, KeyAction::DeselectAll);
  EXPECT_EQ(DecideKey(Key(KeyWindow::FileList, kKeyA)).action, KeyAction::None);
  ctrlA.window = KeyWindow::Other;
  EXPECT_EQ(DecideKey(ctrlA).action, KeyAction::None);
}

TEST(KeyRules, DoubleClicksAndTheRightButton) {
  KeyFacts f;
  f.message = KeyMessage::LeftDoubleClick;
  f.window = KeyWindow::FileList;
  EXPECT_EQ(DecideKey(f).action, KeyAction::OpenFileEntry);
  EXPECT_TRUE(DecideKey(f).consumed);
  f.window = KeyWindow::CollectionList;
  EXPECT_EQ(DecideKey(f).action, KeyAction::RemoveCollectionEntry);

  f.message = KeyMessage::RightDown;
  KeyDecision right = DecideKey(f);
  EXPECT_TRUE(right.consumed);
  EXPECT_TRUE(right.setRightFlag);
  EXPECT_EQ(right.action, KeyAction::ListPopup);

  // The click that closes the popup menu does not reach the list, and clears the flag.
  f.message = KeyMessage::LeftDown;
  f.rightFlag = true;
  KeyDecision left = DecideKey(f);
  EXPECT_TRUE(left.consumed);
  EXPECT_TRUE(left.clearRightFlag);
  f.rightFlag = false;
  EXPECT_FALSE(DecideKey(f).consumed);
  f.window = KeyWindow::Other;
  f.rightFlag = true;
  EXPECT_FALSE(DecideKey(f).consumed);
  EXPECT_TRUE(DecideKey(f).clearRightFlag);

  f.message = KeyMessage::Command;
  EXPECT_TRUE(DecideKey(f).clearRightFlag);
  EXPECT_FALSE(DecideKey(f).consumed);
}

TEST(KeyRules, AltArrowsGoToTheWindowProcedure) {
  KeyFacts f = Key(KeyWindow::CollectionList, kKeyUp);
  f.message = KeyMessage::SysKeyDown;
  EXPECT_EQ(DecideKey(f).action, KeyAction::ForwardSysKey);
  f.key = kKeyLeft;
  EXPECT_EQ(DecideKey(f).action, KeyAction::None);
  f.window = KeyWindow::FileList;
  EXPECT_EQ(DecideKey(f).action, KeyAction::ForwardSysKey);
  EXPECT_FALSE(DecideKey(f).consumed);
}

TEST(KeyRules, TheEntryAfterADoubleClickRemoval) {
  EXPECT_EQ(EntryAfterRemoval(5, 4), 3);  // the last entry went
  EXPECT_EQ(EntryAfterRemoval(5, 2), 2);
  EXPECT_EQ(EntryAfterRemoval(1, 0), -1);
}

}  // namespace

}  // namespace kelmor
