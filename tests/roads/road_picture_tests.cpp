// The road from the media browser to the picture tool, on a fresh copy of the installed
// suite: a picture chosen in the browser's list is opened in the picture tool through the
// browser's Programs menu, a filter is applied through its box, the result is saved as PNG
// through the tool's own save box, and the browser lists the new file. After every box
// the picture tool must be the window the user works in.
#include <gtest/gtest.h>

#include <algorithm>

#include "bmp_file.h"
#include "driver.h"
#include "fileio/file.h"
#include "imaging/copydata.h"
#include "imaging/suite_classes.h"
#include "imglib/imglib.h"
#include "installed_suite.h"
#include "program_test.h"

namespace roads {
namespace {

constexpr DWORD kWaitMs = 30000;
constexpr std::chrono::milliseconds kLimit{kWaitMs};

// The browser's file list and its Programs menu item for the picture tool; the picture
// tool's Contrast and Save as items, its filter box and the box's value field and Apply
// button; the save box's name field and its Save button (the second button).
constexpr int kBrowserFileList = 3;
constexpr int kBrowserPictureToolItem = 503;
constexpr int kToolContrastItem = 203;
constexpr int kToolSaveAsItem = 107;
constexpr const char* kFilterBoxClass = "LEADTOOLBOX";
constexpr int kFilterValueField = 10;
constexpr int kFilterApply = 2;
constexpr const char* kSaveBoxClass = "QORDLG";
constexpr int kSaveBoxNameField = 4;

HWND ProcessWindow(DWORD processId, const std::string& className, DWORD milliseconds) {
  return WaitForWindow(className, milliseconds, processId);
}

bool Gone(DWORD processId, const std::string& className) {
  return PumpUntil([&] { return !ProcessWindow(processId, className, 0); }, kLimit);
}

// The window the user works in after a box closed: the picture tool's frame is in front.
bool ToolInFront(HWND tool) {
  return PumpUntil([&] { return GetForegroundWindow() == tool; }, std::chrono::milliseconds(5000));
}

std::string ForegroundClass() {
  char name[128] = {};
  if (HWND w = GetForegroundWindow()) GetClassNameA(w, name, sizeof name);
  return name;
}

TEST(RoadBrowserToPictureTool, APictureIsFilteredSavedAsPngAndListedByTheBrowser) {
  InstalledSuite suite;
  ASSERT_TRUE(suite.Complete());
  // The user's pictures: a plain one with a colour a contrast change moves.
  const std::string pictures = suite.UserFolder("Pictures");
  ASSERT_TRUE(WriteBmp(pictures + "holiday.bmp", 40, 30, 30, 100, 200));
  // The browser remembers the folder the user looked at last.
  ASSERT_EQ(fileio::WriteFileReplacing(suite.TempFolder() + "kelmor.cfg", "30|40|700|500|" + pictures + "|*.*|0|1|0"),
            fileio::kOk);

  ChildProcess browser;
  ASSERT_TRUE(suite.Start(browser, "kelmor"));
  HWND frame = WaitForProgram(browser, SuiteProgramNamed("kelmor"));
  ASSERT_NE(frame, nullptr);
  HWND list = driver::FindChild(frame, kBrowserFileList);
  ASSERT_NE(list, nullptr);
  std::vector<std::string> items;
  ASSERT_TRUE(PumpUntil([&] { return (items = driver::ListItems(list)) == std::vector<std::string>{" holiday.bmp"}; },
                        kLimit, std::chrono::milliseconds(50)))
      << "the browser lists " << items.size() << " files";
  // The user picks the picture and chooses Programs > Picture tool.
  SendMessageA(list, LB_SETSEL, TRUE, 0);
  ASSERT_TRUE(PostUserCommand(suite, "kelmor", frame, kBrowserPictureToolItem));

  // The picture tool the browser starts is ended with the test, whatever happens.
  ProgramsEndedAtExit ending({kClassPictureTool});
  HWND tool = WaitForWindow(kClassPictureTool, kWaitMs);
  ASSERT_NE(tool, nullptr) << "the picture tool did not come";
  DWORD toolId = 0;
  GetWindowThreadProcessId(tool, &toolId);
  HWND status = nullptr;
  ASSERT_TRUE(PumpUntil(
      [&] {
        status = driver::FindChildByClass(tool, "SKSTATUS");
        return status && driver::WindowText(status).find("holiday.bmp") != std::string::npos;
      },
      kLimit, std::chrono::milliseconds(50)))
      << "the picture tool does not show the picture: " << driver::WindowText(status);

  // Contrast, through its box, with a value typed into the box.
  ASSERT_TRUE(PostUserCommand(suite, "bravik", tool, kToolContrastItem));
  HWND box = ProcessWindow(toolId, kFilterBoxClass, kWaitMs);
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(driver::SetText(driver::WaitChild(box, kFilterValueField, kWaitMs), "5"));
  HWND apply = driver::WaitChild(box, kFilterApply, kWaitMs);
  ASSERT_NE(apply, nullptr);
  PostMessageA(apply, BM_CLICK, 0, 0);
  ASSERT_TRUE(Gone(toolId, kFilterBoxClass));
  EXPECT_TRUE(ToolInFront(tool)) << "after the filter box the front window is " << ForegroundClass();

  // Save as PNG beside the original.
  ASSERT_TRUE(PostUserCommand(suite, "bravik", tool, kToolSaveAsItem));
  HWND save = ProcessWindow(toolId, kSaveBoxClass, kWaitMs);
  ASSERT_NE(save, nullptr);
  ASSERT_TRUE(driver::SetText(driver::WaitChild(save, kSaveBoxNameField, kWaitMs), "holiday.png"));
  ASSERT_TRUE(driver::PressButton(kSaveBoxClass, 2, "", kWaitMs));
  ASSERT_TRUE(Gone(toolId, kSaveBoxClass));
  // The tool tells the user the picture is saved.
  HWND saved = ProcessWindow(toolId, "SKMSGBOX", kWaitMs);
  ASSERT_NE(saved, nullptr);
  ASSERT_TRUE(driver::PressButton("SKMSGBOX", 1, "", kWaitMs));
  ASSERT_TRUE(Gone(toolId, "SKMSGBOX"));
  EXPECT_TRUE(ToolInFront(tool)) << "after the saved box the front window is " << ForegroundClass();

  // The file is a PNG picture of the same size whose colours the contrast moved.
  const std::string png = pictures + "holiday.png";
  ASSERT_TRUE(WaitForFile(png, kWaitMs));
  std::string bytes;
  ASSERT_EQ(fileio::ReadWholeFile(png, bytes), fileio::kOk);
  ASSERT_GT(bytes.size(), 8u);
  EXPECT_EQ(bytes.compare(0, 8, "\x89PNG\r\n\x1a\n"), 0);
  imglib::BitmapOwner picture;
  ASSERT_EQ(L_LoadBitmap(png, picture.Get(), 24), imglib::kSuccess);
  ASSERT_EQ(picture->width, 40);
  ASSERT_EQ(picture->height, 30);
  // Contrast 5 takes (red 30, green 100, blue 200) to (25, 99, 204), as the tool's own
  // filter tests pin down.
  const uint8_t* at = picture->bits + size_t(10) * size_t(picture->stride) + 10 * 3;
  EXPECT_EQ(int(at[2]), 25);
  EXPECT_EQ(int(at[1]), 99);
  EXPECT_EQ(int(at[0]), 204);

  // The browser lists the new file beside the old one.
  EXPECT_TRUE(PumpUntil(
      [&] {
        items = driver::ListItems(list);
        return std::find(items.begin(), items.end(), " holiday.png") != items.end();
      },
      kLimit, std::chrono::milliseconds(100)))
      << "the browser does not list holiday.png";

  EXPECT_EQ(driver::SendCommand(tool, kCodeClose, ""), 1);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(tool); }, kLimit));
  EXPECT_EQ(EndProgram(browser, frame, kLimit), 0);
}

}  // namespace
}  // namespace roads
