// The picture browser as a user and its partners see it: the start folder, the strip and
// its paging, the list hand-over, the settings and the help.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "driver.h"
#include "fileio/file.h"
#include "hessam/holder_layout.h"
#include "hessam/settings.h"
#include "hessam_fixture.h"
#include "imaging/copydata.h"

namespace hessam {
namespace {

// Pictures of their own colours, written so that the sorted order is not the order of
// writing.
const COLORREF kRed = RGB(220, 30, 30), kGreen = RGB(30, 200, 60), kBlue = RGB(40, 60, 220),
               kOrange = RGB(240, 140, 20), kPurple = RGB(150, 40, 180), kTeal = RGB(20, 160, 160),
               kBrown = RGB(120, 70, 30), kGrey = RGB(128, 128, 128);

struct Named {
  const char* name;
  COLORREF colour;
};

// Seven listed pictures in sorted order, a hidden one and a text file; "b.bmp" is read-only.
const Named kListed[] = {{"A1.bmp", kRed},  {"b.bmp", kGreen},  {"C3.bmp", kBlue},  {"d4.bmp", kOrange},
                         {"E5.bmp", kPurple}, {"f6.bmp", kTeal}, {"g7.bmp", kBrown}};

void WriteFolder(HessamFolder& folder) {
  for (int i = 6; i >= 0; --i) ASSERT_TRUE(WritePicture(folder.Picture(kListed[i].name), 80, 60, kListed[i].colour));
  SetFileAttributesA(folder.Picture("b.bmp").c_str(), FILE_ATTRIBUTE_READONLY);
  ASSERT_TRUE(WritePicture(folder.Picture("0hidden.bmp"), 80, 60, kGrey));
  SetFileAttributesA(folder.Picture("0hidden.bmp").c_str(), FILE_ATTRIBUTE_HIDDEN);
  folder.Write("pics.2024\\notes.txt", "not a picture");
}

// The strip shows the listed pictures from `first` on (1-based), numbered (waited for: the
// count shows before the strip is drawn).
void ExpectStrip(const Browser& browser, int first) {
  auto shows = [&](int cell) {
    return Near(browser.CellColour(cell), kListed[first - 1 + cell].colour) && browser.CellNumbered(cell);
  };
  PumpUntil([&] { return shows(0) && shows(1) && shows(2) && shows(3); }, std::chrono::milliseconds(kWaitMs));
  for (int cell = 0; cell < 4; ++cell)
    EXPECT_TRUE(shows(cell)) << "cell " << cell + 1 << ": " << std::hex << browser.CellColour(cell);
}

using HessamStart = Hessam;

TEST_F(HessamStart, AQuotedFolderWithADotShowsItsFirstFourSortedPictures) {
  HessamFolder& folder = Copy();
  WriteFolder(folder);
  // Another folder in the settings: the command line wins.
  folder.MakeFolder("other");
  folder.WriteSettingsAt(0, 0, folder.File("other\\"));
  Browser browser = StartBrowser("\"" + folder.PicturesFolder() + "\"");
  ASSERT_TRUE(browser.Started());
  // The hidden picture and the text file are left out; the read-only picture is listed.
  ASSERT_TRUE(browser.WaitCount("7"));
  ExpectStrip(browser, 1);
  EXPECT_EQ(browser.End(), 0);
  SetFileAttributesA(folder.Picture("b.bmp").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(HessamStart, CommandsFiveTwoSixAndOnePageTheStrip) {
  HessamFolder& folder = Copy();
  WriteFolder(folder);
  Browser browser = StartBrowser(folder.PicturesFolder());
  ASSERT_TRUE(browser.Started());
  ASSERT_TRUE(browser.WaitCount("7"));
  browser.Run(kCmdOneForward);
  ExpectStrip(browser, 2);
  browser.Run(kCmdOneBack);
  ExpectStrip(browser, 1);
  browser.Run(kCmdLastFour);
  ExpectStrip(browser, 4);
  browser.Run(kCmdOneForward);  // the end is shown: nothing
  ExpectStrip(browser, 4);
  browser.Run(kCmdFirstFour);
  ExpectStrip(browser, 1);
  EXPECT_EQ(browser.End(), 0);
  SetFileAttributesA(folder.Picture("b.bmp").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(HessamStart, AListBeforeTheStartUpTimerKeepsTheFolderUnscanned) {
  HessamFolder& folder = Copy();
  WriteFolder(folder);
  std::string first = folder.File("x.bmp"), second = folder.File("y.bmp");
  ASSERT_TRUE(WritePicture(first, 50, 40, kTeal));
  ASSERT_TRUE(WritePicture(second, 50, 40, kOrange));
  ChildProcess& process = Launch(folder.PicturesFolder());
  // The list goes to the main window as soon as it exists, before it is laid out and long
  // before its 200 ms start-up timer.
  HWND frame = nullptr;
  WaitUntil(
      [&] {
        frame = FindTopWindow(kClassPictureBrowser, [&process](HWND w) {
          DWORD pid = 0;
          GetWindowThreadProcessId(w, &pid);
          return pid == process.Id();
        });
        return frame != nullptr;
      },
      std::chrono::milliseconds(kWaitMs), std::chrono::milliseconds(1));
  ASSERT_NE(frame, nullptr);
  driver::SendCommand(frame, kCodeOpen, first + "|" + second);
  Browser browser(frame, process);
  ASSERT_TRUE(browser.WaitCount("2"));
  // Well after the timer: still the list, not the folder's seven pictures.
  PumpMessages(1000);
  EXPECT_EQ(browser.Count(), "2");
  EXPECT_TRUE(browser.WaitCell(0, kTeal));
  EXPECT_TRUE(browser.WaitCell(1, kOrange));
  EXPECT_TRUE(browser.WaitCell(2, RGB(0, 0, 0)));
  EXPECT_FALSE(browser.CellNumbered(2));
  EXPECT_EQ(browser.End(), 0);
  SetFileAttributesA(folder.Picture("b.bmp").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Copies of one small picture: enough that the listing runs while the test presses Escape,
// also on a loaded machine (a listing takes some 50 us a file).
TEST_F(HessamStart, EscapeStopsAListingAndKeepsWhatItFound) {
  HessamFolder& folder = Copy();
  const int kMany = 2000;
  std::string many = folder.File("many\\");
  std::string first = many + "m10000.bmp";
  ASSERT_TRUE(WritePicture(first, 8, 8, kBlue));
  for (int i = 1; i < kMany; ++i)
    ASSERT_TRUE(CopyFileA(first.c_str(), (many + "m" + std::to_string(10000 + i) + ".bmp").c_str(), FALSE));
  // Escape must come while the listing runs. On a busy machine this test may see the running
  // count only after the listing ended; then nothing asks and the browser starts once more.
  HWND frame = nullptr, box = nullptr;
  ChildProcess* process = nullptr;
  for (int attempt = 0; attempt < 4 && !box; ++attempt) {
    if (process) {
      driver::SendCommand(frame, kCodeClose, "");
      ASSERT_EQ(process->Wait(kWaitMs), 0);
    }
    process = &Launch(many);
    frame = WaitForMainWindow(*process, kClassPictureBrowser, [](HWND) { return true; },
                              std::chrono::milliseconds(kWaitMs));
    ASSERT_NE(frame, nullptr);
    Browser browser(frame, *process);
    // As soon as the running count shows, Escape; the question's first answer stops.
    ASSERT_TRUE(PumpUntil([&] { return browser.Count() != "0" && !browser.Count().empty(); },
                          std::chrono::milliseconds(kWaitMs), std::chrono::milliseconds(2)));
    PostMessageA(frame, WM_KEYDOWN, VK_ESCAPE, 1);
    ASSERT_TRUE(PumpUntil(
        [&] {
          box = WaitForWindow("SKMSGBOX", 0, process->Id());
          return box || (browser.Count() == std::to_string(kMany) && browser.Status().empty());
        },
        std::chrono::milliseconds(kWaitMs)));
  }
  ASSERT_NE(box, nullptr) << "the listing always ended before Escape came";
  Browser browser(frame, *process);
  ASSERT_TRUE(browser.Answer(1));
  ASSERT_TRUE(PumpUntil([&] { return IsWindowEnabled(frame) && SendAndWait(frame, WM_NULL, 0, 0) == 0 &&
                                     browser.Status().empty(); },
                        std::chrono::milliseconds(kWaitMs)));
  int found = std::atoi(browser.Count().c_str());
  EXPECT_GT(found, 0);
  EXPECT_LT(found, kMany);
  EXPECT_TRUE(browser.WaitCell(0, kBlue));
  EXPECT_EQ(browser.End(), 0);
}

using HessamViews = Hessam;

TEST_F(HessamViews, TheStripsSelectionPositionsAndZoomView) {
  HessamFolder& folder = Copy();
  ASSERT_TRUE(WritePicture(folder.Picture("p1.bmp"), 80, 60, kRed));
  ASSERT_TRUE(WritePicture(folder.Picture("p2.bmp"), 80, 60, kGreen));
  folder.Write("pics.2024\\p1.KWD", std::string(" sea, sun\r\n\0old", 15));
  Browser browser = StartBrowser();
  ASSERT_TRUE(browser.Started());
  ASSERT_TRUE(browser.WaitCount("2"));
  // The status line names the picture under the mouse, with its keywords.
  HWND strip = browser.Control(kPictureStripControl);
  RECT r;
  GetClientRect(strip, &r);
  SendAndWait(strip, WM_MOUSEMOVE, 0, MAKELPARAM(r.right / 8, r.bottom / 2));
  EXPECT_EQ(browser.Status(), "p1.bmp :  sea, sun");
  SendAndWait(strip, WM_MOUSEMOVE, 0, MAKELPARAM(r.right * 3 / 8, r.bottom / 2));
  EXPECT_EQ(browser.Status(), "p2.bmp");

  // A right click shows the picture fitted into the screen; a key closes the view.
  HWND zoom = browser.Zoom();
  ASSERT_NE(zoom, nullptr);
  browser.ClickStrip(0, true);
  int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(zoom); }, std::chrono::milliseconds(kWaitMs)));
  GetWindowRect(zoom, &r);
  EXPECT_EQ(r.right - r.left, sw);
  EXPECT_EQ(r.bottom - r.top, sh);
  EXPECT_TRUE(PumpUntil([&] { return Near(Capture(zoom).At(sw / 2, sh / 2), kRed); }, std::chrono::milliseconds(kWaitMs)));
  SendAndWait(zoom, WM_KEYDOWN, 'A', 1);
  EXPECT_FALSE(IsWindowVisible(zoom));

  // A left click puts the picture into the selection.
  browser.ClickStrip(0);
  EXPECT_EQ(browser.SelectionLabel(1), "p1.bmp 80x60");
  Shot selection = Capture(browser.Control(kSelectionStripControl));
  EXPECT_TRUE(Near(selection.At(selection.width / 8, selection.height / 2), kRed));
  // Its zoom view: the picture at its own size, centred; the arrows do nothing, a click
  // closes it.
  browser.Run(ZoomSelectionCommand(1));
  ASSERT_TRUE(IsWindowVisible(zoom));
  GetWindowRect(zoom, &r);
  EXPECT_EQ(r.left, (sw - 80) / 2);
  EXPECT_EQ(r.top, (sh - 60) / 2);
  EXPECT_EQ(r.right - r.left, 80);
  SendAndWait(zoom, WM_KEYDOWN, VK_RIGHT, 1);
  RECT after;
  GetWindowRect(zoom, &after);
  EXPECT_EQ(after.left, r.left);
  EXPECT_TRUE(IsWindowVisible(zoom));
  SendAndWait(zoom, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_FALSE(IsWindowVisible(zoom));

  // Selection 1 on position 4; emptying selection 1 clears the position too.
  browser.ClickSelection(0);
  browser.ClickPosition(4);
  HWND position = browser.Control(kPositionControl + 3);
  EXPECT_EQ(driver::WindowText(position), "1");
  browser.Run(ClearSelectionCommand(1));
  EXPECT_EQ(browser.SelectionLabel(1), "");
  EXPECT_EQ(driver::WindowText(position), "");
  selection = Capture(browser.Control(kSelectionStripControl));
  EXPECT_TRUE(Near(selection.At(selection.width / 8, selection.height / 2), RGB(160, 160, 160)));
  EXPECT_EQ(browser.End(), 0);
}

// The holder's 3-D line lies under the button row, where the layout of the holder's size
// puts it, though the window shows before its controls are laid out.
TEST_F(HessamViews, TheLineUnderTheButtonRowIsWhereTheLayoutPutsIt) {
  Browser browser = StartBrowser();
  ASSERT_TRUE(browser.Started());
  HWND holder = driver::FindChildByClass(browser.Frame(), "SKHOLDER");
  ASSERT_NE(holder, nullptr);
  RECT r;
  GetWindowRect(holder, &r);
  const int width = r.right - r.left;
  const HolderLayout l = LayOutHolder(width, r.bottom - r.top);
  // Left of the line and under it lies the bare background; the two rows of the line are
  // other colours over most of the width.
  auto lineDrawn = [&] {
    Shot shot = Capture(holder);
    if (shot.width != width || l.lineY + 4 >= shot.height) return false;
    const uint32_t back = shot.At(width / 2, l.lineY + 4);
    const COLORREF backColour = RGB(back >> 16 & 255, back >> 8 & 255, back & 255);
    return shot.Count(width / 4, l.lineY, width / 2, 2, backColour, 4) < width / 2;
  };
  EXPECT_TRUE(PumpUntil(lineDrawn, std::chrono::milliseconds(kWaitMs)));
  EXPECT_EQ(browser.End(), 0);
}

using HessamSettings = Hessam;

TEST_F(HessamSettings, APlaceLeftOfTheScreenReadsBackAsLeftZeroAndCloseWritesIt) {
  HessamFolder& folder = Copy();
  ASSERT_TRUE(WritePicture(folder.Picture("one.bmp"), 40, 30, kRed));
  folder.WriteSettingsAt(-10, 5, folder.PicturesFolder());
  Browser browser = StartBrowser();
  ASSERT_TRUE(browser.Started());
  ASSERT_TRUE(browser.WaitCount("1"));
  RECT r;
  GetWindowRect(browser.Frame(), &r);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 5);
  // Code 10 ends the loop after the settings are written.
  folder.WriteSettings("");
  EXPECT_EQ(browser.End(), 0);
  BrowserSettings written;
  written.folder = "unset";
  std::string bytes = folder.ReadSettings();
  ASSERT_GT(bytes.size(), kSettingsFixedBytes);
  DecodeSettings(bytes, written);
  EXPECT_EQ(written.left, 0);
  EXPECT_EQ(written.top, 5);
  EXPECT_EQ(written.width, r.right - r.left);
  EXPECT_EQ(written.height, r.bottom - r.top);
  EXPECT_EQ(written.folder, folder.PicturesFolder());
}

TEST_F(HessamSettings, ADamagedFileStillGivesAWindowAndTheCloseCommandWritesTheSettings) {
  HessamFolder& folder = Copy();
  folder.WriteSettings(std::string("\x0A\x00\x14", 3));
  Browser browser = StartBrowser();
  ASSERT_TRUE(browser.Started());
  RECT r;
  GetWindowRect(browser.Frame(), &r);
  EXPECT_EQ(r.left, 10);
  EXPECT_GT(r.right - r.left, 600);
  EXPECT_GT(r.bottom - r.top, 400);
  SendAndWait(browser.Frame(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(Process().Wait(kWaitMs), 0);
  BrowserSettings written;
  DecodeSettings(folder.ReadSettings(), written);
  EXPECT_EQ(written.left, 10);
  EXPECT_EQ(written.width, r.right - r.left);
}

// Another program, or the task list, asks the window to close with a plain WM_CLOSE: the
// browser ends as its close command ends it, settings written.
TEST_F(HessamSettings, APlainCloseRequestFromOutsideEndsTheProgramAndWritesTheSettings) {
  HessamFolder& folder = Copy();
  ASSERT_TRUE(WritePicture(folder.Picture("one.bmp"), 40, 30, kRed));
  folder.WriteSettingsAt(0, 7, folder.PicturesFolder());
  Browser browser = StartBrowser();
  ASSERT_TRUE(browser.Started());
  ASSERT_TRUE(browser.WaitCount("1"));
  RECT r;
  GetWindowRect(browser.Frame(), &r);
  folder.WriteSettings("");
  ASSERT_TRUE(PostMessageA(browser.Frame(), WM_CLOSE, 0, 0));
  EXPECT_EQ(Process().Wait(kWaitMs), 0) << "the process stays after its window was asked to close";
  BrowserSettings written;
  std::string bytes = folder.ReadSettings();
  ASSERT_GT(bytes.size(), kSettingsFixedBytes);
  DecodeSettings(bytes, written);
  EXPECT_EQ(written.top, 7);
  EXPECT_EQ(written.width, r.right - r.left);
  EXPECT_EQ(written.folder, folder.PicturesFolder());
}

using HessamHelp = Hessam;

TEST_F(HessamHelp, HelpSendsTheHelpPageAndThePictureButtonItsDocument) {
  HessamFolder& folder = Copy();
  folder.SetHelpViewer("QSUITEHELP");
  folder.CopyFromSuite("hessam.bmp");
  std::string log = folder.Log("help.txt");
  ASSERT_TRUE(RunStandin("QSUITEHELP", log));
  Browser browser = StartBrowser();
  ASSERT_TRUE(browser.Started());
  browser.Post(kCmdHelp);
  std::vector<LoggedMessage> got = WaitForLog(log, 1, kWaitMs);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].code, kCodeOpen);
  EXPECT_EQ(got[0].text, folder.ProgramFolder() + "hessam.htm");
  // F1 anywhere, and the menu's help.
  PostMessageA(browser.Control(kPictureStripControl), WM_KEYDOWN, VK_F1, 1);
  browser.Post(kCmdHelpMenu);
  got = WaitForLog(log, 3, kWaitMs);
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[1].text, got[0].text);
  EXPECT_EQ(got[2].text, got[0].text);
  // The picture button (shipped with the browser) hands over its own document.
  ASSERT_NE(browser.Control(kCmdPictureButton), nullptr);
  browser.Post(kCmdPictureButton);
  got = WaitForLog(log, 4, kWaitMs);
  ASSERT_EQ(got.size(), 4u);
  EXPECT_EQ(got[3].code, kCodeOpen);
  EXPECT_EQ(got[3].text, "http://www.example.com/pictures/");
  EXPECT_EQ(browser.End(), 0);
}

}  // namespace
}  // namespace hessam
