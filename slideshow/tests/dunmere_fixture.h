// The slide show maker in whole-program tests: a copy in a program folder of its own (its
// UI text file is the shipped one with entries a test may change, plus its effect lists),
// started on the suite's program fixture, and the ways a test reads and drives its slide
// list.
#pragma once
#include <chrono>
#include <string>
#include <vector>

#include "driver.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "dunmere/command_ids.h"
#include "imaging/suite_classes.h"
#include "program_test.h"

class DunmereFolder : public ProgramCopy {
 public:
  // uiFile: write dunmere.SYS (false: leave it out).
  explicit DunmereFolder(bool uiFile = true) : ProgramCopy("dunmere", uiFile) { CopyFromSuite("effects\\*.txt"); }

  std::string ShowFolder() const { return ProgramFolder() + "SHOWS\\"; }
  // The installed suite folder whole (its skins, the player and its plug-ins, its
  // subfolders) around the copy; what the copy holds already stays.
  void CopyInstalledSuite() { CopyTree(SuiteFolder(), ProgramFolder()); }
  // Every file below a folder, by its path below it.
  static std::vector<std::string> FilesBelow(const std::string& folder, const std::string& below = "") {
    std::vector<std::string> files;
    for (const auto& e : fileio::ListDirectory(folder + below + "*")) {
      if (!e.directory) files.push_back(below + e.name);
      else
        for (auto& f : FilesBelow(folder, below + e.name + "\\")) files.push_back(std::move(f));
    }
    return files;
  }
  void SetEntry(int n, const std::string& text) { SetUiEntry(n, text); }
  void AddStandin() { AddStandinAs("standin.exe"); }

 private:
  static void CopyTree(const std::string& from, const std::string& to) {
    for (const std::string& file : FilesBelow(from)) {
      if (fileio::Exists(to + file)) continue;
      fileio::MakeDirectories(fileio::FolderOf(to + file));
      fileio::CopyFileTo(from + file, to + file);
    }
  }
};

// The boxes the program shows.
inline constexpr const char* kMessageBox = "SKMSGBOX";
inline constexpr const char* kPickFileBox = "SSPICKFILE";
inline constexpr const char* kBuildBox = "SSLBUILDBOX";
inline constexpr const char* kTargetFolderWindow = "SSTARGETFOLDER";

class Dunmere : public ProgramTestOf<DunmereFolder> {
 protected:
  // The volume bar is the last control the main window makes.
  Dunmere() : ProgramTestOf({"dunmere", kClassSlideMaker, dunmere::kVolumeBar}) {}

  static constexpr std::chrono::milliseconds kListLimit{10000};

  static HWND List(HWND frame) { return driver::FindChild(frame, dunmere::kSlideList); }
  static std::string Status(HWND frame) { return driver::WindowText(driver::FindChildByClass(frame, "SKSTATUS")); }

  // Waits until the slide list holds count entries; what it holds then.
  static std::vector<std::string> WaitSlides(HWND frame, size_t count) {
    std::vector<std::string> items;
    PumpUntil([&] { return (items = driver::ListItems(List(frame))).size() == count; }, kListLimit);
    return items;
  }
  // Waits until the slide list holds these entries in this order; what it holds then.
  static std::vector<std::string> WaitSlides(HWND frame, const std::vector<std::string>& expected) {
    std::vector<std::string> items;
    PumpUntil([&] { return (items = driver::ListItems(List(frame))) == expected; }, kListLimit);
    return items;
  }

  // Selects the slides at the indices (nothing else) and tells the window as a click would.
  static void SelectSlides(HWND frame, const std::vector<int>& indices) {
    HWND list = List(frame);
    SendAndWait(list, LB_SETSEL, FALSE, -1);
    for (int i : indices) SendAndWait(list, LB_SETSEL, TRUE, i);
    if (!indices.empty()) SendAndWait(list, LB_SETCARETINDEX, WPARAM(indices.front()), FALSE);
    SendAndWait(frame, WM_COMMAND, MAKEWPARAM(dunmere::kSlideList, LBN_SELCHANGE), LPARAM(list));
  }

  // Posts "select none" behind what was posted to the program before and waits until the
  // selection is empty: by then the earlier posted messages have been handled (a sent
  // message would be answered before them).
  static bool SelectNoneAfterPosted(HWND frame) {
    PostMessageA(frame, WM_COMMAND, dunmere::kCmdSelectNone, 0);
    return PumpUntil([&] { return SendAndWait(List(frame), LB_GETSELCOUNT, 0, 0) == 0; }, kListLimit);
  }

  // A menu command or button, run to its end.
  static void Command(HWND frame, int id) { SendAndWait(frame, WM_COMMAND, WPARAM(id), 0); }

  // Waits until no box of the class is left and the program has answered once more.
  static void WaitNoBox(HWND frame, const char* boxClass) {
    PumpUntil([&] { return FindWindowA(boxClass, nullptr) == nullptr; }, std::chrono::milliseconds(5000));
    SendAndWait(frame, WM_NULL, 0, 0);
  }
};
