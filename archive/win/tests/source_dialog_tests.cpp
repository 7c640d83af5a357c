#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>

#include "grilton/source_dialog.h"
#include "test_windows.h"
#include "win/window_class.h"

namespace {

constexpr const char* kKnown = "Scan pages|Scanner Source";

// A top-level window of a system class (as a scanner source's dialog is), and one of a
// class this program registered (as the archive's own boxes are).
HWND SystemWindow(const char* caption, HWND owner = nullptr) {
  return CreateWindowExA(0, "STATIC", caption, WS_POPUP | WS_CAPTION | WS_SYSMENU, 10, 10, 200, 100, owner, nullptr,
                         nullptr, nullptr);
}

HWND OwnWindow(const char* caption) {
  win::RegisterClassOnce({.name = "GRILTONTESTBOX", .procedure = DefWindowProcA});
  return CreateWindowExA(0, "GRILTONTESTBOX", caption, WS_POPUP | WS_CAPTION, 10, 10, 200, 100, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

TEST(SourceDialog, AKnownCaptionIsFoundButNeverAWindowOfTheProgramsOwn) {
  HWND own = OwnWindow("Scanner Source");
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(grilton::FindSourceDialogWindow(nullptr, kKnown), nullptr);
  HWND source = SystemWindow("  scanner source ");
  ASSERT_NE(source, nullptr);
  EXPECT_EQ(grilton::FindSourceDialogWindow(nullptr, kKnown), source);
  DestroyWindow(source);
  DestroyWindow(own);
}

TEST(SourceDialog, AWindowOwnedByTheMainWindowCountsWithAnyCaption) {
  HWND main = OwnWindow("Archive");
  HWND owned = SystemWindow("Vendor dialog", main);
  ASSERT_NE(owned, nullptr);
  EXPECT_EQ(grilton::FindSourceDialogWindow(main, kKnown), owned);
  SetWindowTextA(owned, "");
  EXPECT_EQ(grilton::FindSourceDialogWindow(main, kKnown), nullptr);
  DestroyWindow(owned);
  DestroyWindow(main);
}

TEST(SourceDialog, TheTimerClosesAnEnabledDialogOnceAndForgetsIt) {
  HWND source = SystemWindow("Scan pages");
  HWND own = OwnWindow("Scan pages");
  ASSERT_TRUE(source && own);
  grilton::StartSourceDialogTimer(grilton::FindSourceDialogWindow(nullptr, kKnown), 50);
  EXPECT_TRUE(grilton::SourceDialogTimerRunning());
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(source); }, kEventLimit));
  EXPECT_FALSE(grilton::SourceDialogTimerRunning());
  EXPECT_TRUE(IsWindow(own));
  // A disabled dialog (a source still busy) is left open; the timer is gone all the same.
  HWND busy = SystemWindow("Scan pages");
  EnableWindow(busy, FALSE);
  grilton::StartSourceDialogTimer(busy, 20);
  EXPECT_TRUE(PumpUntil([&] { return !grilton::SourceDialogTimerRunning(); }, kEventLimit));
  PumpMessages(100);
  EXPECT_TRUE(IsWindow(busy));
  DestroyWindow(busy);
  DestroyWindow(own);
}

}  // namespace
