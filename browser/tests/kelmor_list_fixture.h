// The fixture of the whole-program tests of the file list and the commands: a browser started
// at a folder with a filter, without its start-up hint, and helpers for its lists.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include "driver.h"
#include "fileio/file.h"
#include "imglib/codecs.h"
#include "kelmor_fixture.h"
#include "program_test.h"
#include "test_windows.h"
#include "wait_until.h"

namespace kelmor {

inline bool ReadPicture(const std::string& path, imglib::Picture& picture) {
  std::string bytes;
  if (fileio::ReadWholeFile(path, bytes) != fileio::kOk) return false;
  return imglib::DecodePicture(bytes, picture) == imglib::kSuccess;
}

// A file's size and time of last writing, read without opening the file: a step writes
// the picture beside it and renames the new file over it, which Windows refuses while
// another program holds the file open - as a user would see with a viewer open on it.
struct FileStamp {
  uint64_t size = 0, written = 0, made = 0;
  bool operator==(const FileStamp& o) const { return size == o.size && written == o.written && made == o.made; }
};

inline FileStamp StampOf(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA d{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &d)) return {};
  return {uint64_t(d.nFileSizeHigh) << 32 | d.nFileSizeLow,
          uint64_t(d.ftLastWriteTime.dwHighDateTime) << 32 | d.ftLastWriteTime.dwLowDateTime,
          uint64_t(d.ftCreationTime.dwHighDateTime) << 32 | d.ftCreationTime.dwLowDateTime};
}

// Waits until a step has put a new file in the place of the one stamped `before` (without
// opening it meanwhile), then checks that it holds a picture of that size.
inline testing::AssertionResult WaitForPictureSize(const std::string& path, const FileStamp& before, int width, int height) {
  if (!PumpUntil([&] { return !(StampOf(path) == before); }, kEventLimit, std::chrono::milliseconds(50)))
    return testing::AssertionFailure() << path << " was not written anew within " << kEventLimitMs << " ms";
  imglib::Picture p;
  if (!ReadPicture(path, p)) return testing::AssertionFailure() << path << " holds no picture now";
  if (p.pixels.Width() == width && p.pixels.Height() == height) return testing::AssertionSuccess();
  return testing::AssertionFailure() << path << ": " << p.pixels.Width() << " x " << p.pixels.Height() << ", not "
                                     << width << " x " << height;
}

// The list's entries once they are the expected ones, or as they are when the time is up.
inline std::vector<std::string> WaitForList(HWND list, const std::vector<std::string>& expected, DWORD ms) {
  std::vector<std::string> got;
  PumpUntil([&] { return (got = driver::ListItems(list)) == expected; }, std::chrono::milliseconds(ms),
            std::chrono::milliseconds(50));
  return got;
}

inline void SelectOnly(HWND list, const std::vector<int>& entries) {
  SendMessageA(list, LB_SETSEL, FALSE, -1);
  for (int i : entries) SendMessageA(list, LB_SETSEL, TRUE, i);
}

// The indexes of the selected entries of a list.
inline std::vector<int> Selected(HWND list) {
  std::vector<int> selected;
  LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i)
    if (SendMessageA(list, LB_GETSEL, WPARAM(i), 0) > 0) selected.push_back(int(i));
  return selected;
}

// Settings that open the browser at a folder with a filter and without the start-up hint.
inline std::string SettingsFor(const std::string& folder, const std::string& filter) {
  return "30|40|700|500|" + folder + "|" + filter + "|0|1|0";
}

// The browser is complete once it has made the hand-over button, its last control.
class KelmorList : public ProgramTestOf<KelmorFolder> {
 protected:
  KelmorList() : ProgramTestOf({"kelmor", kClassBrowser, kHandOverButton}) {}

  // Starts the browser at a folder with a filter and waits for its file list.
  HWND Start(const std::string& listFolder, const std::string& filter) {
    Copy().WriteSettings(SettingsFor(listFolder, filter));
    HWND frame = ProgramTest::Start();
    if (!frame) return nullptr;
    list_ = driver::FindChild(frame, kFileList);
    // The list is filled once the folder tree has opened at the folder.
    SendAndWait(frame, WM_NULL, 0, 0);
    PumpMessages(100);
    SendAndWait(frame, WM_NULL, 0, 0);
    return frame;
  }

  // Opens the folder tree's popup menu with a right click and closes it with Escape; the
  // menu is then remembered for the selected folder (the mouse is not over the tree). The
  // tree view, or null when the menu did not come and go.
  HWND OpenAndCloseTreePopup(HWND frame) {
    HWND tree = driver::FindChildByClass(frame, "SysTreeView32");
    if (!tree) return nullptr;
    PostMessageA(tree, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 10));
    PostMessageA(tree, WM_RBUTTONUP, 0, MAKELPARAM(20, 10));
    HWND menu = WaitForWindow("#32768", 10000, Process().Id());
    if (!menu) return nullptr;
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    bool closed = PumpUntil([menu] { return !IsWindow(menu) || !IsWindowVisible(menu); },
                            std::chrono::milliseconds(5000));
    return closed ? tree : nullptr;
  }

  std::string Status(HWND frame) { return driver::WindowText(driver::FindChildByClass(frame, "SKSTATUS")); }

  HWND list_ = nullptr;
};

}  // namespace kelmor
