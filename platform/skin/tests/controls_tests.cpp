// Track bars, image buttons and the panel placement query.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "skin/sk_controls.h"

namespace {

TEST(SkControls, TrackBarAndImageButton) {
  HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 60, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(parent, nullptr);
  HWND bar = SKTRACKBAR(parent, 0, 0, 200, 24, 76, 1, 9);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(GetDlgCtrlID(bar), 76);
  EXPECT_EQ(SendMessageA(bar, TBM_GETRANGEMIN, 0, 0), 1);
  EXPECT_EQ(SendMessageA(bar, TBM_GETRANGEMAX, 0, 0), 9);
  EXPECT_EQ(SendMessageA(bar, TBM_GETPOS, 0, 0), 1);
  // A bitmap the program lacks: the button is still made, without a picture.
  HWND button = SKBUTIMAGE(parent, "NOSUCHBITMAP", 210, 0, 24, 24, 401);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(GetDlgCtrlID(button), 401);
  DestroyWindow(parent);
}

TEST(SkControls, TrackPositionsAndPanelPlacement) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  HWND panel = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(panel, nullptr);
  HWND bar = CreateWindowExA(0, TRACKBAR_CLASSA, "", WS_CHILD, 0, 0, 100, 20, panel, nullptr, nullptr, nullptr);
  ASSERT_NE(bar, nullptr);
  SendMessageA(bar, TBM_SETRANGE, FALSE, MAKELPARAM(0, 100));
  SKSETTRACKPOS(bar, 42);
  EXPECT_EQ(SKGETTRACKPOS(bar), 42);
  SKSETTRACKPOS(bar, 250);  // the bar keeps its range
  EXPECT_EQ(SKGETTRACKPOS(bar), 100);
  EXPECT_EQ(SKGETTRACKPOS(nullptr), 0);
  RECT client;
  GetClientRect(panel, &client);
  EXPECT_EQ(SKPANELCHILDXY(panel, 10, 10), 1);
  EXPECT_EQ(SKPANELCHILDXY(panel, client.right + 5, 10), 0);
  EXPECT_EQ(SKPANELCHILDXY(panel, -1, 10), 0);
  EXPECT_EQ(SKPANELCHILDXY(nullptr, 10, 10), 0);
  DestroyWindow(panel);
}

}  // namespace
