// The shared controls in a host program (controlhost, a stand-in for the archive programs)
// over an archive filed with DBCREF, driven from outside as a user would: the list panel's
// commands and keys, the thesaurus editor with its word check and its save, the boxes and
// the info popup.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "archive_records.h"
#include "controls/thesaurus.h"
#include "db/archive.h"
#include "driver.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "imaging/copydata.h"
#include "program_copy.h"
#include "temp_dir.h"
#include "test_windows.h"

namespace {

using Words = std::vector<std::string>;
using std::chrono::milliseconds;

constexpr DWORD kLimit = 20000;
constexpr int kRowHeight = 20;
const Words kTwelveWords{"ANT", "BEE", "BIRD", "CAT", "COW", "DOG", "EEL", "FOX", "GNU", "HEN", "OWL", "ZEBRA"};
const std::string kUiFile =
    "STRING 16 \"Thesaurus\"\r\nSTRING 10 \"Archive\"\r\nSTRING 15 \" is used by a record.\"\r\n"
    "STRING 21 \"ARCHIVE\"\r\n";

std::string Bytes(const Words& words) {
  std::string bytes;
  for (const auto& w : words) bytes += w + "\r\n";
  return bytes;
}

class ControlHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.Write("controlhost.SYS", kUiFile);
    dir_.Write("STANDARD.THM", Bytes(kTwelveWords));
    FileRecord("00000001", {"CAT", "BIRD"});
    FileRecord("00000002", {"DOG"});
    StartHost();
  }

  // Starts the host over the test's folder and waits until its form is made.
  void StartHost() {
    const std::string folder = fileio::WithoutTrailingSeparator(dir_.Path());
    ASSERT_TRUE(host_.Start(TestProgramFolder() + "controlhost.exe", "\"" + folder + "\""));
    main_ = WaitForWindow("CONTROLHOST", kLimit, host_.Id());
    ASSERT_NE(main_, nullptr);
    ASSERT_TRUE(WaitForLog("ready "));
    panel_ = driver::FindChildByClass(main_, "SKLIST");
    ASSERT_NE(panel_, nullptr);
  }

  void TearDown() override {
    if (host_.Running() && IsWindow(main_)) SENDCOPYDATA(main_, kCodeClose, "");
    if (host_.Wait(kLimit) == -1) {
      host_.Kill();
      ADD_FAILURE() << "the host did not end";
    }
  }

  // Files a record of the host's archive form (ten topic slots) with these topics.
  void FileRecord(const std::string& key, const Words& topics) {
    ASSERT_EQ(FileArchiveRecord(dir_.File("ARCHIVE.F01"), db::ArchiveFields(10, 2024, 5), key, topics, 10), 0);
  }

  std::string Log() const { return ReadText(dir_.File("host.log")); }
  bool WaitForLog(const std::string& line) {
    return PumpUntil([&] { return Log().find(line) != std::string::npos; }, milliseconds(kLimit));
  }

  // The top of a topic row's combo box in the panel's client area.
  int RowTop(int k) const {
    RECT r;
    GetWindowRect(driver::FindChild(panel_, 200 + k), &r);
    POINT p{r.left, r.top};
    ScreenToClient(panel_, &p);
    return p.y;
  }

  // Opens the thesaurus editor and waits until it is complete: its title shows the count
  // once the words are in (controls may be found while they are still being made).
  HWND OpenEditor() {
    driver::PostCommand(main_, 101);
    editor_ = driver::WaitWindow(kThesaurusClass, kLimit);
    if (!editor_ || !PumpUntil([&] { return driver::WindowText(editor_).find('#') == std::string::npos; },
                               milliseconds(kLimit)))
      return nullptr;
    wordBox_ = driver::FindChild(editor_, kThesaurusWordBox);
    return wordBox_;
  }
  // Presses an editor button and waits for its work (a button that shows no box).
  void Press(int id) { SendMessageA(driver::FindChild(editor_, id), BM_CLICK, 0, 0); }
  void Select(const std::string& word) {
    Words items = driver::ListItems(wordBox_);
    auto it = std::find(items.begin(), items.end(), word);
    ASSERT_NE(it, items.end()) << word;
    SendMessageA(wordBox_, CB_SETCURSEL, WPARAM(it - items.begin()), 0);
  }
  void Add(const std::string& word) {
    driver::SetText(wordBox_, word);
    Press(kThesaurusAdd);
  }
  std::string Thm() const { return ReadText(dir_.File("STANDARD.THM")); }
  std::string Bak() const { return ReadText(dir_.File("STANDARD.BAK")); }

  TempDir dir_;
  ChildProcess host_;
  HWND main_ = nullptr;
  HWND panel_ = nullptr;
  HWND editor_ = nullptr;
  HWND wordBox_ = nullptr;
};

TEST_F(ControlHostTest, AChildsCommandAndThePanelsFocusReachTheHostWithThePanel) {
  const std::string panel = std::to_string(reinterpret_cast<uintptr_t>(panel_));
  HWND button = driver::FindChild(panel_, 500);
  ASSERT_NE(button, nullptr);
  PostMessageA(button, BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitForLog("panel-command 500 " + panel));
  PostMessageA(panel_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 140));
  PostMessageA(panel_, WM_LBUTTONUP, 0, MAKELPARAM(300, 140));
  EXPECT_TRUE(WaitForLog("panel-focus " + panel));
}

TEST_F(ControlHostTest, ScrollKeysMoveTheRowsByWholeRowsAndOtherKeysAreSwallowed) {
  // Ten rows of 20 in 150: last position 3, page 7.
  ASSERT_EQ(RowTop(0), 0);
  struct Step {
    WPARAM key;
    int position;
  };
  for (Step s : {Step{VK_END, 3}, Step{VK_HOME, 0}, Step{VK_NEXT, 3}, Step{VK_PRIOR, 0}, Step{VK_DOWN, 1},
                 Step{VK_DOWN, 2}, Step{VK_UP, 1}, Step{'A', 1}, Step{VK_RIGHT, 1}, Step{VK_NEXT, 3},
                 Step{VK_DOWN, 3}}) {
    EXPECT_EQ(SendMessageA(panel_, WM_KEYDOWN, s.key, 0), 1) << s.key;
    EXPECT_EQ(RowTop(0), -kRowHeight * s.position) << s.key;
    EXPECT_EQ(RowTop(9), kRowHeight * (9 - s.position)) << s.key;
  }
  SendMessageA(panel_, WM_KEYDOWN, VK_HOME, 0);
  // A line up at the top does nothing, and answers 1.
  EXPECT_EQ(SendMessageA(panel_, WM_VSCROLL, SB_LINEUP, 0), 1);
  EXPECT_EQ(RowTop(0), 0);
  // Keys that come through the host's dialog loop scroll too.
  PostMessageA(panel_, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_TRUE(PumpUntil([&] { return RowTop(0) == -kRowHeight; }, milliseconds(kLimit)));
}

TEST_F(ControlHostTest, TheLoadedTopicBoxesHoldAnEmptyEntryThenTheWords) {
  Words expected{""};
  expected.insert(expected.end(), kTwelveWords.begin(), kTwelveWords.end());
  EXPECT_EQ(driver::ListItems(driver::FindChild(panel_, 200)), expected);
  EXPECT_EQ(driver::ListItems(driver::FindChild(panel_, 209)), expected);
}

TEST_F(ControlHostTest, TheEditorCountsTheWordsInItsTitleAndDisablesTheHost) {
  ASSERT_NE(OpenEditor(), nullptr);
  EXPECT_EQ(driver::WindowText(editor_), "Words 12");
  EXPECT_EQ(driver::ListItems(wordBox_), kTwelveWords);
  EXPECT_FALSE(IsWindowEnabled(main_));
  Press(kThesaurusDiscard);
  EXPECT_TRUE(WaitForNoWindow(kThesaurusClass, kLimit));
  EXPECT_TRUE(IsWindowEnabled(main_));
}

TEST_F(ControlHostTest, AWordThatIsThereInOtherLettersIsNotAddedAgain) {
  ASSERT_NE(OpenEditor(), nullptr);
  Add("cat");
  EXPECT_EQ(driver::ListItems(wordBox_), kTwelveWords);
  EXPECT_EQ(driver::WindowText(editor_), "Words 12");
  Add("horse");
  EXPECT_EQ(driver::WindowText(editor_), "Words 13");
  Words items = driver::ListItems(wordBox_);
  EXPECT_NE(std::find(items.begin(), items.end(), "HORSE"), items.end());
}

TEST_F(ControlHostTest, AWordFiledUnderTheSecondTopicIsKeptWithAWarning) {
  ASSERT_NE(OpenEditor(), nullptr);
  Select("BIRD");
  PostMessageA(driver::FindChild(editor_, kThesaurusDelete), BM_CLICK, 0, 0);
  HWND box = driver::WaitWindow("SKMSGBOX", kLimit);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(driver::WindowText(box), "Thesaurus");  // UI entry 16
  HWND last = nullptr;
  EXPECT_TRUE(PressNextBox("SKMSGBOX", 1, "", &last));
  EXPECT_TRUE(WaitForNoWindow("SKMSGBOX", kLimit));
  EXPECT_EQ(driver::ListItems(wordBox_), kTwelveWords);
  EXPECT_EQ(driver::WindowText(editor_), "Words 12");
}

TEST_F(ControlHostTest, AnUnusedWordGoes) {
  ASSERT_NE(OpenEditor(), nullptr);
  Select("ZEBRA");
  Press(kThesaurusDelete);
  Words expected(kTwelveWords.begin(), kTwelveWords.end() - 1);
  EXPECT_EQ(driver::ListItems(wordBox_), expected);
  EXPECT_EQ(driver::WindowText(editor_), "Words 11");
}

TEST_F(ControlHostTest, TheFramesCloseSavesKeepsTheBackupAndRefillsTheTopicBoxes) {
  ASSERT_NE(OpenEditor(), nullptr);
  Add("HORSE");
  Select("ANT");
  Press(kThesaurusDelete);
  PostMessageA(editor_, WM_COMMAND, kThesaurusFrameClose, 0);
  ASSERT_TRUE(WaitForNoWindow(kThesaurusClass, kLimit));
  Words saved{"BEE", "BIRD", "CAT", "COW", "DOG", "EEL", "FOX", "GNU", "HEN", "HORSE", "OWL", "ZEBRA"};
  EXPECT_EQ(Thm(), Bytes(saved));
  EXPECT_EQ(Bak(), Bytes(kTwelveWords));
  // Each topic box has its one empty first entry, then the new list.
  saved.insert(saved.begin(), "");
  EXPECT_EQ(driver::ListItems(driver::FindChild(panel_, 200)), saved);
  EXPECT_EQ(driver::ListItems(driver::FindChild(panel_, 205)), saved);
  EXPECT_TRUE(IsWindowEnabled(main_));

  // The caption's close button does the same; the ".BAK" is then the first save.
  ASSERT_NE(OpenEditor(), nullptr);
  Add("YAK");
  PostMessageA(editor_, WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(WaitForNoWindow(kThesaurusClass, kLimit));
  EXPECT_NE(Thm().find("YAK\r\n"), std::string::npos);
  EXPECT_EQ(Bak(), Bytes(Words(saved.begin() + 1, saved.end())));
}

TEST_F(ControlHostTest, EnterInTheWordFieldAddsAndEscapeClosesAsTheFrameDoes) {
  ASSERT_NE(OpenEditor(), nullptr);
  HWND field = driver::FindChildByClass(wordBox_, "Edit");
  ASSERT_NE(field, nullptr);
  driver::SetText(wordBox_, "yak");
  PostMessageA(field, WM_KEYDOWN, VK_RETURN, 1);
  EXPECT_TRUE(PumpUntil([&] { return driver::WindowText(editor_) == "Words 13"; }, milliseconds(kLimit)));
  // Escape on a button: not taken for the button 2 (the dialog handling's IDCANCEL).
  driver::SetText(wordBox_, "emu");
  PostMessageA(driver::FindChild(editor_, kThesaurusDelete), WM_KEYDOWN, VK_ESCAPE, 1);
  ASSERT_TRUE(WaitForNoWindow(kThesaurusClass, kLimit));
  Words saved = kTwelveWords;
  saved.insert(saved.end() - 1, "YAK");
  EXPECT_EQ(Thm(), Bytes(saved));
  EXPECT_EQ(Bak(), Bytes(kTwelveWords));
}

TEST_F(ControlHostTest, AChangedListIsSavedWhenTheProgramEndsWithTheEditorOpen) {
  ASSERT_NE(OpenEditor(), nullptr);
  Add("YAK");
  SENDCOPYDATA(main_, kCodeClose, "");
  EXPECT_EQ(host_.Wait(kLimit), 0);
  Words saved = kTwelveWords;
  saved.insert(saved.end() - 1, "YAK");
  EXPECT_EQ(Thm(), Bytes(saved));
}

TEST_F(ControlHostTest, AListThatCannotBeSavedKeepsTheEditorOpenWithTheReason) {
  ASSERT_NE(OpenEditor(), nullptr);
  Add("YAK");
  // The new list cannot be written beside the old one.
  ASSERT_EQ(fileio::MakeDirectories(dir_.File("STANDARD.THM.new~")), 0);
  PostMessageA(editor_, WM_COMMAND, kThesaurusFrameClose, 0);
  HWND box = driver::WaitWindow("SKMSGBOX", kLimit);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(driver::WindowText(box), "Thesaurus");
  HWND last = nullptr;
  ASSERT_TRUE(PressNextBox("SKMSGBOX", 1, "", &last));
  ASSERT_TRUE(WaitForNoWindow("SKMSGBOX", kLimit));
  EXPECT_TRUE(IsWindow(editor_));
  EXPECT_EQ(driver::WindowText(editor_), "Words 13");
  EXPECT_EQ(Thm(), Bytes(kTwelveWords));
  EXPECT_FALSE(fileio::Exists(dir_.File("STANDARD.BAK")));
  Press(kThesaurusDiscard);
  EXPECT_TRUE(WaitForNoWindow(kThesaurusClass, kLimit));
}

TEST_F(ControlHostTest, TheThirdButtonDiscardsTheChanges) {
  ASSERT_NE(OpenEditor(), nullptr);
  Add("HORSE");
  Select("ZEBRA");
  Press(kThesaurusDelete);
  Press(kThesaurusDiscard);
  ASSERT_TRUE(WaitForNoWindow(kThesaurusClass, kLimit));
  EXPECT_EQ(Thm(), Bytes(kTwelveWords));
  EXPECT_FALSE(fileio::Exists(dir_.File("STANDARD.BAK")));
  Words expected{""};
  expected.insert(expected.end(), kTwelveWords.begin(), kTwelveWords.end());
  EXPECT_EQ(driver::ListItems(driver::FindChild(panel_, 200)), expected);
}

TEST_F(ControlHostTest, AListThatCannotBeReadIsShownWithTheReasonAndNeverReplaced) {
  // The host is started again over a thesaurus that cannot be read.
  SENDCOPYDATA(main_, kCodeClose, "");
  ASSERT_EQ(host_.Wait(kLimit), 0);
  ASSERT_EQ(fileio::RemoveFile(dir_.File("STANDARD.THM")), 0);
  ASSERT_EQ(fileio::MakeDirectories(dir_.File("STANDARD.THM")), 0);
  ASSERT_EQ(fileio::RemoveFile(dir_.File("host.log")), 0);
  StartHost();
  EXPECT_EQ(Log().find("loaded 0"), std::string::npos);
  EXPECT_EQ(driver::ListItems(driver::FindChild(panel_, 200)), Words{""});

  driver::PostCommand(main_, 101);
  HWND box = driver::WaitWindow("SKMSGBOX", kLimit);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(driver::WindowText(box), "Thesaurus");
  HWND last = nullptr;
  ASSERT_TRUE(PressNextBox("SKMSGBOX", 1, "", &last));
  editor_ = driver::WaitWindow(kThesaurusClass, kLimit);
  ASSERT_NE(editor_, nullptr);
  EXPECT_FALSE(IsWindowEnabled(driver::FindChild(editor_, kThesaurusAdd)));
  EXPECT_FALSE(IsWindowEnabled(driver::FindChild(editor_, kThesaurusDelete)));
  PostMessageA(editor_, WM_COMMAND, kThesaurusFrameClose, 0);
  ASSERT_TRUE(WaitForNoWindow(kThesaurusClass, kLimit));
  EXPECT_TRUE(fileio::IsDirectory(dir_.File("STANDARD.THM")));
  EXPECT_FALSE(fileio::Exists(dir_.File("STANDARD.BAK")));
}

TEST_F(ControlHostTest, TheQuestionBoxAnswersThePressedButton) {
  driver::PostCommand(main_, 102);
  HWND box = driver::WaitWindow("SKMSGBOX", kLimit);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(driver::WindowText(box), "Control host");  // the main window's title
  HWND last = nullptr;
  ASSERT_TRUE(PressNextBox("SKMSGBOX", 2, "", &last));
  EXPECT_TRUE(WaitForLog("answer 2"));

  driver::PostCommand(main_, 103);
  box = driver::WaitWindow("SKMSGBOX", kLimit);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(driver::WindowText(box), "Archive");  // UI entry 10
  last = nullptr;
  ASSERT_TRUE(PressNextBox("SKMSGBOX", 1, "", &last));
  EXPECT_TRUE(WaitForLog("warned"));
}

// Rows of the picture that hold anything but the background, as runs [first, last].
std::vector<std::pair<int, int>> InkBands(const std::string& bmp, const RECT& client) {
  std::vector<std::pair<int, int>> bands;
  if (bmp.size() < 54) return bands;
  auto get32 = [&bmp](size_t at) {
    return int32_t(uint8_t(bmp[at]) | uint8_t(bmp[at + 1]) << 8 | uint8_t(bmp[at + 2]) << 16 |
                   uint32_t(uint8_t(bmp[at + 3])) << 24);
  };
  const int width = get32(18), height = get32(22);  // rows bottom-up
  const size_t stride = (size_t(width) * 3 + 3) & ~size_t(3);
  auto pixel = [&](int x, int y) { return bmp.substr(54 + size_t(height - 1 - y) * stride + size_t(x) * 3, 3); };
  const std::string background = pixel(client.left + 1, client.top + 1);
  for (int y = client.top; y < client.bottom && y < height; ++y) {
    bool ink = false;
    for (int x = client.left; x < client.right && x < width && !ink; ++x) ink = pixel(x, y) != background;
    if (!ink) continue;
    if (!bands.empty() && bands.back().second == y - 1) bands.back().second = y;
    else bands.push_back({y, y});
  }
  return bands;
}

TEST_F(ControlHostTest, TheInfoPopupShowsTwoLinesBelowAnEmptyOne) {
  driver::PostCommand(main_, 104);
  ASSERT_TRUE(WaitForLog("popup "));
  HWND popup = driver::WaitWindow("SKSTATIC", kLimit);
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(driver::WindowText(popup), "\rone\rtwo\r\r");
  EXPECT_EQ(GetWindow(popup, GW_OWNER), main_);
  // Centred over the host's window.
  RECT w, m;
  GetWindowRect(popup, &w);
  GetWindowRect(main_, &m);
  EXPECT_LE(std::abs((w.left + w.right) - (m.left + m.right)), 1);
  EXPECT_LE(std::abs((w.top + w.bottom) - (m.top + m.bottom)), 1);

  Sleep(200);  // painted
  const std::string shot = dir_.File("popup.bmp");
  ASSERT_TRUE(driver::CaptureWindow(popup, shot));
  POINT origin{0, 0};
  ClientToScreen(popup, &origin);
  RECT client;
  GetClientRect(popup, &client);
  OffsetRect(&client, origin.x - w.left, origin.y - w.top);
  auto bands = InkBands(ReadText(shot), client);
  ASSERT_EQ(bands.size(), 2u);
  const int pitch = bands[1].first - bands[0].first;
  EXPECT_GT(pitch, bands[0].second - bands[0].first);
  // An empty line's height at least stands above the first.
  EXPECT_GE(bands[0].first - client.top, pitch);
  driver::PostCommand(main_, 105);
  EXPECT_TRUE(WaitForNoWindow("SKSTATIC", kLimit));
}

}  // namespace
