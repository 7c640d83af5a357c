// The archive as a user meets it under Wine: its menu files and deletes the current
// picture, a fresh suite files with the shipped thesaurus, the thesaurus editor with the
// archive's own texts works on the thesaurus chosen, and the settings line survives a
// folder that no line could hold.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "grilton_fixture.h"
#include "shipped_ui_file.h"
#include "skin/ui_text.h"

namespace {

using namespace grilton_tests;
using Words = std::vector<std::string>;

constexpr const char* kEditor = "THESAURUS";
constexpr int kWordBox = 1, kAdd = 2, kDelete = 3, kDiscard = 4;
constexpr int kFrameClose = 32196;

// The window that has the keyboard focus in a window's thread.
HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

bool Holds(const Words& words, const std::string& word) {
  return std::find(words.begin(), words.end(), word) != words.end();
}

class GriltonUser : public Grilton {
 protected:
  // Opens the thesaurus editor from the menu command and waits until it shows its count.
  HWND OpenEditor(HWND frame) {
    PostMessageA(frame, WM_COMMAND, grilton::kCmdEditThesaurus, 0);
    HWND editor = WaitForWindow(kEditor, kEventLimitMs, Process().Id());
    if (!editor || !PumpUntil([&] { return driver::FindChild(editor, kDiscard) != nullptr &&
                                           driver::WindowText(editor).find('#') == std::string::npos; },
                              std::chrono::milliseconds(10000)))
      return nullptr;
    return editor;
  }
  static bool CloseEditorSaving(HWND editor) {
    PostMessageA(editor, WM_COMMAND, kFrameClose, 0);
    return WaitForNoWindow(kEditor, kEventLimitMs);
  }
  std::string Program(const std::string& name) { return Copy().ProgramFolder() + name; }
};

// Filing, deleting and editing the current picture are the archive's main job: each is an
// item of its menu with an access key, and the menu's item files the picture.
TEST_F(GriltonUser, TheMenuFilesDeletesAndEditsTheCurrentPicture) {
  UiTextFile shipped = LoadShippedUiFile(Program("grilton.SYS"));
  for (int command : {grilton::kCmdFile, grilton::kCmdDelete, grilton::kCmdEditPicture}) {
    const MenuItem* item = shipped.menus.FindItem(command);
    ASSERT_NE(item, nullptr) << command;
    EXPECT_NE(item->caption.find('&'), std::string::npos) << item->caption;
  }
  Copy().WriteInProgram("STANDARD.THM", "HARBOUR\r\nSEA\r\n");
  HWND frame = StartOn(2);
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(driver::SetText(Field(frame, kFirstTopic), "HARBOUR"));
  ASSERT_TRUE(ChooseMenuItem(frame, 'A', 1));
  EXPECT_TRUE(WaitCount(frame, "1")) << driver::BoxText(FindWindowA(kBox, nullptr));
  EXPECT_EQ(RecordBytes().size(), 2u * 671u);
  EXPECT_EQ(RecordBytes().substr(671 + 84, 7), "HARBOUR");
  EXPECT_EQ(Close(), 0);
}

// A fresh suite: the installed program folder and a data folder of its own that does not
// exist yet. The standard thesaurus shipped beside the program is copied into it, and a
// picture is filed with one of its words.
TEST_F(GriltonUser, AFreshSuiteFilesAPictureWithAWordOfTheShippedThesaurus) {
  Copy().CopyFromSuite("standard.thm");
  Copy().WriteInProgram("QORIMAGENET.CFG", "@path@data\r\n");
  HWND frame = StartOn(1);
  ASSERT_NE(frame, nullptr);
  const std::string data = Program("DATA\\");
  EXPECT_TRUE(fileio::Exists(data + "standard.thm"));
  Words offered = driver::ListItems(Field(frame, kFirstTopic));
  EXPECT_GE(offered.size(), 20u);
  ASSERT_TRUE(Holds(offered, "HARBOUR"));
  ASSERT_TRUE(driver::SetText(Field(frame, kFirstTopic), "HARBOUR"));
  SendAndWait(frame, WM_COMMAND, grilton::kCmdFile, 0);
  EXPECT_EQ(FindWindowA(kBox, nullptr), nullptr) << driver::BoxText(FindWindowA(kBox, nullptr));
  EXPECT_TRUE(WaitCount(frame, "0"));
  std::string record;
  fileio::ReadWholeFile(data + "QORIMAGE.F01", record);
  ASSERT_EQ(record.size(), 2u * 671u);
  EXPECT_EQ(record.substr(671 + 84, 7), "HARBOUR");
  EXPECT_EQ(Close(), 0);
}

// The editor's buttons add, delete and close; what is added goes into the thesaurus the
// box shows, the focus goes back to the word, and the file starts with a word.
TEST_F(GriltonUser, TheEditorWorksOnTheChosenThesaurusWithItsOwnButtons) {
  Copy().WriteInProgram("BIRDS.THM", "OWL\r\nWREN\r\n");
  Copy().WriteInProgram("STANDARD.THM", "HARBOUR\r\n");
  Copy().WriteInProgram("NEWWORDS.OK", "");
  HWND frame = StartOn(2);
  ASSERT_NE(frame, nullptr);
  HWND choice = driver::FindChild(frame, grilton::kThesaurusBox);
  ASSERT_NE(choice, nullptr);
  ASSERT_EQ(driver::ListItems(choice), (Words{"BIRDS", "STANDARD"}));
  // The user steps up to BIRDS with the keyboard.
  PostMessageA(choice, WM_KEYDOWN, VK_UP, 1);
  PostMessageA(choice, WM_KEYUP, VK_UP, 1);
  ASSERT_TRUE(PumpUntil([&] { return Holds(driver::ListItems(Field(frame, kFirstTopic)), "OWL"); },
                        kEventLimit));

  HWND editor = OpenEditor(frame);
  ASSERT_NE(editor, nullptr);
  EXPECT_NE(driver::WindowText(editor).find("BIRDS"), std::string::npos) << driver::WindowText(editor);
  EXPECT_EQ(driver::WindowText(driver::FindChild(editor, kAdd)), "Add");
  EXPECT_EQ(driver::WindowText(driver::FindChild(editor, kDelete)), "Delete");
  EXPECT_EQ(driver::WindowText(driver::FindChild(editor, kDiscard)), "Close");
  HWND words = driver::FindChild(editor, kWordBox);
  ASSERT_TRUE(driver::SetText(words, "ROBIN"));
  PostMessageA(driver::FindChild(editor, kAdd), BM_CLICK, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return Holds(driver::ListItems(words), "ROBIN"); }, kEventLimit));
  SendAndWait(editor, WM_NULL, 0, 0);
  HWND focus = FocusOf(editor);
  EXPECT_TRUE(focus == words || IsChild(words, focus)) << focus;
  ASSERT_TRUE(CloseEditorSaving(editor));
  EXPECT_EQ(ReadText(Program("BIRDS.THM")), "OWL\r\nROBIN\r\nWREN\r\n");
  EXPECT_EQ(ReadText(Program("STANDARD.THM")), "HARBOUR\r\n");

  // A new word of the form joins the chosen thesaurus too, and the record names it.
  ASSERT_TRUE(driver::SetText(Field(frame, kFirstTopic), "STARLING"));
  SendAndWait(frame, WM_COMMAND, grilton::kCmdFile, 0);
  ASSERT_TRUE(WaitCount(frame, "1")) << driver::BoxText(FindWindowA(kBox, nullptr));
  const std::string birds = ReadText(Program("BIRDS.THM"));
  EXPECT_EQ(birds.substr(0, 5), "OWL\r\n") << birds;
  EXPECT_NE(birds.find("STARLING\r\n"), std::string::npos) << birds;
  EXPECT_EQ(ReadText(Program("STANDARD.THM")), "HARBOUR\r\n");
  EXPECT_EQ(RecordBytes().substr(671 + 585, 5), "BIRDS");
  EXPECT_EQ(Close(), 0);
}

// Without the thesaurus of the settings the box shows another: that one is in use.
TEST_F(GriltonUser, TheThesaurusTheBoxShowsAtStartIsTheOneInUse) {
  Copy().WriteInProgram("BIRDS.THM", "OWL\r\nWREN\r\n");
  HWND frame = StartOn(1);
  ASSERT_NE(frame, nullptr);
  HWND choice = driver::FindChild(frame, grilton::kThesaurusBox);
  ASSERT_EQ(driver::WindowText(choice), "BIRDS");
  ASSERT_TRUE(PumpUntil([&] { return Holds(driver::ListItems(Field(frame, kFirstTopic)), "OWL"); },
                        kEventLimit));
  HWND editor = OpenEditor(frame);
  ASSERT_NE(editor, nullptr);
  HWND words = driver::FindChild(editor, kWordBox);
  ASSERT_TRUE(driver::SetText(words, "ROBIN"));
  PostMessageA(driver::FindChild(editor, kAdd), BM_CLICK, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return Holds(driver::ListItems(words), "ROBIN"); }, kEventLimit));
  ASSERT_TRUE(CloseEditorSaving(editor));
  EXPECT_EQ(ReadText(Program("BIRDS.THM")), "OWL\r\nROBIN\r\nWREN\r\n");
  EXPECT_FALSE(fileio::Exists(Program("STANDARD.THM")));
  EXPECT_EQ(Close(), 0);
}

// A word that a filed picture uses stays, and the warning says so in the archive's words.
TEST_F(GriltonUser, AWordInUseIsKeptWithTheArchivesOwnWarning) {
  Copy().WriteInProgram("STANDARD.THM", "HARBOUR\r\nSEA\r\n");
  HWND frame = StartOn(1);
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(driver::SetText(Field(frame, kFirstTopic), "HARBOUR"));
  SendAndWait(frame, WM_COMMAND, grilton::kCmdFile, 0);
  ASSERT_TRUE(WaitCount(frame, "0")) << driver::BoxText(FindWindowA(kBox, nullptr));

  HWND editor = OpenEditor(frame);
  ASSERT_NE(editor, nullptr);
  HWND words = driver::FindChild(editor, kWordBox);
  ASSERT_EQ(driver::ListItems(words), (Words{"HARBOUR", "SEA"}));
  SendMessageA(words, CB_SETCURSEL, 0, 0);
  PostMessageA(driver::FindChild(editor, kDelete), BM_CLICK, 0, 0);
  HWND box = WaitForWindow(kBox, kEventLimitMs);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(driver::WindowText(box), "Thesaurus");
  EXPECT_EQ(WaitBoxText(), "HARBOUR is used by a filed picture and stays in the thesaurus.");
  ASSERT_TRUE(Answer());
  EXPECT_EQ(driver::ListItems(words), (Words{"HARBOUR", "SEA"}));
  // An unused word goes.
  SendMessageA(words, CB_SETCURSEL, 1, 0);
  PostMessageA(driver::FindChild(editor, kDelete), BM_CLICK, 0, 0);
  EXPECT_TRUE(PumpUntil([&] { return driver::ListItems(words) == Words{"HARBOUR"}; },
                        kEventLimit));
  ASSERT_TRUE(CloseEditorSaving(editor));
  EXPECT_EQ(ReadText(Program("STANDARD.THM")), "HARBOUR\r\n");
  EXPECT_EQ(Close(), 0);
}

// A double quote in the start folder of the settings: the folder is dropped, the fields
// after it are kept, and the line stays the same from one session to the next.
TEST_F(GriltonUser, AQuoteInTheSettingsFolderNeitherSwallowsTheLineNorGrowsIt) {
  Copy().WriteInProgram("BIRDS.THM", "OWL\r\n");
  Copy().WriteInProgram("STANDARD.THM", "HARBOUR\r\n");
  Copy().WriteSettings("10|20|820|640|C:\\MY \"PICS\\|BIRDS|0|3");
  ASSERT_NE(Start("WAITFORCOMMAND"), nullptr);
  ASSERT_EQ(CloseByUser(), 0);
  const std::string first = Copy().ReadSettings();
  std::vector<std::string> fields = SettingsFields();
  ASSERT_EQ(fields.size(), 8u) << first;
  EXPECT_EQ(fields[4].find('"'), std::string::npos) << first;
  EXPECT_EQ(fields[5], "BIRDS");
  EXPECT_EQ(fields[7], "3");
  ASSERT_NE(Start("WAITFORCOMMAND"), nullptr);
  ASSERT_EQ(CloseByUser(), 0);
  EXPECT_EQ(Copy().ReadSettings(), first);
}

}  // namespace
