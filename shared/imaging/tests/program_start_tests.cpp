// The start-up pieces under Wine: the identity of this test program, the missing-UI-file
// box, the GDI+ session, the message loop and the queue of received lists on a hidden
// window of this thread.
#include <gtest/gtest.h>

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <string>
#include <thread>
#include <vector>

#include "driver.h"
#include "fileio/file.h"
#include "imaging/copydata.h"
#include "imaging/program_start.h"
#include "skin/skin.h"
#include "temp_dir.h"
#include "test_windows.h"
#include "win/window_class.h"

namespace {

constexpr UINT kMsgProbe = WM_USER + 40;
constexpr UINT_PTR kGiveUpTimer = 77;
constexpr int kGaveUp = 99;  // the quit code when the time limit ended a loop

struct Recorded {
  int probes = 0;      // kMsgProbe that reached the window procedure
  int keyDowns = 0;    // WM_KEYDOWN that reached the child's procedure
  startup::ReceivedLists lists;
  std::vector<std::string> opened;
  int copyDataAnswers = 0;
  size_t quitAfter = 0;  // opened lists after which the queue test ends its loop
};
Recorded* gRecorded = nullptr;

LRESULT CALLBACK FrameProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  Recorded& r = *gRecorded;
  switch (m) {
    case kMsgProbe:
      ++r.probes;
      return 0;
    case WM_TIMER:
      if (wp == kGiveUpTimer) PostQuitMessage(kGaveUp);
      return 0;
    case WM_COPYDATA: {
      std::string text;
      if (GETCOPYDATA(text, wp, lp) != 3) return 1;
      EXPECT_TRUE(r.opened.empty()) << "nothing is opened while the sender waits";
      return startup::QueueReceivedList(w, r.lists, text);
    }
    case kMsgOpenReceived:
      r.lists.OpenEach([&r](const std::string& list) { r.opened.push_back(list); });
      if (r.quitAfter && r.opened.size() >= r.quitAfter) PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(w, m, wp, lp);
  }
}

LRESULT CALLBACK ChildProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_KEYDOWN) ++gRecorded->keyDowns;
  return DefWindowProcA(w, m, wp, lp);
}

// A hidden frame with one child control, on this thread; the loop gives up after 10 s.
class HiddenFrame : public ::testing::Test {
 protected:
  void SetUp() override {
    gRecorded = &recorded_;
    win::RegisterClassOnce({.name = "StartupTestFrame", .procedure = FrameProc, .cursor = nullptr});
    win::RegisterClassOnce({.name = "StartupTestChild", .procedure = ChildProc, .cursor = nullptr});
    frame_ = CreateWindowExA(WS_EX_CONTROLPARENT, "StartupTestFrame", "", WS_POPUP, 0, 0, 200, 100, nullptr,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(frame_, nullptr);
    child_ = CreateWindowExA(0, "StartupTestChild", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 50, 20, frame_,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(child_, nullptr);
    SetTimer(frame_, kGiveUpTimer, 10000, nullptr);
  }
  void TearDown() override {
    if (frame_) DestroyWindow(frame_);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    gRecorded = nullptr;
  }
  void PostTab() { PostMessageA(child_, WM_KEYDOWN, VK_TAB, 0); }

  Recorded recorded_;
  HWND frame_ = nullptr;
  HWND child_ = nullptr;
};

TEST(ProgramIdentity, ThisTestProgramsPaths) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  startup::ProgramIdentity id = startup::IdentifyProgram(instance);
  char path[MAX_PATH * 2];
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  EXPECT_EQ(id.instance, instance);
  EXPECT_EQ(id.exePath, std::string(path, n));
  EXPECT_EQ(id.programFolder, TestProgramFolder());
  EXPECT_EQ(id.programFile, "program_start_tests.exe");
  EXPECT_EQ(id.programName, "program_start_tests");
  EXPECT_EQ(id.uiFile, TestProgramFolder() + "program_start_tests.SYS");
}

TEST(UiFileCheck, AnExistingFileShowsNoBox) {
  TempDir dir;
  std::string ui = dir.File("prog.SYS");
  ASSERT_EQ(fileio::WriteFileReplacing(ui, "[1]\r\n"), fileio::kOk);
  // A box would wait for an answer that nobody gives.
  EXPECT_TRUE(startup::CheckUiFile(ui, "prog"));
}

TEST(UiFileCheck, AMissingFileIsReportedUnderTheProgramsCaption) {
  SKINITENGINE("");
  TempDir dir;
  std::string caption;
  std::thread user([&caption] {
    if (HWND box = driver::WaitWindow("SKMSGBOX", kEventLimitMs)) caption = driver::WindowText(box);
    driver::PressButton("SKMSGBOX", 1, "", kEventLimitMs);
  });
  EXPECT_FALSE(startup::CheckUiFile(dir.File("missing.SYS"), "bravik"));
  user.join();
  EXPECT_EQ(caption, "bravik");
}

TEST(GdiplusWhenPresent, StartsASessionThatGdiplusAnswers) {
  win::GdiplusSession session = startup::StartGdiplusWhenPresent();
  ASSERT_TRUE(session) << "gdiplus.dll is there under Wine";
  Gdiplus::GpBitmap* bitmap = nullptr;
  EXPECT_EQ(Gdiplus::DllExports::GdipCreateBitmapFromScan0(4, 4, 0, PixelFormat24bppRGB, nullptr, &bitmap),
            Gdiplus::Ok);
  if (bitmap) Gdiplus::DllExports::GdipDisposeImage(bitmap);
  win::GdiplusSession moved = std::move(session);
  EXPECT_FALSE(session);
  EXPECT_TRUE(moved);
}

TEST_F(HiddenFrame, TheLoopEndsWithTheQuitCodeAfterEveryMessage) {
  PostMessageA(frame_, kMsgProbe, 0, 0);
  PostMessageA(frame_, kMsgProbe, 0, 0);
  PostQuitMessage(7);
  int filtered = 0, after = 0;
  startup::MessageLoopSteps steps;
  steps.filter = [&filtered](MSG&) {
    ++filtered;
    return false;
  };
  steps.after = [&after] { ++after; };
  EXPECT_EQ(startup::RunMessageLoop(frame_, steps), 7);
  EXPECT_EQ(recorded_.probes, 2);
  EXPECT_GE(filtered, 2);
  EXPECT_EQ(after, filtered) << "after runs for every message, taken or not";
}

TEST_F(HiddenFrame, AFilterThatTakesAMessageKeepsItFromTheWindow) {
  PostMessageA(frame_, kMsgProbe, 1, 0);
  PostMessageA(frame_, kMsgProbe, 2, 0);
  PostQuitMessage(0);
  int after = 0;
  startup::MessageLoopSteps steps;
  steps.filter = [](MSG& m) { return m.message == kMsgProbe && m.wParam == 1; };
  steps.after = [&after] { ++after; };
  EXPECT_EQ(startup::RunMessageLoop(frame_, steps), 0);
  EXPECT_EQ(recorded_.probes, 1);
  EXPECT_GE(after, 2);
}

TEST_F(HiddenFrame, DialogKeysOnlyWhenAskedAndWhileTheFrameIsThere) {
  // Without dialog keys a tab reaches the control.
  PostTab();
  PostQuitMessage(0);
  EXPECT_EQ(startup::RunMessageLoop(frame_), 0);
  EXPECT_EQ(recorded_.keyDowns, 1);

  // With them the dialog manager takes it.
  recorded_.keyDowns = 0;
  PostTab();
  PostQuitMessage(0);
  startup::MessageLoopSteps steps;
  steps.dialogKeys = true;
  EXPECT_EQ(startup::RunMessageLoop(frame_, steps), 0);
  EXPECT_EQ(recorded_.keyDowns, 0);

  // The frame is read for every message: once the program clears it, keys go to the
  // controls again.
  HWND frame = frame_;
  PostMessageA(frame_, kMsgProbe, 0, 0);
  PostTab();
  PostQuitMessage(0);
  steps.filter = [&frame](MSG& m) {
    if (m.message == kMsgProbe) frame = nullptr;
    return false;
  };
  EXPECT_EQ(startup::RunMessageLoop(frame, steps), 0);
  EXPECT_EQ(recorded_.keyDowns, 1);
}

TEST_F(HiddenFrame, ReceivedListsAreOpenedInOrderAfterTheSendersAreFree) {
  recorded_.quitAfter = 2;
  EXPECT_EQ(SENDCOPYDATA(frame_, kCodeOpen, "C:\\a.jpg|C:\\b.jpg"), 1);
  EXPECT_EQ(SENDCOPYDATA(frame_, kCodeOpen, "C:\\c.jpg"), 1);
  EXPECT_EQ(recorded_.lists.Count(), 2u);
  EXPECT_TRUE(recorded_.opened.empty());
  EXPECT_EQ(startup::RunMessageLoop(frame_), 0) << "the time limit ended the loop";
  EXPECT_EQ(recorded_.opened, (std::vector<std::string>{"C:\\a.jpg|C:\\b.jpg", "C:\\c.jpg"}));
  EXPECT_TRUE(recorded_.lists.Empty());
}

}  // namespace
