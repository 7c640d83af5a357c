// The engine's Windows side in one process: menus, controls, boxes driven from a second
// thread, drawing helpers and shell services.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "driver.h"
#include "fileio/file.h"
#include "skin/sk_boxes.h"
#include "skin/sk_controls.h"
#include "skin/sk_draw.h"
#include "skin/sk_menu.h"
#include "skin/sk_shell.h"
#include "skin/skin.h"
#include "temp_dir.h"
#include "test_windows.h"
#include "win/raii.h"
#include "win/window_class.h"

namespace {

LRESULT CALLBACK TestProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (LRESULT r = SKGETMESSAGE(w, m, wp, lp)) return r;
  return SkDefaultProc(w, m, wp, lp);
}

HWND MakeFrame() {
  win::RegisterClassOnce({.name = "SKENGINETEST", .procedure = TestProc, .cursor = nullptr});
  SKWINDOWSTYLE(31);
  return CreateWindowExA(0, "SKENGINETEST", "engine test", WS_POPUP | WS_SYSMENU, 50, 50, 400, 300, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

MenuTable SampleMenus() {
  std::vector<UiTextError> errors;
  return ParseUiText(
             "MENU 1 \"&File\"\n ITEM 101 \"&Open\" \"a.exe,A\"\n SEPARATOR\n ITEM 102 \"E&xit\"\nEND\n"
             "MENU 3 \"&Skins\"\n ITEM 301 \"Blue\"\nEND\n"
             "POPUP 2 \"List\"\n ITEM 201 \"Delete\"\nEND\n",
             errors)
      .menus;
}

// The class as the caller fills it, with size and module left to the engine; a second
// registration finds the first class.
TEST(EngineClasses, RegistersAsFilledAndFindsAnExistingClass) {
  EXPECT_EQ(SKCHECKCLASS("SKCLASSTEST"), 0);
  WNDCLASSEXA wc{};
  wc.lpfnWndProc = TestProc;
  wc.cbWndExtra = sizeof(LONG_PTR);
  wc.lpszClassName = "SKCLASSTEST";
  ASSERT_NE(SKREGISTERCLASS(wc), 0);
  EXPECT_EQ(SKCHECKCLASS("skclasstest"), 1);
  wc.lpfnWndProc = DefWindowProcA;
  EXPECT_NE(SKREGISTERCLASS(wc), 0);
  WNDCLASSEXA found{};
  found.cbSize = sizeof found;
  ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), "SKCLASSTEST", &found));
  EXPECT_EQ(found.lpfnWndProc, TestProc);
  EXPECT_EQ(found.cbWndExtra, int(sizeof(LONG_PTR)));
  EXPECT_EQ(SKCHECKCLASS("BUTTON"), 1);  // a system class counts as there
}

TEST(EngineMenus, BuildsPopupsAndKeepsStatesAcrossChanges) {
  SKINITENGINE("");
  HWND frame = MakeFrame();
  ASSERT_NE(frame, nullptr);
  HWND holder = SKHOLDER(frame, "SKMENU", TestProc);
  ASSERT_NE(holder, nullptr);
  MenuTable table = SampleMenus();
  HMENU bar = SKMENU(frame, table);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(GetMenuItemCount(bar), 2);  // the popup-only menu 2 is not in the bar
  HMENU file = SKPOPUPHANDLE(1);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(GetMenuItemCount(file), 3);
  EXPECT_EQ(GetMenuItemID(file, 0), 101u);
  ASSERT_NE(SKPOPUPHANDLE(2), nullptr);
  EXPECT_EQ(SKPOPUPHANDLE(9), nullptr);
  EXPECT_EQ(SKGETMENUSTRING(102), "E&xit");
  EXPECT_EQ(SKGETMENUSTRING(999), "");

  CheckMenuItem(file, 101, MF_BYCOMMAND | MF_CHECKED);
  EnableMenuItem(file, 102, MF_BYCOMMAND | MF_GRAYED);
  // The skin menu is replaced by two items; the others keep their states.
  Menu* skins = table.FindMenu(3);
  skins->items.clear();
  skins->items.push_back(MenuItem{301, "Blue", "", false, false, false});
  skins->items.push_back(MenuItem{302, "Green", "", false, false, false});
  SKCHANGEMENU(frame, table);
  file = SKPOPUPHANDLE(1);
  EXPECT_TRUE(GetMenuState(file, 101, MF_BYCOMMAND) & MF_CHECKED);
  EXPECT_TRUE(GetMenuState(file, 102, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_EQ(GetMenuItemCount(SKPOPUPHANDLE(3)), 2);
  EXPECT_EQ(SKGETMENUSTRING(302), "Green");
  // The holder is painted by the engine: its WM_PAINT is answered, not left to the program.
  UINT m = WM_ERASEBKGND;
  WPARAM wp = 0;
  LPARAM lp = 0;
  EXPECT_NE(SKGETMESSAGE(holder, m, wp, lp), 0);
  DestroyWindow(frame);
}

TEST(EngineControls, ButtonsColoursAndChildren) {
  SKINITENGINE("");
  HWND frame = MakeFrame();
  HWND client = SKHOLDER(frame, "SKCLIP", TestProc);
  HWND a = SKBUT3D(client, "&Go", 10, 10, 80, 24, 5);
  HWND c = SKCHECKBUTTON(client, "Option", 10, 40, 120, 20, 15);
  HWND e = SKINPUT(client, "42", 10, 70, 80, 20, 16, 4, 0, 100);
  ASSERT_TRUE(a && c && e);
  EXPECT_EQ(SKCHILDCOUNT(client), 3);
  EXPECT_EQ(SKCHILDWINDOW(client, 1), a);
  EXPECT_EQ(SKCHILDWINDOW(client, 3), e);
  EXPECT_EQ(SKCHILDWINDOW(client, 4), nullptr);
  EXPECT_EQ(SKGETCHECK(c), 0);
  SKSETCHECK(c, 1);
  EXPECT_EQ(SKGETCHECK(c), 1);
  // Owner-drawn engine buttons are drawn by the engine; other items are not.
  DRAWITEMSTRUCT di{};
  di.CtlType = ODT_BUTTON;
  di.hwndItem = a;
  {
    win::WindowDC dc(a);
    di.hDC = dc;
    GetClientRect(a, &di.rcItem);
    EXPECT_EQ(SKDRAWITEM(reinterpret_cast<LPARAM>(&di)), 1);
    di.hwndItem = c;
    EXPECT_EQ(SKDRAWITEM(reinterpret_cast<LPARAM>(&di)), 0);
  }
  // SKSETCOLOR colours are answered through the parent's WM_CTLCOLOR*.
  SKSETCOLOR(e, RGB(1, 2, 3), RGB(200, 100, 50));
  {
    win::WindowDC edc(e);
    LRESULT brush =
        SendMessageA(client, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(edc.Get()), reinterpret_cast<LPARAM>(e));
    EXPECT_NE(brush, 0);
    EXPECT_EQ(GetTextColor(edc), RGB(200, 100, 50));
    EXPECT_EQ(GetBkColor(edc), RGB(1, 2, 3));
  }
  // A numeric field keeps its value within its range when it loses the focus.
  SetWindowTextA(e, "250");
  SetFocus(e);
  SetFocus(a);
  EXPECT_EQ(SkGetCtlText(e), "100");
  SKSETCTLTEXT(e, "7");
  EXPECT_EQ(SkGetCtlText(e), "7");
  DestroyWindow(frame);
}

TEST(EngineBoxes, InputBoxReturnsTheTypedAnswer) {
  SKINITENGINE("");
  std::thread user([] {
    HWND box = driver::WaitWindow("SKINPUTBOX", kEventLimitMs);
    HWND field = box ? driver::WaitChild(box, 1, 5000) : nullptr;
    if (field) driver::SetText(field, "holiday 2004");
    driver::PressButton("SKINPUTBOX", 1, "", kEventLimitMs);
  });
  std::string answer = "preset";
  SkBoxStyle style;
  style.maxLength = 80;
  int r = SKINPUTBOX(nullptr, nullptr, "Name", "Base name of the pages:", "", answer, style);
  user.join();
  EXPECT_EQ(r, 1);
  EXPECT_EQ(answer, "holiday 2004");

  std::thread cancel([] { driver::PressButton("SKINPUTBOX", 2, "", kEventLimitMs); });
  answer = "kept";
  EXPECT_EQ(SKINPUTBOX(nullptr, nullptr, "Name", "Prompt", "OK|Cancel", answer, SkBoxStyle{}), 2);
  cancel.join();
  EXPECT_EQ(answer, "kept");  // the field still held the preset
}

TEST(EngineBoxes, AMessageBoxTellsItsTextToThoseWhoReadIt) {
  SKINITENGINE("");
  std::string read;
  std::thread user([&read] {
    HWND box = driver::WaitWindow("SKMSGBOX", kEventLimitMs);
    read = box ? driver::BoxText(box) : "no box";
    driver::PressButton("SKMSGBOX", 1, "", kEventLimitMs);
  });
  EXPECT_EQ(SKMSGBOX(nullptr, nullptr, "Note", "The sound cannot be played (0):|C:\\x.txt", "", SkBoxStyle{}), 1);
  user.join();
  EXPECT_EQ(read, "The sound cannot be played (0):\r\nC:\\x.txt");
}

TEST(EngineBoxes, PasswordConfirmationMustAgree) {
  SKINITENGINE("");
  std::atomic<bool> stayed{false};
  std::thread user([&stayed] {
    HWND box = driver::WaitWindow("SKINPUTBOX", kEventLimitMs);
    if (!box) return;
    HWND one = driver::WaitChild(box, 1, 5000), two = driver::WaitChild(box, 2, kEventLimitMs);
    driver::SetText(one, "secret");
    driver::SetText(two, "secreT");
    driver::PressButton("SKINPUTBOX", 1, "", kEventLimitMs);
    Sleep(300);
    stayed = IsWindow(box) != FALSE;
    driver::SetText(two, "secret");
    driver::PressButton("SKINPUTBOX", 1, "", kEventLimitMs);
  });
  std::string password;
  EXPECT_EQ(SKINPUTPW(nullptr, "Lock", "Password:", "Again:", password), 1);
  user.join();
  EXPECT_TRUE(stayed);
  EXPECT_EQ(password, "secret");
}

TEST(EngineDrawing, TransparentCopyLeavesTheKeyColourOut) {
  win::WindowDC screen(nullptr);
  win::MemoryDC src(screen, 4, 1), dst(screen, 4, 1);
  SetPixel(src, 0, 0, RGB(255, 0, 255));
  SetPixel(src, 1, 0, RGB(10, 20, 30));
  SetPixel(src, 2, 0, RGB(255, 0, 255));
  SetPixel(src, 3, 0, RGB(0, 0, 0));
  for (int x = 0; x < 4; ++x) SetPixel(dst, x, 0, RGB(0, 200, 0));
  SKTRANSBLT(dst, 0, 0, 4, 1, src, 0, 0, RGB(255, 0, 255));
  EXPECT_EQ(GetPixel(dst, 0, 0), RGB(0, 200, 0));
  EXPECT_EQ(GetPixel(dst, 1, 0), RGB(10, 20, 30));
  EXPECT_EQ(GetPixel(dst, 2, 0), RGB(0, 200, 0));
  EXPECT_EQ(GetPixel(dst, 3, 0), RGB(0, 0, 0));
  // An off-screen buffer reaches its target only when it is flushed.
  HDC buffer = SKOFFSCREEN(dst, 4, 1, 0);
  ASSERT_NE(buffer, nullptr);
  SKFILLRECT(buffer, 0, 0, 4, 1, RGB(9, 9, 9));
  EXPECT_EQ(GetPixel(dst, 1, 0), RGB(10, 20, 30));
  EXPECT_EQ(SKOFFSCREEN(dst, 0, 0, 1), nullptr);
  EXPECT_EQ(GetPixel(dst, 1, 0), RGB(9, 9, 9));
  // Memory bitmaps belong to a window and go with SKDELETEMEMBMP.
  HWND w = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(SKGETHDCMEMBMP(w), nullptr);
  HDC mem = SKCREATEMEMBMP(w, 20, 10);
  ASSERT_NE(mem, nullptr);
  EXPECT_EQ(SKGETHDCMEMBMP(w), mem);
  SKDELETEMEMBMP(w);
  EXPECT_EQ(SKGETHDCMEMBMP(w), nullptr);
  DestroyWindow(w);
  int width = 0, height = 0;
  SKGETTEXTEXTENT(SKCAPTIONFONT(), "WWW", width, height);
  int space = 0, ch = 0;
  SKSPACECHARTOPIXEL(SKCAPTIONFONT(), space, ch);
  EXPECT_GT(width, 3 * space);
  EXPECT_GT(height, 0);
}

// The display context is the engine's per thread: kept while its thread runs, deleted when
// the thread ends (the picture loader's threads come and go with every list).
TEST(EngineDrawing, EachThreadsDisplayContextGoesWithItsThread) {
  HDC mine = SKDISPLAYDC();
  ASSERT_NE(mine, nullptr);
  EXPECT_EQ(SKDISPLAYDC(), mine);
  for (int i = 0; i < 20; ++i) {
    HDC theirs = nullptr, again = nullptr;
    std::thread([&theirs, &again] {
      theirs = SKDISPLAYDC();
      again = SKDISPLAYDC();
    }).join();
    ASSERT_NE(theirs, nullptr);
    EXPECT_EQ(again, theirs);
    EXPECT_NE(theirs, mine);
    EXPECT_EQ(GetObjectType(theirs), 0u) << "deleted with its thread";
  }
  EXPECT_EQ(GetObjectType(mine), DWORD(OBJ_DC));
}

TEST(EngineShell, DrivesCopyAndMove) {
  std::string drives = SKDSKLIST();
  EXPECT_NE(drives.find('C'), std::string::npos) << drives;
  TempDir dir;
  dir.Write("src\\a.txt", "A");
  dir.Write("src\\sub\\b.txt", "B");
  EXPECT_EQ(SKSHELLCOPY(nullptr, dir.File("src"), dir.File("copy")), 0);
  EXPECT_EQ(dir.Read("copy\\sub\\b.txt"), "B");
  EXPECT_EQ(SKSHELLCOPY(nullptr, dir.File("src\\a.txt"), dir.File("one.txt")), 0);
  EXPECT_EQ(dir.Read("one.txt"), "A");
  EXPECT_EQ(SKSHELLMOVE(nullptr, dir.File("copy"), dir.File("moved")), 0);
  EXPECT_FALSE(fileio::Exists(dir.File("copy")));
  EXPECT_EQ(dir.Read("moved\\a.txt"), "A");
  EXPECT_EQ(SKSHELLCOPY(nullptr, dir.File("none.txt"), dir.File("x.txt")), 2);
}

TEST(EngineSystem, FindsFilesStartsProgramsAndNamesErrors) {
  EXPECT_NE(SKWINERR(2).find_first_not_of(' '), std::string::npos);
  EXPECT_EQ(SKWINERR(2).back() == '\n', false);
  EXPECT_FALSE(SKFINDF("kernel32.dll").empty());
  EXPECT_TRUE(SKFINDF("no-such-file-here.dll").empty());
  EXPECT_GE(SKOSVERSION(), 501);
  // Any machine that runs the suite has a clock of a few hundred MHz at least.
  EXPECT_GE(SKCPUSPEED(), 200);
  EXPECT_EQ(SKCPUSPEED(), SKCPUSPEED());
  EXPECT_EQ(SKSHELL(TestProgramFolder() + "missing.exe", 5, 0), 2);
  TempDir dir;
  // A program with its arguments after ".exe" starts; wait 1 waits for it to end.
  EXPECT_EQ(SKSHELL(TestProgramFolder() + "testdriver.exe wait NOSUCHCLASS 100", 5, 1), 0);
}

}  // namespace
