// Track bars, image buttons, the panel placement query and the keyboard hook of input fields.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "skin/sk_controls.h"
#include "skin/skin.h"
#include "win/window_class.h"

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

// A window that keeps the identifiers of the commands it gets.
std::vector<int> gCommands;

LRESULT CALLBACK RecordingProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_COMMAND && HIWORD(wp) == 0) gCommands.push_back(LOWORD(wp));
  // The message form of the hook is kept as the negative message number.
  if (m == kSkMsgFieldEnter || m == kSkMsgFieldEscape) gCommands.push_back(-int(m));
  return DefWindowProcA(w, m, wp, lp);
}

HWND RecordingWindow() {
  if (!win::RegisterClassOnce({.name = "SKHOOKTEST", .procedure = RecordingProc})) return nullptr;
  return CreateWindowExA(0, "SKHOOKTEST", "", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
}

// Runs what is queued through a dialog loop, as the suite's boxes run their messages.
void RunDialogLoop(HWND box) {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (IsDialogMessageA(box, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void Key(HWND field, WPARAM key) {
  PostMessageA(field, WM_KEYDOWN, key, 1);
  PostMessageA(field, WM_CHAR, key, 1);
}

TEST(SkControls, HookedEnterAndEscapeReachTheTargetThroughADialogLoop) {
  HWND parent = RecordingWindow();
  ASSERT_NE(parent, nullptr);
  HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 100, 20, parent,
                              reinterpret_cast<HMENU>(INT_PTR(5)), nullptr, nullptr);
  ASSERT_EQ(SkHookKeys(edit, parent, 7, 8), 1);
  gCommands.clear();
  Key(edit, VK_RETURN);
  Key(edit, VK_ESCAPE);
  Key(edit, 'A');
  RunDialogLoop(parent);
  // Without the hook the dialog loop turns them into IDOK and IDCANCEL for the parent.
  EXPECT_EQ(gCommands, (std::vector<int>{7, 8}));
  const MSG enter{edit, WM_KEYDOWN, VK_RETURN, 1, 0, {}};
  const MSG letter{edit, WM_KEYDOWN, 'A', 1, 0, {}};
  EXPECT_TRUE(SendMessageA(edit, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)) & DLGC_WANTMESSAGE);
  EXPECT_FALSE(SendMessageA(edit, WM_GETDLGCODE, 'A', reinterpret_cast<LPARAM>(&letter)) & DLGC_WANTMESSAGE);

  SkUnhookKeys(edit);
  gCommands.clear();
  Key(edit, VK_RETURN);
  RunDialogLoop(parent);
  EXPECT_EQ(gCommands, (std::vector<int>{IDOK}));
  DestroyWindow(parent);
}

TEST(SkControls, AHookOnAComboBoxTakesItsEditFieldAndLeavesUnhookedKeysAlone) {
  HWND parent = RecordingWindow();
  ASSERT_NE(parent, nullptr);
  HWND combo = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_SIMPLE, 0, 0, 100, 100, parent,
                               reinterpret_cast<HMENU>(INT_PTR(1)), nullptr, nullptr);
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(combo, &info));
  ASSERT_EQ(SkHookKeys(combo, parent, 2, 0), 1);  // Escape stays the field's
  gCommands.clear();
  Key(info.hwndItem, VK_RETURN);
  Key(info.hwndItem, VK_ESCAPE);
  RunDialogLoop(parent);
  EXPECT_EQ(gCommands, (std::vector<int>{2, IDCANCEL}));
  // The hook goes with the field.
  DestroyWindow(parent);
  SkUnhookKeys(info.hwndItem);
  EXPECT_EQ(SkHookKeys(nullptr, parent, 2, 3), 0);
}


TEST(SkControls, TheKeyboardHookPostsEnterAndEscapeAsMessagesUntilItIsFreed) {
  HWND parent = RecordingWindow();
  ASSERT_NE(parent, nullptr);
  HWND width = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 100, 20, parent,
                               reinterpret_cast<HMENU>(INT_PTR(5)), nullptr, nullptr);
  HWND height = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 30, 100, 20, parent,
                                reinterpret_cast<HMENU>(INT_PTR(6)), nullptr, nullptr);
  HWND other = RecordingWindow();
  HWND foreign = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, other, nullptr, nullptr, nullptr);
  ASSERT_EQ(SKSETKEYBOARDHOOK(width, parent), 1);
  ASSERT_EQ(SKSETKEYBOARDHOOK(height, parent), 1);
  ASSERT_EQ(SKSETKEYBOARDHOOK(foreign, other), 1);
  gCommands.clear();
  Key(width, VK_RETURN);
  Key(height, VK_ESCAPE);
  RunDialogLoop(parent);
  EXPECT_EQ(gCommands, (std::vector<int>{-int(WM_USER + 13), -int(WM_USER + 27)}));

  // Freed for the box's fields only: the dialog loop has Enter again; another window's
  // field keeps its hook.
  SKFREEKEYBOARDHOOK(parent);
  gCommands.clear();
  Key(width, VK_RETURN);
  Key(height, VK_RETURN);
  RunDialogLoop(parent);
  EXPECT_EQ(gCommands, (std::vector<int>{IDOK, IDOK}));
  gCommands.clear();
  Key(foreign, VK_ESCAPE);
  RunDialogLoop(other);
  EXPECT_EQ(gCommands, (std::vector<int>{-int(WM_USER + 27)}));
  DestroyWindow(other);
  DestroyWindow(parent);
}

}  // namespace

namespace {

int anyWindowMessages = 0;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER + 7) ++anyWindowMessages;
  return DefWindowProcA(window, message, wParam, lParam);
}

TEST(SkControls, AnyWindowOfTheProgramsOwnClass) {
  HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 60, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(parent, nullptr);
  HWND strip = SKANYWND(parent, "SKTESTSTRIP", 0, 10, 120, 40, CountingProc, 33);
  ASSERT_NE(strip, nullptr);
  EXPECT_EQ(GetParent(strip), parent);
  EXPECT_EQ(GetDlgCtrlID(strip), 33);
  char name[32] = {};
  GetClassNameA(strip, name, sizeof name);
  EXPECT_STREQ(name, "SKTESTSTRIP");
  RECT r;
  GetClientRect(strip, &r);
  EXPECT_EQ(r.right, 120);
  EXPECT_EQ(r.bottom, 40);
  SendMessageA(strip, WM_USER + 7, 0, 0);
  // A second window of the class shares the procedure.
  HWND second = SKANYWND(parent, "SKTESTSTRIP", 0, 0, 10, 10, CountingProc);
  SendMessageA(second, WM_USER + 7, 0, 0);
  EXPECT_EQ(anyWindowMessages, 2);
  DestroyWindow(parent);
}

}  // namespace
