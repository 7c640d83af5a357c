// The system's menu animation around popup menus: off while a menu is open when it was on,
// back on afterwards, and never switched on when it was off.
#include <gtest/gtest.h>
#include <windows.h>

#include "skin/sk_menu.h"
#include "win/window_class.h"

namespace {

bool AnimationOn() {
  BOOL on = FALSE;
  return SystemParametersInfoA(SPI_GETMENUANIMATION, 0, &on, 0) && on;
}

void SetAnimation(bool on) {
  SystemParametersInfoA(SPI_SETMENUANIMATION, 0, reinterpret_cast<void*>(static_cast<UINT_PTR>(on ? TRUE : FALSE)),
                        0);
}

// Each test starts from a known setting and leaves the one it found.
class MenuAnimation : public ::testing::Test {
 protected:
  void SetUp() override { before_ = AnimationOn(); }
  void TearDown() override { SetAnimation(before_); }

  bool before_ = false;
};

TEST_F(MenuAnimation, OffWhileTheGuardLivesAndOnAgainAfterwards) {
  SetAnimation(true);
  ASSERT_TRUE(AnimationOn());
  {
    SkMenuAnimationOff off;
    EXPECT_TRUE(off.SwitchedOff());
    EXPECT_FALSE(AnimationOn());
    {
      // A second guard inside finds the animation off and must not switch it on.
      SkMenuAnimationOff inner;
      EXPECT_FALSE(inner.SwitchedOff());
    }
    EXPECT_FALSE(AnimationOn());
  }
  EXPECT_TRUE(AnimationOn());
}

TEST_F(MenuAnimation, AnimationThatWasOffIsNeverSwitchedOn) {
  SetAnimation(false);
  {
    SkMenuAnimationOff off;
    EXPECT_FALSE(off.SwitchedOff());
  }
  EXPECT_FALSE(AnimationOn());
  SkMenuAnimationWhilePopups popups;
  popups.Opened();
  popups.Closed();
  EXPECT_FALSE(AnimationOn());
}

TEST_F(MenuAnimation, PopupMessagesKeepItOffUntilTheLastOpenPopupCloses) {
  SetAnimation(true);
  SkMenuAnimationWhilePopups popups;
  popups.Opened();  // the menu
  EXPECT_FALSE(AnimationOn());
  popups.Opened();  // its submenu
  popups.Closed();
  EXPECT_FALSE(AnimationOn());  // the menu is still open
  popups.Closed();
  EXPECT_TRUE(AnimationOn());
  // A close without an open (a popup opened before the window listened) changes nothing.
  popups.Closed();
  EXPECT_TRUE(AnimationOn());
  popups.Opened();
  EXPECT_FALSE(AnimationOn());
  popups.Closed();
  EXPECT_TRUE(AnimationOn());
}

// A real popup menu: the window sees its opening and closing as messages.
struct MenuWindow {
  SkMenuAnimationWhilePopups popups;
  int ticks = 0;
  bool onWhileOpen = true;
};

LRESULT CALLBACK MenuWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<MenuWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  switch (message) {
    case WM_INITMENUPOPUP:
      if (state) state->popups.Opened();
      break;
    case WM_UNINITMENUPOPUP:
      if (state) state->popups.Closed();
      break;
    case WM_TIMER:
      // The menu's own loop delivers the timer while the menu is open.
      if (state) {
        state->onWhileOpen = AnimationOn();
        ++state->ticks;
      }
      KillTimer(window, wParam);
      EndMenu();
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(MenuAnimation, OffWhileARealPopupMenuIsOpen) {
  win::RegisterClassOnce({.name = "SKMENUANIMATIONTEST", .procedure = MenuWindowProc, .cursor = nullptr});
  HWND window = CreateWindowExA(0, "SKMENUANIMATIONTEST", "menu", WS_POPUP | WS_VISIBLE, 10, 10, 200, 100, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  MenuWindow state;
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
  HMENU popup = CreatePopupMenu();
  AppendMenuA(popup, MF_STRING, 1, "One");
  AppendMenuA(popup, MF_STRING, 2, "Two");
  SetAnimation(true);
  // Wine may end a menu by itself on a focus change before the timer comes: try again then.
  for (int attempt = 0; attempt < 5 && state.ticks == 0; ++attempt) {
    SetForegroundWindow(window);
    SetTimer(window, 1, 100, nullptr);
    TrackPopupMenuEx(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, 20, 20, window, nullptr);
    KillTimer(window, 1);
  }
  EXPECT_EQ(state.ticks, 1);
  EXPECT_FALSE(state.onWhileOpen);
  EXPECT_TRUE(AnimationOn());
  DestroyMenu(popup);
  DestroyWindow(window);
}

}  // namespace
