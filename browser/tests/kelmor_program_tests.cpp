// The media browser as a user and its partner programs see it: started from the command
// line under Wine, driven from outside with the test driver and stand-in partners.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "driver.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "imaging/copydata.h"
#include "imaging/suite_classes.h"
#include "kelmor/command_ids.h"
#include "kelmor_fixture.h"
#include "program_test.h"

namespace kelmor {

namespace {

using std::chrono::milliseconds;

constexpr DWORD kStartMs = 30000;
constexpr milliseconds kShortWait{5000};
constexpr int kUnknownCode = 99;  // a command code the browser has no meaning for
// The settings of a browser that shows no start-up hint.
constexpr const char* kNoHint = "30|40|700|500||*.*|0|1|0";

// The browser is complete once it has made the hand-over button, its last control.
class Kelmor : public ProgramTestOf<KelmorFolder> {
 protected:
  Kelmor() : ProgramTestOf({"kelmor", kClassBrowser, kHandOverButton}) {}
};

TEST_F(Kelmor, WithoutItsUiFileItNamesTheFileAndEndsWithCode2) {
  WithoutUiFile();
  ChildProcess& browser = Launch();
  HWND box = WaitForWindow("SKMSGBOX", kStartMs, browser.Id());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(driver::WindowText(box), "kelmor");
  EXPECT_EQ(FindWindowA(kClassBrowser, nullptr), nullptr);
  ASSERT_TRUE(driver::PressButton("SKMSGBOX", 1, "", kEventLimitMs));
  EXPECT_EQ(browser.Wait(kStartMs), 2);
}

TEST_F(Kelmor, TheMainWindowHasItsControlsInPlace) {
  Copy().WriteSettings(kNoHint);
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(driver::WindowText(frame), "Media browser");
  for (int id : std::initializer_list<int>{kFileTypeBox, kFavouritesBox, kFileList, kCollectionList, kAddButton,
                                           kAddCurrentButton, kDeleteButton, kWebButton, kHelpButton, kRemoveButton,
                                           kEmptyButton, kLoadButton, kSaveButton, kHandOverButton, kOptionCheck,
                                           kFolderTree})
    EXPECT_NE(driver::FindChild(frame, id), nullptr) << "control " << id;
  // No disc burner in this folder: no burner button.
  EXPECT_EQ(driver::FindChild(frame, kBurnerButton), nullptr);
  EXPECT_EQ(driver::WindowText(driver::FindChild(frame, kHelpButton)), "?");
  std::vector<std::string> types = driver::ListItems(driver::FindChild(frame, kFileTypeBox));
  ASSERT_EQ(types.size(), 6u);
  EXPECT_EQ(types[0], " All files");
  EXPECT_EQ(types[4], " Pictures");
  // The stored filter "*.*" chose the first file type.
  EXPECT_EQ(SendMessageA(driver::FindChild(frame, kFileTypeBox), CB_GETCURSEL, 0, 0), 0);
  // The stored folder was empty: the program folder is the current folder.
  std::vector<std::string> favourites = driver::ListItems(driver::FindChild(frame, kFavouritesBox));
  ASSERT_FALSE(favourites.empty());
  EXPECT_TRUE(fileio::EqualsNoCase(favourites[0], " " + fileio::WithoutTrailingSeparator(Copy().ProgramFolder())));
  EXPECT_EQ(Close(), 0);
}

TEST_F(Kelmor, ResizingLaysTheControlsOutAgain) {
  Copy().WriteSettings(kNoHint);
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  HWND holder = driver::FindChildByClass(frame, "SKCLIP");
  ASSERT_NE(holder, nullptr);
  for (auto [w, h] : {std::pair{900, 700}, std::pair{640, 480}}) {
    SetWindowPos(frame, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendAndWait(frame, WM_NULL, 0, 0);
    RECT client, list, tree;
    GetClientRect(holder, &client);
    GetWindowRect(driver::FindChild(frame, kFileList), &list);
    GetWindowRect(driver::FindChild(frame, kFolderTree), &tree);
    // The right pane holds whole thumbnail cells (96 + 10) beside a left pane of at least 200.
    int cell = 106, screen = GetSystemMetrics(SM_CXSCREEN);
    int leftMinimum = screen > 1280 ? 250 : 200;
    EXPECT_EQ(list.right - list.left, (client.right - leftMinimum) / cell * cell + 4) << w << "x" << h;
    EXPECT_LE(tree.right, list.left);
    EXPECT_GE(tree.right - tree.left, leftMinimum - 2);
  }
  EXPECT_EQ(Close(), 0);
}

TEST_F(Kelmor, TabMovesBetweenTheControls) {
  Copy().WriteSettings(kNoHint);
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  auto focus = [frame] { return FocusInThreadOf(frame); };
  // The keyboard starts in the file list; Tab goes on to the first button below it.
  SetForegroundWindow(frame);
  HWND before = nullptr;
  PumpUntil([&] { return (before = focus()) == driver::FindChild(frame, kFileList); }, kShortWait);
  ASSERT_EQ(before, driver::FindChild(frame, kFileList));
  PostMessageA(before, WM_KEYDOWN, VK_TAB, 0);
  PostMessageA(before, WM_KEYUP, VK_TAB, 0);
  HWND after = nullptr;
  PumpUntil([&] { return (after = focus()) != before; }, kShortWait);
  EXPECT_EQ(after, driver::FindChild(frame, kAddButton))
      << "focus on control " << GetDlgCtrlID(after) << " before " << GetDlgCtrlID(before);
  EXPECT_EQ(Close(), 0);
}

TEST_F(Kelmor, FavouritesAreReadAtStartAndWrittenBackWithoutDoubles) {
  KelmorFolder& folder = Copy();
  folder.WriteSettings("30|40|700|500||*.*|0|1|0");
  TempDir places;
  std::string first = fileio::WithoutTrailingSeparator(places.Write("First\\x.txt", "x").substr(0, places.Path().size() + 5));
  std::string second = fileio::WithoutTrailingSeparator(places.Write("Second\\x.txt", "x").substr(0, places.Path().size() + 6));
  fileio::WriteFileReplacing(folder.FavouritesFile(), first + "\r\n" + places.Path() + "Gone\r\n" + second +
                                                          "\r\n" + fileio::ToUpper(first) + "\\\r\n");
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  // The first favourite became the current folder, since the settings named none.
  std::vector<std::string> box = driver::ListItems(driver::FindChild(frame, kFavouritesBox));
  ASSERT_EQ(box.size(), 2u);
  EXPECT_EQ(box[0], " " + first);
  EXPECT_EQ(box[1], " " + second);
  EXPECT_EQ(Close(), 0);
  std::string written;
  fileio::ReadWholeFile(folder.FavouritesFile(), written);
  EXPECT_EQ(written, first + "\r\n" + second + "\r\n");
  // The current folder is kept in lower case.
  EXPECT_NE(folder.ReadSettings().find("|" + fileio::ToLower(first) + "\\|"), std::string::npos) << folder.ReadSettings();
}

TEST_F(Kelmor, ASecondStartGivesUpWaitingForAWindowThatNeverComes) {
  // Someone holds the browser's mutex but shows no window (a copy that hangs while starting).
  win::Mutex mutex = win::Mutex::Create(kClassBrowser);
  ASSERT_TRUE(mutex);
  Copy();  // made before the clock starts
  DWORD start = GetTickCount();
  ChildProcess& second = Launch();
  EXPECT_EQ(second.Wait(kStartMs), 0);
  DWORD elapsed = GetTickCount() - start;
  EXPECT_GE(elapsed, 9000u);
  EXPECT_LT(elapsed, 25000u);
  EXPECT_EQ(FindWindowA(kClassBrowser, nullptr), nullptr);
}

TEST_F(Kelmor, ASecondStartRestoresTheFirstWindowAndEnds) {
  Copy().WriteSettings(kNoHint);
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  ShowWindow(frame, SW_MINIMIZE);
  ASSERT_TRUE(PumpUntil([frame] { return IsIconic(frame) != FALSE; }, kShortWait));

  ChildProcess& second = Launch();
  EXPECT_EQ(second.Wait(kStartMs), 0);
  EXPECT_TRUE(PumpUntil([frame] { return !IsIconic(frame); }, kShortWait));
  EXPECT_EQ(GetForegroundWindow(), frame);
  EXPECT_TRUE(Process().Running());
  EXPECT_EQ(Close(), 0);
}

TEST_F(Kelmor, FileNamesGoToTheDefaultPartnerWithoutABrowserWindow) {
  KelmorFolder& folder = Copy();
  TempDir files;
  std::string a = files.Write("My Pictures\\a.jpg", "a");
  std::string b = files.Write("b.jpg", "b");
  std::string log = folder.Log("partner.txt");
  folder.SetPartner("KELMORPARTNER", log);

  ChildProcess& handOver = Launch("\"" + a + "\" " + b);
  bool browserWindow = false;
  PumpUntil(
      [&] {
        browserWindow = browserWindow || FindWindowA(kClassBrowser, nullptr) != nullptr;
        return !handOver.Running();
      },
      milliseconds(kStartMs));
  EXPECT_FALSE(browserWindow);
  EXPECT_NE(handOver.Wait(kStartMs), 0);  // the partner's window
  std::vector<LoggedMessage> got = WaitForLog(log, 2, kEventLimitMs);
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].code, kCodeStarted);
  EXPECT_EQ(got[0].text, "");
  EXPECT_EQ(got[1].code, kCodeOpen);
  EXPECT_EQ(got[1].text, fileio::ToLower(a) + "|" + fileio::ToLower(b));

  // A partner that runs already gets the list alone.
  ChildProcess& again = Launch("C:\\One.jpg D:\\Two.jpg");
  EXPECT_NE(again.Wait(kStartMs), 0);
  got = WaitForLog(log, 3, kEventLimitMs);
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[2].code, kCodeOpen);
  EXPECT_EQ(got[2].text, "c:\\one.jpg|d:\\two.jpg");
  CloseStandin("KELMORPARTNER");
}

TEST_F(Kelmor, AHandOverLeavesARunningBrowserAlone) {
  KelmorFolder& folder = Copy();
  folder.WriteSettings(kNoHint);
  std::string log = folder.Log("partner.txt");
  folder.SetPartner("KELMORPARTNER", log);
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  ShowWindow(frame, SW_MINIMIZE);
  PumpUntil([frame] { return IsIconic(frame) != FALSE; }, kShortWait);

  ChildProcess& handOver = Launch("C:\\x.jpg");
  EXPECT_NE(handOver.Wait(kStartMs), 0);
  std::vector<LoggedMessage> got = WaitForLog(log, 2, kEventLimitMs);
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[1].text, "c:\\x.jpg");
  EXPECT_TRUE(IsIconic(frame));
  CloseStandin("KELMORPARTNER");
  EXPECT_EQ(Close(), 0);
}

TEST_F(Kelmor, CodeTwoNamesThePartnerOfTheNextHandOver) {
  KelmorFolder& folder = Copy();
  folder.WriteSettings(kNoHint);
  folder.AddStandinAs("standin.exe");
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  HWND option = driver::FindChild(frame, kOptionCheck);
  ASSERT_NE(option, nullptr);
  EXPECT_TRUE(IsWindowVisible(option));
  SendMessageA(option, BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageA(option, BM_GETCHECK, 0, 0), BST_CHECKED);

  // A running partner named by code 2 gets the collection list (button 14) without code 1;
  // the browser then steps aside.
  std::string xlog = folder.Log("x.txt");
  ASSERT_TRUE(RunStandin("KELMORXCLASS", xlog));
  driver::SendCommand(frame, kCodeSetPartner, "x.exe,KELMORXCLASS");
  EXPECT_FALSE(IsWindowVisible(option));
  EXPECT_EQ(SendMessageA(option, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  HWND collection = driver::FindChild(frame, kCollectionList);
  SendMessageW(collection, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L" c:\\a.jpg"));
  SendMessageW(collection, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L" c:\\b c.jpg"));
  SendAndWait(frame, WM_COMMAND, kHandOverButton, 0);
  std::vector<LoggedMessage> got = WaitForLog(xlog, 1, kEventLimitMs);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].code, kCodeOpen);
  EXPECT_EQ(got[0].text, "c:\\a.jpg|c:\\b c.jpg");
  EXPECT_TRUE(PumpUntil([frame] { return IsIconic(frame) != FALSE; }, kShortWait));
  ShowWindow(frame, SW_RESTORE);
  CloseStandin("KELMORXCLASS");

  // A partner that is not running is started and gets code 1 first.
  std::string ylog = folder.Log("y.txt");
  driver::SendCommand(frame, kCodeSetPartner, "standin.exe KELMORYCLASS " + ylog + ",KELMORYCLASS");
  SendAndWait(frame, WM_COMMAND, kHandOverButton, 0);
  got = WaitForLog(ylog, 2, kEventLimitMs);
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].code, kCodeStarted);
  EXPECT_EQ(got[1].code, kCodeOpen);
  CloseStandin("KELMORYCLASS");

  // A partner that never shows a window is given up after two seconds; the browser goes on.
  driver::SendCommand(frame, kCodeSetPartner, "nosuchprogram.exe,KELMORNOCLASS");
  DWORD start = GetTickCount();
  SendAndWait(frame, WM_COMMAND, kHandOverButton, 0);
  DWORD elapsed = GetTickCount() - start;
  EXPECT_GE(elapsed, 1800u);
  EXPECT_LT(elapsed, 8000u);
  EXPECT_EQ(driver::SendCommand(frame, kUnknownCode, "anything"), 1);
  EXPECT_EQ(Close(), 0);
}

std::string WindowClassName(HWND w) {
  char name[64] = {};
  if (w) GetClassNameA(w, name, sizeof name);
  return w ? name : "(none)";
}

// "Hand over at once": each file chosen in the list goes to the partner (started when
// needed), which stays behind; the browser keeps the front and the keyboard, and the file
// stays chosen.
TEST_F(Kelmor, HandOverAtOnceSendsEachChosenFileAndTheBrowserKeepsTheFront) {
  KelmorFolder& folder = Copy();
  std::string log = folder.Log("partner.txt");
  folder.SetPartner("KELMORPARTNER", log);
  TempDir files;
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) files.Write(name, name);
  folder.WriteSettings("30|40|700|500|" + files.Path() + "|*.*|0|1|0");
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  HWND list = driver::FindChild(frame, kFileList);
  ASSERT_TRUE(PumpUntil([list] { return SendMessageA(list, LB_GETCOUNT, 0, 0) == 3; }, kShortWait));
  HWND option = driver::FindChild(frame, kOptionCheck);
  SendMessageA(option, BM_CLICK, 0, 0);
  ASSERT_EQ(SendMessageA(option, BM_GETCHECK, 0, 0), BST_CHECKED);
  auto focus = [frame] { return FocusInThreadOf(frame); };
  auto click = [list](int entry) {
    RECT r{};
    SendMessageA(list, LB_GETITEMRECT, WPARAM(entry), reinterpret_cast<LPARAM>(&r));
    LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(list, WM_LBUTTONUP, 0, at);
  };
  std::string base = fileio::ToLower(files.Path());
  SetForegroundWindow(frame);

  click(1);
  std::vector<LoggedMessage> got = WaitForLog(log, 2, kEventLimitMs);
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].code, kCodeStarted);
  EXPECT_EQ(got[1].code, kCodeOpen);
  EXPECT_EQ(got[1].text, base + "b.jpg");
  HWND partner = FindWindowA("KELMORPARTNER", nullptr);
  EXPECT_NE(partner, nullptr);
  EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == frame && focus() == list; }, kShortWait))
      << "foreground " << WindowClassName(GetForegroundWindow()) << ", focus on control " << GetDlgCtrlID(focus())
      << " " << WindowClassName(focus());
  EXPECT_NE(GetForegroundWindow(), partner);
  EXPECT_GT(SendMessageA(list, LB_GETSEL, 1, 0), 0);

  // The running partner gets the next one alone.
  click(2);
  got = WaitForLog(log, 3, kEventLimitMs);
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[2].code, kCodeOpen);
  EXPECT_EQ(got[2].text, base + "c.jpg");
  EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == frame && focus() == list; }, kShortWait));
  EXPECT_GT(SendMessageA(list, LB_GETSEL, 2, 0), 0);

  // Switched off, a choice stays in the browser.
  SendMessageA(option, BM_CLICK, 0, 0);
  click(0);
  SendAndWait(frame, WM_NULL, 0, 0);
  PumpMessages(500);
  EXPECT_EQ(ReadStandinLog(log).size(), 3u);
  CloseStandin("KELMORPARTNER");
  EXPECT_EQ(Close(), 0);
}

// A skin chosen and a restart answered with yes: every suite program that runs is told to
// close (code 10), the browser ends and starts again, in the new skin's list and with the
// settings it wrote.
TEST_F(Kelmor, ASkinChangeAnsweredYesClosesTheSuiteAndStartsTheBrowserAgain) {
  RestartedBrowsers restarted;
  KelmorFolder& folder = Copy();
  folder.CopySkins();
  TempDir files;
  files.Write("a.txt", "a");
  folder.WriteSettings("30|40|700|500|" + files.Path() + "|*.htm;*.html;*.txt|0|1|0");
  std::string playerLog = folder.Log("player.txt"), toolLog = folder.Log("tool.txt");
  ASSERT_TRUE(RunStandin(kClassPlayer, playerLog));
  ASSERT_TRUE(RunStandin(kClassPictureTool, toolLog));
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  DWORD first = Process().Id();
  RECT before;
  GetWindowRect(frame, &before);

  PostMessageA(frame, WM_COMMAND, kFirstSkinCommand, 0);  // Sand
  ASSERT_NE(WaitForWindow("SKMSGBOX", kStartMs, first), nullptr);
  ASSERT_TRUE(driver::PressButton("SKMSGBOX", 1, "", kEventLimitMs));
  for (const std::string& log : {playerLog, toolLog}) {
    std::vector<LoggedMessage> got = WaitForLog(log, 1, kEventLimitMs);
    ASSERT_EQ(got.size(), 1u) << log;
    EXPECT_EQ(got[0].code, kCodeClose) << log;
  }
  EXPECT_TRUE(WaitForNoWindow(kClassPlayer, kEventLimitMs));
  EXPECT_TRUE(WaitForNoWindow(kClassPictureTool, kEventLimitMs));
  EXPECT_EQ(Process().Wait(kStartMs), 0);
  std::string skins;
  fileio::ReadWholeFile(folder.ProgramFolder() + "TOLVERN.SKL", skins);
  EXPECT_NE(fileio::ToLower(skins).find("sand\\sand.sks"), std::string::npos) << skins;

  HWND again = WaitForBrowserOtherThan(first, kStartMs);
  ASSERT_NE(again, nullptr);
  RECT after;
  GetWindowRect(again, &after);
  EXPECT_TRUE(EqualRect(&before, &after));
  EXPECT_EQ(SendMessageA(driver::FindChild(again, kFileTypeBox), CB_GETCURSEL, 0, 0), 2);
  HWND list = driver::FindChild(again, kFileList);
  EXPECT_TRUE(PumpUntil([list] { return driver::ListItems(list) == std::vector<std::string>{" a.txt"}; }, kShortWait));
  EXPECT_EQ(EndBrowserWindow(again), 0);
}

TEST_F(Kelmor, TheDiscBurnerGetsTheCollectionList) {
  KelmorFolder& folder = Copy();
  folder.WriteSettings(kNoHint);
  folder.AddStandinAs("corvith.exe");  // the burner's program file makes its commands appear
  std::string log = folder.Log("burner.txt");
  ASSERT_TRUE(RunStandin(kClassBurner, log));
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  ASSERT_NE(driver::WaitChild(frame, kBurnerButton, kEventLimitMs), nullptr);

  // The button hands nothing over while the collection list is empty; the command does.
  SendAndWait(frame, WM_COMMAND, kBurnerButton, 0);
  SendAndWait(frame, WM_COMMAND, kDiscBurnerCommand, 0);
  std::vector<LoggedMessage> got = WaitForLog(log, 3, kEventLimitMs);
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[0].code, kCodeBurnJobName);
  EXPECT_EQ(got[0].text, "collection");
  EXPECT_EQ(got[1].code, kCodeBurnNewList);
  EXPECT_EQ(got[1].text, "");
  EXPECT_EQ(got[2].code, kCodeOpen);
  EXPECT_EQ(got[2].text, "");

  HWND collection = driver::FindChild(frame, kCollectionList);
  SendMessageW(collection, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L" c:\\a.jpg"));
  SendMessageW(collection, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L" c:\\b.jpg"));
  SendAndWait(frame, WM_COMMAND, kBurnerButton, 0);
  got = WaitForLog(log, 6, kEventLimitMs);
  ASSERT_EQ(got.size(), 6u);
  EXPECT_EQ(got[3].code, kCodeBurnJobName);
  EXPECT_EQ(got[5].code, kCodeOpen);
  EXPECT_EQ(got[5].text, "c:\\a.jpg|c:\\b.jpg|");
  CloseStandin(kClassBurner);
  EXPECT_EQ(Close(), 0);
}

TEST_F(Kelmor, StoredSettingsAreLimitedAndWrittenBackAtClose) {
  KelmorFolder& folder = Copy();
  folder.WriteSettings("-5|-7|10|10|C:\\no such folder\\|*.jpg|1|1|0");
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  RECT r;
  GetWindowRect(frame, &r);
  // The test folder has no skin: the built-in skin's minimum is 320 x 200.
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right - r.left, 320);
  EXPECT_EQ(r.bottom - r.top, 200);
  // No file type has the stored filter: none is selected, and the filter is kept.
  EXPECT_EQ(SendMessageA(driver::FindChild(frame, kFileTypeBox), CB_GETCURSEL, 0, 0), -1);
  fileio::RemoveFile(folder.SettingsFile());
  EXPECT_EQ(Close(), 0);
  std::string written = folder.ReadSettings();
  EXPECT_EQ(written.find('\r'), std::string::npos);
  EXPECT_EQ(written.find('\n'), std::string::npos);
  std::string expected = "0|0|320|200|" + folder.ProgramFolder() + "|*.jpg|-1|1|0";
  EXPECT_TRUE(fileio::EqualsNoCase(written, expected)) << written << "\n" << expected;
}

TEST_F(Kelmor, WithoutSettingsTheWindowIsCentredOnThePictures) {
  KelmorFolder& folder = Copy();
  folder.MakeFolder("picture");
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  RECT r;
  GetWindowRect(frame, &r);
  EXPECT_EQ(r.right - r.left, 600);
  EXPECT_EQ(r.bottom - r.top, 400);
  EXPECT_EQ(r.left, std::max(0, (sw - 600) / 2));
  EXPECT_EQ(r.top, std::max(0, (sh - 400) / 2));
  // The pictures' file type shows thumbnails, so there is no start-up hint.
  EXPECT_EQ(SendMessageA(driver::FindChild(frame, kFileTypeBox), CB_GETCURSEL, 0, 0), 4);
  EXPECT_EQ(FindWindowA("SSLBUILDBOX", nullptr), nullptr);
  // A close request through WM_CLOSE writes the settings as well.
  PostMessageA(frame, WM_CLOSE, 0, 0);
  EXPECT_EQ(Process().Wait(kStartMs), 0);
  std::string written = folder.ReadSettings();
  EXPECT_NE(written.find("|" + fileio::ToLower(folder.ProgramFolder()) + "picture\\|*.jpg;"), std::string::npos) << written;
  EXPECT_EQ(written.substr(written.size() - 7), "|-1|0|0");
}

TEST_F(Kelmor, TheStartupHintCanBeSwitchedOff) {
  KelmorFolder& folder = Copy();
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  HWND hint = WaitForWindow("SSLBUILDBOX", kStartMs, Process().Id());
  ASSERT_NE(hint, nullptr);
  EXPECT_EQ(driver::WindowText(hint), "Media browser");
  EXPECT_FALSE(IsWindowEnabled(frame));
  // Tick "do not show again" (the box's first button-class child), then press OK.
  ASSERT_TRUE(driver::PressButton("SSLBUILDBOX", 1, "", kEventLimitMs));
  ASSERT_TRUE(driver::PressButton("SSLBUILDBOX", 2, "", kEventLimitMs));
  ASSERT_TRUE(WaitForNoWindow("SSLBUILDBOX", kEventLimitMs));
  EXPECT_TRUE(PumpUntil([frame] { return IsWindowEnabled(frame) != FALSE; }, kShortWait));
  // The browser writes the hint flag right after the box has gone.
  std::string afterHint;
  PumpUntil([&] { return (afterHint = folder.ReadSettings()).find("|1|0") != std::string::npos; },
            milliseconds(10000));
  EXPECT_NE(afterHint.find("|1|0"), std::string::npos) << afterHint;
  EXPECT_EQ(Close(), 0);

  // The next start shows no hint.
  frame = Start();
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(WaitForWindow("SSLBUILDBOX", 1500, Process().Id()), nullptr);
  EXPECT_EQ(Close(), 0);
}

TEST_F(Kelmor, AStartAfterADriveArrivedShowsNoHint) {
  KelmorFolder& folder = Copy();
  std::string log = folder.Log("partner.txt");
  folder.SetPartner("KELMORPARTNER", log);
  HWND frame = Start("UsbDetected");
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(WaitForWindow("SSLBUILDBOX", 1500, Process().Id()), nullptr);
  EXPECT_TRUE(ReadStandinLog(log).empty());
  EXPECT_EQ(Close(), 0);
}

}  // namespace

}  // namespace kelmor
