// The web panel with the tests' control standing in for the web browser control, and
// without any browser control.
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "falcet_test.h"
#include "test_control.h"
#include "test_printer.h"
#include "test_windows.h"

namespace falcet {
namespace {

using namespace std::chrono_literals;

constexpr char kBrowserProgId[] = "Shell.Explorer.2";

class FalcetWeb : public Falcet {
 protected:
  void SetUp() override {
    Falcet::SetUp();
    log_ = Copy().File("control.log");
    // The player inherits it, and the control in the player writes there.
    SetEnvironmentVariableA("SUITE_TESTCTL_LOG", log_.c_str());
  }
  void TearDown() override {
    Falcet::TearDown();
    SetEnvironmentVariableA("SUITE_TESTCTL_LOG", nullptr);
  }
  std::vector<std::string> LogLines() {
    std::ifstream in(log_);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  size_t Count(const std::string& line) {
    auto lines = LogLines();
    return size_t(std::count(lines.begin(), lines.end(), line));
  }
  // Waits until the log holds the line n times.
  bool WaitLog(const std::string& line, size_t n = 1) {
    return WaitUntil([&] { return Count(line) >= n; }, 5s, 20ms);
  }
  bool Press(HWND frame, int id, const std::string& line, size_t n) {
    driver::PostCommand(frame, id);
    return WaitLog(line, n);
  }

  std::string log_;
};

TEST_F(FalcetWeb, APageInTheBrowserNamesTheWindowAndTakesTheWebCommands) {
  TestControlRegistration registration(kBrowserProgId);
  ASSERT_TRUE(registration.Ok());
  testprint::EnsureTestPrinter();
  std::string page = Copy().Write("page.htm", "<html><head><title>Hi</title></head><body>x</body></html>");
  HWND frame = Start("\"" + page + "\"");
  ASSERT_NE(frame, nullptr);
  // The item is navigated to with every optional argument left out.
  EXPECT_TRUE(WaitLog("Navigate " + page + " absent=4"));
  EXPECT_GE(WaitTitle(frame, Title("Hi"), 5000), 0);

  EXPECT_TRUE(Press(frame, kRefreshButton, "Refresh", 1));
  EXPECT_TRUE(Press(frame, kWebStopButton, "Stop", 1));
  // A one-item list steps through the browser's own history.
  EXPECT_TRUE(Press(frame, kPreviousButton, "GoBack", 1));
  EXPECT_TRUE(Press(frame, kNextButton, "GoForward", 1));

  // Text size: the browser starts at 2.
  HWND larger = WaitBarControl(frame, kLargerButton, 5000), smaller = WaitBarControl(frame, kSmallerButton, 5000);
  ASSERT_NE(larger, nullptr);
  ASSERT_NE(smaller, nullptr);
  EXPECT_TRUE(IsWindowEnabled(larger));
  EXPECT_TRUE(Press(frame, kLargerButton, "ExecWB 19 0 set 3", 1));
  EXPECT_TRUE(IsWindowEnabled(larger));
  EXPECT_TRUE(Press(frame, kLargerButton, "ExecWB 19 0 set 4", 1));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(larger); }, 5s));
  // At 4 a further larger changes nothing.
  driver::PostCommand(frame, kLargerButton);
  for (int size : {3, 2, 1, 0}) EXPECT_TRUE(Press(frame, kSmallerButton, "ExecWB 19 0 set " + std::to_string(size), 1));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(smaller); }, 5s));
  EXPECT_TRUE(IsWindowEnabled(larger));
  EXPECT_EQ(Count("ExecWB 19 0 set 5"), 0u);

  // Printing a page is the browser's own print dialog.
  EXPECT_TRUE(Press(frame, kPrintButton, "ExecWB 6 1", 1));

  EXPECT_EQ(Close(), 0);
  // The player deleted its control on the way out.
  EXPECT_EQ(Count("Deleted"), 1u);
}

TEST_F(FalcetWeb, TheIndexPageBesideTheContentNamesTheWindowToo) {
  TestControlRegistration registration(kBrowserProgId);
  ASSERT_TRUE(registration.Ok());
  Copy().WriteInProgram("toc.htm", "<html><title>Contents</title></html>");
  Copy().SetUiEntry(47, "unused.htm|120|0|@path@toc.htm");
  std::string page = Copy().Write("plain.htm", "<html><body>no title</body></html>");
  HWND frame = Start("\"" + page + "\"");
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(WaitLog("Navigate " + Copy().ProgramFolder() + "toc.htm absent=4"));
  EXPECT_TRUE(WaitLog("Navigate " + page + " absent=4"));
  EXPECT_GE(WaitTitle(frame, Title("Contents"), 5000), 0);
  // The index column takes its 120 pixels at the left, the content the rest.
  HWND panel = driver::FindChild(frame, kWebId);
  ASSERT_NE(panel, nullptr);
  std::vector<RECT> columns;
  for (HWND w = GetWindow(panel, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
    char cls[64] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (std::string(cls) != "SuiteTestControl") continue;
    RECT r;
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&r), 2);
    columns.push_back(r);
  }
  ASSERT_EQ(columns.size(), 2u);
  std::sort(columns.begin(), columns.end(), [](const RECT& a, const RECT& b) { return a.left < b.left; });
  EXPECT_EQ(columns[0].left, 0);
  EXPECT_EQ(columns[0].right, 120);
  EXPECT_EQ(columns[1].left, 120);
  RECT client;
  GetClientRect(panel, &client);
  EXPECT_EQ(columns[1].right, client.right);
  EXPECT_EQ(Close(), 0);
  EXPECT_EQ(Count("Deleted"), 2u);
}

TEST_F(FalcetWeb, WithoutABrowserControlThePanelShowsTheAddressAndANotice) {
  TestControlRegistration registration(kBrowserProgId, true);
  ASSERT_TRUE(registration.Ok());
  std::string page = Copy().Write("page.htm", "<html><title>Hi</title></html>");
  HWND frame = Start("\"" + page + "\"");
  ASSERT_NE(frame, nullptr);
  HWND notice = driver::WaitChild(frame, kWebNoticeId, 5000);
  ASSERT_NE(notice, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(notice) != FALSE; }, 5s));
  EXPECT_EQ(driver::WindowText(notice), "Web pages cannot be shown here: no web browser control is installed.");
  EXPECT_EQ(driver::WindowText(driver::FindChild(frame, kWebTextId)), page);
  EXPECT_GE(WaitTitle(frame, Title("page.htm"), 5000), 0);
  // Nothing waits for a page: the close command ends the player at once.
  driver::SendCommand(frame, kCodeClose, "");
  EXPECT_EQ(Process().Wait(2000), 0);
}

}  // namespace
}  // namespace falcet
