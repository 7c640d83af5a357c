// The media player with the pick dialog of nadrix beside it, as a user meets it: the open
// dialog with a selection of many files, and the video snapshot's save dialog.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>

#include "avi_writer.h"
#include "driver.h"
#include "falcet_fixture.h"
#include "falcet_test.h"
#include "fileio/file.h"
#include "fileio/paths.h"

using namespace std::chrono_literals;

namespace falcet {

namespace {

constexpr DWORD kDialogMs = 20000;

// Settings that start the open dialog and the snapshot's dialog in a folder.
std::string SettingsWithFolders(const std::string& openFolder, const std::string& snapshotFolder) {
  return "20|20|640|480|" + openFolder + "|" + snapshotFolder + "||0|0|0|0";
}

// The pick dialog the player shows, once its list holds count entries (or null).
HWND WaitPickDialog(DWORD processId, LRESULT count) {
  HWND dialog = WaitForWindow("QORDLG", kDialogMs, processId);
  HWND list = dialog ? driver::WaitChild(dialog, 2, kDialogMs) : nullptr;
  if (!list || !PumpUntil([&] { return SendMessageA(list, LB_GETCOUNT, 0, 0) == count; }, 10s)) return nullptr;
  return dialog;
}

bool PressAndWaitGone(HWND dialog, int button) {
  return driver::PressButton("QORDLG", button, "", kDialogMs) &&
         PumpUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 10s);
}

}  // namespace

// 300 files with long paths make a result of about 70 KB: every one of them arrives, the
// last as whole as the first.
TEST_F(Falcet, TheOpenDialogOpensThreeHundredFilesAtOnceEveryPathWhole) {
  FalcetFolder& folder = Copy();
  folder.CopyFromSuite("nadrix.dll");
  constexpr int kFiles = 300;
  constexpr size_t kPathLength = 232;
  auto name = [](int i) { return "picture " + std::to_string(1000 + i) + " of the long list.bmp"; };
  size_t nameLength = name(0).size();
  std::string root = folder.File("");
  ASSERT_LT(root.size() + nameLength + 20, kPathLength);
  std::string pictures = root + std::string(kPathLength - root.size() - nameLength - 1, 'f') + "\\";
  for (int i = 1; i <= kFiles; ++i) WritePicture(pictures + name(i), 8, 8, RGB(i % 256, 80, 160));
  ASSERT_EQ((pictures + name(kFiles)).size(), kPathLength);
  folder.WriteSettings(SettingsWithFolders(pictures, pictures));
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);

  driver::PostCommand(frame, kOpenButton);
  HWND dialog = WaitPickDialog(Process().Id(), kFiles);
  ASSERT_NE(dialog, nullptr);
  SendMessageA(driver::FindChild(dialog, 2), LB_SETSEL, TRUE, -1);
  ASSERT_TRUE(PressAndWaitGone(dialog, 2));

  // The dialog lists (and so returns) the names in lower case.
  auto waitTitle = [frame](const std::string& name) {
    return PumpUntil([&] { return fileio::EqualsNoCase(driver::WindowText(frame), Title(name)); }, 10s);
  };
  EXPECT_TRUE(waitTitle(name(1))) << driver::WindowText(frame);
  // The position slider goes to the item at its percent of all 300: the last and the middle.
  PostMessageA(frame, WM_COMMAND, kPositionSlider, 100);
  EXPECT_TRUE(waitTitle(name(kFiles))) << driver::WindowText(frame);
  PostMessageA(frame, WM_COMMAND, kPositionSlider, 50);
  EXPECT_TRUE(waitTitle(name(kFiles / 2))) << driver::WindowText(frame);
  EXPECT_EQ(Close(), 0);
  // The folder of the chosen files is the next dialog's start.
  EXPECT_NE(folder.ReadSettings().find("|" + pictures + "|"), std::string::npos);
}

// The snapshot's save dialog starts in a folder of pictures with an empty name field: the
// list's first picture is not the target, so saving without a name writes nothing. A name
// typed in is saved as a BMP picture.
TEST_F(Falcet, ASnapshotSavedWithoutANameReplacesNoPictureOfTheFolder) {
  FalcetFolder& folder = Copy();
  folder.CopyFromSuite("nadrix.dll");
  std::string shots = folder.File("shots\\");
  std::string first = WritePicture(shots + "a first.bmp", 4, 4, RGB(1, 2, 3));
  WritePicture(shots + "b second.bmp", 4, 4, RGB(4, 5, 6));
  std::string firstBytes = ReadText(first);
  ASSERT_FALSE(firstBytes.empty());
  folder.WriteSettings(SettingsWithFolders(folder.ProgramFolder(), shots));
  // Thirty seconds of video: it plays on while the dialogs are open.
  std::string clip =
      folder.Write("video\\long clip.avi", avitest::UncompressedAvi(64, 48, 1, std::vector<uint32_t>(30, 0x3060C0)));
  HWND frame = Start("\"" + clip + "\"");
  ASSERT_NE(frame, nullptr);
  ASSERT_GE(WaitTitle(frame, Title("long clip.avi"), kEventLimitMs), 0);
  PumpMessages(500);

  driver::PostCommand(frame, kSnapshotButton);
  HWND dialog = WaitPickDialog(Process().Id(), 2);
  ASSERT_NE(dialog, nullptr);
  HWND name = driver::WaitChild(dialog, 4, kDialogMs);
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(driver::WindowText(name), "");
  ASSERT_TRUE(PressAndWaitGone(dialog, 2));
  SendAndWait(frame, WM_NULL, 0, 0);
  EXPECT_TRUE(ReadText(first) == firstBytes) << "the first picture was replaced";
  EXPECT_EQ(fileio::ListDirectory(shots + "*.*").size(), 2u);

  driver::PostCommand(frame, kSnapshotButton);
  dialog = WaitPickDialog(Process().Id(), 2);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(driver::SetText(driver::WaitChild(dialog, 4, kDialogMs), "frame one.jpg"));
  ASSERT_TRUE(PressAndWaitGone(dialog, 2));
  // The target keeps the name up to its first "." and is a BMP picture.
  ASSERT_TRUE(WaitForFile(shots + "frame one.bmp", kEventLimitMs));
  EXPECT_EQ(ReadText(shots + "frame one.bmp").substr(0, 2), "BM");
  EXPECT_TRUE(ReadText(first) == firstBytes) << "the first picture was replaced";
  EXPECT_EQ(Close(), 0);
}

namespace {

// The centre pixel (0xRRGGBB) and size of a 24-bit BMP file; false when it is none.
bool BmpCentre(const std::string& path, int& width, int& height, uint32_t& centre) {
  std::string bytes = ReadText(path);
  if (bytes.size() < 54 || bytes.compare(0, 2, "BM") != 0) return false;
  auto le = [&](size_t at) {
    return int(uint8_t(bytes[at]) | uint8_t(bytes[at + 1]) << 8 | uint8_t(bytes[at + 2]) << 16 |
               uint8_t(bytes[at + 3]) << 24);
  };
  width = le(18);
  height = std::abs(le(22));
  if ((le(28) & 0xFFFF) != 24) return false;
  size_t stride = (size_t(width) * 3 + 3) & ~size_t(3);
  size_t at = size_t(le(10)) + stride * size_t(height / 2) + size_t(width / 2) * 3;
  if (at + 3 > bytes.size()) return false;
  centre = uint32_t(uint8_t(bytes[at + 2])) << 16 | uint32_t(uint8_t(bytes[at + 1])) << 8 | uint8_t(bytes[at]);
  return true;
}

}  // namespace

// The snapshot is the video's own frame: a window over the player changes nothing.
TEST_F(Falcet, ASnapshotOfAPausedVideoIsItsFrameAlsoUnderACoveringWindow) {
  FalcetFolder& folder = Copy();
  folder.CopyFromSuite("nadrix.dll");
  std::string shots = folder.File("shots\\");
  WritePicture(shots + "old.bmp", 4, 4, RGB(1, 2, 3));
  folder.WriteSettings(SettingsWithFolders(folder.ProgramFolder(), shots));
  std::string clip =
      folder.Write("video\\still.avi", avitest::UncompressedAvi(64, 48, 1, std::vector<uint32_t>(30, 0x3060C0)));
  HWND frame = Start("\"" + clip + "\"");
  ASSERT_NE(frame, nullptr);
  ASSERT_GE(WaitTitle(frame, Title("still.avi"), kEventLimitMs), 0);
  driver::PostCommand(frame, kPauseButton);
  SendAndWait(frame, WM_NULL, 0, 0);
  // A red window of the test's own over the whole player.
  RECT r;
  GetWindowRect(frame, &r);
  HWND cover = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE, r.left, r.top,
                               r.right - r.left, r.bottom - r.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(cover, nullptr);
  PumpMessages(200);
  driver::PostCommand(frame, kSnapshotButton);
  HWND dialog = WaitPickDialog(Process().Id(), 1);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(driver::SetText(driver::WaitChild(dialog, 4, kDialogMs), "still"));
  ASSERT_TRUE(PressAndWaitGone(dialog, 2));
  ASSERT_TRUE(WaitForFile(shots + "still.bmp", kEventLimitMs));
  DestroyWindow(cover);
  int width = 0, height = 0;
  uint32_t centre = 0;
  ASSERT_TRUE(BmpCentre(shots + "still.bmp", width, height, centre));
  EXPECT_EQ(width, 64);
  EXPECT_EQ(height, 48);
  EXPECT_EQ(centre, 0x3060C0u);
  EXPECT_EQ(Close(), 0);
}

}  // namespace falcet
