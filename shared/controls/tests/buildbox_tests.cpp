// The general modal box in a real window: buttons numbered from 1, check states in and out,
// the owner disabled while it runs, and the quit of the program passed on.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "controls/buildbox.h"
#include "skin/skin.h"
#include "test_windows.h"
#include "wait_until.h"

namespace {

std::vector<HWND> Buttons(HWND box) {
  std::vector<HWND> out;
  for (HWND w = GetWindow(box, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) out.push_back(w);
  return out;
}

// The box, as another thread sees it come (null after ten seconds).
HWND WaitForBox() {
  HWND box = nullptr;
  WaitUntil([&box] { return (box = FindWindowA(kBuildBoxClass, nullptr)) != nullptr; }, std::chrono::seconds(10),
            std::chrono::milliseconds(20));
  return box;
}

// Clicks the box's children (by creation order, from 1) from another thread, as a user would.
std::thread ClickLater(std::vector<int> children, std::atomic<bool>& ownerWasDisabled, HWND owner) {
  return std::thread([children, &ownerWasDisabled, owner] {
    HWND box = WaitForBox();
    if (!box) return;
    Sleep(100);
    ownerWasDisabled = owner && !IsWindowEnabled(owner);
    std::vector<HWND> kids = Buttons(box);
    for (int n : children)
      if (n >= 1 && size_t(n) <= kids.size()) PostMessageA(kids[size_t(n - 1)], BM_CLICK, 0, 0);
  });
}

HWND Owner() {
  return CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 10, 10, 100, 100, nullptr, nullptr, nullptr,
                         nullptr);
}

TEST(BuildBox, ReturnsThePressedButtonAndTheChecks) {
  SKINITENGINE("");
  HWND owner = Owner();
  std::atomic<bool> disabled{false};
  uint32_t checks = 2;  // the second check box starts ticked
  // Children in creation order: check boxes 1 and 2, then the buttons 3, 4 and 5.
  std::thread t = ClickLater({1, 4}, disabled, owner);
  BuildBoxStyle style;
  style.icon = LoadIcon(nullptr, IDI_INFORMATION);
  int pressed = BUILDBOX(owner, SKCAPTIONFONT(), "Question", "Line one|Line two", "First|Second", "&Yes|&No|Cancel",
                         checks, style);
  t.join();
  EXPECT_EQ(pressed, 2);
  EXPECT_EQ(checks, 3u);
  EXPECT_TRUE(disabled);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(FindWindowA(kBuildBoxClass, nullptr), nullptr);
  DestroyWindow(owner);
}

TEST(BuildBox, OneOkButtonAndNoChecksLeaveTheMaskAlone) {
  SKINITENGINE("");
  std::atomic<bool> disabled{false};
  uint32_t checks = 0x80;
  std::thread t = ClickLater({1}, disabled, nullptr);
  BuildBoxStyle style;
  style.raisedFrame = true;
  int pressed = BUILDBOX(nullptr, nullptr, "Note", "Just a note", "", "", checks, style);
  t.join();
  EXPECT_EQ(pressed, 1);
  EXPECT_EQ(checks, 0x80u);
}

TEST(BuildBox, ClosingKeepsTheTicksButPressesNoButton) {
  SKINITENGINE("");
  uint32_t checks = 0;
  std::thread t([] {
    HWND box = WaitForBox();
    if (!box) return;
    Sleep(100);
    PostMessageA(GetWindow(box, GW_CHILD), BM_CLICK, 0, 0);
    PostMessageA(box, WM_CLOSE, 0, 0);
  });
  int pressed = BUILDBOX(nullptr, nullptr, "Hint", "Hello", "Do not show again", "", checks, BuildBoxStyle{});
  t.join();
  EXPECT_EQ(pressed, 0);
  EXPECT_EQ(checks, 1u);
}

TEST(BuildBox, AQuitWhileItRunsEndsItAndReachesTheCallersLoop) {
  SKINITENGINE("");
  uint32_t checks = 0;
  PostQuitMessage(7);
  EXPECT_EQ(BUILDBOX(nullptr, nullptr, "Hint", "Hello", "", "", checks, BuildBoxStyle{}), 0);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
}

}  // namespace
