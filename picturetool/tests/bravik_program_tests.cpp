// The picture tool as a user and its partner programs see it: started under Wine, driven
// from outside with the test driver, its files read back with the suite's own readers.
#include <gtest/gtest.h>

#include <cstring>
#include <windows.h>
#include <commctrl.h>

#include <chrono>

#include "bravik_fixture.h"
#include "driver.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "imaging/copydata.h"
#include "imaging/layer_file.h"
#include "imaging/suite_classes.h"
#include "gif_writer.h"
#include "imglib/imglib.h"
#include "toolbox.h"
#include "win/raii.h"

namespace bravik {
namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out += char(v);
  return out;
}

// A command the tool does not have.
constexpr int kNoCommand = 1108;

int16_t Int16At(const std::string& s, size_t at) { return int16_t(uint8_t(s[at]) | (uint8_t(s[at + 1]) << 8)); }

// A new picture through the size box.
bool NewPicture(Tool& tool, int width, int height) {
  tool.Post(kCmdNewPicture);
  HWND box = WaitForWindow(kSizeBoxClass, kWaitMs, tool.ProcessId());
  if (!box) return false;
  return driver::SetText(driver::WaitChild(box, kBoxWidthField, kWaitMs), std::to_string(width)) &&
         driver::SetText(driver::WaitChild(box, kBoxHeightField, kWaitMs), std::to_string(height)) &&
         PressBoxButton(box, kBoxApply);
}

ImgFileInfo Info(const std::string& path) {
  ImgFileInfo info;
  L_FileInfo(path, &info);
  return info;
}

TEST_F(Bravik, WithoutItsUiFileItNamesTheFileAndEndsWithCode2) {
  WithoutUiFile();
  ChildProcess& tool = Launch();
  HWND box = WaitForWindow("SKMSGBOX", kWaitMs, tool.Id());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(FindWindowA(kClassPictureTool, nullptr), nullptr);
  ASSERT_TRUE(driver::PressButton("SKMSGBOX", 1, "", kEventLimitMs));
  EXPECT_EQ(tool.Wait(kWaitMs), 2);
}

TEST_F(Bravik, ASecondStartBringsTheFirstToTheFrontAndEnds) {
  Tool first = StartTool();
  ASSERT_TRUE(first.Started());
  ShowWindow(first.Frame(), SW_MINIMIZE);
  ChildProcess& second = Launch();
  EXPECT_EQ(second.Wait(kWaitMs), 0);
  EXPECT_FALSE(IsIconic(first.Frame()));
  EXPECT_TRUE(IsWindow(first.Frame()));
  EXPECT_EQ(first.End(), 0);
}

TEST_F(Bravik, AListFromCode3StepsWithWrapAroundAndCode10KeepsTheSettings) {
  BravikFolder& folder = Copy();
  std::string a = folder.Picture("a.bmp"), b = folder.Picture("b.bmp"), c = folder.Picture("c.bmp");
  ASSERT_TRUE(WritePicture(a, 20, 10, 200, 0, 0));
  ASSERT_TRUE(WritePicture(b, 30, 10, 0, 200, 0));
  ASSERT_TRUE(WritePicture(c, 40, 10, 0, 0, 200));
  Tool tool = StartTool();
  ASSERT_TRUE(tool.Started());
  ASSERT_TRUE(tool.Open(a + "|" + b + "|" + c, "a.bmp 20 x10"));
  EXPECT_TRUE(tool.WaitLabel("1/3"));
  tool.Run(kButtonNext);
  EXPECT_TRUE(tool.WaitLabel("2/3"));
  EXPECT_TRUE(tool.WaitStatusHolds(" b.bmp 30 x10 ")) << tool.Status();
  tool.Run(kButtonNext);
  tool.Run(kButtonNext);  // from the last item to the first
  EXPECT_TRUE(tool.WaitLabel("1/3"));
  EXPECT_TRUE(tool.WaitStatusHolds(" a.bmp 20 x10 "));
  tool.Run(kButtonPrevious);  // from the first item to the last
  EXPECT_TRUE(tool.WaitLabel("3/3"));
  EXPECT_TRUE(tool.WaitStatusHolds(" c.bmp 40 x10 "));
  // The track bar goes to an item too.
  HWND track = driver::FindChild(tool.Frame(), kTrackList);
  ASSERT_NE(track, nullptr);
  SendMessageA(track, TBM_SETPOS, TRUE, 2);
  tool.Run(kTrackList);
  EXPECT_TRUE(tool.WaitLabel("2/3"));
  // Code 10 ends the tool at once; the settings record is still written.
  folder.RemoveSettings();
  EXPECT_EQ(tool.End(), 0);
  std::string settings = folder.ReadSettings();
  ASSERT_GE(settings.size(), 8u + 5u);
  EXPECT_EQ(settings.substr(8, folder.PicturesFolder().size()), folder.PicturesFolder());
  EXPECT_NE(settings.find("|*.BMP#"), std::string::npos);
}

// The picture named on the command line (in quotes, with a blank in its name) opens at
// the start as a list of one; a file that does not exist leaves the tool empty.
TEST_F(Bravik, TheCommandLinePictureOpensAtTheStart) {
  BravikFolder& folder = Copy();
  std::string photo = folder.Picture("My Photo.bmp");
  ASSERT_TRUE(WritePicture(photo, 24, 16, 0, 100, 200));
  {
    Tool tool = StartTool("\"" + photo + "\"");
    ASSERT_TRUE(tool.Started());
    EXPECT_TRUE(tool.WaitStatusHolds(" my photo.bmp 24 x16 ")) << tool.Status();
    EXPECT_TRUE(tool.WaitLabel("1/1"));
    // The folder of the picture is the current folder the settings keep.
    EXPECT_EQ(tool.End(), 0);
    std::string settings = folder.ReadSettings();
    ASSERT_GE(settings.size(), 8u + folder.PicturesFolder().size());
    EXPECT_TRUE(fileio::EqualsNoCase(settings.substr(8, folder.PicturesFolder().size()), folder.PicturesFolder()));
  }
  Tool empty = StartTool("\"" + folder.Picture("missing.bmp") + "\"");
  ASSERT_TRUE(empty.Started());
  SendAndWait(empty.Frame(), WM_NULL, 0, 0);  // the start-up step has run
  EXPECT_EQ(empty.Status(), "");
  EXPECT_NE(empty.ListLabel(), "1/1");
  EXPECT_EQ(empty.End(), 0);
}

// Without a partner program the tool opens pictures through its own pick dialog: the
// pictures of the current folder (no other files), several at once; a cancel changes
// nothing.
TEST_F(Bravik, ItsOwnOpenDialogOpensTheChosenPictures) {
  BravikFolder& folder = Copy();
  ASSERT_TRUE(WritePicture(folder.Picture("a.bmp"), 20, 10, 200, 0, 0));
  ASSERT_TRUE(WritePicture(folder.Picture("b.bmp"), 30, 10, 0, 200, 0));
  fileio::WriteFileReplacing(folder.Picture("notes.txt"), "not a picture");
  Tool tool = StartTool();
  ASSERT_TRUE(tool.Started());
  auto openDialog = [&] {
    tool.Post(kCmdOpen);
    HWND dialog = WaitProcessWindow(tool.ProcessId(), "QORDLG", nullptr, kWaitMs);
    HWND list = dialog ? driver::WaitChild(dialog, 2, kWaitMs) : nullptr;
    return list && PumpUntil([list] { return SendMessageA(list, LB_GETCOUNT, 0, 0) > 0; },
                             std::chrono::milliseconds(kWaitMs))
               ? dialog
               : nullptr;
  };
  HWND dialog = openDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(driver::ListItems(driver::FindChild(dialog, 2)), (std::vector<std::string>{"a.bmp", "b.bmp"}));
  SendMessageA(driver::FindChild(dialog, 2), LB_SETSEL, TRUE, -1);
  ASSERT_TRUE(driver::PressButton("QORDLG", 2, "", kWaitMs));
  EXPECT_TRUE(tool.WaitLabel("1/2"));
  EXPECT_TRUE(tool.WaitStatusHolds(" a.bmp 20 x10 "));
  tool.Run(kButtonNext);
  EXPECT_TRUE(tool.WaitStatusHolds(" b.bmp 30 x10 "));

  dialog = openDialog();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(driver::PressButton("QORDLG", 1, "", kWaitMs));
  ASSERT_TRUE(WaitForNoWindow("QORDLG", kWaitMs));
  SendAndWait(tool.Frame(), WM_NULL, 0, 0);
  EXPECT_EQ(tool.ListLabel(), "2/2");
  tool.Run(kButtonPrevious);
  EXPECT_TRUE(tool.WaitStatusHolds(" a.bmp 20 x10 "));
  EXPECT_EQ(tool.End(), 0);
}

TEST_F(Bravik, ListsThatArriveTogetherOpenTheLastOneOnce) {
  BravikFolder& folder = Copy();
  std::string a = folder.Picture("a.bmp"), b = folder.Picture("b.bmp");
  ASSERT_TRUE(WritePicture(a, 20, 10, 200, 0, 0));
  ASSERT_TRUE(WritePicture(b, 30, 10, 0, 200, 0));
  Tool tool = StartTool();
  ASSERT_TRUE(tool.Started());
  // As the media browser does when it had to start the tool: code 1, then the list.
  driver::SendCommand(tool.Frame(), kCodeStarted, "");
  driver::SendCommand(tool.Frame(), kCodeOpen, a);
  driver::SendCommand(tool.Frame(), kCodeOpen, b + "|" + a);
  EXPECT_TRUE(tool.WaitStatusHolds(" b.bmp 30 x10 "));
  EXPECT_TRUE(tool.WaitLabel("1/2"));
  // A list that arrives while the save question of another is open waits for it.
  ASSERT_TRUE(tool.AddText("change"));
  driver::SendCommand(tool.Frame(), kCodeOpen, a);
  ASSERT_TRUE(tool.BoxShows(kWaitMs));
  driver::SendCommand(tool.Frame(), kCodeOpen, b);
  ASSERT_TRUE(tool.Answer(2));
  EXPECT_TRUE(tool.WaitStatusHolds(" b.bmp 30 x10 "));
  EXPECT_TRUE(tool.WaitLabel("1/1"));
  EXPECT_FALSE(tool.BoxShows(1000));
  EXPECT_EQ(tool.End(), 0);
}

TEST_F(Bravik, TheSettingsRecordRoundTripsByteForByte) {
  BravikFolder& folder = Copy();
  // 100, 50, 700 x 500, a folder with "#" in its name, zoom box at 10, 20.
  std::string record = Bytes({0x64, 0x00, 0x32, 0x00, 0xBC, 0x02, 0xF4, 0x01}) + "C:\\p#1\\|*.JPG#" +
                       Bytes({0x0A, 0x00, 0x14, 0x00});
  folder.WriteSettings(record);
  {
    Tool tool = StartTool();
    ASSERT_TRUE(tool.Started());
    RECT r;
    GetWindowRect(tool.Frame(), &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 50);
    EXPECT_EQ(r.right - r.left, 700);
    EXPECT_EQ(r.bottom - r.top, 500);
    EXPECT_EQ(tool.Close(), 0);
  }
  EXPECT_EQ(folder.ReadSettings(), record);
}

TEST_F(Bravik, AMissingOrCutSettingsFileGivesTheDefaults) {
  for (bool cut : {false, true}) {
    BravikFolder& folder = Copy();
    folder.RemoveSettings();
    if (cut) folder.WriteSettings(Bytes({0x64, 0x00, 0x32}));
    Tool tool = StartTool();
    ASSERT_TRUE(tool.Started());
    RECT r;
    GetWindowRect(tool.Frame(), &r);
    int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(r.right - r.left, 600) << cut;
    EXPECT_EQ(r.bottom - r.top, 400) << cut;
    EXPECT_EQ(r.left, std::max(0, (sw - 600) / 2)) << cut;
    EXPECT_EQ(r.top, std::max(0, (sh - 400) / 2)) << cut;
    EXPECT_EQ(tool.Close(), 0);
    std::string written = folder.ReadSettings();
    ASSERT_GE(written.size(), 13u);
    EXPECT_EQ(Int16At(written, 4), 600);
    // The current folder is the Windows folder; no save filter; the zoom box at 0, 0.
    std::string windows = written.substr(8, written.find('|') - 8);
    char expected[MAX_PATH];
    GetWindowsDirectoryA(expected, MAX_PATH);
    EXPECT_TRUE(fileio::EqualsNoCase(fileio::WithoutTrailingSeparator(windows), expected)) << windows;
    EXPECT_EQ(written.substr(written.size() - 6), Bytes({'|', '#', 0, 0, 0, 0}));
  }
}

TEST_F(Bravik, SavesEveryWritableTypeAndRefusesGif) {
  BravikFolder& folder = Copy();
  std::string a = folder.Picture("a.bmp");
  ASSERT_TRUE(WritePicture(a, 41, 27, 30, 160, 220));
  Tool tool = StartTool();
  ASSERT_TRUE(tool.Started());
  ASSERT_TRUE(tool.Open(a, "a.bmp 41 x27"));
  // TIFF goes through GDI+, the others through the imaging layer.
  for (const char* ext : {"bmp", "jpg", "png", "pcx", "tga", "tif"}) {
    std::string name = std::string("out.") + ext;
    ASSERT_TRUE(tool.SaveAs(name)) << name;
    std::string path = folder.Picture(name);
    ASSERT_TRUE(fileio::Exists(path)) << name;
    ImgFileInfo info = Info(path);
    EXPECT_EQ(info.width, 41) << name;
    EXPECT_EQ(info.height, 27) << name;
    // The tool shows the saved picture.
    EXPECT_TRUE(tool.WaitStatusHolds(" " + name + " 41 x27 ")) << name;
    EXPECT_FALSE(fileio::Exists(folder.Picture("~new~" + name)));
  }
  // Saved JPEG pictures keep their colours closely (quality factor 2 is the finest).
  imglib::BitmapOwner jpeg;
  ASSERT_EQ(L_LoadBitmap(folder.Picture("out.jpg"), jpeg.Get(), 24), imglib::kSuccess);
  const uint8_t* p = jpeg->bits + size_t(10) * size_t(jpeg->stride) + 10 * 3;
  EXPECT_NEAR(p[0], 220, 6);
  EXPECT_NEAR(p[1], 160, 6);
  EXPECT_NEAR(p[2], 30, 6);
  // GIF is refused with the error box and nothing is written.
  ASSERT_TRUE(tool.SaveAs("out.gif"));
  EXPECT_FALSE(fileio::Exists(folder.Picture("out.gif")));
  EXPECT_FALSE(fileio::Exists(folder.Picture("~new~out.gif")));
  // The metafiles, which GDI+ reads but cannot write, come from the imaging layer; so do
  // PICT, WordPerfect graphics and FlashPix.
  for (const char* ext : {"wmf", "emf", "pct", "wpg", "fpx"}) {
    std::string name = std::string("out.") + ext;
    ASSERT_TRUE(tool.SaveAs(name)) << name;
    ImgFileInfo info = Info(folder.Picture(name));
    EXPECT_EQ(info.width, 41) << name;
    EXPECT_EQ(info.height, 27) << name;
    EXPECT_FALSE(fileio::Exists(folder.Picture("~new~" + name)));
  }
  // FlashPix keeps every pixel of the picture it saved: the one reloaded from the WPG
  // file saved just before (every save shows the saved file).
  imglib::BitmapOwner fpx, wpg;
  ASSERT_EQ(L_LoadBitmap(folder.Picture("out.fpx"), fpx.Get(), 24), imglib::kSuccess);
  ASSERT_EQ(L_LoadBitmap(folder.Picture("out.wpg"), wpg.Get(), 24), imglib::kSuccess);
  for (int y = 0; y < 27; ++y)
    EXPECT_EQ(std::memcmp(fpx->bits + size_t(y) * size_t(fpx->stride), wpg->bits + size_t(y) * size_t(wpg->stride), 41 * 3), 0)
        << y;
  // The compressed type of the original library has no public description: refused, and
  // so is a type no layer knows.
  ASSERT_TRUE(tool.SaveAs("out.cmp"));
  EXPECT_FALSE(fileio::Exists(folder.Picture("out.cmp")));
  ASSERT_TRUE(tool.SaveAs("out.xyz"));
  EXPECT_FALSE(fileio::Exists(folder.Picture("out.xyz")));
  EXPECT_EQ(tool.End(), 0);
}

TEST_F(Bravik, ObjectsGoIntoTheLayeredFileAndComeBackWithThePicture) {
  BravikFolder& folder = Copy();
  std::string a = folder.Picture("a.bmp");
  Tool tool = StartWithPicture("a.bmp", 160, 120, 240);
  ASSERT_TRUE(tool.Started());
  ASSERT_TRUE(tool.AddText("Hello | world"));
  ASSERT_TRUE(tool.AddRectangle(3, 20, 30, 90, 70));
  ASSERT_TRUE(tool.SaveAs("layered.jpg"));
  std::string saved = folder.Picture("layered.jpg");
  ASSERT_TRUE(fileio::Exists(saved));
  std::vector<layer::Object> objects = SideObjects(saved);
  ASSERT_EQ(objects.size(), 2u);
  EXPECT_EQ(objects[0].kind, layer::kText);
  EXPECT_EQ(objects[0].text, "Hello | world");
  EXPECT_EQ(objects[0].number, 1);
  EXPECT_GT(objects[0].width, 0);
  EXPECT_EQ(objects[1].kind, layer::kRectangle);
  EXPECT_EQ(objects[1].size, 3);
  ASSERT_EQ(objects[1].points.size(), 2u);
  // The rectangle's corners, in picture coordinates.
  EXPECT_EQ(objects[1].x + objects[1].points[0].x, 20);
  EXPECT_EQ(objects[1].y + objects[1].points[0].y, 30);
  EXPECT_EQ(objects[1].x + objects[1].points[1].x, 90);
  EXPECT_EQ(objects[1].y + objects[1].points[1].y, 70);
  EXPECT_EQ(objects[1].number, 2);
  // The JPEG itself holds no objects: the picture stays the picture.
  imglib::BitmapOwner picture;
  ASSERT_EQ(L_LoadBitmap(saved, picture.Get(), 24), imglib::kSuccess);
  const uint8_t* corner = picture->bits + size_t(30) * size_t(picture->stride) + 20 * 3;
  EXPECT_GT(corner[0], 200);

  // Opened again, the picture brings its objects back.
  tool.Run(kNoCommand);  // a quiet moment
  ASSERT_TRUE(tool.Open(a, "a.bmp 160 x120"));
  EXPECT_TRUE(tool.Objects().empty());
  ASSERT_TRUE(tool.Open(saved, "layered.jpg 160 x120"));
  std::vector<HWND> shown = tool.Objects();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(driver::WindowText(shown[0]), "Object 001");
  EXPECT_EQ(driver::WindowText(shown[1]), "Object 002");
  // And saved under another name they are the same objects.
  ASSERT_TRUE(tool.SaveAs("again.png"));
  std::vector<layer::Object> again = SideObjects(folder.Picture("again.png"));
  ASSERT_EQ(again.size(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(again[i].kind, objects[i].kind);
    EXPECT_EQ(again[i].text, objects[i].text);
    EXPECT_EQ(again[i].x, objects[i].x);
    EXPECT_EQ(again[i].y, objects[i].y);
    EXPECT_EQ(again[i].points, objects[i].points);
    EXPECT_EQ(again[i].colour, objects[i].colour);
  }
  EXPECT_EQ(tool.End(), 0);
}

RECT PlaceOf(HWND object) {
  RECT r;
  GetWindowRect(object, &r);
  return r;
}

void Drag(HWND object, int dx, int dy) {
  SendAndWait(object, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendAndWait(object, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(2 + dx, 2 + dy));
  SendAndWait(object, WM_LBUTTONUP, 0, MAKELPARAM(2 + dx, 2 + dy));
}

TEST_F(Bravik, ObjectsAreTurnedLockedDraggedOrderedHiddenAndMerged) {
  BravikFolder& folder = Copy();
  Tool tool = StartWithPicture("a.bmp", 200, 150);
  ASSERT_TRUE(tool.Started());
  ASSERT_TRUE(tool.AddText("One"));
  ASSERT_TRUE(tool.AddText("Two"));
  ASSERT_TRUE(tool.AddRectangle(2, 100, 60, 140, 80));
  std::vector<HWND> objects = tool.Objects();
  ASSERT_EQ(objects.size(), 3u);
  HWND one = objects[0], two = objects[1], rect = objects[2];
  // A quarter turn exchanges the rectangle's width and height.
  RECT before = PlaceOf(rect);
  SendAndWait(rect, WM_COMMAND, kCmdTurnObject, 0);
  RECT turned = PlaceOf(rect);
  EXPECT_EQ(turned.right - turned.left, before.bottom - before.top);
  EXPECT_EQ(turned.bottom - turned.top, before.right - before.left);
  // A locked object stays put; unlocked it follows the mouse.
  RECT start = PlaceOf(two);
  SendAndWait(two, WM_COMMAND, kCmdLockObject, 0);
  Drag(two, 28, 38);
  EXPECT_EQ(PlaceOf(two).left, start.left);
  EXPECT_EQ(PlaceOf(two).top, start.top);
  SendAndWait(two, WM_COMMAND, kCmdLockObject, 0);
  Drag(two, 28, 38);
  EXPECT_EQ(PlaceOf(two).left, start.left + 28);
  EXPECT_EQ(PlaceOf(two).top, start.top + 38);
  // To the back: the rectangle comes first in the order, and the numbers follow.
  SendAndWait(rect, WM_COMMAND, kCmdToBack, 0);
  objects = tool.Objects();
  ASSERT_EQ(objects.size(), 3u);
  EXPECT_EQ(objects[0], rect);
  EXPECT_EQ(driver::WindowText(rect), "Object 001");
  EXPECT_EQ(driver::WindowText(two), "Object 003");
  // Hidden objects stay in the file, marked as hidden.
  SendAndWait(rect, WM_COMMAND, kCmdHideObject, 0);
  EXPECT_EQ(tool.Objects().size(), 2u);
  // Merged into the picture: no longer an object.
  SendAndWait(one, WM_COMMAND, kCmdMergeObject, 0);
  EXPECT_EQ(tool.Objects().size(), 1u);
  ASSERT_TRUE(tool.SaveAs("objects.png"));
  std::vector<layer::Object> saved = SideObjects(folder.Picture("objects.png"));
  ASSERT_EQ(saved.size(), 2u);
  EXPECT_EQ(saved[0].kind, layer::kRectangle);
  EXPECT_EQ(saved[0].visible, 0);
  EXPECT_EQ(saved[1].text, "Two");
  EXPECT_EQ(saved[1].visible, 1);
  EXPECT_EQ(saved[1].x, 10 + 28);
  EXPECT_EQ(saved[1].y, 10 + 38);
  // The merged text is part of the picture now: dark pixels where it stood.
  imglib::BitmapOwner picture;
  ASSERT_EQ(L_LoadBitmap(folder.Picture("objects.png"), picture.Get(), 24), imglib::kSuccess);
  int dark = 0;
  for (int y = 10; y < 30; ++y)
    for (int x = 10; x < 40; ++x) dark += picture->bits[size_t(y) * size_t(picture->stride) + size_t(x) * 3] < 128;
  EXPECT_GT(dark, 10);
  // Shown again from the main window.
  tool.Run(kCmdShowAll);
  EXPECT_EQ(tool.Objects().size(), 2u);
  tool.Post(kCmdDeleteAll);  // delete all, after the question
  ASSERT_TRUE(tool.Answer(1));
  EXPECT_TRUE(tool.WaitObjects(0));
  EXPECT_EQ(tool.End(), 0);
}

TEST_F(Bravik, ChangesAreKeptThroughToolsAndAskedForBeforeEveryOpen) {
  BravikFolder& folder = Copy();
  std::string a = folder.Picture("a.bmp"), b = folder.Picture("b.bmp");
  ASSERT_TRUE(WritePicture(a, 20, 10, 255, 0, 0));
  ASSERT_TRUE(WritePicture(b, 30, 10, 0, 255, 0));
  Tool tool = StartTool();
  ASSERT_TRUE(tool.Started());
  ASSERT_TRUE(tool.Open(a + "|" + b, "a.bmp 20 x10"));
  // Red-eye: touch, touch, undo leaves one touch-up, so the picture still counts as changed.
  tool.Run(kCmdRedEye);
  tool.Click(5, 2);
  tool.Click(14, 6);
  tool.Click(14, 6, true);
  tool.Post(kButtonNext);
  ASSERT_TRUE(tool.Answer(2));  // "No": the picture is not saved
  EXPECT_TRUE(tool.WaitLabel("2/2"));
  // Touch and undo: nothing left to ask about.
  tool.Run(kCmdRedEye);
  tool.Click(5, 5);
  tool.Click(5, 5, true);
  tool.Run(kButtonNext);
  EXPECT_TRUE(tool.WaitLabel("1/2"));
  EXPECT_FALSE(tool.BoxShows(1500));

  // A touch-up, then a flip: the tool works on the picture with the touch-up, and a text
  // object stays an object over the result.
  ASSERT_TRUE(tool.AddText("kept"));
  tool.Run(kCmdRedEye);
  tool.Click(5, 2);
  ASSERT_TRUE(tool.ApplyBox(kCmdFlip));
  EXPECT_EQ(tool.Objects().size(), 1u);
  ASSERT_TRUE(tool.SaveAs("flipped.bmp"));
  imglib::BitmapOwner flipped;
  ASSERT_EQ(L_LoadBitmap(folder.Picture("flipped.bmp"), flipped.Get(), 24), imglib::kSuccess);
  auto pixel = [&flipped](int x, int y) { return flipped->bits + size_t(y) * size_t(flipped->stride) + size_t(x) * 3; };
  // Row 2 became row 7: grey there, red elsewhere, and no object pixels in the picture.
  const uint8_t* grey = pixel(5, 7);
  EXPECT_EQ(grey[0], grey[2]);
  EXPECT_LT(grey[2], 120);
  EXPECT_EQ(pixel(15, 4)[2], 255);
  EXPECT_EQ(pixel(15, 4)[1], 0);
  EXPECT_EQ(SideObjects(folder.Picture("flipped.bmp")).size(), 1u);
  EXPECT_EQ(tool.End(), 0);
}

TEST_F(Bravik, AFailedSaveKeepsTheOldFileAndTheChanges) {
  BravikFolder& folder = Copy();
  std::string a = folder.Picture("a.bmp"), locked = folder.Picture("locked.bmp");
  ASSERT_TRUE(WritePicture(a, 20, 10, 255, 0, 0));
  ASSERT_TRUE(WritePicture(locked, 7, 7, 1, 2, 3));
  std::string before;
  fileio::ReadWholeFile(locked, before);
  // A file that cannot be replaced: another program holds it open and shares nothing.
  win::Handle held(CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(held);
  Tool tool = StartTool();
  ASSERT_TRUE(tool.Started());
  ASSERT_TRUE(tool.Open(a, "a.bmp 20 x10"));
  ASSERT_TRUE(tool.AddText("note"));
  ASSERT_TRUE(tool.SaveAs("locked.bmp"));  // the error box
  held.Reset();
  std::string after;
  fileio::ReadWholeFile(locked, after);
  EXPECT_EQ(after, before);
  EXPECT_FALSE(fileio::Exists(folder.Picture("locked.qmf")));
  // Still changed: closing asks.
  PostMessageA(tool.Frame(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(tool.Answer(2));
  EXPECT_EQ(tool.Wait(kWaitMs), 0);
}

TEST_F(Bravik, ThePartnerOpensAfterTheSaveQuestionAndIsClosedWithTheTool) {
  BravikFolder& folder = Copy();
  std::string log = folder.Log("partner.txt");
  folder.SetPartner("BRAVIKPARTNER", log);
  std::string a = folder.Picture("a.bmp");
  ASSERT_TRUE(WritePicture(a, 20, 10, 255, 0, 0));
  {
    Tool tool = StartTool();
    ASSERT_TRUE(tool.Started());
    ASSERT_TRUE(tool.Open(a, "a.bmp 20 x10"));
    ASSERT_TRUE(tool.AddText("changed"));
    tool.Post(kCmdOpen);
    ASSERT_TRUE(tool.Answer(2));
    ASSERT_NE(WaitForWindow("BRAVIKPARTNER", kWaitMs), nullptr);
    EXPECT_EQ(tool.End(), 0);
  }
  std::vector<LoggedMessage> got = WaitForLog(log, 3, kEventLimitMs);
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[0].code, kCodeStarted);
  EXPECT_EQ(got[1].code, kCodeFileType5);
  EXPECT_EQ(got[1].text, "");
  EXPECT_EQ(got[2].code, kCodeClose);
  WaitForNoWindow("BRAVIKPARTNER", kEventLimitMs);
}

TEST_F(Bravik, NewPictureCropClipboardFullViewAndDelete) {
  BravikFolder& folder = Copy();
  std::string a = folder.Picture("a.bmp"), b = folder.Picture("b.bmp");
  ASSERT_TRUE(WritePicture(a, 40, 30, 10, 20, 30));
  ASSERT_TRUE(WritePicture(b, 50, 20, 30, 20, 10));
  Tool tool = StartTool();
  ASSERT_TRUE(tool.Started());
  // A new picture of the size the box is given.
  ASSERT_TRUE(NewPicture(tool, 64, 48));
  EXPECT_TRUE(tool.WaitStatusHolds(" braviktmp.bmp 64 x48 "));
  EXPECT_TRUE(tool.WaitLabel("1/1"));
  // Crop to a selection made with two clicks.
  tool.Run(kCmdSelectArea);
  tool.Click(10, 5);
  tool.Click(29, 24);
  tool.Run(kCmdCrop);
  EXPECT_TRUE(tool.WaitStatusHolds(" 20 x20 "));
  // Copy, then paste over another picture (the changed one is not saved).
  tool.Post(kCmdCopy);
  ASSERT_TRUE(tool.Answer(1));  // "on the clipboard"
  tool.Post(kButtonNext);                 // the only item: reopened after the question
  ASSERT_TRUE(tool.Answer(2));
  ASSERT_TRUE(tool.Open(a + "|" + b, "a.bmp 40 x30"));
  tool.Post(kCmdPaste);
  ASSERT_TRUE(tool.Answer(1));  // "pasted": a new picture after the one shown
  EXPECT_TRUE(tool.WaitStatusHolds(" braviktmp.bmp 20 x20 "));
  EXPECT_TRUE(tool.WaitLabel("2/3"));
  // The clipboard keeps its picture.
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));
  tool.Post(kButtonPrevious);                 // the pasted picture is a change
  ASSERT_TRUE(tool.Answer(2));
  EXPECT_TRUE(tool.WaitStatusHolds(" a.bmp 40 x30 "));
  // Full view: the zoom panel over the canvas until a click.
  HWND zoom = driver::FindChildByClass(tool.Frame(), "SKZOOM");
  ASSERT_NE(zoom, nullptr);
  EXPECT_FALSE(IsWindowVisible(zoom));
  tool.Run(kButtonFullView);
  EXPECT_TRUE(IsWindowVisible(zoom));
  SendAndWait(zoom, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_FALSE(IsWindowVisible(zoom));
  // Deleting the shown file: gone from the folder and the list.
  tool.Post(kCmdDeleteFile);
  ASSERT_TRUE(tool.Answer(1));
  EXPECT_TRUE(tool.WaitLabel("1/2"));
  EXPECT_FALSE(fileio::Exists(a));
  EXPECT_TRUE(tool.WaitStatusHolds(" braviktmp.bmp 20 x20 "));
  EXPECT_EQ(tool.End(), 0);
}

TEST_F(Bravik, AGifIsShownThroughItsConversionAndSavedAsPngByDefault) {
  BravikFolder& folder = Copy();
  std::string gif = folder.Picture("anim.gif");
  giftest::Frame frame;
  frame.width = 12;
  frame.height = 9;
  frame.indices.assign(12 * 9, 1);
  ASSERT_EQ(fileio::WriteFileReplacing(gif, giftest::WriteGif(12, 9, {0, 0, 0, 250, 10, 10}, 0, {frame})),
            fileio::kOk);
  // Keywords beside the picture: the status line and the caption show them.
  ASSERT_EQ(fileio::WriteFileReplacing(folder.Picture("anim.KWD"), std::string("red, small\0\0  Test set ", 23)),
            fileio::kOk);
  Tool tool = StartTool();
  ASSERT_TRUE(tool.Started());
  driver::SendCommand(tool.Frame(), kCodeOpen, gif);
  EXPECT_TRUE(tool.WaitStatusHolds("red, small"));
  EXPECT_EQ(driver::WindowText(tool.Frame()).rfind("[Test set]  anim.gif 12 x9 ", 0), 0u)
      << driver::WindowText(tool.Frame());
  // GIF is not written: the save dialog offers PNG.
  tool.Post(kCmdSaveAs);
  HWND dialog = WaitForWindow("QORDLG", kWaitMs, tool.ProcessId());
  ASSERT_NE(dialog, nullptr);
  HWND name = driver::WaitChild(dialog, 4, kWaitMs);
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(driver::WindowText(name), "*.PNG");
  ASSERT_TRUE(driver::PressButton("QORDLG", 2, "", kWaitMs));
  ASSERT_TRUE(tool.Answer(1));
  // The pattern took the picture's name.
  EXPECT_EQ(Info(folder.Picture("anim.PNG")).width, 12);
  EXPECT_EQ(tool.End(), 0);
}

TEST_F(Bravik, TheZoomWindowKeepsItsPlace) {
  BravikFolder& folder = Copy();
  {
    Tool tool = StartTool();
    ASSERT_TRUE(tool.Started());
    tool.Run(kCmdZoomWindow);
    HWND zoom = WaitForWindow("ZOOMBOX", kWaitMs, tool.ProcessId());
    ASSERT_NE(zoom, nullptr);
    SetWindowPos(zoom, nullptr, 700, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(tool.Close(), 0);
  }
  std::string settings = folder.ReadSettings();
  ASSERT_GE(settings.size(), 13u);
  EXPECT_EQ(Int16At(settings, settings.size() - 4), 700);
  EXPECT_EQ(Int16At(settings, settings.size() - 2), 120);
  Tool again = StartTool();
  ASSERT_TRUE(again.Started());
  again.Run(kCmdZoomWindow);
  HWND zoom = WaitForWindow("ZOOMBOX", kWaitMs, again.ProcessId());
  ASSERT_NE(zoom, nullptr);
  RECT r;
  GetWindowRect(zoom, &r);
  EXPECT_EQ(r.left, 700);
  EXPECT_EQ(r.top, 120);
  EXPECT_EQ(again.End(), 0);
}

TEST_F(Bravik, F1HandsTheHelpDocumentToTheHelpViewer) {
  BravikFolder& folder = Copy();
  folder.SetHelpViewer("BRAVIKHELP");
  std::string log = folder.Log("help.txt");
  // The running viewer; the fixture ends it.
  ASSERT_TRUE(RunStandin("BRAVIKHELP", log));
  Tool tool = StartTool();
  ASSERT_TRUE(tool.Started());
  // F1 in any window of the tool: here the canvas.
  PostMessageA(tool.Canvas(), WM_KEYDOWN, VK_F1, 0);
  std::vector<LoggedMessage> got = WaitForLog(log, 1, kEventLimitMs);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].code, kCodeOpen);
  EXPECT_TRUE(fileio::EqualsNoCase(got[0].text, folder.ProgramFolder() + "bravik.htm")) << got[0].text;
  EXPECT_EQ(tool.End(), 0);
}

TEST_F(Bravik, AScreenCaptureBecomesThePicture) {
  Tool tool = StartTool();
  ASSERT_TRUE(tool.Started());
  tool.Post(kCmdCaptureScreen);
  int w = GetSystemMetrics(SM_CXVIRTUALSCREEN), h = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  EXPECT_TRUE(tool.WaitStatusHolds(" braviktmp.bmp " + std::to_string(w) + " x" + std::to_string(h) + " ")) << tool.Status();
  EXPECT_TRUE(IsWindowVisible(tool.Frame()));
  EXPECT_TRUE(tool.WaitLabel("1/1"));
  // A captured picture counts as changed.
  PostMessageA(tool.Frame(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(tool.Answer(2));
  EXPECT_EQ(tool.Wait(kWaitMs), 0);
}

TEST_F(Bravik, PrintingAnEmptyPictureDoesNothing) {
  Tool tool = StartTool();
  ASSERT_TRUE(tool.Started());
  tool.Post(kCmdPrint);
  EXPECT_EQ(WaitDialog(tool.ProcessId(), "Print", 1500), nullptr);
  EXPECT_FALSE(tool.BoxShows(500));
  EXPECT_EQ(tool.End(), 0);
}

}  // namespace
}  // namespace bravik
