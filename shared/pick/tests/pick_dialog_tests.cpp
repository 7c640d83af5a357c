// The pick dialog run by this test's thread and driven from a second one, as a user would:
// lists, filters, multi-selection, name field, keyboard and the remembered values.
#include <gtest/gtest.h>

#include "driver.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "pick/folder_tree.h"
#include "pick/pick.h"
#include "pick_dialog_driver.h"
#include "skin/sk_text.h"
#include "skin/skin.h"
#include "temp_dir.h"
#include "test_windows.h"
#include "wait_until.h"

namespace {

using pick_test::DialogDriver;
using namespace std::chrono_literals;

class PickDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    SKINITENGINE("");
    // The dialog centres on its owner: both keep to the lower right of the shared display,
    // away from where other test programs look at the screen.
    owner_ = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 960, 700, 300, 200, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    // Nothing remembered from an earlier test.
    std::string none;
    SKUSEFILTER(none, 1);
    SKPICKFILTER(none, 1);
    while (SKPICKMULTI(0) != 0) {
    }
  }
  void TearDown() override { DestroyWindow(owner_); }

  // Runs the dialog with the usual texts: buttons Cancel|OK, a tree, name mode as given.
  int Run(const std::string& start, const std::string& filters, int mode, std::string& result, std::string& name,
          const std::string& nameCaption = "Name", const std::string& treeCaption = "Folders") {
    return SKPICKF(owner_, start, "#Open files", filters, "Cancel|OK|More", "Files", treeCaption, "Type", 0,
                   nameCaption, mode, result, name);
  }

  TempDir dir_;
  HWND owner_ = nullptr;
};

TEST_F(PickDialog, MultiSelectionOfTwoFilesGivesBothPathsEachWithABar) {
  dir_.Write("a.jpg", "1");
  dir_.Write("b.jpg", "2");
  dir_.Write("c.png", "3");
  std::vector<std::string> entries;
  std::string title;
  bool ownerDisabled = false;
  int secondDialog = -1;
  ASSERT_EQ(SKPICKMULTI(1), 0);
  DialogDriver drive([&](HWND dialog) {
    std::string r, n;
    secondDialog = SKPICKF(nullptr, "", "", "", "OK", "", "", "", 0, "", 0, r, n);  // one at a time
    entries = pick_test::Entries(dialog);
    title = driver::WindowText(dialog);
    ownerDisabled = !IsWindowEnabled(owner_);
    pick_test::SelectEntries(dialog, {0, 1});
    pick_test::Press(2);
  });
  std::string result, name;
  EXPECT_EQ(Run(dir_.Path() + "*.*", "All|*.*", 0, result, name, ""), 2);
  ASSERT_TRUE(drive.Finish());
  EXPECT_EQ(entries, (std::vector<std::string>{"a.jpg", "b.jpg", "c.png"}));
  EXPECT_EQ(title, "Open files");
  EXPECT_EQ(secondDialog, 0);
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(IsWindowEnabled(owner_));
  EXPECT_EQ(result, dir_.File("a.jpg") + "|" + dir_.File("b.jpg") + "|");
  EXPECT_EQ(SKPICKMULTI(0), 0);  // the dialog consumed the switch
}

TEST_F(PickDialog, SeveralPatternsListOnlyTheirFilesAndTheFilterBoxSwitches) {
  dir_.Write("a.JPG", "1");
  dir_.Write("b.png", "2");
  dir_.Write("c.gif", "3");
  dir_.Write("d.txt", "4");
  dir_.Write("readme", "5");
  fileio::MakeDirectories(dir_.File("sub.jpg"));
  std::vector<std::string> pictures, all, filterNames;
  std::string choiceWhileOpen;
  DialogDriver drive([&](HWND dialog) {
    pictures = pick_test::Entries(dialog);
    filterNames = driver::ListItems(pick_test::Control(dialog, 3));
    pick_test::ChooseFilter(dialog, 1);
    WaitUntil([&] { return pick_test::Entries(dialog).size() == 5; }, 3s);
    all = pick_test::Entries(dialog);
    pick_test::Press(1);
  });
  std::string result = "old", name = "kept";
  EXPECT_EQ(Run(dir_.Path() + "*.JPG;*.PNG", "Pictures|*.JPG;*.PNG|All files|*.*", 1, result, name), 1);
  ASSERT_TRUE(drive.Finish());
  EXPECT_EQ(pictures, (std::vector<std::string>{"a.jpg", "b.png"}));
  EXPECT_EQ(filterNames, (std::vector<std::string>{"Pictures", "All files"}));
  EXPECT_EQ(all, (std::vector<std::string>{"a.jpg", "b.png", "c.gif", "d.txt", "readme"}));
  // Cancelled: nothing picked, the name as it was; the filter last used is remembered.
  EXPECT_EQ(result, "");
  EXPECT_EQ(name, "kept");
  std::string choice;
  SKFILTERCHOICE(choice, 0);
  EXPECT_EQ(choice, "*.*");
}

TEST_F(PickDialog, ModeTwoListsNamesWithoutExtensionsAndReturnsEachWithItsOwn) {
  dir_.Write("Song.mp3", "1");
  dir_.Write("tune.mp3", "2");
  dir_.Write("cover.jpg", "3");
  std::vector<std::string> entries;
  DialogDriver drive([&](HWND dialog) {
    entries = pick_test::Entries(dialog);
    pick_test::ClickEntry(dialog, 0);  // cover
    pick_test::ClickEntry(dialog, 2);  // tune
    pick_test::Press(2);
  });
  std::string result, name;
  EXPECT_EQ(Run(dir_.Path(), "All|*.*", 2, result, name), 2);
  ASSERT_TRUE(drive.Finish());
  EXPECT_EQ(entries, (std::vector<std::string>{"cover", "Song", "tune"}));
  EXPECT_EQ(result, dir_.File("tune.mp3"));
  EXPECT_EQ(name, "");  // a selection names nothing

  DialogDriver again([&](HWND dialog) {
    pick_test::ClickEntry(dialog, 0);
    pick_test::Press(2);
  });
  EXPECT_EQ(Run(dir_.Path(), "All|*.*", 2, result, name), 2);
  ASSERT_TRUE(again.Finish());
  EXPECT_EQ(result, dir_.File("cover.jpg"));  // not the extension of the last name listed
}

TEST_F(PickDialog, ATypedNameGetsTheFolderUnlessItIsAPathOrAURL) {
  dir_.Write("a.jpg", "1");
  auto typed = [&](const std::string& text) {
    DialogDriver drive([&](HWND dialog) {
      driver::SetText(pick_test::Control(dialog, 4), text);
      pick_test::Press(2);
    });
    std::string result, name;
    EXPECT_EQ(Run(dir_.Path() + "*.*", "All|*.*", 1, result, name), 2);
    EXPECT_TRUE(drive.Finish());
    return name;
  };
  EXPECT_EQ(typed("foo"), dir_.File("foo"));
  EXPECT_EQ(typed("http://example.org/x.mp3"), "http://example.org/x.mp3");
  EXPECT_EQ(typed("https://example.org/x.mp3"), "https://example.org/x.mp3");
  EXPECT_EQ(typed("ftp://host/x"), "ftp://host/x");
  EXPECT_EQ(typed("D:\\other\\x.bmp"), "D:\\other\\x.bmp");
}

// The first entry is selected, so an immediate OK returns it as the result; the name field
// stays as the caller preset it (here empty) whatever the list selects: a caller that
// saves under the name (mode 1, empty name) must not get an existing file of the folder.
TEST_F(PickDialog, AnImmediateOkReturnsTheFirstEntryButTheSelectionNamesNothing) {
  dir_.Write("b.jpg", "1");
  dir_.Write("a.jpg", "2");
  std::string field, afterClick;
  DialogDriver withName([&](HWND dialog) {
    field = driver::WindowText(pick_test::Control(dialog, 4));
    pick_test::Press(2);
  });
  std::string result, name;
  EXPECT_EQ(Run(dir_.Path() + "*.jpg", "JPEG|*.jpg", 1, result, name), 2);
  ASSERT_TRUE(withName.Finish());
  EXPECT_EQ(field, "");
  EXPECT_EQ(result, dir_.File("a.jpg"));
  EXPECT_EQ(name, "");

  // A click on another entry moves the result, not the name.
  DialogDriver clicked([&](HWND dialog) {
    pick_test::ClickEntry(dialog, 1);
    afterClick = driver::WindowText(pick_test::Control(dialog, 4));
    pick_test::Press(2);
  });
  EXPECT_EQ(Run(dir_.Path() + "*.jpg", "JPEG|*.jpg", 1, result, name), 2);
  ASSERT_TRUE(clicked.Finish());
  EXPECT_EQ(afterClick, "");
  EXPECT_EQ(result, dir_.File("b.jpg"));
  EXPECT_EQ(name, "");

  // Without a name field the path label shows the picked file.
  std::string label;
  DialogDriver withLabel([&](HWND dialog) {
    label = driver::WindowText(pick_test::Control(dialog, 4));
    pick_test::Press(2);
  });
  EXPECT_EQ(Run(dir_.Path() + "*.jpg", "JPEG|*.jpg", 0, result, name, "Path"), 2);
  ASSERT_TRUE(withLabel.Finish());
  EXPECT_EQ(result, dir_.File("a.jpg"));
  EXPECT_EQ(label, " " + dir_.File("a.jpg"));
}

TEST_F(PickDialog, APresetNameStaysAndThePresetPathIsWhatTheSecondButtonReturns) {
  dir_.Write("a.jpg", "1");
  std::string field, afterClick;
  DialogDriver drive([&](HWND dialog) {
    field = driver::WindowText(pick_test::Control(dialog, 4));
    pick_test::ClickEntry(dialog, 0);
    afterClick = driver::WindowText(pick_test::Control(dialog, 4));
    pick_test::Press(2);
  });
  std::string result, name = "C:\\x\\old.jpg|new.jpg";
  EXPECT_EQ(Run(dir_.Path() + "*.*", "All|*.*", 1, result, name), 2);
  ASSERT_TRUE(drive.Finish());
  EXPECT_EQ(field, "new.jpg");
  EXPECT_EQ(afterClick, "new.jpg");
  EXPECT_EQ(result, "C:\\x\\old.jpg");
  EXPECT_EQ(name, dir_.File("new.jpg"));

  // The third button takes the list's pick instead.
  DialogDriver third([&](HWND) { pick_test::Press(3); });
  name = "C:\\x\\old.jpg|new.jpg";
  EXPECT_EQ(Run(dir_.Path() + "*.*", "All|*.*", 1, result, name), 3);
  ASSERT_TRUE(third.Finish());
  EXPECT_EQ(result, dir_.File("a.jpg"));
}

TEST_F(PickDialog, ADoubleClickPicksThatFileAloneAndCloses) {
  dir_.Write("a.jpg", "1");
  dir_.Write("b.jpg", "2");
  ASSERT_EQ(SKPICKMULTI(1), 0);
  DialogDriver drive([&](HWND dialog) { pick_test::DoubleClickEntry(dialog, 1); });
  std::string result, name;
  EXPECT_EQ(Run(dir_.Path() + "*.*", "All|*.*", 1, result, name), 2);
  ASSERT_TRUE(drive.Finish());
  EXPECT_EQ(result, dir_.File("b.jpg"));  // multi-selection is off after a double click
  EXPECT_EQ(name, dir_.File("b.jpg"));
}

TEST_F(PickDialog, KeyboardEnterEscapeAndTab) {
  dir_.Write("a.jpg", "1");
  dir_.Write("b.jpg", "2");
  HWND focusAfterTab = nullptr, focusAfterEnterInName = nullptr, nameField = nullptr, secondButton = nullptr;
  HWND filterBox = nullptr;
  DialogDriver drive([&](HWND dialog) {
    nameField = pick_test::Control(dialog, 4);
    filterBox = pick_test::Control(dialog, 3);
    secondButton = pick_test::Control(dialog, 6);
    WaitUntil([&] { return pick_test::FocusOf(dialog) == nameField; }, 3s);
    pick_test::Key(nameField, VK_RETURN);
    WaitUntil([&] { return pick_test::FocusOf(dialog) == secondButton; }, 3s);
    focusAfterEnterInName = pick_test::FocusOf(dialog);
    HWND list = pick_test::Control(dialog, 2);
    pick_test::Key(list, VK_TAB);  // from the list to the filter box
    WaitUntil([&] { return pick_test::FocusOf(dialog) == filterBox; }, 3s);
    focusAfterTab = pick_test::FocusOf(dialog);
    pick_test::ClickEntry(dialog, 1);
    pick_test::Key(list, VK_RETURN);  // as a double click
  });
  std::string result, name;
  EXPECT_EQ(Run(dir_.Path() + "*.*", "All|*.*", 1, result, name), 2);
  ASSERT_TRUE(drive.Finish());
  EXPECT_EQ(focusAfterEnterInName, secondButton);
  EXPECT_EQ(focusAfterTab, filterBox);
  EXPECT_EQ(result, dir_.File("b.jpg"));

  HWND first = nullptr, focus = nullptr;
  DialogDriver escape([&](HWND dialog) {
    first = pick_test::Control(dialog, 5);
    pick_test::Key(pick_test::Control(dialog, 2), VK_ESCAPE);
    WaitUntil([&] { return pick_test::FocusOf(dialog) == first; }, 3s);
    focus = pick_test::FocusOf(dialog);
    pick_test::Key(first, VK_RETURN);  // Enter on a button presses it
  });
  EXPECT_EQ(Run(dir_.Path() + "*.*", "All|*.*", 0, result, name, ""), 1);
  ASSERT_TRUE(escape.Finish());
  EXPECT_EQ(focus, first);
}

TEST_F(PickDialog, TheTreeChangesTheListedFolder) {
  dir_.Write("top.jpg", "1");
  dir_.Write("sub\\inner.jpg", "2");
  dir_.Write("sub\\other.txt", "3");
  dir_.Write("sub2\\last.txt", "4");
  std::vector<std::string> before, afterKeys, afterEnter, afterSelect;
  std::string treePath;
  DialogDriver drive([&](HWND dialog) {
    before = pick_test::Entries(dialog);
    HWND tree = pick_test::Control(dialog, 1);
    HWND view = FolderTreeView(tree);
    treePath = FolderTreeSelectedPath(tree);
    // Arrow keys open the folder and move to "sub": the list stays until Enter.
    pick_test::Key(view, VK_RIGHT);
    pick_test::Key(view, VK_DOWN);
    WaitUntil([&] { return fileio::NameOf(FolderTreeSelectedPath(tree)) == "sub"; }, 3s);
    Sleep(200);
    afterKeys = pick_test::Entries(dialog);
    pick_test::Key(view, VK_RETURN);
    WaitUntil([&] { return pick_test::Entries(dialog).size() == 2; }, 3s);
    afterEnter = pick_test::Entries(dialog);
    // A folder chosen by the program is listed at once.
    FolderTreeSelect(tree, dir_.File("sub2"));
    WaitUntil([&] { return pick_test::Entries(dialog).size() == 1; }, 3s);
    afterSelect = pick_test::Entries(dialog);
    FolderTreeSelect(tree, dir_.File("sub"));
    WaitUntil([&] { return pick_test::Entries(dialog).size() == 2; }, 3s);
    pick_test::Press(2);
  });
  std::string result, name;
  EXPECT_EQ(Run(dir_.Path() + "*.*", "All|*.*", 0, result, name, ""), 2);
  ASSERT_TRUE(drive.Finish());
  EXPECT_EQ(before, (std::vector<std::string>{"top.jpg"}));
  EXPECT_TRUE(fileio::EqualsNoCase(treePath, fileio::WithoutTrailingSeparator(dir_.Path()))) << treePath;
  EXPECT_EQ(afterKeys, before);
  EXPECT_EQ(afterEnter, (std::vector<std::string>{"inner.jpg", "other.txt"}));
  EXPECT_EQ(afterSelect, (std::vector<std::string>{"last.txt"}));
  EXPECT_TRUE(fileio::EqualsNoCase(result, dir_.File("sub\\inner.jpg"))) << result;
}

TEST_F(PickDialog, RememberedFiltersShapeTheList) {
  dir_.Write("a.jpg", "1");
  dir_.Write("b.bak", "2");
  dir_.Write("c.PNG", "3");
  dir_.Write("d.txt", "4");
  std::string exclude = ".BAK|";
  SKPICKFILTER(exclude, 1);
  std::vector<std::string> excluded, included;
  DialogDriver one([&](HWND dialog) {
    excluded = pick_test::Entries(dialog);
    pick_test::Press(1);
  });
  std::string result, name;
  Run(dir_.Path() + "*.*", "All|*.*", 0, result, name, "");
  ASSERT_TRUE(one.Finish());
  EXPECT_EQ(excluded, (std::vector<std::string>{"a.jpg", "c.png", "d.txt"}));

  std::string include = ".jpg.png.";  // kept as ".jpg|.png|", compared in any case
  SKUSEFILTER(include, 1);
  DialogDriver two([&](HWND dialog) {
    included = pick_test::Entries(dialog);
    pick_test::Press(1);
  });
  Run(dir_.Path() + "*.*", "All|*.*", 0, result, name, "");
  ASSERT_TRUE(two.Finish());
  EXPECT_EQ(included, (std::vector<std::string>{"a.jpg", "c.png"}));
}

TEST_F(PickDialog, EmptyFolderFrameCloseAndQuitRequest) {
  fileio::MakeDirectories(dir_.File("empty"));
  std::vector<std::string> entries{"x"};
  DialogDriver empty([&](HWND dialog) {
    entries = pick_test::Entries(dialog);
    pick_test::Press(2);
  });
  std::string result = "x", name;
  EXPECT_EQ(Run(dir_.File("empty\\*.*"), "All|*.*", 0, result, name, ""), 2);
  ASSERT_TRUE(empty.Finish());
  EXPECT_TRUE(entries.empty());
  EXPECT_EQ(result, "");

  DialogDriver close([&](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); });
  EXPECT_EQ(Run(dir_.Path(), "All|*.*", 0, result, name, ""), 1);
  EXPECT_TRUE(close.Finish());

  // A quit request ends the dialog as cancelled and stays for the caller's own loop.
  DWORD thread = GetCurrentThreadId();
  DialogDriver quit([&](HWND) { PostThreadMessageA(thread, WM_QUIT, 7, 0); });
  EXPECT_EQ(Run(dir_.Path(), "All|*.*", 0, result, name, ""), 1);
  EXPECT_TRUE(quit.Finish());
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
  EXPECT_TRUE(IsWindowEnabled(owner_));
}

TEST_F(PickDialog, NoTreeWithoutItsCaption) {
  dir_.Write("a.jpg", "1");
  HWND tree = reinterpret_cast<HWND>(1);
  DialogDriver drive([&](HWND dialog) {
    tree = driver::FindChild(dialog, 1);
    pick_test::Press(2);
  });
  std::string result, name;
  EXPECT_EQ(Run(dir_.Path(), "All|*.*", 0, result, name, "", ""), 2);
  ASSERT_TRUE(drive.Finish());
  EXPECT_EQ(tree, nullptr);
  EXPECT_EQ(result, dir_.File("a.jpg"));
}

}  // namespace

namespace {

// A program's list source: the entries of a file it reads itself, here one name a line.
class PickListSourceTest : public PickDialog {
 protected:
  void SetUp() override {
    PickDialog::SetUp();
    SetPickListSource([this](const std::string& file, std::vector<std::string>& entries) {
      askedFor = file;
      if (fileio::ExtensionOf(file) == "BAD") return false;
      SKSPLITS(dir_.Read(fileio::NameOf(file)), "\n", entries);
      return true;
    });
  }
  void TearDown() override {
    SetPickListSource(nullptr);
    std::string none;
    SKPICKINFILE(none, 1);
    PickDialog::TearDown();
  }
  // Runs the dialog with the 14-argument call and presses OK on entry `pick`.
  std::vector<std::string> RunAndPick(const std::string& inFile, int pick, std::string& result) {
    std::string kept = inFile;
    SKPICKINFILE(kept, 1);
    std::vector<std::string> entries;
    DialogDriver drive([&](HWND dialog) {
      entries = pick_test::Entries(dialog);
      if (pick >= 0) pick_test::ClickEntry(dialog, pick);
      pick_test::Press(2);
    });
    std::string name;
    EXPECT_EQ(SKPICKF(owner_, dir_.Path() + "*.*", "#Items", "All|*.*", "Cancel|OK", "Items", "", "Type", 0, "", 0,
                      result, name, 0),
              2);
    EXPECT_TRUE(drive.Finish());
    return entries;
  }
  std::string askedFor;
};

TEST_F(PickListSourceTest, TheSourceListsTheKeptFileAndAPickComesBackAsAName) {
  dir_.Write("LIB.I01", "00000001.JPG\n00000002.BMP\nAB      .WAV");
  std::string result;
  EXPECT_EQ(RunAndPick(dir_.File("LIB.I01"), 1, result),
            (std::vector<std::string>{"00000001.JPG", "00000002.BMP", "AB      .WAV"}));
  EXPECT_EQ(askedFor, dir_.File("LIB.I01"));
  EXPECT_EQ(fileio::NameOf(result), "00000002.BMP");
}

TEST_F(PickListSourceTest, AMissingFileListsTheFolderAndAFailingSourceAnEmptyList) {
  dir_.Write("a.jpg", "1");
  dir_.Write("LIB.BAD", "x");
  std::string result;
  EXPECT_EQ(RunAndPick(dir_.File("GONE.I01"), -1, result), (std::vector<std::string>{"a.jpg", "lib.bad"}));
  EXPECT_TRUE(askedFor.empty());
  EXPECT_TRUE(RunAndPick(dir_.File("LIB.BAD"), -1, result).empty());
  EXPECT_EQ(askedFor, dir_.File("LIB.BAD"));
}

}  // namespace
