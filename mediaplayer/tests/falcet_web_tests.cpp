// The web panel with the tests' control standing in for the web browser control, and
// without any browser control.
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "avi_writer.h"
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
  // The index page of UI entry 47 (toc.htm in the program folder), 120 pixels wide, with
  // the frame style given.
  void WithIndexPage(const std::string& frameStyle) {
    Copy().WriteInProgram("toc.htm", "<html><title>Contents</title></html>");
    Copy().SetUiEntry(47, "unused.htm|120|" + frameStyle + "|@path@toc.htm");
  }
  bool Press(HWND frame, int id, const std::string& line, size_t n) {
    driver::PostCommand(frame, id);
    return WaitLog(line, n);
  }

  std::string log_;
};

// The web panel's browser controls (the tests' control), left to right, in the panel's
// co-ordinates.
struct PanelControl {
  HWND window;
  RECT place;
};
std::vector<PanelControl> BrowsersIn(HWND panel) {
  std::vector<PanelControl> found;
  for (HWND w = GetWindow(panel, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
    char cls[64] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (std::string(cls) != "SuiteTestControl") continue;
    RECT r;
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&r), 2);
    found.push_back({w, r});
  }
  std::sort(found.begin(), found.end(),
            [](const PanelControl& a, const PanelControl& b) { return a.place.left < b.place.left; });
  return found;
}

// A child's place in its parent's co-ordinates.
RECT PlaceInParent(HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

TEST_F(FalcetWeb, APageInTheBrowserNamesTheWindowAndTakesTheWebCommands) {
  TestControlRegistration registration(kBrowserProgId);
  ASSERT_TRUE(registration.Ok());
  testprint::EnsureTestPrinter();
  std::string page = Copy().Write("page.htm", "<html><head><title>Hi</title></head><body>x</body></html>");
  HWND frame = Start("\"" + page + "\"");
  ASSERT_NE(frame, nullptr);
  // The item is navigated to with every optional argument left out.
  EXPECT_TRUE(WaitLog("Navigate " + page + " absent=4"));
  EXPECT_GE(WaitTitle(frame, Title("Hi"), kEventLimitMs), 0);

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
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(larger); }, kEventLimit));
  // At 4 a further larger changes nothing.
  driver::PostCommand(frame, kLargerButton);
  for (int size : {3, 2, 1, 0}) EXPECT_TRUE(Press(frame, kSmallerButton, "ExecWB 19 0 set " + std::to_string(size), 1));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(smaller); }, kEventLimit));
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
  WithIndexPage("0");
  std::string page = Copy().Write("plain.htm", "<html><body>no title</body></html>");
  HWND frame = Start("\"" + page + "\"");
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(WaitLog("Navigate " + Copy().ProgramFolder() + "toc.htm absent=4"));
  EXPECT_TRUE(WaitLog("Navigate " + page + " absent=4"));
  EXPECT_GE(WaitTitle(frame, Title("Contents"), kEventLimitMs), 0);
  // The index column takes its 120 pixels at the left, the content the rest.
  HWND panel = driver::FindChild(frame, kWebId);
  ASSERT_NE(panel, nullptr);
  std::vector<PanelControl> columns = BrowsersIn(panel);
  ASSERT_EQ(columns.size(), 2u);
  EXPECT_EQ(columns[0].place.left, 0);
  EXPECT_EQ(columns[0].place.right, 120);
  EXPECT_EQ(columns[1].place.left, 120);
  RECT client;
  GetClientRect(panel, &client);
  EXPECT_EQ(columns[1].place.right, client.right);
  EXPECT_EQ(Close(), 0);
  EXPECT_EQ(Count("Deleted"), 2u);
}

// The panel narrowed to the 120 pixels of the index column, with only the index showing.
void ExpectOnlyTheIndexColumn(HWND panel) {
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(panel) && PlaceInParent(panel).right == 120; }, kEventLimit))
      << PlaceInParent(panel).right;
  // The panel's controls follow its size a moment after it.
  std::vector<PanelControl> browsers;
  WaitUntil(
      [&] {
        browsers = BrowsersIn(panel);
        return browsers.size() == 2 && browsers[0].place.right == 120 && !IsWindowVisible(browsers[1].window);
      },
      5s);
  ASSERT_EQ(browsers.size(), 2u);
  EXPECT_EQ(browsers[0].place.right, 120);
  EXPECT_TRUE(IsWindowVisible(browsers[0].window));
  EXPECT_FALSE(IsWindowVisible(browsers[1].window));  // the content
}

TEST_F(FalcetWeb, TheIndexColumnStaysBesideAPictureWhenItsStyleHoldsFour) {
  TestControlRegistration registration(kBrowserProgId);
  ASSERT_TRUE(registration.Ok());
  WithIndexPage("4");
  std::string page = Copy().Write("plain.htm", "<html><body>no title</body></html>");
  std::string picture = WritePicture(Copy().File("blue.bmp"), 64, 48, RGB(0, 0, 200));
  HWND frame = Start("\"" + page + "\" \"" + picture + "\"");
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(WaitLog("Navigate " + page + " absent=4"));
  driver::PostCommand(frame, kNextButton);
  ASSERT_GE(WaitTitle(frame, Title("blue.bmp"), kEventLimitMs), 0);
  HWND panel = driver::FindChild(frame, kWebId);
  ASSERT_NE(panel, nullptr);
  ExpectOnlyTheIndexColumn(panel);
  // The picture takes the rest of the client panel.
  HWND area = driver::FindChild(frame, kPictureId);
  ASSERT_NE(area, nullptr);
  RECT client;
  GetClientRect(GetParent(area), &client);
  EXPECT_TRUE(WaitUntil([&] { return PlaceInParent(area).left == 120; }, kEventLimit)) << PlaceInParent(area).left;
  EXPECT_EQ(PlaceInParent(area).right, client.right);
  // The page again: the panel takes the whole width, the content beside the index.
  driver::PostCommand(frame, kPreviousButton);
  EXPECT_TRUE(WaitLog("Navigate " + page + " absent=4", 2));
  EXPECT_TRUE(WaitUntil([&] { return PlaceInParent(panel).right == client.right; }, kEventLimit));
  std::vector<PanelControl> browsers;
  WaitUntil(
      [&] {
        browsers = BrowsersIn(panel);
        return browsers.size() == 2 && IsWindowVisible(browsers[1].window) && browsers[1].place.right == client.right;
      },
      5s);
  ASSERT_EQ(browsers.size(), 2u);
  EXPECT_TRUE(IsWindowVisible(browsers[1].window));
  EXPECT_EQ(browsers[1].place.right, client.right);
  EXPECT_EQ(Close(), 0);
}

TEST_F(FalcetWeb, TheIndexColumnStaysBesideAVideoButNotAPictureWhenItsStyleHoldsTwo) {
  TestControlRegistration registration(kBrowserProgId);
  ASSERT_TRUE(registration.Ok());
  WithIndexPage("2");
  std::string page = Copy().Write("plain.htm", "<html><body>no title</body></html>");
  std::string picture = WritePicture(Copy().File("blue.bmp"), 64, 48, RGB(0, 0, 200));
  // Ten seconds, so that it still plays while the test looks.
  std::string clip =
      Copy().Write("clip.avi", avitest::UncompressedAvi(160, 120, 10, std::vector<uint32_t>(100, 0xC0C0C0)));
  HWND frame = Start("\"" + page + "\" \"" + picture + "\" \"" + clip + "\"");
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(WaitLog("Navigate " + page + " absent=4"));
  HWND panel = driver::FindChild(frame, kWebId);
  ASSERT_NE(panel, nullptr);
  driver::PostCommand(frame, kNextButton);
  ASSERT_GE(WaitTitle(frame, Title("blue.bmp"), kEventLimitMs), 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(panel); }, kEventLimit));
  driver::PostCommand(frame, kNextButton);
  ASSERT_GE(WaitTitle(frame, Title("clip.avi"), kEventLimitMs), 0);
  ExpectOnlyTheIndexColumn(panel);
  // The video is fitted into what the column leaves.
  HWND view = driver::FindChildByClass(frame, "QPLAYERVIEW");
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(view) != FALSE; }, kEventLimit));
  RECT client;
  GetClientRect(GetParent(view), &client);
  RECT placed = PlaceInParent(view);
  EXPECT_GE(placed.left, 120);
  EXPECT_LE(placed.right, client.right);
  // Fitted into the narrower area and centred in it.
  EXPECT_NEAR((placed.left + placed.right) / 2, (120 + client.right) / 2, 1);
  EXPECT_EQ(Close(), 0);
}

// No page was shown before: the video brings the index column along.
TEST_F(FalcetWeb, AVideoMakesTheIndexColumnThatStaysBesideIt) {
  TestControlRegistration registration(kBrowserProgId);
  ASSERT_TRUE(registration.Ok());
  WithIndexPage("2");
  std::string clip =
      Copy().Write("clip.avi", avitest::UncompressedAvi(160, 120, 10, std::vector<uint32_t>(100, 0xC0C0C0)));
  HWND frame = Start("\"" + clip + "\"");
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(WaitLog("Navigate " + Copy().ProgramFolder() + "toc.htm absent=4"));
  HWND panel = driver::WaitChild(frame, kWebId, kEventLimitMs);
  ASSERT_NE(panel, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(panel) && PlaceInParent(panel).right == 120; }, kEventLimit));
  std::vector<PanelControl> browsers = BrowsersIn(panel);
  ASSERT_EQ(browsers.size(), 1u);  // the index only: no page was asked for
  EXPECT_TRUE(IsWindowVisible(browsers[0].window));
  HWND view = driver::FindChildByClass(frame, "QPLAYERVIEW");
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(view) && PlaceInParent(view).left >= 120; }, kEventLimit));
  // A page, then the video alone again: the index column is no page, so previous and
  // next of the one-item list do not step through the hidden page's history as they do
  // while the page shows.
  std::string page = Copy().Write("plain.htm", "<html><body>no title</body></html>");
  driver::SendCommand(frame, kCodeOpen, page);
  ASSERT_TRUE(WaitLog("Navigate " + page + " absent=4"));
  driver::PostCommand(frame, kPreviousButton);
  ASSERT_TRUE(WaitLog("GoBack"));
  driver::SendCommand(frame, kCodeOpen, clip);
  ASSERT_GE(WaitTitle(frame, Title("clip.avi"), kEventLimitMs), 0);
  ASSERT_TRUE(WaitUntil([&] { return PlaceInParent(panel).right == 120; }, kEventLimit));
  driver::PostCommand(frame, kPreviousButton);
  driver::PostCommand(frame, kNextButton);
  PumpMessages(500);
  EXPECT_EQ(Count("GoBack"), 1u);
  EXPECT_EQ(Count("GoForward"), 0u);
  EXPECT_EQ(Close(), 0);
}

TEST_F(FalcetWeb, WithoutABrowserControlThePanelShowsTheAddressAndANotice) {
  TestControlRegistration registration(kBrowserProgId, true);
  ASSERT_TRUE(registration.Ok());
  std::string page = Copy().Write("page.htm", "<html><title>Hi</title></html>");
  HWND frame = Start("\"" + page + "\"");
  ASSERT_NE(frame, nullptr);
  HWND notice = driver::WaitChild(frame, kWebNoticeId, kEventLimitMs);
  ASSERT_NE(notice, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(notice) != FALSE; }, kEventLimit));
  EXPECT_EQ(driver::WindowText(notice), "Web pages cannot be shown here: no web browser control is installed.");
  EXPECT_EQ(driver::WindowText(driver::FindChild(frame, kWebTextId)), page);
  EXPECT_GE(WaitTitle(frame, Title("page.htm"), kEventLimitMs), 0);
  // Nothing waits for a page: the close command ends the player at once.
  driver::SendCommand(frame, kCodeClose, "");
  EXPECT_EQ(Process().Wait(2000), 0);
}

}  // namespace
}  // namespace falcet
