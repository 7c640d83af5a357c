// Start-up of the suite's programs beside a trivial Win32 program (a window class, a
// window shown, a message loop: this program started with --trivial), as a user meets
// it: the time from starting the process until its main window is visible, and until it
// is complete (the control it makes last exists). Each program runs from a copy in a
// program folder of its own, as in the whole-program tests, and is started N times
// (default 10), taking turns with the trivial one; the best and the median are printed,
// with the ratio of the medians to the trivial one's.
//   startup_bench [--runs N] [program ...]
//     (programs: kelmor falcet jorvel dunmere bravik hessam grilton lumbric ostrel)
// The audio player's main window stays hidden: what its user sees is its pane, so it is
// timed until the pane is visible (and ended through its hidden main window).
// Run under warm Wine: scripts/wine-session.sh build/win64 wine build/win64/tests/startup_bench.exe
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "driver.h"
#include "grilton/command_ids.h"
#include "hessam/command_ids.h"
#include "imaging/copydata.h"
#include "imaging/suite_classes.h"
#include "jorvel/command_ids.h"
#include "jorvel/pane.h"
#include "lumbric/command_ids.h"
#include "ostrel/command_ids.h"
#include "program_copy.h"
#include "test_windows.h"

namespace {

constexpr const char* kTrivialClass = "STARTUPBENCHTRIVIAL";
constexpr DWORD kLimitMs = 30000;

LRESULT CALLBACK TrivialProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(w, m, wp, lp);
}

int RunTrivial(HINSTANCE instance) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = TrivialProc;
  wc.hInstance = instance;
  wc.lpszClassName = kTrivialClass;
  wc.hbrBackground = HBRUSH(COLOR_WINDOW + 1);
  if (!RegisterClassA(&wc)) return 1;
  HWND w = CreateWindowExA(0, kTrivialClass, "trivial", WS_OVERLAPPEDWINDOW, 100, 100, 640, 480, nullptr, nullptr,
                           instance, nullptr);
  if (!w) return 1;
  ShowWindow(w, SW_SHOW);
  UpdateWindow(w);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}

struct Program {
  const char* name;
  const char* frameClass;
  int readyControl;  // the control its visible window makes last, as its tests wait for it (0: not timed)
  const char* shownClass = nullptr;  // the window the user sees, when it is not the main window
  const char* VisibleClass() const { return shownClass ? shownClass : frameClass; }
};

// The suite's programs with a window the user sees at start.
const Program kPrograms[] = {{"kelmor", kClassBrowser, 0},
                             {"falcet", kClassPlayer, 56},  // the next button of its control bar
                             {"jorvel", kClassAudioPlayer, jorvel::kVolumeBar, jorvel::kPaneClass},
                             {"dunmere", kClassSlideMaker, 0},
                             {"bravik", kClassPictureTool, 0},
                             {"hessam", kClassPictureBrowser, hessam::kCountControl},
                             {"grilton", kClassArchive, grilton::kCmdAttachDocument},
                             // The form's last topic slot (field 21 of ten slots).
                             {"lumbric", kClassTopicEditor, lumbric::kFieldIdBase + 21},
                             {"ostrel", kClassQuery, ostrel::kProgressBar}};

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point since) { return std::chrono::duration<double, std::milli>(Clock::now() - since).count(); }

HWND VisibleWindowOf(const char* className, DWORD process) {
  return FindTopWindow(className, [process](HWND w) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    return pid == process && IsWindowVisible(w);
  });
}

// A control of the process, on its window or on any other top-level window it shows (the
// players' control bars are panes of their own).
HWND ControlOf(DWORD process, int id) {
  HWND found = nullptr;
  FindTopWindow("", [&](HWND w) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    return pid == process && IsWindowVisible(w) && (found = driver::FindChild(w, id)) != nullptr;
  });
  return found;
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

struct Times {
  std::vector<double> visible;
  std::vector<double> complete;
  double Best() const { return visible.empty() ? 0 : *std::min_element(visible.begin(), visible.end()); }
  double Median() const { return ::Median(visible); }
};

// One start: the milliseconds until the window is visible, or a negative number; with a
// ready control, *complete gets the milliseconds until that control exists (negative: never).
// The main window, found by frameClass, may be a hidden one beside the visible one.
double StartOnce(const std::string& exe, const std::string& arguments, const std::string& folder,
                 const char* className, ProgramCopy* copy, int readyControl = 0, double* complete = nullptr,
                 const char* frameClass = nullptr) {
  ChildProcess process;
  auto start = Clock::now();
  bool started = copy ? copy->Start(process, arguments) : process.Start(exe, arguments, folder);
  if (!started) return -1;
  HWND frame = nullptr;
  double took = -1;
  while (Ms(start) < kLimitMs && process.Running()) {
    if ((frame = VisibleWindowOf(className, process.Id()))) {
      took = Ms(start);
      break;
    }
    Sleep(1);
  }
  if (frame && readyControl && complete) {
    *complete = -1;
    while (Ms(start) < kLimitMs && process.Running()) {
      if (ControlOf(process.Id(), readyControl)) {
        *complete = Ms(start);
        break;
      }
      Sleep(1);
    }
  }
  if (frame) {
    // Complete before it is ended: the start's own work never overlaps the next start.
    Sleep(300);
    if (frameClass) {
      DWORD id = process.Id();
      HWND mainWindow = FindTopWindow(frameClass, [id](HWND w) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        return pid == id;
      });
      if (mainWindow) frame = mainWindow;  // else the visible window gets the close
    }
    if (copy) {
      if (SENDCOPYDATA(frame, kCodeClose, "") == 0) PostMessageA(frame, WM_CLOSE, 0, 0);
    } else {
      PostMessageA(frame, WM_CLOSE, 0, 0);
    }
  }
  if (took < 0) std::fprintf(stderr, "%s: no visible %s window; %s after %.0f ms\n", copy ? copy->Exe().c_str() : exe.c_str(),
                            className, process.Running() ? "still running" : "ended", Ms(start));
  if (process.Wait(kLimitMs) == -1) process.Kill();
  return took;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 10;
  std::vector<std::string> names;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--trivial") return RunTrivial(GetModuleHandleA(nullptr));
    if (a == "--runs" && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));
    else names.push_back(a);
  }
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);

  struct Measured {
    const Program* program;
    std::unique_ptr<ProgramCopy> copy;
    Times times;
  };
  std::vector<Measured> measured;
  for (const Program& p : kPrograms) {
    if (!names.empty() && std::find(names.begin(), names.end(), p.name) == names.end()) continue;
    auto copy = std::make_unique<ProgramCopy>(p.name);
    // What the whole-program tests give each program to start as a user's does.
    if (std::string(p.name) == "dunmere") copy->CopyFromSuite("effects\\*.txt");
    // The players draw their panes from the suite's skin, as installed.
    if (std::string(p.name) == "falcet" || std::string(p.name) == "jorvel") {
      copy->CopyFromSuite("Slate\\*.*");
      copy->CopyFromSuite("Slate\\pane\\*.*");
      copy->WriteInProgram(std::string(p.name) == "falcet" ? "tolvern.skl" : "jorvel.skl", "Slate\\Slate.sks\r\n");
    }
    if (std::string(p.name) == "bravik") {
      copy->CopyFromSuite("nadrix.dll");
      copy->SetUiEntry(40, "nopartner.exe,QNOPARTNER");  // not the build's media browser
    }
    measured.push_back({&p, std::move(copy), {}});
  }

  Times trivial;
  // A first start of each warms the caches; it is not counted.
  StartOnce(self, "--trivial", "", kTrivialClass, nullptr);
  for (Measured& m : measured)
    StartOnce("", "", "", m.program->VisibleClass(), m.copy.get(), 0, nullptr, m.program->frameClass);
  // The starts take turns, so that a machine busier for a while weighs on the trivial
  // program and on each program alike.
  for (int r = 0; r < runs; ++r) {
    double t = StartOnce(self, "--trivial", "", kTrivialClass, nullptr);
    if (t >= 0) trivial.visible.push_back(t);
    for (Measured& m : measured) {
      double complete = -1;
      double took = StartOnce("", "", "", m.program->VisibleClass(), m.copy.get(), m.program->readyControl, &complete,
                              m.program->frameClass);
      if (took >= 0) m.times.visible.push_back(took);
      if (complete >= 0) m.times.complete.push_back(complete);
    }
  }

  std::printf("start-up to the visible main window, %d runs each, taking turns (ms)\n", runs);
  std::printf("%-10s %8s %8s %8s %10s\n", "program", "best", "median", "ratio", "complete");
  std::printf("%-10s %8.0f %8.0f %8.2f %10s\n", "trivial", trivial.Best(), trivial.Median(), 1.0, "-");
  int failures = 0;
  for (const Measured& m : measured) {
    const Times& t = m.times;
    if (t.visible.empty()) {
      std::printf("%-10s   no window within %lu ms\n", m.program->name, kLimitMs);
      ++failures;
      continue;
    }
    // The median time until the window is complete (its ready control exists).
    std::string complete = t.complete.empty() ? "-" : std::to_string(int(Median(t.complete) + 0.5));
    std::printf("%-10s %8.0f %8.0f %8.2f %10s\n", m.program->name, t.Best(), t.Median(),
                trivial.Median() > 0 ? t.Median() / trivial.Median() : 0.0, complete.c_str());
  }
  return failures ? 1 : 0;
}
