// The media browser's file list under load: the time to the filled list of a folder of
// 10,000 files, and the thumbnails per second of the detail filler over a folder of
// photographs. The browser runs as a program of its own (a copy in a temporary program
// folder, as in the whole-program tests) and is driven with command messages: codes 11 to
// 16 fill the list synchronously, so the time of the message is the time to the filled list.
//
// Usage: kelmor_bench [--files N] [--pictures N] [--rounds N] [--visible] [folder]
// The folder (default: a temporary one) keeps the generated files for the next run.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "driver.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "imaging/copydata.h"
#include "imaging/suite_classes.h"
#include "imglib/codecs.h"
#include "kelmor/command_ids.h"
#include "kelmor_fixture.h"
#include "wait_until.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point from) {
  return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

// A photograph-like picture: light across the scene, a few soft discs, fine grain.
imglib::Raster Photo(int width, int height, int index) {
  std::mt19937 rng(uint32_t(index) * 2654435761u + 7);
  imglib::Raster r;
  r.Allocate(width, height);
  int base[3] = {int(rng() % 120) + 40, int(rng() % 120) + 40, int(rng() % 120) + 40};
  double cx = rng() % width, cy = rng() % height, radius = 80.0 + rng() % 300;
  for (int y = 0; y < height; ++y) {
    uint8_t* row = r.Row(y);
    for (int x = 0; x < width; ++x) {
      double light = 0.6 + 0.4 * std::sin(x * 0.003 + y * 0.002);
      bool inDisc = (x - cx) * (x - cx) + (y - cy) * (y - cy) < radius * radius;
      for (int k = 0; k < 3; ++k) {
        int c = int(base[k] * light) + (inDisc ? 60 : 0) + int(rng() % 7) - 3;
        row[x * 3 + k] = uint8_t(std::clamp(c, 0, 255));
      }
    }
  }
  return r;
}

void MakeFiles(const std::string& folder, int count) {
  fileio::MakeDirectories(folder);
  int have = int(fileio::ListDirectory(folder + "*.txt").size());
  if (have == count) return;
  for (int i = 0; i < count; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "file%05d.txt", i);
    fileio::WriteFileReplacing(folder + name, "x");
  }
}

void MakePictures(const std::string& folder, int count) {
  fileio::MakeDirectories(folder);
  if (int(fileio::ListDirectory(folder + "*.jpg").size()) == count) return;
  for (int i = 0; i < count; ++i) {
    std::string jpeg;
    imglib::EncodePicture(Photo(1600, 1200, i), imglib::kFormatJpeg, 24, 10, jpeg);
    char name[32];
    std::snprintf(name, sizeof name, "photo%04d.jpg", i);
    fileio::WriteFileReplacing(folder + name, jpeg);
  }
}

LRESULT Count(HWND list) { return SendMessageA(list, LB_GETCOUNT, 0, 0); }

int ThumbnailsMade(HWND list) {
  int made = 0;
  LRESULT n = Count(list);
  for (LRESULT i = 0; i < n; ++i) made += SendMessageA(list, LB_GETITEMDATA, WPARAM(i), 0) != 0;
  return made;
}

}  // namespace

int main(int argc, char** argv) {
  int files = 10000, pictures = 200, rounds = 5;
  bool visible = false;
  std::string root;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--files" && i + 1 < argc) files = std::atoi(argv[++i]);
    else if (a == "--pictures" && i + 1 < argc) pictures = std::atoi(argv[++i]);
    else if (a == "--rounds" && i + 1 < argc) rounds = std::max(1, std::atoi(argv[++i]));
    else if (a == "--visible") visible = true;
    else root = fileio::WithTrailingSeparator(a);
  }
  TempDir temp;
  if (root.empty()) root = temp.Path();
  std::string many = root + "many\\", photos = root + "photos\\";
  std::printf("preparing %d files and %d photographs (1600 x 1200 JPEG) in %s\n", files, pictures, root.c_str());
  std::fflush(stdout);
  MakeFiles(many, files);
  MakePictures(photos, pictures);

  kelmor::KelmorFolder folder;
  // Opens at the folder of many files with the videos' filter: an empty list.
  folder.WriteSettings("0|0|800|600|" + many + "|*.avi;*.mpg;*.mpeg;*.wmv;*.asf;*.mov;*.dat|0|1|0");
  ChildProcess browser;
  if (!folder.Start(browser)) return 1;
  HWND frame = WaitForWindow(kClassBrowser, 30000, browser.Id());
  HWND list = frame ? driver::WaitChild(frame, kelmor::kFileList, 30000) : nullptr;
  if (!list) {
    std::printf("the browser did not start\n");
    return 1;
  }
  SendAndWait(frame, WM_NULL, 0, 0);
  Sleep(500);

  // Time to the filled list: code 13 (texts: *.htm;*.html;*.txt) lists every file, code 12
  // (videos) empties the list again.
  std::vector<double> fills;
  for (int r = 0; r < rounds; ++r) {
    driver::SendCommand(frame, kCodeFileType2, "");
    auto t0 = Clock::now();
    driver::SendCommand(frame, kCodeFileType3, "");
    fills.push_back(Ms(t0));
    if (Count(list) != files) std::printf("round %d: the list holds %ld entries\n", r + 1, long(Count(list)));
  }
  std::sort(fills.begin(), fills.end());
  std::printf("file list of %d files filled in %.0f ms (median of %d, fastest %.0f ms)\n", files,
              fills[fills.size() / 2], rounds, fills.front());
  // Going to the folder with code 23 also selects it in the folder tree.
  driver::SendCommand(frame, kCodeGoToFolder, fileio::WithoutTrailingSeparator(photos));
  auto t23 = Clock::now();
  driver::SendCommand(frame, kCodeGoToFolder, fileio::WithoutTrailingSeparator(many));
  std::printf("code 23 to the folder of %d files: %.0f ms\n", files, Ms(t23));

  // The detail filler: the photographs' folder in the thumbnail layout.
  driver::SendCommand(frame, kCodeFileType1, "");
  driver::SendCommand(frame, kCodeGoToFolder, fileio::WithoutTrailingSeparator(photos));
  if (!visible) ShowWindow(frame, SW_MINIMIZE);  // only the filler makes thumbnails
  SendAndWait(frame, WM_NULL, 0, 0);
  auto t0 = Clock::now();
  driver::SendCommand(frame, kCodeFileType5, "");
  int made = 0;
  WaitUntil([&] { return (made = ThumbnailsMade(list)) >= pictures; }, std::chrono::minutes(10),
            std::chrono::milliseconds(20));
  double seconds = Ms(t0) / 1000.0;
  std::printf("detail filler: %d thumbnails in %.2f s, %.1f thumbnails per second%s\n", made, seconds,
              made / seconds, visible ? " (window shown)" : "");
  driver::SendCommand(frame, kCodeClose, "");
  browser.Wait(30000);
  return made == pictures ? 0 : 1;
}
