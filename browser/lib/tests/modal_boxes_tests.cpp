// The media browser's boxes in real windows: the test runs a box on its own thread while
// another thread plays the user (it waits for the box, chooses, presses a button).
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>

#include "kelmor/box_rules.h"
#include "kelmor/modal_boxes.h"
#include "pick/folder_tree.h"
#include "skin/skin.h"
#include "temp_dir.h"
#include "test_windows.h"
#include "wait_until.h"

namespace kelmor {
namespace {

using std::chrono::milliseconds;

std::string Text(HWND w) {
  char text[1024] = {};
  GetWindowTextA(w, text, sizeof text);
  return text;
}

// Plays the user on another thread once a box of the class shows with its buttons.
class User {
 public:
  User(const char* className, std::function<void(HWND box)> act)
      : thread_([className, act = std::move(act), this] {
          HWND box = nullptr;
          WaitUntil([&] { return (box = FindWindowA(className, nullptr)) && IsWindowVisible(box) && GetDlgItem(box, kBoxFirstButtonId); },
                    milliseconds(10000), milliseconds(20));
          if (!box) return;
          seen_ = true;
          act(box);
          // A box the user failed to answer is closed, so that the test fails rather than hangs.
          if (!WaitUntil([box] { return !IsWindow(box); }, milliseconds(10000))) {
            if (HWND input = FindWindowA("SKINPUTBOX", nullptr)) PostMessageA(input, WM_CLOSE, 0, 0);
            PostMessageA(box, WM_CLOSE, 0, 0);
          }
        }) {}
  ~User() { Join(); }
  void Join() {
    if (thread_.joinable()) thread_.join();
  }
  bool Seen() const { return seen_; }

 private:
  std::atomic<bool> seen_{false};
  std::thread thread_;
};

void Press(HWND box, int answer) { PostMessageA(GetDlgItem(box, kBoxFirstButtonId + answer - 1), BM_CLICK, 0, 0); }

HWND Combo(HWND box) { return GetDlgItem(box, kBoxMainId); }

// Chooses an entry as a click in the list does: the selection, then its notification.
void Choose(HWND box, const std::string& entry) {
  HWND combo = Combo(box);
  LRESULT at = SendMessageA(combo, CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(entry.c_str()));
  SendMessageA(combo, CB_SETCURSEL, WPARAM(at), 0);
  SendMessageA(box, WM_COMMAND, MAKEWPARAM(kBoxMainId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

HWND EditOf(HWND combo) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  GetComboBoxInfo(combo, &info);
  return info.hwndItem;
}

class KelmorBoxes : public ::testing::Test {
 protected:
  void SetUp() override {
    SKINITENGINE("");
    owner_ = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 10, 10, 400, 300, nullptr, nullptr, nullptr,
                             nullptr);
  }
  void TearDown() override { DestroyWindow(owner_); }
  HWND owner_ = nullptr;
};

TEST_F(KelmorBoxes, TheListFileBoxOffersTheListFilesAndHandsBackTheButtonAndTheName) {
  TempDir lists;
  lists.Write("trip.qls", "x");
  lists.Write("home.qls", "x");
  lists.Write("notes.txt", "x");
  ListFiles files{lists.Path(), ".qls"};
  std::vector<std::string> offered;
  std::atomic<bool> ownerDisabled{false};
  std::string name = "ignored";
  {
    User user(kPickFileClass, [&](HWND box) {
      ownerDisabled = !IsWindowEnabled(owner_);
      HWND combo = Combo(box);
      for (int i = 0; i < int(SendMessageA(combo, CB_GETCOUNT, 0, 0)); ++i) {
        char item[64] = {};
        SendMessageA(combo, CB_GETLBTEXT, WPARAM(i), reinterpret_cast<LPARAM>(item));
        offered.push_back(item);
      }
      Choose(box, "trip.qls");
      Press(box, 1);
    });
    EXPECT_EQ(PICKFILEBOX(owner_, "Load", "&Open|&Delete|&Cancel", name, 0, files), 1);
  }
  EXPECT_EQ(offered, (std::vector<std::string>{"home.qls", "trip.qls"}));
  EXPECT_EQ(name, "trip.qls");
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(IsWindowEnabled(owner_));
  EXPECT_EQ(FindWindowA(kPickFileClass, nullptr), nullptr);

  // The second and third buttons answer 2 (with the chosen name: delete it) and 3 (none).
  {
    User user(kPickFileClass, [&](HWND box) {
      Choose(box, "home.qls");
      Press(box, 2);
    });
    EXPECT_EQ(PICKFILEBOX(owner_, "Load", "&Open|&Delete|&Cancel", name, 0, files), 2);
  }
  EXPECT_EQ(name, "home.qls");
  {
    User user(kPickFileClass, [&](HWND box) { Press(box, 3); });
    EXPECT_EQ(PICKFILEBOX(owner_, "Load", "&Open|&Delete|&Cancel", name, 0, files), 3);
  }
  EXPECT_EQ(name, "");
}

TEST_F(KelmorBoxes, InSaveModeTheNameIsPresetAndLimitedToWhatFitsInAPath) {
  std::string folder = "C:\\" + std::string(196, 'f') + "\\";  // 200 characters
  ListFiles files{folder, ".qls"};
  std::string name = "holiday";
  std::string shown;
  int limit = 0;
  {
    User user(kPickFileClass, [&](HWND box) {
      HWND edit = EditOf(Combo(box));
      shown = Text(edit);
      limit = int(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0));
      SetWindowTextA(edit, "summer");
      Press(box, 1);
    });
    EXPECT_EQ(PICKFILEBOX(owner_, "Save", "&OK|&Cancel", name, 1, files), 1);
  }
  EXPECT_EQ(shown, "holiday");
  EXPECT_EQ(limit, 56);
  EXPECT_EQ(name, "summer");
  // In save mode the second button hands back no name.
  {
    User user(kPickFileClass, [&](HWND box) { Press(box, 2); });
    EXPECT_EQ(PICKFILEBOX(owner_, "Save", "&OK|&Cancel", name, 1, files), 2);
  }
  EXPECT_EQ(name, "");
  // Closed without a button: no answer, the name stays.
  name = "kept";
  {
    User user(kPickFileClass, [&](HWND box) { PostMessageA(box, WM_CLOSE, 0, 0); });
    EXPECT_EQ(PICKFILEBOX(owner_, "Save", "&OK|&Cancel", name, 1, files), 0);
  }
  EXPECT_EQ(name, "kept");
  EXPECT_TRUE(IsWindowEnabled(owner_));
}

// The slide show maker's variant: its own class, and in open mode the name that goes in
// is chosen (with or without its extension), else the first file.
TEST_F(KelmorBoxes, UnderAClassOfItsOwnTheListFileBoxChoosesThePresetName) {
  TempDir shows;
  shows.Write("alps.ssf", "x");
  shows.Write("beach.ssf", "x");
  shows.Write("city.ssf", "x");
  ListFiles files{shows.Path(), ".ssf", "SSPICKFILE", true};
  struct Case {
    std::string preset, chosen;
  };
  for (const Case& c : {Case{"beach", "beach.ssf"}, Case{"CITY.ssf", "city.ssf"}, Case{"gone", "alps.ssf"},
                        Case{"", "alps.ssf"}}) {
    std::string name = c.preset, shown;
    {
      User user("SSPICKFILE", [&](HWND box) {
        for (HWND child = GetWindow(Combo(box), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
          if (IsWindowVisible(child)) shown = Text(child);
        Press(box, 1);
      });
      EXPECT_EQ(PICKFILEBOX(owner_, "Open", "&Open|&Delete|&Cancel", name, 0, files), 1) << c.preset;
      EXPECT_TRUE(user.Seen());
    }
    EXPECT_EQ(name, c.chosen) << c.preset;
    EXPECT_EQ(shown, c.chosen) << c.preset;
    EXPECT_EQ(FindWindowA(kPickFileClass, nullptr), nullptr);
  }
}

TEST_F(KelmorBoxes, ThePictureTypeBoxHandsBackTheValueOfTheChosenEntry) {
  const std::string list = "JPEG picture - jpg|jpg,10|Windows bitmap - bmp|bmp,6|Icon - ico|ico,91";
  std::string choice = list;
  std::string shown;
  {
    User user(kPictureTypeClass, [&](HWND box) {
      Choose(box, "Windows bitmap - bmp");
      HWND text = GetWindow(Combo(box), GW_CHILD);
      for (; text; text = GetWindow(text, GW_HWNDNEXT))
        if (IsWindowVisible(text) && Text(text) == "BMP") shown = "BMP";
      Press(box, 1);
    });
    EXPECT_EQ(PICTURETYPEBOX(owner_, "Convert", "&Convert|&Cancel", choice), 1);
  }
  EXPECT_EQ(choice, "bmp,6");
  EXPECT_EQ(shown, "BMP");
  // Sorted, the icon came first in the list and the JPEG entry moved: values stay with labels.
  choice = list;
  {
    User user(kPictureTypeClass, [&](HWND box) {
      Choose(box, "JPEG picture - jpg");
      Press(box, 2);
    });
    EXPECT_EQ(PICTURETYPEBOX(owner_, "Convert", "&Convert|&Cancel", choice), 2);
  }
  EXPECT_EQ(choice, "jpg,10");
  // The first button before any choice hands back nothing to convert.
  choice = list;
  {
    User user(kPictureTypeClass, [&](HWND box) { Press(box, 1); });
    EXPECT_EQ(PICTURETYPEBOX(owner_, "Convert", "&Convert|&Cancel", choice), 1);
  }
  EXPECT_EQ(choice, "");
}

TEST_F(KelmorBoxes, TheSizeBoxShowsItsPresetsAndMovesTheKeysToItsButtons) {
  NewSizeTexts texts{"Re&size", "Keep the proportions", "Width:", "Height:", "&Cancel|&Resize",
                     LoadIcon(nullptr, IDI_APPLICATION)};
  int width = 100, height = 1000, keep = 1;
  std::string presetWidth, presetHeight, caption;
  std::atomic<bool> escapeToCancel{false}, enterToAccept{false};
  {
    User user(kNewSizeClass, [&](HWND box) {
      caption = Text(box);
      HWND w = GetDlgItem(box, 21), h = GetDlgItem(box, 22);
      presetWidth = Text(w);
      presetHeight = Text(h);
      auto focusIs = [&](int id) {
        return WaitUntil(
            [&] {
              GUITHREADINFO info{};
              info.cbSize = sizeof info;
              GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &info);
              return info.hwndFocus == GetDlgItem(box, id);
            },
            milliseconds(3000));
      };
      PostMessageA(w, WM_KEYDOWN, VK_ESCAPE, 1);
      escapeToCancel = focusIs(kBoxFirstButtonId);
      PostMessageA(h, WM_KEYDOWN, VK_RETURN, 1);
      enterToAccept = focusIs(kBoxFirstButtonId + 1);
      SetWindowTextA(w, "640");
      SetWindowTextA(h, "480");
      PostMessageA(GetDlgItem(box, 20), BM_CLICK, 0, 0);  // keep the proportions off
      Sleep(100);
      Press(box, 2);
    });
    EXPECT_EQ(RUNNEWSIZEBOX(owner_, texts, width, height, keep), 2);
  }
  EXPECT_EQ(caption, "Resize");
  EXPECT_EQ(presetWidth, "100");
  EXPECT_EQ(presetHeight, "1000");
  EXPECT_TRUE(escapeToCancel);
  EXPECT_TRUE(enterToAccept);
  EXPECT_EQ(width, 640);
  EXPECT_EQ(height, 480);
  EXPECT_EQ(keep, 0);
  // Closed otherwise: nothing changes.
  {
    User user(kNewSizeClass, [&](HWND box) { PostMessageA(box, WM_CLOSE, 0, 0); });
    EXPECT_EQ(RUNNEWSIZEBOX(owner_, texts, width, height, keep), 0);
  }
  EXPECT_EQ(width, 640);
  // Cancel answers 1 with no size.
  {
    User user(kNewSizeClass, [&](HWND box) { Press(box, 1); });
    EXPECT_EQ(RUNNEWSIZEBOX(owner_, texts, width, height, keep), 1);
  }
  EXPECT_EQ(width, 0);
  EXPECT_EQ(height, 0);
}

TEST_F(KelmorBoxes, TheTargetBoxShowsThePresetFolderAndHandsBackTheChoice) {
  TempDir target;
  std::string preset = target.Path().substr(0, target.Path().size() - 1);
  TargetBoxTexts texts{"Media browser", ":|Type the path of the folder to create.", "&OK|&Cancel"};
  std::string folder = preset, caption, selected;
  {
    User user(kTargetBoxClass, [&](HWND box) {
      WaitUntil([&] { return FolderTreeSelectedPath(Combo(box)) != ""; }, milliseconds(5000));
      caption = Text(box);
      Press(box, 1);
    });
    EXPECT_EQ(RUNTARGETBOX(owner_, "&Choose|&New folder|&Cancel", folder, texts), 1);
  }
  EXPECT_EQ(_stricmp(caption.c_str(), preset.c_str()), 0) << caption;
  EXPECT_EQ(_stricmp(folder.c_str(), preset.c_str()), 0) << folder;
  {
    User user(kTargetBoxClass, [&](HWND box) { Press(box, 3); });
    EXPECT_EQ(RUNTARGETBOX(owner_, "&Choose|&New folder|&Cancel", folder, texts), 3);
  }
  // The second button asks for the folder to create; its answer comes back with 2.
  {
    User user(kTargetBoxClass, [&](HWND box) {
      Press(box, 2);
      HWND input = nullptr;
      WaitUntil([&] { return (input = FindWindowA("SKINPUTBOX", nullptr)) != nullptr; }, milliseconds(5000));
      if (!input) return;
      Sleep(100);
      SetWindowTextA(GetDlgItem(input, 1), "C:\\made\\here");
      PostMessageA(GetDlgItem(input, 100), BM_CLICK, 0, 0);  // the input box's first button
    });
    EXPECT_EQ(RUNTARGETBOX(owner_, "&Choose|&New folder|&Cancel", folder, texts), 2);
  }
  EXPECT_EQ(folder, "C:\\made\\here");
}

// The same box under another class (the slide show maker's target-folder window) runs on
// the one procedure and answers alike.
TEST_F(KelmorBoxes, TheTargetBoxRunsUnderAnotherClass) {
  TempDir target;
  std::string preset = target.Path().substr(0, target.Path().size() - 1);
  TargetBoxTexts texts{"Slide show maker", ":|Type the path of the folder to create.", "&OK|&Cancel"};
  std::string folder = preset;
  bool procedure = false;
  {
    User user("SSTARGETFOLDER", [&](HWND box) {
      procedure = GetWindowLongPtrA(box, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(TARGETBOXPROC);
      WaitUntil([&] { return FolderTreeSelectedPath(Combo(box)) != ""; }, milliseconds(5000));
      Press(box, 1);
    });
    EXPECT_EQ(RUNTARGETBOX(owner_, "&Copy here|&New folder|&Cancel", folder, texts, "SSTARGETFOLDER"), 1);
    EXPECT_TRUE(user.Seen());
  }
  EXPECT_TRUE(procedure);
  EXPECT_EQ(_stricmp(folder.c_str(), preset.c_str()), 0) << folder;
  EXPECT_EQ(FindWindowA(kTargetBoxClass, nullptr), nullptr);
}

}  // namespace
}  // namespace kelmor
