// The fixture of the archive's whole-program tests: a copy of grilton with its archive in
// the program folder, the record form's fields, its boxes and the filing of a whole list.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../core/tests/archive_check.h"
#include "driver.h"
#include "fileio/fields.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "grilton/command_ids.h"
#include "imaging/suite_classes.h"
#include "program_test.h"

namespace grilton_tests {

class GriltonFolder : public ProgramCopy {
 public:
  explicit GriltonFolder(bool uiFile = true) : ProgramCopy("grilton", uiFile) {}
  std::string RecordFile() const { return ProgramFolder() + "QORIMAGE.F01"; }
  std::string Library() const { return ProgramFolder() + "QORIMAGE001.B01"; }
};

constexpr const char* kBox = "SKMSGBOX";
constexpr int kTopicSlots = 10;
constexpr int kFirstTopic = 12;

// The popup menu that a process shows, null when none shows.
inline HWND ProcessMenu(DWORD processId) {
  return FindTopWindow("#32768", [&](HWND w) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    return pid == processId && IsWindowVisible(w);
  });
}

class Grilton : public ProgramTestOf<GriltonFolder> {
 protected:
  Grilton() : ProgramTestOf({"grilton", kClassArchive, grilton::kCmdAttachDocument}) {}

  static HWND Field(HWND frame, int field) { return driver::FindChild(frame, grilton::kFieldIdBase + field); }
  static std::string Count(HWND frame) {
    return driver::WindowText(driver::FindChild(frame, grilton::kCountDisplay));
  }
  static bool WaitCount(HWND frame, const std::string& count) {
    return PumpUntil([&] { return Count(frame) == count; }, std::chrono::milliseconds(15000));
  }
  // A command posted (it may show a box) and the box it shows; null for none.
  static HWND PostAndWaitBox(HWND frame, int command) {
    PostMessageA(frame, WM_COMMAND, WPARAM(command), 0);
    return WaitForWindow(kBox, 10000);
  }
  // Presses the first button of the box that shows (or comes) and waits until it is gone.
  static bool Answer() {
    HWND box = WaitForWindow(kBox, 10000);
    return box && driver::PressButton(kBox, 1, "", 10000) &&
           PumpUntil([&] { return !IsWindow(box); }, std::chrono::milliseconds(10000));
  }
  // The text of the box that shows (or comes), once it has one.
  static std::string WaitBoxText() {
    std::string text;
    PumpUntil([&] { return !(text = driver::BoxText(FindWindowA(kBox, nullptr))).empty(); },
              std::chrono::milliseconds(10000));
    return text;
  }
  std::string Pictures(int count) {
    std::string folder = Copy().File("pics\\");
    for (int i = 0; i < count; ++i)
      WriteTestPicture(folder + "p" + std::to_string(100 + i) + ".bmp", 40 + i, 30);
    return folder;
  }
  // Starts the program on count test pictures and waits until it lists them; null when it
  // did not.
  HWND StartOn(int count) {
    HWND frame = Start(Pictures(count));
    return frame && WaitCount(frame, std::to_string(count)) ? frame : nullptr;
  }
  // Opens the bar menu of the access key and chooses its item at (from 1) with the
  // keyboard; true once the menu has closed. A greyed item closes the menu too, but its
  // command does not come. Keys can be lost while the menu starts on a busy machine: a
  // menu still open after them is closed with Escape and opened afresh.
  bool ChooseMenuItem(HWND frame, char accessKey, int at) {
    auto gone = [](HWND menu) { return !IsWindow(menu) || !IsWindowVisible(menu); };
    return PumpUntil(
        [&] {
          HWND menu = nullptr;
          PostMessageA(frame, WM_SYSKEYDOWN, WPARAM(accessKey), LPARAM(1) << 29);
          if (!PumpUntil([&] { return (menu = ProcessMenu(Process().Id())) != nullptr; },
                         std::chrono::milliseconds(2000)))
            return false;
          PumpMessages(200);
          for (int i = 0; i < at; ++i) PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
          PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
          if (PumpUntil([&] { return gone(menu); }, std::chrono::milliseconds(3000))) return true;
          PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
          PumpUntil([&] { return gone(menu); }, std::chrono::milliseconds(3000));
          return false;
        },
        std::chrono::milliseconds(30000));
  }
  // Closes the program as the user does, which saves the settings (the end code ends at
  // once, without saving them); its exit code.
  int CloseByUser() {
    PostMessageA(Frame(), WM_SYSCOMMAND, SC_CLOSE, 0);
    return Process().Wait(20000);
  }
  // The fields of the saved settings line.
  std::vector<std::string> SettingsFields() { return fileio::SplitFields(Copy().ReadSettings(), '|'); }
  // The archive as the filing core sees it: the program folder is the data folder.
  grilton::ArchivePlace Place() {
    grilton::ArchivePlace place;
    place.dataFolder = Copy().ProgramFolder();
    place.baseName = "QORIMAGE";
    return place;
  }
  // The bytes of a picture that Pictures() wrote, by its record's name ("P100").
  std::string PictureBytes(const std::string& name) {
    std::string bytes;
    fileio::ReadWholeFile(Copy().File("pics\\") + fileio::ToLower(name) + ".bmp", bytes);
    return bytes;
  }
  // Sets the first topic, starts filing the whole list and answers its question.
  bool FileAll(HWND frame, const std::string& topic) {
    if (!driver::SetText(Field(frame, kFirstTopic), topic)) return false;
    PostMessageA(frame, WM_COMMAND, grilton::kCmdFileAll, 0);
    return Answer();
  }
  std::string RecordBytes() {
    std::string bytes;
    fileio::ReadWholeFile(Copy().RecordFile(), bytes);
    return bytes;
  }
};

}  // namespace grilton_tests
