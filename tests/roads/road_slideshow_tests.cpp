// The slide show road on a fresh copy of the installed suite: three pictures chosen in the
// media browser go to the slide show maker, slide 2 gets a transition, the background music
// is a list the user makes in the browser (its sound files, the collection, the list saved),
// and the show is built. The built folder, moved to a drive of its own as a disc would be,
// plays as its AUTORUN.INF starts it: slide 1, then slide 2 after its time with the
// new slide drawn in over the old, and the music heard (the audio test tap). A recording
// player holding a long show ends with Esc in the maker. A video build of the show records
// at least a frame per second of show and says how many (off for now: see its test).
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <set>
#include <thread>

#include "bmp_file.h"
#include "driver.h"
#include "fileio/file.h"
#include "imaging/copydata.h"
#include "imaging/suite_classes.h"
#include "installed_suite.h"
#include "program_copy.h"
#include "program_test.h"
#include "sound_files.h"
#include "win/raii.h"

namespace roads {
namespace {

using std::chrono::milliseconds;
constexpr DWORD kWaitMs = 30000;
constexpr milliseconds kLimit{kWaitMs};

// The drive the built show is moved to (the test's CMake fixture maps it to a folder).
constexpr const char* kShowDrive = "V:\\";

// The browser's file list, its Add button, its Programs item for the slide show maker and
// its Save-the-collection-list item; its list box's name field and its first button.
constexpr int kBrowserFileList = 3;
constexpr int kBrowserCollection = 4;
constexpr int kBrowserAddButton = 5;
constexpr int kBrowserSlideShowItem = 504;
constexpr int kBrowserSaveListItem = 204;
constexpr const char* kBrowserListBox = "PICKFILE";
constexpr int kListBoxName = 1;
constexpr int kListBoxFirstButton = 2;

// The maker's controls, commands and boxes.
constexpr int kEffectGroupBox = 1;
constexpr int kEffectList = 2;
constexpr int kSlideList = 4;
constexpr int kApplyEffectButton = 5;
constexpr int kMusicLabel = 13;
constexpr int kRecordButton = 52;
constexpr int kCmdBuildShow = 104;
constexpr int kCmdChooseMusic = 107;
constexpr int kCmdSelectAll = 205;
constexpr int kTwoSeconds = 502;
constexpr int kSixtySeconds = 512;
constexpr int kFirstOutputSize = 1001;
constexpr int kVideo320 = 1011;
constexpr const char* kMessageBox = "SKMSGBOX";
constexpr const char* kPickFileBox = "SSPICKFILE";
constexpr const char* kBuildBox = "SSLBUILDBOX";

// Every file below a folder, by its path below it.
std::vector<std::string> FilesBelow(const std::string& folder, const std::string& below = "") {
  std::vector<std::string> files;
  for (const auto& e : fileio::ListDirectory(folder + below + "*")) {
    if (e.name == "." || e.name == "..") continue;
    if (!e.directory) files.push_back(below + e.name);
    else
      for (auto& f : FilesBelow(folder, below + e.name + "\\")) files.push_back(std::move(f));
  }
  return files;
}

// Empties a folder: its files, then its folders, deepest first.
void EmptyFolder(const std::string& folder) {
  std::vector<std::string> files = FilesBelow(folder);
  std::set<std::string> folders;
  for (const std::string& f : files) {
    fileio::RemoveFile(folder + f);
    for (size_t at = f.rfind('\\'); at != std::string::npos; at = at ? f.rfind('\\', at - 1) : std::string::npos)
      folders.insert(f.substr(0, at));
  }
  std::vector<std::string> ordered(folders.begin(), folders.end());
  std::sort(ordered.begin(), ordered.end(), [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
  for (const std::string& f : ordered) fileio::RemoveFolder(folder + f);
}

// Moves a folder's files (and subfolders) into another, as a copy to a disc and the
// original gone.
bool MoveFolderContents(const std::string& from, const std::string& to) {
  for (const std::string& f : FilesBelow(from)) {
    std::string target = to + f;
    size_t at = target.rfind('\\');
    if (at != std::string::npos && at > 2) fileio::MakeDirectories(target.substr(0, at));
    if (fileio::CopyFileTo(from + f, target) != fileio::kOk) return false;
  }
  EmptyFolder(from);
  return fileio::RemoveFolder(from.substr(0, from.size() - 1)) == fileio::kOk;
}

// The player's picture window.
constexpr int kPictureWindow = 1002;

// Whether a picture shows the way from the red slide to the blue one under way: a part of it
// red and a part blue (a wipe, seen near its start or end too), or a colour between the two
// (a fade). The slide is small in the player's picture window; the rest is its background.
bool BetweenRedAndBlue(const std::vector<unsigned char>& bgr) {
  size_t red = 0, blue = 0, mixed = 0;
  for (size_t i = 0; i + 2 < bgr.size(); i += 3) {
    int b = bgr[i], g = bgr[i + 1], r = bgr[i + 2];
    if (r > 180 && b < 60) ++red;
    else if (b > 180 && r < 60) ++blue;
    else if (r >= 60 && r <= 180 && b >= 60 && b <= 180 && g < 60) ++mixed;
  }
  const size_t coloured = red + blue + mixed;
  if (coloured < 100) return false;
  return (red * 50 >= coloured && blue * 50 >= coloured) || mixed * 10 >= coloured;
}

// The pixels of a rectangle of the screen (blue, green, red), as the user sees them.
std::vector<unsigned char> ScreenPixels(const RECT& r) {
  std::vector<unsigned char> bgr;
  if (!driver::CaptureScreenPixels(r, bgr)) bgr.clear();
  return bgr;
}

// Where on the screen the red slide shows in the player's picture window (empty when not
// shown): the bounds of its red pixels.
RECT RedSlideOnScreen(HWND player) {
  RECT none{};
  HWND picture = driver::FindChild(player, kPictureWindow);
  RECT at{};
  int w = 0, h = 0;
  std::vector<unsigned char> bgr;
  if (!picture || !GetWindowRect(picture, &at) || !driver::CaptureWindowPixels(picture, w, h, bgr)) return none;
  RECT found{w, h, -1, -1};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const unsigned char* p = &bgr[(size_t(y) * size_t(w) + size_t(x)) * 3];
      if (p[2] > 180 && p[0] < 60) {
        found.left = std::min<LONG>(found.left, x);
        found.top = std::min<LONG>(found.top, y);
        found.right = std::max<LONG>(found.right, x + 1);
        found.bottom = std::max<LONG>(found.bottom, y + 1);
      }
    }
  if (found.right < 0) return none;
  return RECT{at.left + found.left, at.top + found.top, at.left + found.right, at.top + found.bottom};
}

class SlideShowRoad : public ::testing::Test {
 protected:
  void SetUp() override { soundtest::SetTapFolder(tap_.Path()); }
  void TearDown() override { soundtest::SetTapFolder(""); }

  // Presses the next box of the class (button by number, 0 with a caption).
  bool Press(const char* boxClass, int number, const char* caption = "") {
    return PressNextBox(boxClass, number, caption, &last_, kWaitMs);
  }
  // The text of the next box of the maker that is not the one answered last.
  std::string NextBoxText() {
    std::string text;
    PumpUntil(
        [&] {
          HWND box = FindWindowA(kMessageBox, nullptr);
          text = box && box != last_ && IsWindowVisible(box) ? driver::BoxText(box) : std::string();
          return !text.empty();
        },
        kLimit);
    return text;
  }
  void WaitNoBox(HWND frame, const char* boxClass) {
    PumpUntil([&] { return FindWindowA(boxClass, nullptr) == nullptr; }, kLimit);
    SendAndWait(frame, WM_NULL, 0, 0);
  }
  // Selects the slides at the indices as the user's clicks would.
  static void SelectSlides(HWND frame, const std::vector<int>& indices) {
    HWND list = driver::FindChild(frame, kSlideList);
    SendAndWait(list, LB_SETSEL, FALSE, -1);
    for (int i : indices) SendAndWait(list, LB_SETSEL, TRUE, i);
    if (!indices.empty()) SendAndWait(list, LB_SETCARETINDEX, WPARAM(indices.front()), FALSE);
    SendAndWait(frame, WM_COMMAND, MAKEWPARAM(kSlideList, LBN_SELCHANGE), LPARAM(list));
  }

  // The road up to a show ready to build: the pictures from the browser, their times and
  // slide 2's transition in the maker, the music list made in the browser and chosen.
  void MakeTheShow() {
    ASSERT_TRUE(suite.Complete());
    ASSERT_TRUE(fileio::IsDirectory(kShowDrive)) << "drive " << kShowDrive << " is not mapped";
    EmptyFolder(kShowDrive);

    // The user's pictures (two written, one the suite ships) and a song, in one folder.
    trip = suite.UserFolder("Trip");
    ASSERT_TRUE(WriteBmp(trip + "a-red.bmp", 160, 120, 220, 20, 20));
    ASSERT_TRUE(WriteBmp(trip + "b-blue.bmp", 160, 120, 20, 20, 220));
    ASSERT_TRUE(fileio::Exists(suite.Folder() + "picture\\evening.jpg")) << "the suite ships no picture\\evening.jpg";
    ASSERT_EQ(fileio::CopyFileTo(suite.Folder() + "picture\\evening.jpg", trip + "c-evening.jpg"), fileio::kOk);
    ASSERT_EQ(fileio::WriteFileReplacing(
                  trip + "song.wav", soundtest::PcmWave(soundtest::Sine(toneHz, 22050, 1, 12.0, 8000), 1, 22050)),
              fileio::kOk);
    // The browser remembers the folder the user looked at last.
    ASSERT_EQ(fileio::WriteFileReplacing(suite.TempFolder() + "kelmor.cfg", "30|40|700|500|" + trip + "|*.*|0|1|0"),
              fileio::kOk);

    // In the browser the user picks the three pictures and chooses Programs > Slide show maker.
    ASSERT_TRUE(suite.Start(browserProcess, "kelmor"));
    browser = WaitForProgram(browserProcess, SuiteProgramNamed("kelmor"));
    ASSERT_NE(browser, nullptr);
    files = driver::FindChild(browser, kBrowserFileList);
    ASSERT_NE(files, nullptr);
    std::vector<std::string> items;
    ASSERT_TRUE(PumpUntil([&] { return (items = driver::ListItems(files)).size() == 4; }, kLimit, milliseconds(50)))
        << "the browser lists " << items.size() << " files";
    for (int i = 0; i < 4; ++i)
      if (items[size_t(i)].find(".wav") == std::string::npos) SendAndWait(files, LB_SETSEL, TRUE, i);
    ASSERT_TRUE(PostUserCommand(suite, "kelmor", browser, kBrowserSlideShowItem));
    maker = WaitForWindow(kClassSlideMaker, kWaitMs);
    ASSERT_NE(maker, nullptr) << "the slide show maker did not start";
    ASSERT_NE(driver::WaitChild(maker, kSlideList, kWaitMs), nullptr);
    std::vector<std::string> slides;
    ASSERT_TRUE(PumpUntil([&] { return (slides = driver::ListItems(driver::FindChild(maker, kSlideList))).size() == 3; },
                          kLimit))
        << slides.size() << " slides";

    // Every slide stays two seconds; slide 2 wipes in.
    ASSERT_TRUE(PostUserCommand(suite, "dunmere", maker, kCmdSelectAll));
    ASSERT_TRUE(PumpUntil([&] { return SendAndWait(driver::FindChild(maker, kSlideList), LB_GETSELCOUNT, 0, 0) == 3; },
                          kLimit));
    ASSERT_TRUE(PostUserCommand(suite, "dunmere", maker, kTwoSeconds));
    ASSERT_TRUE(PumpUntil([&] { return fileio::Exists(trip + "c-evening.tim"); }, kLimit)) << "no display time written";
    SelectSlides(maker, {1});
    HWND groups = driver::FindChild(maker, kEffectGroupBox);
    ASSERT_TRUE(groups && IsWindowVisible(groups));
    SendAndWait(groups, CB_SETCURSEL, 0, 0);
    SendAndWait(maker, WM_COMMAND, MAKEWPARAM(kEffectGroupBox, CBN_SELCHANGE), LPARAM(groups));
    HWND effects = driver::FindChild(maker, kEffectList);
    ASSERT_TRUE(PumpUntil([&] { return SendAndWait(effects, LB_GETCOUNT, 0, 0) > 0; }, kLimit)) << "no effects listed";
    SendAndWait(effects, LB_SETCURSEL, 0, 0);
    ASSERT_TRUE(PostUserCommand(suite, "dunmere", maker, kApplyEffectButton));
    ASSERT_TRUE(PumpUntil([&] { return fileio::Exists(trip + "b-blue.sfx"); }, kLimit)) << "slide 2 got no transition";
    EXPECT_FALSE(fileio::Exists(trip + "a-red.sfx"));

    // Music: no list yet, so the maker sends the user to the browser's sound files.
    ASSERT_TRUE(PostUserCommand(suite, "dunmere", maker, kCmdChooseMusic));
    ASSERT_TRUE(Press(kMessageBox, 1));  // yes: to the browser
    ASSERT_TRUE(PumpUntil(
        [&] {
          items = driver::ListItems(files);
          return items.size() == 1 && items[0].find("song.wav") != std::string::npos;
        },
        kLimit, milliseconds(50)))
        << "the browser lists " << items.size() << " files, not the song alone";
    SendAndWait(files, LB_SETSEL, TRUE, 0);
    ASSERT_TRUE(PumpUntil([&] { return UserCanReach(suite, "kelmor", browserProcess.Id(), kBrowserAddButton); }, kLimit));
    ASSERT_TRUE(PostUserCommand(suite, "kelmor", browser, kBrowserAddButton));
    HWND collection = driver::FindChild(browser, kBrowserCollection);
    ASSERT_TRUE(PumpUntil([&] { return driver::ListItems(collection).size() == 1; }, kLimit));
    ASSERT_TRUE(PostUserCommand(suite, "kelmor", browser, kBrowserSaveListItem));
    HWND listBox = nullptr;
    ASSERT_TRUE(PumpUntil(
        [&] {
          listBox = FindWindowA(kBrowserListBox, nullptr);
          return listBox && IsWindowVisible(listBox) && driver::FindChild(listBox, kListBoxFirstButton);
        },
        kLimit));
    driver::SetText(driver::FindChild(listBox, kListBoxName), "trip");
    SendAndWait(listBox, WM_COMMAND, MAKEWPARAM(kListBoxFirstButton, BN_CLICKED),
                LPARAM(driver::FindChild(listBox, kListBoxFirstButton)));
    ASSERT_TRUE(PumpUntil([&] { return !FindWindowA(kBrowserListBox, nullptr); }, kLimit));
    ASSERT_TRUE(PumpUntil([&] { return fileio::Exists(suite.Folder() + "lists\\trip.qls"); }, kLimit))
        << "the browser saved no list";
    // Back in the maker the saved list is the one offered.
    ASSERT_TRUE(PostUserCommand(suite, "dunmere", maker, kCmdChooseMusic));
    HWND pick = WaitForWindow(kPickFileBox, kWaitMs);
    ASSERT_NE(pick, nullptr) << "the browser's list is not offered";
    HWND names = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (names = driver::FindChild(pick, 1)) != nullptr; }, kLimit));
    EXPECT_EQ(driver::ListItems(names), std::vector<std::string>{"trip.qls"});
    ASSERT_TRUE(Press(kPickFileBox, 1));
    WaitNoBox(maker, kPickFileBox);
    EXPECT_TRUE(PumpUntil(
        [&] { return driver::WindowText(driver::FindChild(maker, kMusicLabel)) == "Music: trip.qls"; }, kLimit))
        << driver::WindowText(driver::FindChild(maker, kMusicLabel));
  }

  InstalledSuite suite;
  // The programs the road started, ended with the test, passed or failed.
  ProgramsEndedAtExit ended{{kClassSlideMaker, kClassBrowser, kClassPlayer}};
  ChildProcess browserProcess;
  std::string trip;
  HWND browser = nullptr, files = nullptr, maker = nullptr;
  static constexpr double toneHz = 1000;
  TempDir tap_;
  HWND last_ = nullptr;
};

TEST_F(SlideShowRoad, AShowMadeThroughTheSuitePlaysFromItsOwnDriveAndItsRecordingEndsWithEsc) {
  ASSERT_NO_FATAL_FAILURE(MakeTheShow());

  // The build, into the maker's show folder; the last question is left unanswered.
  ASSERT_TRUE(PostUserCommand(suite, "dunmere", maker, kFirstOutputSize));
  ASSERT_TRUE(PostUserCommand(suite, "dunmere", maker, kCmdBuildShow));
  ASSERT_TRUE(Press(kBuildBox, 0, "OK"));
  ASSERT_TRUE(Press(kPickFileBox, 1));
  ASSERT_TRUE(Press(kMessageBox, 1));  // the summary
  ASSERT_TRUE(CloseNextBox(kMessageBox, &last_, kWaitMs));
  WaitNoBox(maker, kMessageBox);
  const std::string built = suite.Folder() + "SHOWCD\\";
  const std::string autorun = ReadText(built + "AUTORUN.INF");
  ASSERT_FALSE(autorun.empty()) << "nothing was built in " << built;

  // The built folder goes to a drive of its own and starts as its AUTORUN.INF says.
  ASSERT_TRUE(MoveFolderContents(built, kShowDrive));
  EXPECT_FALSE(fileio::Exists(built));
  const std::string drive = kShowDrive;
  std::string open;
  for (size_t at = 0; at < autorun.size();) {
    size_t end = autorun.find("\r\n", at);
    std::string line = autorun.substr(at, end == std::string::npos ? std::string::npos : end - at);
    if (line.rfind("OPEN=", 0) == 0) open = line.substr(5);
    at = end == std::string::npos ? autorun.size() : end + 2;
  }
  ASSERT_FALSE(open.empty()) << autorun;
  const size_t blank = open.find(' ');
  const std::string program = open.substr(0, blank);
  const std::string arguments = blank == std::string::npos ? "" : open.substr(blank + 1);
  ASSERT_TRUE(fileio::Exists(drive + program)) << program << " is not on the show's drive";
  // Slide 2's transition went along with the show, and only slide 2's.
  EXPECT_TRUE(fileio::Exists(drive + "00000002.sfx")) << "the show lost slide 2's transition";
  EXPECT_FALSE(fileio::Exists(drive + "00000001.sfx"));
  // The user puts the maker and the browser aside to watch the show.
  ShowWindow(maker, SW_MINIMIZE);
  ShowWindow(browser, SW_MINIMIZE);
  ChildProcess show;
  ASSERT_TRUE(show.Start(drive + program, arguments, drive));
  HWND player = WaitForWindow(kClassPlayer, kWaitMs, show.Id());
  ASSERT_NE(player, nullptr) << "exit code " << show.Wait(0);
  EXPECT_GE(WaitTitle(player, "Media player - 00000001.png", kWaitMs), 0) << driver::WindowText(player);
  const auto first = std::chrono::steady_clock::now();
  // On the way from slide 1 to slide 2 the screen shows both, or a colour between them: the
  // new slide comes in over the old one. (The player draws a change in steps also without
  // a transition, so this does not tell the chosen transition from its own.)
  // A thread of its own watches the screen: the player may draw its transition without
  // answering messages meanwhile, and a step lasts about a tenth of a second.
  std::atomic<int> between{0};
  struct Watcher {
    std::atomic<bool> on{true};
    std::thread thread;
    ~Watcher() {
      on = false;
      if (thread.joinable()) thread.join();
    }
  } watcher;
  // Only the slide's part of the screen: a small capture is quick.
  RECT slide{};
  ASSERT_TRUE(PumpUntil(
      [&] {
        slide = RedSlideOnScreen(player);
        return slide.right - slide.left >= 8 && slide.bottom - slide.top >= 4;
      },
      kLimit, milliseconds(20)))
      << "slide 1 is not shown";
  watcher.thread = std::thread([&] {
    while (watcher.on) {
      std::vector<unsigned char> now = ScreenPixels(slide);
      if (!now.empty() && BetweenRedAndBlue(now)) ++between;
      Sleep(1);
    }
  });
  bool second = false;
  std::chrono::steady_clock::time_point secondAt;
  PumpUntil(
      [&] {
        if (!second && driver::WindowText(player) == "Media player - 00000002.png") {
          second = true;
          secondAt = std::chrono::steady_clock::now();
        }
        return second && MsSince(secondAt) > 2500;
      },
      kLimit, milliseconds(10));
  ASSERT_TRUE(second) << driver::WindowText(player);
  EXPECT_GE(MsSince(first), 1500) << "slide 2 came before slide 1's time";
  watcher.on = false;
  watcher.thread.join();
  EXPECT_GE(between.load(), 1) << "the transition showed no steps between the slides";
  // The music is heard.
  std::vector<std::string> taps;
  ASSERT_TRUE(PumpUntil([&] { return !(taps = soundtest::TapFiles(tap_.Path(), show.Id())).empty(); }, kLimit,
                        milliseconds(50)))
      << "no music was played";
  audio::WaveInfo info;
  std::vector<int16_t> heard;
  EXPECT_TRUE(PumpUntil(
      [&] {
        heard = soundtest::PcmSamplesOf(ReadText(taps[0]), &info);
        return info.sampleRate > 0 && heard.size() >= size_t(info.channels) * info.sampleRate;
      },
      kLimit, milliseconds(50)));
  if (info.sampleRate > 0) {
    EXPECT_GT(soundtest::LevelAt(heard, info.channels, 0, info.sampleRate, toneHz, info.sampleRate / 10,
                                 std::min(heard.size() / info.channels, size_t(info.sampleRate))),
              1000.0)
        << "the music played silence";
  }
  SENDCOPYDATA(player, kCodeClose, "");
  EXPECT_EQ(show.Wait(kWaitMs), 0);

  // A video build of a minute a slide: Esc in the maker ends the recording player.
  ASSERT_TRUE(PostUserCommand(suite, "dunmere", maker, kVideo320));
  ASSERT_TRUE(PostUserCommand(suite, "dunmere", maker, kCmdSelectAll));
  ASSERT_TRUE(PumpUntil([&] { return SendAndWait(driver::FindChild(maker, kSlideList), LB_GETSELCOUNT, 0, 0) == 3; },
                        kLimit));
  ASSERT_TRUE(PostUserCommand(suite, "dunmere", maker, kSixtySeconds));
  ASSERT_TRUE(PumpUntil([&] { return ReadText(trip + "a-red.tim") == "60000"; }, kLimit))
      << "slide 1's time: " << ReadText(trip + "a-red.tim");
  ASSERT_TRUE(PostUserCommand(suite, "dunmere", maker, kCmdBuildShow));
  ASSERT_TRUE(Press(kPickFileBox, 1));
  ASSERT_TRUE(Press(kMessageBox, 1));  // the summary
  ASSERT_TRUE(Press(kMessageBox, 1));  // yes: record it
  ASSERT_NE(WaitForWindow(kClassPlayer, kWaitMs), nullptr) << "no recording player";
  HWND record = driver::FindChild(maker, kRecordButton);
  ASSERT_TRUE(PumpUntil([&] { return !IsWindowEnabled(record); }, kLimit));
  // Esc as the user presses it, to whichever window has the keyboard; when the maker asks
  // whether to stop, yes.
  bool asked = false;
  EXPECT_TRUE(PumpUntil(
      [&] {
        HWND box = FindWindowA(kMessageBox, nullptr);
        if (box && driver::BoxText(box).find("Stop the work") != std::string::npos) {
          asked = true;
          return true;
        }
        if (!FindWindowA(kClassPlayer, nullptr)) return true;
        if (!box) {
          INPUT keys[2]{};
          keys[0].type = keys[1].type = INPUT_KEYBOARD;
          keys[0].ki.wVk = keys[1].ki.wVk = VK_ESCAPE;
          keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
          SendInput(2, keys, sizeof keys[0]);
        }
        return false;
      },
      kLimit, milliseconds(500)))
      << "Esc neither ended the recording nor made the maker ask";
  if (asked) {
    ASSERT_TRUE(Press(kMessageBox, 1));  // yes, stop
  }
  EXPECT_TRUE(WaitForNoWindow(kClassPlayer, kWaitMs)) << "Esc did not end the recording player";
  EXPECT_FALSE(NextBoxText().empty()) << "the build did not report";
  while (CloseNextBox(kMessageBox, &last_, 3000)) WaitNoBox(maker, kMessageBox);
}

// A video build: the player records the show and sends its counts before its window goes,
// and the maker, which waits for that window, reports at least a frame a second of show.
TEST_F(SlideShowRoad, AVideoBuildRecordsAFrameForEverySecondOfShow) {
  ASSERT_NO_FATAL_FAILURE(MakeTheShow());
  // A video build: the player records the show with its recorder and the maker says how
  // many frames; six seconds of slides make at least six.
  ASSERT_TRUE(PostUserCommand(suite, "dunmere", maker, kVideo320));
  ASSERT_TRUE(PostUserCommand(suite, "dunmere", maker, kCmdBuildShow));
  ASSERT_TRUE(Press(kPickFileBox, 1));
  ASSERT_TRUE(Press(kMessageBox, 1));  // the summary
  ASSERT_TRUE(Press(kMessageBox, 1));  // yes: record it
  HWND recording = WaitForWindow(kClassPlayer, kWaitMs);
  ASSERT_NE(recording, nullptr) << "no recording player";
  // The player counts the frames it writes in its status line while it records.
  int counted = 0;
  PumpUntil(
      [&] {
        std::string status = driver::WindowText(driver::FindChildByClass(recording, "SKSTATUS"));
        if (status.rfind("Recording: ", 0) == 0) counted = std::max(counted, std::atoi(status.c_str() + 11));
        return !IsWindow(recording);
      },
      kLimit, milliseconds(20));
  EXPECT_GE(counted, 6) << "the player recorded too few frames";
  const std::string report = NextBoxText();
  const size_t ready = report.find(" is ready: ");
  ASSERT_NE(ready, std::string::npos) << report;
  EXPECT_GE(std::atoi(report.c_str() + ready + 11), 6) << report;
  EXPECT_TRUE(WaitForNoWindow(kClassPlayer, kWaitMs)) << "the recording player still runs";
  ASSERT_TRUE(Press(kMessageBox, 1));  // the report
  ASSERT_TRUE(CloseNextBox(kMessageBox, &last_, kWaitMs));  // what to do with it: nothing
  WaitNoBox(maker, kMessageBox);
}

}  // namespace
}  // namespace roads
