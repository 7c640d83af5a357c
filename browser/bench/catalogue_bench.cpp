// The drive catalogue under load: a drive of 100,000 files in 2,000 folders, 10,000 of them
// pictures that the picture catalogue (405) probes by their header, and the catalogue of all
// files (401). The browser runs as a program of its own and is driven from outside; the
// time runs from the drive's button to the catalogue handed to the help viewer.
//
// Usage: catalogue_bench [--folders N] [--files N] [--pictures N] [drive letter]
// The drive (default U:, which the test prefix maps to a folder of the build) keeps the
// generated files in "\cat-<folders>-<files>-<pictures>" for the next run.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bmp_file.h"
#include "driver.h"
#include "fileio/file.h"
#include "imaging/copydata.h"
#include "imaging/suite_classes.h"
#include "kelmor_fixture.h"
#include "program_copy.h"
#include "test_windows.h"
#include "bench_timing.h"

namespace {

using bench::Clock;
using bench::Seconds;
// folders leaf folders under 40 parents, files files each, the first pictures of them BMPs.
bool MakeDrive(const std::string& root, int folders, int files, int pictures) {
  std::string stamp = root + "made.txt";
  std::string want = std::to_string(folders) + " " + std::to_string(files) + " " + std::to_string(pictures);
  std::string have;
  if (fileio::ReadWholeFile(stamp, have) == fileio::kOk && have == want) return true;
  std::printf("preparing %d files in %d folders on %s ...\n", folders * files, folders, root.c_str());
  std::fflush(stdout);
  for (int f = 0; f < folders; ++f) {
    char folder[64];
    std::snprintf(folder, sizeof folder, "d%02d\\e%04d\\", f % 40, f);
    std::string path = root + folder;
    if (fileio::MakeDirectories(path) != fileio::kOk) return false;
    for (int i = 0; i < files; ++i) {
      char name[32];
      if (i < pictures) {
        std::snprintf(name, sizeof name, "pic%02d.bmp", i);
        if (!WriteBmp(path + name, 16 + i, 12, uint8_t(f), uint8_t(i), 7)) return false;
      } else {
        std::snprintf(name, sizeof name, "note%02d.txt", i);
        if (fileio::WriteFileReplacing(path + name, "some words") != fileio::kOk) return false;
      }
    }
  }
  return fileio::WriteFileReplacing(stamp, want) == fileio::kOk;
}

// Runs one catalogue command on the drive; the seconds to the catalogue shown, -1 on failure.
double RunCatalogue(HWND frame, int command, char letter, const std::string& log, size_t shownBefore) {
  PostMessageA(frame, WM_COMMAND, WPARAM(command), 0);
  std::string button = std::string(1, letter) + ":";
  if (!driver::PressButton("SKMSGBOX", 0, button, 20000)) return -1;
  auto t0 = Clock::now();
  if (WaitForLog(log, shownBefore + 1, 600000).size() <= shownBefore) return -1;
  return Seconds(t0);
}

}  // namespace

int main(int argc, char** argv) {
  int folders = 2000, files = 50, pictures = 5;
  char letter = 'U';
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--folders" && i + 1 < argc) folders = std::atoi(argv[++i]);
    else if (a == "--files" && i + 1 < argc) files = std::atoi(argv[++i]);
    else if (a == "--pictures" && i + 1 < argc) pictures = std::atoi(argv[++i]);
    else if (!a.empty()) letter = char(std::toupper(static_cast<unsigned char>(a[0])));
  }
  // One folder per size, kept for the next run of that size.
  std::string root = std::string(1, letter) + ":\\cat-" + std::to_string(folders) + "-" + std::to_string(files) + "-" +
                     std::to_string(pictures) + "\\";
  if (!fileio::IsDirectory(std::string(1, letter) + ":\\")) {
    std::printf("drive %c: is not there (scripts/wine-prefix.sh maps U:)\n", letter);
    return 1;
  }
  if (!MakeDrive(root, folders, files, pictures)) {
    std::printf("the files could not be made\n");
    return 1;
  }

  kelmor::KelmorFolder folder;
  std::string log = folder.Log("viewer.txt");
  folder.AddStandinAs("vandrel.exe", "QMHELP", log);
  ChildProcess viewer;
  if (!StartStandin(viewer, "QMHELP", log)) return 1;
  folder.WriteSettings("0|0|800|600|" + root + "|*.*|0|1|0");
  ChildProcess browser;
  if (!folder.Start(browser)) return 1;
  HWND frame = WaitForWindow(kClassBrowser, 30000, browser.Id());
  if (!frame || !driver::WaitChild(frame, kelmor::kHandOverButton, 30000)) {
    std::printf("the browser did not start\n");
    return 1;
  }
  SendAndWait(frame, WM_NULL, 0, 0);
  Sleep(500);

  int total = folders * files, probed = folders * pictures;
  double pictureSeconds = RunCatalogue(frame, 405, letter, log, 0);
  std::printf("405 (pictures): %d files in %d folders, %d pictures probed: %.2f s\n", total, folders, probed,
              pictureSeconds);
  std::fflush(stdout);
  // 401 collects at UI entry 75's 2 too: the collection list is emptied first (answer 1).
  PostMessageA(frame, WM_COMMAND, 401, 0);
  HWND driveBox = nullptr;
  bool pressed = PressNextBox("SKMSGBOX", 0, std::string(1, letter) + ":", &driveBox, 20000);
  auto t0 = Clock::now();
  HWND question = driveBox;
  if (pressed) PressNextBox("SKMSGBOX", 1, "", &question, 20000);
  bool shown = WaitForLog(log, 2, 600000).size() >= 2;
  std::printf("401 (all files): %d files in %d folders: %.2f s (with the question answered)\n", total, folders,
              shown ? Seconds(t0) : -1.0);
  driver::SendCommand(frame, kCodeClose, "");
  browser.Wait(30000);
  CloseStandin("QMHELP");
  return pictureSeconds > 0 && shown ? 0 : 1;
}
