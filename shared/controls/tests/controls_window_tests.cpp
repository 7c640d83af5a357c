// The shared controls in windows of the test itself: the list panel's scroll state and
// scroll bar, the thesaurus routines on real combo boxes, and the info popup's window.
#include <gtest/gtest.h>
#include <windows.h>

#include "controls/controls_host.h"
#include "controls/info_popup.h"
#include "controls/listbox.h"
#include "controls/thesaurus.h"
#include "skin/sk_draw.h"
#include "skin/skin.h"
#include "temp_dir.h"

namespace {

using Words = std::vector<std::string>;

// Shown: scrolling moves the children of a window that is drawn.
HWND Parent() {
  return CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 400, 400, nullptr, nullptr, nullptr, nullptr);
}

HWND Panel(HWND parent, int height, int rows, int rowHeight) {
  return SKLISTBOX(0, parent, WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0, 0, 200, height, nullptr, rows, rowHeight);
}

// The highest position the panel's scroll bar lets its thumb reach.
int ThumbEnd(HWND panel) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE;
  GetScrollInfo(panel, SB_VERT, &si);
  return si.nMax - int(si.nPage) + 1;
}

int ChildTop(HWND panel, HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  POINT p{r.left, r.top};
  ScreenToClient(panel, &p);
  return p.y;
}

TEST(ListPanel, SizedFromTheParentFillsItsClientAreaLessTheMargins) {
  HWND parent = Parent();
  RECT client;
  GetClientRect(parent, &client);
  HWND panel = SKLISTBOX(0, parent, WS_CHILD | WS_VISIBLE | WS_VSCROLL, 10, 40, 30, 20, nullptr, 30, 20,
                         ListSizing::FromParent);
  ASSERT_NE(panel, nullptr);
  RECT r;
  GetWindowRect(panel, &r);
  EXPECT_EQ(r.right - r.left, client.right - 10 - 30);
  EXPECT_EQ(r.bottom - r.top, client.bottom - 40 - 20);
  // The rows scroll within the height it took.
  EXPECT_EQ(ListScroll().clientHeight, client.bottom - 40 - 20);
  DestroyWindow(parent);
}

TEST(ListPanel, TenRowsInOneHundredFiftyScrollToTheThirdRow) {
  HWND parent = Parent();
  HWND panel = Panel(parent, 150, 10, 20);
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(ListScroll().rows, 10);
  EXPECT_EQ(ListScroll().clientHeight, 150);
  EXPECT_EQ(ListScroll().lastPosition, 3);
  // The thumb runs to the last position.
  EXPECT_EQ(ThumbEnd(panel), 3);
  HWND row = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 60, 100, 20, panel, nullptr, nullptr, nullptr);
  EXPECT_EQ(SendMessageA(panel, WM_VSCROLL, SB_PAGEDOWN, 0), 1);
  EXPECT_EQ(ListScroll().position, 3);
  EXPECT_EQ(GetScrollPos(panel, SB_VERT), 3);
  EXPECT_EQ(ChildTop(panel, row), 0);
  EXPECT_EQ(SendMessageA(panel, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 1), 0), 1);
  EXPECT_EQ(ListScroll().position, 1);
  EXPECT_EQ(ChildTop(panel, row), 40);
  DestroyWindow(parent);
}

TEST(ListPanel, RowsThatFitKeepOneLessAndDoNotScroll) {
  HWND parent = Parent();
  HWND panel = Panel(parent, 120, 5, 20);
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(ListScroll().rows, 4);
  EXPECT_EQ(ListScroll().lastPosition, 0);
  EXPECT_LT(ThumbEnd(panel), 1);
  EXPECT_EQ(SendMessageA(panel, WM_KEYDOWN, VK_END, 0), 1);
  EXPECT_EQ(ListScroll().position, 0);
  DestroyWindow(parent);
}

TEST(ListPanel, TheParameterMessageNeedsNoWindowAndANewPanelStartsAtItsFirstRow) {
  EXPECT_EQ(LISTPROC(nullptr, kListParameters, 7, 30), 1);
  EXPECT_EQ(ListScroll().rows, 7);
  EXPECT_EQ(ListScroll().rowHeight, 30);
  HWND parent = Parent();
  HWND first = Panel(parent, 150, 10, 20);
  SendMessageA(first, WM_KEYDOWN, VK_END, 0);
  ASSERT_EQ(ListScroll().position, 3);
  DestroyWindow(first);
  HWND second = Panel(parent, 100, 10, 20);
  HWND row = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 100, 20, second, nullptr, nullptr, nullptr);
  EXPECT_EQ(ListScroll().position, 0);
  SendMessageA(second, WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(ChildTop(second, row), 0);  // nothing above the first row
  DestroyWindow(parent);
}

TEST(ListPanel, ARowHeightBelowOneGivesAPanelThatDoesNotScroll) {
  HWND parent = Parent();
  HWND panel = Panel(parent, 150, 10, 0);
  ASSERT_NE(panel, nullptr);
  for (WPARAM key : {VK_END, VK_NEXT, VK_DOWN}) EXPECT_EQ(SendMessageA(panel, WM_KEYDOWN, key, 0), 1);
  EXPECT_EQ(ListScroll().position, 0);
  EXPECT_EQ(ListScroll().lastPosition, 0);
  DestroyWindow(parent);
}

// A form whose three topic fields have combo boxes, in a data folder of the test's own.
class ThesaurusRoutines : public ::testing::Test {
 protected:
  ThesaurusRoutines() {
    parent_ = Parent();
    ControlsHost host;
    host.mainWindow = parent_;
    host.fields = std::vector<DBFIELD>(4);
    for (int k = 0; k < 3; ++k) {
      topics_.push_back(Combo());
      host.fields[size_t(k)].flag = 1;
      host.fields[size_t(k)].control = reinterpret_cast<intptr_t>(topics_.back());
    }
    host.fields[3].control = reinterpret_cast<intptr_t>(Combo());  // not a topic field
    host.dataFolder = dir_.Path();
    host.thesaurusName = "STANDARD";
    SetControlsHost(host);
  }
  ~ThesaurusRoutines() override {
    DestroyWindow(parent_);
    SetControlsHost(ControlsHost{});
  }
  HWND Combo() {
    return CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWN, 0, 0, 100, 100, parent_, nullptr, nullptr,
                           nullptr);
  }
  static Words Items(HWND box) {
    Words items;
    LRESULT n = SendMessageA(box, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
      std::string text(size_t(SendMessageA(box, CB_GETLBTEXTLEN, WPARAM(i), 0)) + 1, '\0');
      text.resize(size_t(SendMessageA(box, CB_GETLBTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text.data()))));
      items.push_back(text);
    }
    return items;
  }
  static void Fill(HWND box, const Words& words) {
    SendMessageA(box, CB_RESETCONTENT, 0, 0);
    for (const auto& w : words) SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(w.c_str()));
  }

  TempDir dir_;
  HWND parent_ = nullptr;
  std::vector<HWND> topics_;
};

TEST_F(ThesaurusRoutines, LoadingGivesEveryTopicBoxAnEmptyEntryThenTheWords) {
  Fill(topics_[0], {"STALE"});
  EXPECT_EQ(LOADTHESAURUS(), 0);  // no file yet: an empty list
  for (HWND box : topics_) EXPECT_EQ(Items(box), Words{""});
  dir_.Write("STANDARD.THM", "CAT\r\n\r\nDOG\r\n");
  EXPECT_EQ(LOADTHESAURUS(), 0);
  for (HWND box : topics_) EXPECT_EQ(Items(box), (Words{"", "CAT", "DOG"}));
}

TEST_F(ThesaurusRoutines, ARefillLeavesOneEmptyFirstEntryInEveryTopicBox) {
  dir_.Write("STANDARD.THM", "OLD\r\n");
  LOADTHESAURUS();
  const std::string longWord(400, 'L');
  HWND source = Combo();
  Fill(source, {"", "ANT", longWord});
  EXPECT_EQ(SAVETHESAURUS(source, 1), 0);
  EXPECT_EQ(dir_.Read("STANDARD.THM"), "ANT\r\n" + longWord + "\r\n");  // no empty first line
  EXPECT_EQ(dir_.Read("STANDARD.BAK"), "OLD\r\n");
  for (HWND box : topics_) EXPECT_EQ(Items(box), (Words{"", "ANT", longWord}));
  EXPECT_EQ(Items(source), (Words{"", "ANT", longWord}));  // the source is read, not filled
}

TEST_F(ThesaurusRoutines, ATopicBoxAsTheSourceIsNotFilledFromItself) {
  LOADTHESAURUS();
  Fill(topics_[1], {"", "BEE"});
  EXPECT_EQ(SAVETHESAURUS(topics_[1], 1), 0);
  EXPECT_EQ(Items(topics_[1]), (Words{"", "BEE"}));
  EXPECT_EQ(Items(topics_[0]), (Words{"", "BEE"}));
  // Without the refill the words the boxes lack are added to what they hold, once.
  Fill(topics_[1], {"", "COW"});
  EXPECT_EQ(SAVETHESAURUS(topics_[1], 0), 0);
  EXPECT_EQ(Items(topics_[2]), (Words{"", "BEE", "COW"}));
  Fill(topics_[1], {"", "BEE", "COW", "DOG"});
  EXPECT_EQ(SAVETHESAURUS(topics_[1], 0), 0);
  EXPECT_EQ(Items(topics_[2]), (Words{"", "BEE", "COW", "DOG"}));
  EXPECT_EQ(Items(topics_[0]), (Words{"", "BEE", "COW", "DOG"}));
}

TEST_F(ThesaurusRoutines, AListThatCannotBeSavedChangesNeitherTheFileNorTheBoxes) {
  dir_.Write("STANDARD.THM", "OLD\r\n");
  LOADTHESAURUS();
  HWND source = Combo();
  Fill(source, {"NEW"});
  EXPECT_NE(SAVETHESAURUS(nullptr, 1), 0);  // no source: not an empty list
  EXPECT_EQ(dir_.Read("STANDARD.THM"), "OLD\r\n");
  ControlsHost host = CurrentControlsHost();
  host.dataFolder = dir_.File("GONE\\");
  SetControlsHost(host);
  EXPECT_NE(SAVETHESAURUS(source, 1), 0);
  for (HWND box : topics_) EXPECT_EQ(Items(box), (Words{"", "OLD"}));
}

TEST_F(ThesaurusRoutines, TheNamesOfTheDataFoldersThesauriFillABoxWithTheCurrentChosen) {
  dir_.Write("boats.thm", "SAIL\r\n");
  dir_.Write("STANDARD.THM", "");
  dir_.Write("NOTES.TXT", "");
  dir_.Write("FOLDER.THM\\inside.txt", "");
  HWND box = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST | CBS_SORT, 0, 0, 100, 100, parent_,
                             nullptr, nullptr, nullptr);
  FillThesaurusNames(box, dir_.Path(), "STANDARD");
  EXPECT_EQ(Items(box), (Words{"BOATS", "STANDARD"}));
  EXPECT_EQ(SendMessageA(box, CB_GETCURSEL, 0, 0), 1);
  FillThesaurusNames(box, dir_.Path(), "GONE");
  EXPECT_EQ(Items(box).size(), 2u);
  EXPECT_EQ(SendMessageA(box, CB_GETCURSEL, 0, 0), 0);
}

TEST(InfoPopup, WithoutAnOwnerItIsAPopupCentredOnTheScreen) {
  SKINITENGINE("");
  const std::string text(300, 'x');
  HWND popup = SKSTATIC(nullptr, text);
  ASSERT_NE(popup, nullptr);
  EXPECT_FALSE(GetWindowLongPtrA(popup, GWL_STYLE) & WS_CHILD);
  EXPECT_EQ(GetWindowTextLengthA(popup), 255);
  RECT r;
  GetWindowRect(popup, &r);
  int width = 0, height = 0;
  SKGETTEXTEXTENT(SKCAPTIONFONT(), text, width, height);
  EXPECT_GE(r.right - r.left, width);  // measured in full
  EXPECT_GE(r.left, 0);
  EXPECT_GE(r.top, 0);
  // A second popup uses the class the first registered.
  HWND second = SKSTATIC(popup, "a|b");
  ASSERT_NE(second, nullptr);
  DestroyWindow(second);
  DestroyWindow(popup);
}

}  // namespace
