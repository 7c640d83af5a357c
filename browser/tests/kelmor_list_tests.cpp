// The media browser's file list as a user and its partners see it: the files a filter
// lists, the list following its folder, thumbnails, the command codes that change the
// folder and the file type, the picture transforms, drives that go and come, the skin
// choice and the wallpaper. The browser runs under Wine and is driven from outside.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <dbt.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#include "bmp_file.h"
#include "driver.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "gif_writer.h"
#include "imaging/copydata.h"
#include "imaging/suite_classes.h"
#include "imglib/codecs.h"
#include "kelmor/command_ids.h"
#include "kelmor_list_fixture.h"
#include "program_test.h"

namespace kelmor {

namespace {

using std::chrono::milliseconds;

constexpr int kUnknownCode = 99;  // a command code the browser has no meaning for
constexpr DWORD kStartMs = 30000;
constexpr const char* kPictures = "*.jpg;*.jpeg;*.gif;*.bmp;*.png;*.tif;*.tiff;*.pcx;*.tga;*.psd;*.ico;*.wmf;*.emf";

// A 24-bit BMP whose pixel (x, y) has a colour of its own.
std::vector<unsigned char> Pattern(int width, int height, int salt = 0) {
  std::vector<unsigned char> bgr;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      bgr.push_back(static_cast<unsigned char>(50 + salt));
      bgr.push_back(static_cast<unsigned char>(20 + y * 100));
      bgr.push_back(static_cast<unsigned char>(10 + x * 80));
    }
  return bgr;
}

unsigned Pixel(const imglib::Raster& r, int x, int y) {
  const uint8_t* p = r.Row(y) + size_t(x) * 3;
  return unsigned(p[2]) << 16 | unsigned(p[1]) << 8 | p[0];
}

constexpr unsigned kRed = 0xFF0000;
constexpr unsigned kMarkerYellow = 0xF0D000;  // a keyword file's marker in a cell

// How many pixels of a cell of the list (client co-ordinates) have the colour, as the
// screen shows the list now; -1 when it cannot be captured.
int PixelsInCell(HWND list, const RECT& cell, unsigned colour) {
  TempDir shots;
  imglib::Picture shot;
  if (!driver::CaptureWindow(list, shots.File("list.bmp")) || !ReadPicture(shots.File("list.bmp"), shot)) return -1;
  RECT window;
  GetWindowRect(list, &window);
  POINT origin{0, 0};
  ClientToScreen(list, &origin);
  int ox = origin.x - window.left, oy = origin.y - window.top;
  int count = 0;
  for (int y = cell.top; y < cell.bottom; ++y)
    for (int x = cell.left; x < cell.right; ++x)
      if (x + ox < shot.pixels.Width() && y + oy < shot.pixels.Height() && Pixel(shot.pixels, x + ox, y + oy) == colour)
        ++count;
  return count;
}

// Whether the entries from first on have their thumbnails (item data not 0); false for an
// empty list.
bool HaveThumbnails(HWND list, int first = 0) {
  LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
  bool all = count > first;
  for (LRESULT i = first; all && i < count; ++i) all = SendMessageA(list, LB_GETITEMDATA, WPARAM(i), 0) != 0;
  return all;
}

TEST_F(KelmorList, TheFilterListsPlainFilesInLowerCaseAndTheListFollowsItsFolder) {
  TempDir files;
  files.Write("A.JPG", "not really a picture");
  files.Write("b.png", "b");
  std::string hidden = files.Write("h.jpg", "h");
  ASSERT_TRUE(SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN));
  files.Write(".x.jpg", "x");
  files.Write("sub.jpg\\inner.txt", "a folder named like a picture");
  HWND frame = Start(files.Path(), "*.jpg;*.jpeg");
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(WaitForList(list_, {" a.jpg"}, kEventLimitMs), std::vector<std::string>{" a.jpg"});
  EXPECT_EQ(Status(frame), "1 file in " + fileio::ToLower(fileio::WithoutTrailingSeparator(files.Path())));

  // A file written from outside appears within three seconds; one deleted goes.
  DWORD start = GetTickCount();
  files.Write("c.jpg", "c");
  EXPECT_EQ(WaitForList(list_, {" a.jpg", " c.jpg"}, 3000), (std::vector<std::string>{" a.jpg", " c.jpg"}));
  EXPECT_LT(GetTickCount() - start, 3000u);
  EXPECT_EQ(Status(frame), "2 files in " + fileio::ToLower(fileio::WithoutTrailingSeparator(files.Path())));
  fileio::RemoveFile(files.File("A.JPG"));
  EXPECT_EQ(WaitForList(list_, {" c.jpg"}, 3000), std::vector<std::string>{" c.jpg"});
  // The watcher goes on after a refresh.
  files.Write("d.jpeg", "d");
  EXPECT_EQ(WaitForList(list_, {" c.jpg", " d.jpeg"}, 3000), (std::vector<std::string>{" c.jpg", " d.jpeg"}));
  EXPECT_EQ(Close(), 0);
}

TEST_F(KelmorList, CommandCodesChangeTheFolderAndTheFileTypeAndCloseWithTheSettings) {
  KelmorFolder& folder = Copy();
  TempDir one, two;
  one.Write("a.txt", "a");
  one.Write("b.jpg", "b");
  one.Write("b.kwd", "a side file: the list of all files leaves it out");
  two.Write("Song.MP3", "s");
  two.Write("page.htm", "p");
  two.Write("notes.txt", "n");
  HWND frame = Start(one.Path(), "*.*");
  ASSERT_NE(frame, nullptr);
  HWND types = driver::FindChild(frame, kFileTypeBox);
  EXPECT_EQ(WaitForList(list_, {" a.txt", " b.jpg"}, kEventLimitMs), (std::vector<std::string>{" a.txt", " b.jpg"}));
  // The suite's own file types are registered at start.
  char type[64] = {};
  LONG size = sizeof type;
  EXPECT_EQ(RegQueryValueA(HKEY_CLASSES_ROOT, ".qls", type, &size), ERROR_SUCCESS);
  EXPECT_STREQ(type, "QOR.CollectionList");

  // Code 23 makes a folder the current one, in lower case.
  std::string second = fileio::WithoutTrailingSeparator(two.Path());
  EXPECT_EQ(driver::SendCommand(frame, kCodeGoToFolder, fileio::ToUpper(second)), 1);
  EXPECT_EQ(driver::ListItems(list_), (std::vector<std::string>{" notes.txt", " page.htm", " song.mp3"}));
  EXPECT_EQ(Status(frame), "3 files in " + fileio::ToLower(second));
  // A folder that does not exist changes nothing.
  EXPECT_EQ(driver::SendCommand(frame, kCodeGoToFolder, second + "\\no such folder"), 1);
  EXPECT_EQ(driver::ListItems(list_).size(), 3u);

  // Codes 11 to 16 choose file types 0 to 5 and fill the list with their filters.
  EXPECT_EQ(driver::SendCommand(frame, kCodeFileType3, ""), 1);
  EXPECT_EQ(SendMessageA(types, CB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(driver::ListItems(list_), (std::vector<std::string>{" notes.txt", " page.htm"}));
  EXPECT_EQ(driver::SendCommand(frame, kCodeFileType4, ""), 1);
  EXPECT_EQ(SendMessageA(types, CB_GETCURSEL, 0, 0), 3);
  EXPECT_EQ(driver::ListItems(list_), std::vector<std::string>{" song.mp3"});
  EXPECT_EQ(driver::SendCommand(frame, kCodeFileType6, ""), 1);
  EXPECT_EQ(SendMessageA(types, CB_GETCURSEL, 0, 0), 5);
  EXPECT_TRUE(driver::ListItems(list_).empty());
  EXPECT_EQ(SendMessageA(list_, LB_GETITEMHEIGHT, 0, 0), 16);  // names, not thumbnails
  EXPECT_EQ(driver::SendCommand(frame, kCodeFileType1, ""), 1);
  EXPECT_EQ(SendMessageA(types, CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(driver::ListItems(list_).size(), 3u);
  // The same code again changes nothing: the list is not filled again, so an entry keeps
  // its data and the selection stays. Other codes are answered with 1 and ignored, and so
  // is code 22 while the list shows names.
  constexpr LRESULT kMark = 0x5EED;
  SendMessageA(list_, LB_SETITEMDATA, 1, kMark);
  SelectOnly(list_, {2});
  EXPECT_EQ(driver::SendCommand(frame, kCodeFileType1, ""), 1);
  EXPECT_EQ(driver::SendCommand(frame, kUnknownCode, "c:\\anything"), 1);
  EXPECT_EQ(driver::SendCommand(frame, kCodeFileWritten, second), 1);
  SendAndWait(frame, WM_NULL, 0, 0);  // what they posted has run
  EXPECT_EQ(SendMessageA(types, CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(driver::ListItems(list_).size(), 3u);
  EXPECT_EQ(SendMessageA(list_, LB_GETITEMDATA, 1, 0), kMark);
  EXPECT_EQ(Selected(list_), std::vector<int>{2});
  // Another file type fills the list again: fresh entries, the first one selected.
  EXPECT_EQ(driver::SendCommand(frame, kCodeFileType3, ""), 1);
  EXPECT_EQ(SendMessageA(list_, LB_GETITEMDATA, 1, 0), 0);
  EXPECT_EQ(Selected(list_), std::vector<int>{0});
  EXPECT_EQ(driver::SendCommand(frame, kCodeFileType2, ""), 1);
  EXPECT_EQ(SendMessageA(types, CB_GETCURSEL, 0, 0), 1);

  // Code 10 closes the browser, which writes the folder and the filter in force.
  EXPECT_EQ(Close(), 0);
  std::string settings = folder.ReadSettings();
  EXPECT_NE(settings.find("|" + fileio::ToLower(second) + "\\|*.avi;"), std::string::npos) << settings;
}

TEST_F(KelmorList, ThumbnailsAppearInTheThumbnailViewWithTheirDetails) {
  KelmorFolder& folder = Copy();
  TempDir pictures;
  std::vector<unsigned char> red;
  for (int i = 0; i < 40 * 30; ++i) red.insert(red.end(), {0, 0, 255});
  ASSERT_TRUE(WriteBmp(pictures.File("Red.bmp"), 40, 30, red));
  for (int i = 0; i < 6; ++i) ASSERT_TRUE(WriteBmp(pictures.File("p" + std::to_string(i) + ".bmp"), 64, 48, Pattern(64, 48, i)));
  pictures.Write("notes.txt", "no picture");
  pictures.Write("broken.jpg", "no picture either");
  HWND frame = Start(pictures.Path(), kPictures);
  ASSERT_NE(frame, nullptr);
  std::vector<std::string> items = WaitForList(list_, {" broken.jpg", " p0.bmp", " p1.bmp", " p2.bmp", " p3.bmp", " p4.bmp", " p5.bmp", " red.bmp"}, kEventLimitMs);
  ASSERT_EQ(items.size(), 8u);
  EXPECT_EQ(SendMessageA(driver::FindChild(frame, kFileTypeBox), CB_GETCURSEL, 0, 0), 4);
  // Cells are a thumbnail (96) + 10 pixels square.
  EXPECT_EQ(SendMessageA(list_, LB_GETITEMHEIGHT, 0, 0), 106);

  // Every picture gets its thumbnail; the broken one keeps a placeholder.
  EXPECT_TRUE(PumpUntil([this] { return HaveThumbnails(list_, 1); }, milliseconds(20000), milliseconds(50)));
  EXPECT_EQ(SendMessageA(list_, LB_GETITEMDATA, 0, 0), 0);
  // The frame's title shows the filler's progress only while it runs.
  EXPECT_TRUE(PumpUntil([frame] { return driver::WindowText(frame) == "Media browser"; }, kEventLimit,
                        milliseconds(50)));

  // The red picture's cell shows red.
  SetForegroundWindow(frame);
  SendMessageA(list_, LB_SETSEL, FALSE, -1);
  SendMessageA(list_, LB_SETTOPINDEX, 7, 0);
  RedrawWindow(list_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  PumpMessages(300);
  RECT cell;
  ASSERT_NE(SendMessageA(list_, LB_GETITEMRECT, 7, reinterpret_cast<LPARAM>(&cell)), LB_ERR);
  EXPECT_GT(PixelsInCell(list_, cell, kRed), 40 * 30 / 2) << "cell " << cell.left << "," << cell.top;

  // With the side-file markers on (command 408), a keyword file beside the picture shows
  // its marker: the yellow cell of the "miniled" picture.
  pictures.Write("Red.kwd", "red, colour");
  SendAndWait(frame, WM_COMMAND, kMarkersCommand, 0);
  RedrawWindow(list_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  PumpMessages(300);
  EXPECT_GE(PixelsInCell(list_, cell, kMarkerYellow), 16);

  // Resting the mouse on a cell shows its picture's details in the status line.
  POINT middle{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
  PostMessageA(list_, WM_MOUSEMOVE, 0, MAKELPARAM(middle.x, middle.y));
  SendAndWait(frame, WM_NULL, 0, 0);
  ASSERT_EQ(fileio::FileSize(pictures.File("Red.bmp")), 3654);
  std::string expected = "RED.BMP  40 x 30 (24 bits, 3,654 bytes)";
  PumpUntil([&] { return Status(frame) == expected; }, milliseconds(2000), milliseconds(50));
  EXPECT_EQ(Status(frame), expected);
  EXPECT_EQ(Close(), 0);
  // The markers option is kept in the settings' last field.
  std::string settings = folder.ReadSettings();
  EXPECT_NE(settings.substr(settings.rfind('|')), "|0") << settings;
}

// Code 22 tells the browser that a partner wrote a side file: the cells of the current
// folder draw their markers again, and nothing else does so (a side file is not listed, so
// the folder's own change brings no repaint).
TEST_F(KelmorList, CodeTwentyTwoRedrawsTheMarkersOfTheFolderShown) {
  TempDir pictures;
  std::vector<unsigned char> red;
  for (int i = 0; i < 40 * 30; ++i) red.insert(red.end(), {0, 0, 255});
  ASSERT_TRUE(WriteBmp(pictures.File("Red.bmp"), 40, 30, red));
  TempDir elsewhere;
  // The thumbnail layout with the side-file markers on.
  Copy().WriteSettings("30|40|700|500|" + pictures.Path() + "|" + kPictures + "|0|1|-1");
  HWND frame = ProgramTest::Start();
  ASSERT_NE(frame, nullptr);
  list_ = driver::FindChild(frame, kFileList);
  ASSERT_EQ(WaitForList(list_, {" red.bmp"}, kEventLimitMs).size(), 1u);
  ASSERT_TRUE(PumpUntil([this] { return HaveThumbnails(list_); }, milliseconds(20000), milliseconds(50)));
  SetForegroundWindow(frame);
  SendMessageA(list_, LB_SETSEL, FALSE, -1);
  RedrawWindow(list_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  PumpMessages(300);
  RECT cell;
  ASSERT_NE(SendMessageA(list_, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&cell)), LB_ERR);
  ASSERT_GT(PixelsInCell(list_, cell, kRed), 40 * 30 / 2);
  EXPECT_EQ(PixelsInCell(list_, cell, kMarkerYellow), 0);

  pictures.Write("Red.kwd", "red");
  PumpMessages(1000);
  EXPECT_EQ(PixelsInCell(list_, cell, kMarkerYellow), 0);
  // Another folder: nothing.
  EXPECT_EQ(driver::SendCommand(frame, kCodeFileWritten, fileio::WithoutTrailingSeparator(elsewhere.Path())), 1);
  SendAndWait(frame, WM_NULL, 0, 0);
  PumpMessages(300);
  EXPECT_EQ(PixelsInCell(list_, cell, kMarkerYellow), 0);
  // The folder shown, in any letter case: the marker appears.
  EXPECT_EQ(driver::SendCommand(frame, kCodeFileWritten, fileio::ToUpper(pictures.Path())), 1);
  EXPECT_TRUE(PumpUntil([&] { return PixelsInCell(list_, cell, kMarkerYellow) >= 16; }, milliseconds(3000),
                        milliseconds(100)));
  EXPECT_EQ(Close(), 0);
}

TEST_F(KelmorList, SwitchingFileTypesQuicklyEndsEachFillerBeforeTheListIsRefilled) {
  TempDir pictures;
  for (int i = 0; i < 40; ++i)
    ASSERT_TRUE(WriteBmp(pictures.File("p" + std::to_string(100 + i) + ".bmp"), 320, 240, Pattern(320, 240, i)));
  HWND frame = Start(pictures.Path(), kPictures);
  ASSERT_NE(frame, nullptr);
  for (int round = 0; round < 15; ++round) {
    EXPECT_EQ(driver::SendCommand(frame, kCodeFileType1, ""), 1);
    EXPECT_EQ(driver::SendCommand(frame, kCodeFileType5, ""), 1);
    PostMessageA(frame, kMsgRepaint, reinterpret_cast<WPARAM>(list_), 1);
  }
  EXPECT_EQ(SendMessageA(list_, LB_GETCOUNT, 0, 0), 40);
  EXPECT_TRUE(PumpUntil([this] { return HaveThumbnails(list_); }, milliseconds(30000), milliseconds(50)));
  // Each thumbnail is a bitmap of its own.
  std::vector<LRESULT> data;
  for (int i = 0; i < 40; ++i) data.push_back(SendMessageA(list_, LB_GETITEMDATA, WPARAM(i), 0));
  std::sort(data.begin(), data.end());
  EXPECT_EQ(std::unique(data.begin(), data.end()), data.end());
  EXPECT_TRUE(Process().Running());
  EXPECT_EQ(Close(), 0);
}

TEST_F(KelmorList, RotatingAndMirroringRewriteThePictures) {
  TempDir pictures;
  ASSERT_TRUE(WriteBmp(pictures.File("m.bmp"), 3, 2, Pattern(3, 2)));
  ASSERT_TRUE(WriteBmp(pictures.File("r.bmp"), 3, 2, Pattern(3, 2)));
  imglib::Picture before;
  ASSERT_TRUE(ReadPicture(pictures.File("r.bmp"), before));
  HWND frame = Start(pictures.Path(), "*.*");
  ASSERT_NE(frame, nullptr);
  const std::vector<std::string> both{" m.bmp", " r.bmp"};
  ASSERT_EQ(WaitForList(list_, both, kStartMs), both);

  // A quarter turn clockwise: 3 x 2 becomes 2 x 3, the top-left pixel goes to the top right.
  SelectOnly(list_, {1});
  FileStamp stamp = StampOf(pictures.File("r.bmp"));
  SendAndWait(frame, WM_COMMAND, kTransformRotateRight, 0);
  ASSERT_TRUE(WaitForPictureSize(pictures.File("r.bmp"), stamp, 2, 3));
  // The file is written before the step's end: the next command waits for it (a command
  // given while a batch runs is refused with a beep, as a user meets it).
  SendAndWait(frame, WM_NULL, 0, 0);
  imglib::Picture rotated;
  ASSERT_TRUE(ReadPicture(pictures.File("r.bmp"), rotated));
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 2; ++x) EXPECT_EQ(Pixel(rotated.pixels, x, y), Pixel(before.pixels, y, 1 - x)) << x << "," << y;
  // The entry stays selected.
  EXPECT_GT(SendMessageA(list_, LB_GETSEL, 1, 0), 0);

  // A mirror image reverses every row.
  SelectOnly(list_, {0});
  stamp = StampOf(pictures.File("m.bmp"));
  SendAndWait(frame, WM_COMMAND, kTransformMirror, 0);
  ASSERT_TRUE(WaitForPictureSize(pictures.File("m.bmp"), stamp, 3, 2));
  SendAndWait(frame, WM_NULL, 0, 0);
  imglib::Picture mirrored;
  ASSERT_TRUE(ReadPicture(pictures.File("m.bmp"), mirrored));
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(Pixel(mirrored.pixels, x, y), Pixel(before.pixels, 2 - x, y)) << x << "," << y;

  // Rotating left turns it back.
  SelectOnly(list_, {1});
  stamp = StampOf(pictures.File("r.bmp"));
  SendAndWait(frame, WM_COMMAND, kTransformRotateLeft, 0);
  ASSERT_TRUE(WaitForPictureSize(pictures.File("r.bmp"), stamp, 3, 2));
  imglib::Picture back;
  ASSERT_TRUE(ReadPicture(pictures.File("r.bmp"), back));
  EXPECT_EQ(Pixel(back.pixels, 0, 0), Pixel(before.pixels, 0, 0));
  EXPECT_EQ(Pixel(back.pixels, 2, 1), Pixel(before.pixels, 2, 1));
  EXPECT_EQ(Close(), 0);
}

TEST_F(KelmorList, ABatchWorksOnTheFilesChosenAndReportsOnlyItsFirstFailure) {
  TempDir one, two;
  for (const char* name : {"a.bmp", "b.bmp"}) {
    ASSERT_TRUE(WriteBmp(one.File(name), 3, 2, Pattern(3, 2)));
    ASSERT_TRUE(WriteBmp(two.File(name), 3, 2, Pattern(3, 2)));
  }
  std::string broken = one.Write("broken.bmp", "BM but nothing else");
  std::string twoBefore;
  fileio::ReadWholeFile(two.File("a.bmp"), twoBefore);
  HWND frame = Start(one.Path(), "*.*");
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(WaitForList(list_, {" a.bmp", " b.bmp", " broken.bmp"}, kEventLimitMs).size(), 3u);
  SelectOnly(list_, {0, 1, 2});
  const FileStamp a = StampOf(one.File("a.bmp")), b = StampOf(one.File("b.bmp"));
  // The steps are queued; the folder changes before the first of them runs.
  SendAndWait(frame, WM_COMMAND, kTransformRotateRight, 0);
  driver::SendCommand(frame, kCodeGoToFolder, fileio::WithoutTrailingSeparator(two.Path()));
  EXPECT_TRUE(WaitForPictureSize(one.File("a.bmp"), a, 2, 3));
  EXPECT_TRUE(WaitForPictureSize(one.File("b.bmp"), b, 2, 3));
  // The file that could not be loaded is named once and left as it was.
  HWND box = WaitForWindow("SKMSGBOX", kEventLimitMs, Process().Id());
  ASSERT_NE(box, nullptr);
  std::string brokenAfter;
  fileio::ReadWholeFile(broken, brokenAfter);
  EXPECT_EQ(brokenAfter, "BM but nothing else");
  ASSERT_TRUE(driver::PressButton("SKMSGBOX", 1, "", kEventLimitMs));
  ASSERT_TRUE(WaitForNoWindow("SKMSGBOX", kEventLimitMs));
  // The other folder's files of the same names were not touched.
  std::string twoAfter;
  fileio::ReadWholeFile(two.File("a.bmp"), twoAfter);
  EXPECT_EQ(twoAfter, twoBefore);
  EXPECT_EQ(driver::ListItems(list_), (std::vector<std::string>{" a.bmp", " b.bmp"}));
  EXPECT_EQ(Close(), 0);
}

TEST_F(KelmorList, AGifIsTurnedAndSavedAsAGifAgain) {
  TempDir pictures;
  giftest::Frame frame0;
  frame0.width = 4;
  frame0.height = 2;
  frame0.indices = {0, 1, 0, 1, 1, 0, 1, 0};
  std::string gif = giftest::WriteGif(4, 2, {255, 0, 0, 0, 0, 255}, 0, {frame0});
  pictures.Write("a.gif", gif);
  imglib::Picture before;
  ASSERT_TRUE(ReadPicture(pictures.File("a.gif"), before));
  HWND frame = Start(pictures.Path(), "*.*");
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(WaitForList(list_, {" a.gif"}, kEventLimitMs).size(), 1u);
  SelectOnly(list_, {0});
  const FileStamp stamp = StampOf(pictures.File("a.gif"));
  SendAndWait(frame, WM_COMMAND, kTransformRotateRight, 0);
  ASSERT_TRUE(WaitForPictureSize(pictures.File("a.gif"), stamp, 2, 4));
  std::string after;
  fileio::ReadWholeFile(pictures.File("a.gif"), after);
  EXPECT_EQ(after.substr(0, 6), "GIF89a");
  imglib::Picture turned;
  ASSERT_TRUE(ReadPicture(pictures.File("a.gif"), turned));
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 2; ++x) EXPECT_EQ(Pixel(turned.pixels, x, y), Pixel(before.pixels, y, 1 - x)) << x << "," << y;
  EXPECT_EQ(fileio::ListDirectory(pictures.Path() + "*.*").size(), 1u);
  EXPECT_EQ(Close(), 0);
}

// FlashPix is saved in its own format too, every pixel kept (its tiles are uncompressed).
TEST_F(KelmorList, AFlashPixPictureIsTurnedAndSavedAsFlashPixAgain) {
  TempDir pictures;
  imglib::Raster source;
  source.Allocate(70, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 70; ++x) source.Set(x, y, uint8_t(x * 3), uint8_t(y * 90), uint8_t(255 - x));
  std::string fpx;
  ASSERT_EQ(imglib::EncodePicture(source, imglib::kFormatFpx, 24, 0, fpx), imglib::kSuccess);
  pictures.Write("a.fpx", fpx);
  HWND frame = Start(pictures.Path(), "*.*");
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(WaitForList(list_, {" a.fpx"}, kEventLimitMs).size(), 1u);
  SelectOnly(list_, {0});
  const FileStamp stamp = StampOf(pictures.File("a.fpx"));
  SendAndWait(frame, WM_COMMAND, kTransformRotateRight, 0);
  ASSERT_TRUE(WaitForPictureSize(pictures.File("a.fpx"), stamp, 3, 70));
  std::string after;
  fileio::ReadWholeFile(pictures.File("a.fpx"), after);
  EXPECT_EQ(imglib::DetectFormat(after), imglib::kFormatFpx);
  imglib::Picture turned;
  ASSERT_TRUE(ReadPicture(pictures.File("a.fpx"), turned));
  for (int y = 0; y < 70; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(Pixel(turned.pixels, x, y), Pixel(source, y, 2 - x)) << x << "," << y;
  EXPECT_EQ(fileio::ListDirectory(pictures.Path() + "*.*").size(), 1u);
  EXPECT_EQ(Close(), 0);
}

TEST_F(KelmorList, APictureThatCannotBeSavedIsNamedAndStaysAsItWas) {
  TempDir pictures;
  // A MacPaint page turned on its side no longer fits the one page size MacPaint has.
  imglib::Raster page;
  page.Allocate(576, 720);
  page.Fill(255, 255, 255);
  for (int x = 0; x < 100; ++x) page.Set(x, 3, 0, 0, 0);
  std::string mac;
  ASSERT_EQ(imglib::EncodePicture(page, imglib::kFormatMac, 1, 0, mac), imglib::kSuccess);
  pictures.Write("a.mac", mac);
  HWND frame = Start(pictures.Path(), "*.*");
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(WaitForList(list_, {" a.mac"}, kEventLimitMs).size(), 1u);
  SelectOnly(list_, {0});
  SendAndWait(frame, WM_COMMAND, kTransformRotateRight, 0);
  HWND box = WaitForWindow("SKMSGBOX", kEventLimitMs, Process().Id());
  EXPECT_NE(box, nullptr);
  if (box) driver::PressButton("SKMSGBOX", 1, "", 5000);
  std::string after;
  fileio::ReadWholeFile(pictures.File("a.mac"), after);
  EXPECT_EQ(after, mac);
  // No temporary file is left beside it.
  EXPECT_EQ(fileio::ListDirectory(pictures.Path() + "*.*").size(), 1u);
  EXPECT_EQ(Close(), 0);
}

// A volume's arrival or removal, as Windows broadcasts it.
LRESULT SendDriveEvent(HWND frame, WPARAM event, char drive) {
  DEV_BROADCAST_VOLUME volume{};
  volume.dbcv_size = sizeof volume;
  volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
  volume.dbcv_unitmask = 1u << (drive - 'A');
  DWORD_PTR answer = 0;
  SendMessageTimeoutA(frame, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(&volume), SMTO_NORMAL, 20000, &answer);
  return LRESULT(answer);
}

TEST_F(KelmorList, ARemovedDriveComesBackWithItsFolderAndANewOneIsOffered) {
  TempDir files;
  files.Write("a.txt", "a");
  HWND frame = Start(files.Path(), "*.*");
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(WaitForList(list_, {" a.txt"}, kEventLimitMs).size(), 1u);
  char drive = char(toupper(files.Path()[0]));

  // The drive of the current folder goes: the list empties.
  SendDriveEvent(frame, DBT_DEVICEREMOVECOMPLETE, drive);
  EXPECT_TRUE(WaitForList(list_, {}, 5000).empty());
  EXPECT_EQ(Status(frame), "");
  // It comes back: the folder and its list return without a question.
  SendDriveEvent(frame, DBT_DEVICEARRIVAL, drive);
  EXPECT_EQ(WaitForList(list_, {" a.txt"}, 5000), std::vector<std::string>{" a.txt"});
  EXPECT_EQ(WaitForWindow("SKMSGBOX", 1000, Process().Id()), nullptr);

  // Another drive arrives while a folder is shown: the browser asks once; no changes nothing.
  char other = drive == 'Z' ? 'C' : 'Z';
  // The question box runs inside the message: it is sent from another thread.
  std::thread sender([frame, other] { SendDriveEvent(frame, DBT_DEVICEARRIVAL, other); });
  HWND box = WaitForWindow("SKMSGBOX", kEventLimitMs, Process().Id());
  EXPECT_NE(box, nullptr);
  EXPECT_TRUE(driver::PressButton("SKMSGBOX", 2, "", kEventLimitMs));
  EXPECT_TRUE(WaitForNoWindow("SKMSGBOX", kEventLimitMs));
  sender.join();
  EXPECT_EQ(driver::ListItems(list_), std::vector<std::string>{" a.txt"});
  EXPECT_TRUE(Process().Running());
  EXPECT_EQ(Close(), 0);
}

// A new drive answered with yes: the browser closes and starts again at the drive's root,
// as a start caused by a drive (no start-up hint), with the settings it wrote.
TEST_F(KelmorList, ANewDriveAnsweredYesStartsTheBrowserAgainAtItsRoot) {
  RestartedBrowsers restarted;
  KelmorFolder& folder = Copy();
  TempDir files;
  files.Write("a.txt", "a");
  // The start-up hint is on: a plain start shows it, a start caused by a drive does not.
  folder.WriteSettings("30|40|700|500|" + files.Path() + "|*.htm;*.html;*.txt|0|0|0");
  HWND frame = ProgramTest::Start();
  ASSERT_NE(frame, nullptr);
  DWORD first = Process().Id();
  ASSERT_NE(WaitForWindow("SSLBUILDBOX", kStartMs, first), nullptr);
  ASSERT_TRUE(driver::PressButton("SSLBUILDBOX", 2, "", kEventLimitMs));
  ASSERT_TRUE(WaitForNoWindow("SSLBUILDBOX", kEventLimitMs));
  list_ = driver::FindChild(frame, kFileList);
  ASSERT_EQ(WaitForList(list_, {" a.txt"}, kEventLimitMs).size(), 1u);
  RECT before;
  GetWindowRect(frame, &before);

  char drive = char(toupper(files.Path()[0]));
  std::thread sender([frame, drive] { SendDriveEvent(frame, DBT_DEVICEARRIVAL, drive); });
  EXPECT_NE(WaitForWindow("SKMSGBOX", kEventLimitMs, first), nullptr);
  EXPECT_TRUE(driver::PressButton("SKMSGBOX", 1, "", kEventLimitMs));
  sender.join();
  EXPECT_EQ(Process().Wait(kStartMs), 0);
  std::string root = std::string(1, char(tolower(drive))) + ":\\";
  EXPECT_NE(folder.ReadSettings().find("|" + root + "|"), std::string::npos) << folder.ReadSettings();

  HWND again = WaitForBrowserOtherThan(first, kStartMs);
  ASSERT_NE(again, nullptr);
  DWORD second = 0;
  GetWindowThreadProcessId(again, &second);
  EXPECT_EQ(WaitForWindow("SSLBUILDBOX", 2000, second), nullptr);
  RECT after;
  GetWindowRect(again, &after);
  EXPECT_TRUE(EqualRect(&before, &after));
  EXPECT_EQ(SendMessageA(driver::FindChild(again, kFileTypeBox), CB_GETCURSEL, 0, 0), 2);
  std::vector<std::string> favourites = driver::ListItems(driver::FindChild(again, kFavouritesBox));
  ASSERT_FALSE(favourites.empty());
  EXPECT_EQ(favourites[0], " " + root);
  EXPECT_EQ(EndBrowserWindow(again), 0);
}

// The folder tree's notices: a right click (3) opens the tree's menu; a label edit (4,
// then 5) renames the folder, and the list follows it to its new name; a name Windows
// refuses is reported and changes nothing.
TEST_F(KelmorList, TheFolderTreeShowsItsMenuAndRenamesTheFolderItsLabelNames) {
  TempDir files;
  files.Write("album\\a.txt", "a");
  HWND frame = Start(files.File("album"), "*.*");
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(WaitForList(list_, {" a.txt"}, kEventLimitMs).size(), 1u);
  HWND tree = OpenAndCloseTreePopup(frame);
  ASSERT_NE(tree, nullptr);

  // As the menu's rename command does: labels become editable, and the folder's label is
  // edited.
  SetWindowLongPtrA(tree, GWL_STYLE, GetWindowLongPtrA(tree, GWL_STYLE) | TVS_EDITLABELS);
  // The end of the edit is posted: a refused name shows a box before it returns.
  auto rename = [tree](const std::string& name) {
    auto item = SendAndWait(tree, TVM_GETNEXTITEM, TVGN_CARET, 0);
    HWND edit = reinterpret_cast<HWND>(SendAndWait(tree, TVM_EDITLABELA, 0, item));
    if (!edit || !driver::SetText(edit, name)) return false;
    return PostMessageA(tree, TVM_ENDEDITLABELNOW, FALSE, 0) != FALSE;
  };
  ASSERT_TRUE(rename("album 2004"));
  EXPECT_TRUE(PumpUntil([&] { return fileio::IsDirectory(files.File("album 2004")); }, kEventLimit));
  EXPECT_FALSE(fileio::Exists(files.File("album")));
  std::string renamed = fileio::ToLower(files.File("album 2004"));
  EXPECT_TRUE(PumpUntil([&] { return Status(frame) == "1 file in " + renamed; }, kEventLimit)) << Status(frame);
  EXPECT_EQ(driver::ListItems(list_), std::vector<std::string>{" a.txt"});

  ASSERT_TRUE(rename("bad|name"));
  EXPECT_NE(WaitForWindow("SKMSGBOX", kEventLimitMs, Process().Id()), nullptr);
  EXPECT_TRUE(driver::PressButton("SKMSGBOX", 1, "", kEventLimitMs));
  EXPECT_TRUE(fileio::IsDirectory(files.File("album 2004")));
  EXPECT_EQ(Close(), 0);
  EXPECT_NE(Copy().ReadSettings().find("|" + renamed + "\\|"), std::string::npos) << Copy().ReadSettings();
}

TEST_F(KelmorList, ChoosingASkinRewritesTheSkinListAndAsksToRestart) {
  KelmorFolder& folder = Copy();
  folder.CopySkins();
  TempDir files;
  HWND frame = Start(files.Path(), "*.*");
  ASSERT_NE(frame, nullptr);
  // The skins are listed by path: Sand is command 301, Slate 302.
  PostMessageA(frame, WM_COMMAND, kFirstSkinCommand, 0);
  HWND box = WaitForWindow("SKMSGBOX", kEventLimitMs, Process().Id());
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(driver::PressButton("SKMSGBOX", 2, "", kEventLimitMs));
  ASSERT_TRUE(WaitForNoWindow("SKMSGBOX", kEventLimitMs));
  std::string list;
  fileio::ReadWholeFile(folder.ProgramFolder() + "TOLVERN.SKL", list);
  EXPECT_NE(fileio::ToLower(list).find("sand\\sand.sks"), std::string::npos) << list;
  EXPECT_TRUE(Process().Running());
  EXPECT_EQ(Close(), 0);
}

TEST_F(KelmorList, AWallpaperIsMadeTheSizeOfTheScreen) {
  KelmorFolder& folder = Copy();
  TempDir pictures;
  ASSERT_TRUE(WriteBmp(pictures.File("w.bmp"), 8, 6, Pattern(8, 6)));
  HKEY desktop = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_READ | KEY_WRITE, &desktop), ERROR_SUCCESS);
  char old[MAX_PATH] = {};
  DWORD size = sizeof old;
  bool hadOld = RegQueryValueExA(desktop, "Wallpaper", nullptr, nullptr, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS;
  HWND frame = Start(pictures.Path(), "*.*");
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(WaitForList(list_, {" w.bmp"}, kEventLimitMs).size(), 1u);
  SelectOnly(list_, {0});
  SendAndWait(frame, WM_COMMAND, kWallpaperCommand, 0);
  std::string wallpaper = folder.ProgramFolder() + "KELMORWLP.BMP";
  imglib::Picture made;
  ASSERT_TRUE(ReadPicture(wallpaper, made));
  EXPECT_EQ(made.pixels.Width(), GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(made.pixels.Height(), GetSystemMetrics(SM_CYSCREEN));
  char now[MAX_PATH] = {};
  size = sizeof now;
  ASSERT_EQ(RegQueryValueExA(desktop, "Wallpaper", nullptr, nullptr, reinterpret_cast<BYTE*>(now), &size), ERROR_SUCCESS);
  EXPECT_TRUE(fileio::EqualsNoCase(now, wallpaper)) << now;
  EXPECT_EQ(Close(), 0);
  if (hadOld) RegSetValueExA(desktop, "Wallpaper", 0, REG_SZ, reinterpret_cast<const BYTE*>(old), DWORD(strlen(old) + 1));
  else RegDeleteValueA(desktop, "Wallpaper");
  RegCloseKey(desktop);
}

TEST_F(KelmorList, TheCollectionListGathersAndLosesFiles) {
  TempDir files;
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) files.Write(name, name);
  HWND frame = Start(files.Path(), "*.*");
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(WaitForList(list_, {" a.txt", " b.txt", " c.txt"}, kEventLimitMs).size(), 3u);
  HWND collection = driver::FindChild(frame, kCollectionList);
  std::string base = fileio::ToLower(files.Path());
  SelectOnly(list_, {0, 2});
  SendAndWait(frame, WM_COMMAND, kAddButton, 0);
  EXPECT_EQ(driver::ListItems(collection), (std::vector<std::string>{" " + base + "a.txt", " " + base + "c.txt"}));
  // The current file goes in at the collection's current entry.
  SendMessageA(list_, LB_SETCARETINDEX, 1, FALSE);
  SendMessageA(collection, LB_SETSEL, TRUE, 1);
  SendMessageA(collection, LB_SETCARETINDEX, 1, FALSE);
  SendAndWait(frame, WM_COMMAND, kAddCurrentCommand, 0);
  EXPECT_EQ(driver::ListItems(collection),
            (std::vector<std::string>{" " + base + "a.txt", " " + base + "b.txt", " " + base + "c.txt"}));
  // Removing the selected entries.
  SendMessageA(collection, LB_SETSEL, FALSE, -1);
  SendMessageA(collection, LB_SETSEL, TRUE, 0);
  SendMessageA(collection, LB_SETSEL, TRUE, 2);
  SendAndWait(frame, WM_COMMAND, kRemoveFromCollectionCommand, 0);
  EXPECT_EQ(driver::ListItems(collection), std::vector<std::string>{" " + base + "b.txt"});
  // Without a selected entry, new files go to the end; Alt+Up moves the selected entries
  // one place up.
  SendMessageA(collection, LB_SETSEL, FALSE, -1);
  SelectOnly(list_, {0, 2});
  SendAndWait(frame, WM_COMMAND, kAddButton, 0);
  EXPECT_EQ(driver::ListItems(collection),
            (std::vector<std::string>{" " + base + "b.txt", " " + base + "a.txt", " " + base + "c.txt"}));
  SendMessageA(collection, LB_SETSEL, FALSE, -1);
  SendMessageA(collection, LB_SETSEL, TRUE, 2);
  PostMessageA(collection, WM_SYSKEYDOWN, VK_UP, 0x20000000);
  SendAndWait(frame, WM_NULL, 0, 0);
  EXPECT_EQ(WaitForList(collection, {" " + base + "b.txt", " " + base + "c.txt", " " + base + "a.txt"}, 5000),
            (std::vector<std::string>{" " + base + "b.txt", " " + base + "c.txt", " " + base + "a.txt"}));
  EXPECT_GT(SendMessageA(collection, LB_GETSEL, 1, 0), 0);
  EXPECT_EQ(Close(), 0);
}

TEST_F(KelmorList, ProgramCommandsHandOverTheSelectedFiles) {
  KelmorFolder& folder = Copy();
  // The programs' files must exist for their commands to stay in the menu; the running
  // stand-ins take the programs' places.
  folder.AddStandinAs("bravik.exe");
  folder.AddStandinAs("hessam.exe");
  folder.SetMenuAction(kFirstProgramCommand, "bravik.exe,KELMORPICTURES");
  folder.SetMenuAction(kCommaListTool, "hessam.exe,KELMORCOMMAS");
  std::string pictureLog = folder.Log("pictures.txt"), commaLog = folder.Log("commas.txt");
  ASSERT_TRUE(RunStandin("KELMORPICTURES", pictureLog));
  ASSERT_TRUE(RunStandin("KELMORCOMMAS", commaLog));
  TempDir files;
  for (const char* name : {"a.jpg", "b.png", "notes.txt"}) files.Write(name, name);
  HWND frame = Start(files.Path(), "*.*");
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(WaitForList(list_, {" a.jpg", " b.png", " notes.txt"}, kEventLimitMs).size(), 3u);
  SelectOnly(list_, {0, 1, 2});
  std::string base = fileio::ToLower(files.Path());
  // A picture program gets the selected pictures only, joined by "|".
  SendAndWait(frame, WM_COMMAND, kFirstProgramCommand, 0);
  std::vector<LoggedMessage> got = WaitForLog(pictureLog, 1, kEventLimitMs);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].code, kCodeOpen);
  EXPECT_EQ(got[0].text, base + "a.jpg|" + base + "b.png");
  // Command 1005 gets every selected file, joined by ",".
  SendAndWait(frame, WM_COMMAND, kCommaListTool, 0);
  got = WaitForLog(commaLog, 1, kEventLimitMs);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].text, base + "a.jpg," + base + "b.png," + base + "notes.txt");
  CloseStandin("KELMORPICTURES");
  CloseStandin("KELMORCOMMAS");
  EXPECT_EQ(Close(), 0);
}

TEST_F(KelmorList, HelpOpensTheHelpPageInTheHelpViewer) {
  KelmorFolder& folder = Copy();
  folder.AddStandinAs("standin.exe");
  std::string log = folder.Log("help.txt");
  folder.SetUiEntry(44, "standin.exe KELMORHELP " + log + ",KELMORHELP");
  std::string page = folder.ProgramFolder() + "kelmor.htm";
  ASSERT_EQ(fileio::CopyFileTo(SuiteFolder() + "kelmor.htm", page), fileio::kOk);
  TempDir files;
  HWND frame = Start(files.Path(), "*.*");
  ASSERT_NE(frame, nullptr);
  // The viewer is started (code 1), then gets the page (code 3).
  SendAndWait(frame, WM_COMMAND, kHelpButton, 0);
  std::vector<LoggedMessage> got = WaitForLog(log, 2, kEventLimitMs);
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].code, kCodeStarted);
  EXPECT_EQ(got[1].code, kCodeOpen);
  EXPECT_TRUE(fileio::EqualsNoCase(got[1].text, page)) << got[1].text;
  CloseStandin("KELMORHELP");
  size_t logged = ReadStandinLog(log).size();
  // Without the page the browser says so, and starts no viewer.
  fileio::RemoveFile(page);
  PostMessageA(frame, WM_COMMAND, kHelpCommand, 0);
  EXPECT_NE(WaitForWindow("SKMSGBOX", kEventLimitMs, Process().Id()), nullptr);
  EXPECT_TRUE(driver::PressButton("SKMSGBOX", 1, "", kEventLimitMs));
  EXPECT_EQ(ReadStandinLog(log).size(), logged);
  EXPECT_EQ(FindWindowA("KELMORHELP", nullptr), nullptr);
  EXPECT_EQ(Close(), 0);
}

// The list is filled by appending the entries in an order found once, not by letting the
// list place each: that order must be the list's own (punctuation and digits included),
// or the entries a refresh adds later land in the wrong places.
TEST_F(KelmorList, FilledEntriesStandWhereTheSortedListItselfPutsThem) {
  TempDir files;
  const std::vector<std::string> names = {"b.txt",  "_x.txt", "a-b.txt", "ab.txt", "10.txt", "9.txt",
                                          "a b.txt", "~t.txt", "aa.txt",  "a'c.txt", "Z.txt",  "a.b.c.txt"};
  for (const std::string& n : names) files.Write(n, "x");
  // What a sorted list makes of the same entries, added one by one.
  auto placedByAList = [](const std::vector<std::string>& entries) {
    HWND sorted = CreateWindowExA(0, "LISTBOX", "", LBS_SORT | LBS_HASSTRINGS, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    for (const std::string& e : entries) SendMessageA(sorted, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.c_str()));
    std::vector<std::string> out = driver::ListItems(sorted);
    DestroyWindow(sorted);
    return out;
  };
  std::vector<std::string> entries;
  for (const std::string& n : names) entries.push_back(" " + fileio::ToLower(n));
  std::vector<std::string> expected = placedByAList(entries);
  ASSERT_EQ(expected.size(), names.size());
  HWND frame = Start(files.Path(), "*.*");
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(WaitForList(list_, expected, kEventLimitMs), expected);
  // A file that arrives later is placed by the list among the appended ones.
  files.Write("a_c.txt", "x");
  entries.push_back(" a_c.txt");
  expected = placedByAList(entries);
  EXPECT_EQ(WaitForList(list_, expected, 3000), expected);
  EXPECT_EQ(Close(), 0);
}

// What a user sees of the folder tree: for each row from the top of the tree (scrolled
// off or not), whether it is open; the first row shown; the rows in all. (Another
// process cannot read the tree's scroll bar under Wine; the first row shown is where it is.)
struct TreeLook {
  std::vector<bool> openRows;
  int firstShown = -1;
  LRESULT rows = 0;
};
TreeLook LookOf(HWND tree) {
  TreeLook look;
  look.rows = SendAndWait(tree, TVM_GETCOUNT, 0, 0);
  LRESULT first = SendAndWait(tree, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0);
  int row = 0;
  for (LRESULT item = SendAndWait(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0); item;
       item = SendAndWait(tree, TVM_GETNEXTITEM, TVGN_NEXTVISIBLE, item), ++row) {
    if (item == first) look.firstShown = row;
    look.openRows.push_back((SendAndWait(tree, TVM_GETITEMSTATE, WPARAM(item), TVIS_EXPANDED) & TVIS_EXPANDED) != 0);
  }
  return look;
}

// The items below an item of the tree, in order.
std::vector<LRESULT> ChildItems(HWND tree, LRESULT item) {
  std::vector<LRESULT> children;
  for (LRESULT c = SendAndWait(tree, TVM_GETNEXTITEM, TVGN_CHILD, item); c;
       c = SendAndWait(tree, TVM_GETNEXTITEM, TVGN_NEXT, c))
    children.push_back(c);
  return children;
}

// Folders made at the top of a fixed drive (the test drive T: when the prefix maps it):
// Wine reports a drive's folder changes only there. Removed at the end.
class TopFolders {
 public:
  ~TopFolders() {
    for (const std::string& f : made_) RemoveDirectoryA(f.c_str());
  }
  bool Make(const std::string& name) {
    std::string drive = fileio::IsDirectory("T:\\") ? "T:\\" : "C:\\";
    std::string folder = drive + "kelmortree-" + std::to_string(GetCurrentProcessId()) + "-" + name;
    if (!CreateDirectoryA(folder.c_str(), nullptr)) return false;
    made_.push_back(folder);
    return true;
  }

 private:
  std::vector<std::string> made_;
};

// How many times the folder tree has been built (its control's property).
long TreeBuilds(HWND control) { return long(reinterpret_cast<INT_PTR>(GetPropA(control, "#BffBuilds"))); }

class KelmorTree : public KelmorList {
 protected:
  // Starts the browser at the folder, opens the folder's row (the selected one) and waits
  // until it shows the folder's subfolders; that row, or 0.
  LRESULT StartAtFolder(const std::string& folder, size_t subfolders) {
    HWND frame = Start(folder, "*.*");
    if (!frame) return 0;
    frame_ = frame;
    control_ = driver::FindChild(frame, kFolderTree);
    tree_ = driver::FindChildByClass(frame, "SysTreeView32");
    if (!control_ || !tree_) return 0;
    LRESULT current = 0;
    PumpUntil(
        [&] {
          current = SendAndWait(tree_, TVM_GETNEXTITEM, TVGN_CARET, 0);
          if (current) SendAndWait(tree_, TVM_EXPAND, TVE_EXPAND, current);
          return current && ChildItems(tree_, current).size() == subfolders;
        },
        milliseconds(20000));
    return current;
  }
  // Waits for a build of the tree after the given count, and for its end.
  bool WaitForBuildAfter(long builds) {
    if (!PumpUntil([&] { return TreeBuilds(control_) > builds; }, milliseconds(20000))) return false;
    SendAndWait(frame_, WM_NULL, 0, 0);
    return true;
  }
  HWND frame_ = nullptr, control_ = nullptr, tree_ = nullptr;
};

// A folder made elsewhere on a drive has the drive watcher build the tree again: the
// folders the user opened stay open and the rows stay where the user scrolled them.
TEST_F(KelmorTree, TheFolderTreeKeepsItsOpenFoldersAndItsScrollOverARebuild) {
  TempDir folders;
  TopFolders elsewhere;
  for (int i = 0; i < 40; ++i) folders.Write("f" + std::to_string(10 + i) + "\\inner\\x.txt", "x");
  LRESULT current = StartAtFolder(folders.Path(), 40);
  ASSERT_NE(current, 0);
  std::vector<LRESULT> children = ChildItems(tree_, current);
  ASSERT_EQ(children.size(), 40u);
  // The user opens the 6th and the 31st folder and scrolls the tree down.
  SendAndWait(tree_, TVM_EXPAND, TVE_EXPAND, children[5]);
  SendAndWait(tree_, TVM_EXPAND, TVE_EXPAND, children[30]);
  for (int i = 0; i < 25; ++i) SendAndWait(tree_, WM_VSCROLL, SB_LINEDOWN, 0);
  TreeLook before = LookOf(tree_);
  ASSERT_GT(before.firstShown, 0);
  long builds = TreeBuilds(control_);
  ASSERT_GT(builds, 0);

  ASSERT_TRUE(elsewhere.Make("new"));
  ASSERT_TRUE(WaitForBuildAfter(builds));
  TreeLook after = LookOf(tree_);
  EXPECT_EQ(after.openRows, before.openRows);
  EXPECT_EQ(after.rows, before.rows);
  EXPECT_EQ(after.firstShown, before.firstShown);
  // The current folder is still the selected one.
  LRESULT selected = SendAndWait(tree_, TVM_GETNEXTITEM, TVGN_CARET, 0);
  EXPECT_EQ(ChildItems(tree_, selected).size(), 40u);
  EXPECT_EQ(Close(), 0);
}

// A burst of 100 folders made elsewhere on a drive: the tree is built again at most once
// for each second the burst took. The rebuilds are counted up to one more folder made
// after the first of them, whose own rebuild ends the count. The count is printed (a
// measure, not only a limit).
TEST_F(KelmorTree, ABurstOfAHundredFoldersElsewhereRebuildsTheTreeAtMostOnceASecond) {
  TempDir folders;
  TopFolders elsewhere;
  folders.Write("a\\x.txt", "x");
  ASSERT_NE(StartAtFolder(folders.Path(), 1), 0);
  long builds = TreeBuilds(control_);
  auto started = std::chrono::steady_clock::now();
  for (int i = 0; i < 100; ++i) ASSERT_TRUE(elsewhere.Make(std::to_string(i)));
  auto burstMs = std::chrono::duration_cast<milliseconds>(std::chrono::steady_clock::now() - started).count();
  ASSERT_TRUE(WaitForBuildAfter(builds));
  ASSERT_TRUE(elsewhere.Make("last"));
  long beforeLast = TreeBuilds(control_);
  ASSERT_TRUE(WaitForBuildAfter(beforeLast));
  long burstBuilds = beforeLast - builds;
  std::printf("folder tree rebuilds for 100 folders made in %lld ms: %ld\n", (long long)burstMs, burstBuilds);
  RecordProperty("burst_rebuilds", int(burstBuilds));
  EXPECT_LE(burstBuilds, 1 + burstMs / 1000);
  EXPECT_EQ(Close(), 0);
}

}  // namespace

}  // namespace kelmor
