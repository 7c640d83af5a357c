// The picture browser over a folder of 1,000 photographs of 3000 x 2000 (camera-like JPEGs
// without an embedded thumbnail): the time from the choice of the folder to the first
// screen (the listing of every file and the strip's four thumbnails), and the thumbnails
// per second of a 4 x 4 tiled show over the whole folder on one thread. The browser runs as
// a program of its own (a copy in a temporary program folder, as in the whole-program
// tests) and is driven from outside:
// - the folder tree's choice is WM_COMMAND with its notification, sent: the message returns
//   once the folder is listed and the strip drawn;
// - the tiled show runs without a display time over the folder's list followed by a path
//   that does not exist: its warning box marks the end of the round.
//
// Usage: hessam_bench [--pictures N] [--rounds N] [folder]
// The folder (default: one in the temporary folder) keeps the photographs for the next run.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_photos.h"
#include "driver.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "hessam/command_ids.h"
#include "hessam/settings.h"
#include "imaging/copydata.h"
#include "imaging/suite_classes.h"
#include "pick/folder_tree.h"
#include "program_copy.h"
#include "wait_until.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point from) { return std::chrono::duration<double, std::milli>(Clock::now() - from).count(); }

std::string Text(HWND frame, int id) { return driver::WindowText(driver::FindChild(frame, id)); }

HWND ProcessWindow(const char* className, DWORD processId) {
  return FindTopWindow(className, [processId](HWND w) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    return pid == processId && IsWindowVisible(w);
  });
}

}  // namespace

int main(int argc, char** argv) {
  int pictures = 1000, rounds = 5;
  std::string folder = fileio::TempFolder() + "hessam_bench_photos\\";
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--pictures" && i + 1 < argc) pictures = std::max(1, std::atoi(argv[++i]));
    else if (a == "--rounds" && i + 1 < argc) rounds = std::max(1, std::atoi(argv[++i]));
    else folder = fileio::WithTrailingSeparator(a);
  }
  std::printf("preparing %d photographs of 3000 x 2000 in %s\n", pictures, folder.c_str());
  std::fflush(stdout);
  std::vector<std::string> photos = hessam_bench::MakePhotoFolder(folder, pictures, 25);

  ProgramCopy copy("hessam");
  copy.WriteSettings(hessam::EncodeSettings({0, 0, hessam::kDefaultWidth, hessam::kDefaultHeight, folder}));
  copy.SetMenuAction(hessam::kCmdTiledShow, "4,4,0");
  ChildProcess browser;
  if (!copy.Start(browser)) return 1;
  HWND frame = WaitForWindow(kClassPictureBrowser, 30000, browser.Id());
  std::string count = std::to_string(pictures);
  // The start-up listing of the folder of the settings.
  if (!frame || !WaitUntil([&] { return Text(frame, hessam::kCountControl) == count; }, std::chrono::minutes(5))) {
    std::printf("the browser did not list the folder\n");
    return 1;
  }
  SendAndWait(frame, WM_NULL, 0, 0);

  // The folder's choice in the tree, to its first screen.
  std::vector<double> times;
  for (int r = 0; r < rounds; ++r) {
    auto t0 = Clock::now();
    SendAndWait(frame, WM_COMMAND, MAKEWPARAM(hessam::kFolderTree, kFolderTreeSelChanged), 0);
    times.push_back(Ms(t0));
    if (Text(frame, hessam::kCountControl) != count) std::printf("round %d: %s pictures\n", r + 1, Text(frame, hessam::kCountControl).c_str());
  }
  std::sort(times.begin(), times.end());
  std::printf("folder of %d photographs to the first screen: %.0f ms (median of %d, fastest %.0f ms; goal 500 ms)\n",
              pictures, times[times.size() / 2], rounds, times.front());

  // The tiled show over the whole folder: the warning for the missing path ends the round.
  std::string list;
  for (const std::string& p : photos) list += p + "|";
  list += folder + "missing.jpg";
  driver::SendCommand(frame, kCodeOpen, list);
  if (!WaitUntil([&] { return Text(frame, hessam::kCountControl) == std::to_string(pictures + 1); },
                 std::chrono::minutes(1)))
    return 1;
  SendAndWait(frame, WM_NULL, 0, 0);
  auto t0 = Clock::now();
  driver::PostCommand(frame, hessam::kCmdTiledShow);
  HWND box = nullptr;
  WaitUntil([&] { return (box = ProcessWindow("SKMSGBOX", browser.Id())) != nullptr; }, std::chrono::minutes(10),
            std::chrono::milliseconds(5));
  double seconds = Ms(t0) / 1000.0;
  if (!box) {
    std::printf("the tiled show did not come round\n");
    return 1;
  }
  std::printf("4 x 4 tiled show on %d x %d: %d thumbnails in %.2f s, %.1f thumbnails per second (goal 60)\n",
              GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), pictures, seconds, pictures / seconds);
  std::fflush(stdout);
  if (HWND ok = driver::FindButton(box, 1, "")) PostMessageA(ok, BM_CLICK, 0, 0);
  WaitUntil([&] { return !IsWindow(box); }, std::chrono::seconds(30));
  if (HWND zoom = ProcessWindow("SKZOOM", browser.Id())) PostMessageA(zoom, WM_KEYDOWN, VK_ESCAPE, 1);
  driver::SendCommand(frame, kCodeClose, "");
  browser.Wait(30000);
  return 0;
}
