// The recorder's speed: a 640 x 480 window that changes every 10 ms, recorded at 30 frames
// a second for 10 seconds (--seconds N, --rate R, --size WxH); prints the frames written,
// dropped and failed, the share dropped and the process's CPU time. Under Wine:
//   scripts/wine-session.sh build/win64 wine build/win64/tests/morvane_bench.exe
#include <windows.h>
#include <mmsystem.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "morvane/morvane.h"
#include "win/raii.h"

namespace {

int gCounts[3] = {0, 0, 0};
int gShade = 0;

LRESULT CALLBACK BenchProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == kMvFrameWritten) ++gCounts[0];
  if (m == kMvFrameDropped) ++gCounts[1];
  if (m == kMvError) ++gCounts[2];
  if (m == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w, &ps);
    RECT r;
    GetClientRect(w, &r);
    win::Brush brush(CreateSolidBrush(RGB(gShade % 256, (gShade * 3) % 256, 255 - gShade % 256)));
    FillRect(dc, &r, brush.Get());
    EndPaint(w, &ps);
    return 0;
  }
  return DefWindowProcA(w, m, wp, lp);
}

double CpuSeconds() {
  FILETIME created, ended, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
  auto value = [](const FILETIME& t) { return (uint64_t(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e7; };
  return value(kernel) + value(user);
}

}  // namespace

int main(int argc, char** argv) {
  int seconds = 10, rate = 30, width = 640, height = 480;
  for (int i = 1; i + 1 < argc; ++i) {
    if (!strcmp(argv[i], "--seconds")) seconds = atoi(argv[i + 1]);
    if (!strcmp(argv[i], "--rate")) rate = atoi(argv[i + 1]);
    if (!strcmp(argv[i], "--size")) sscanf(argv[i + 1], "%dx%d", &width, &height);
  }
  char folder[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, folder, MAX_PATH);
  std::string base(folder);
  base = base.substr(0, base.find_last_of('\\') + 1);
  win::Module dll(LoadLibraryA((base + "..\\suite\\morvane.dll").c_str()));
  if (!dll) {
    std::printf("morvane.dll not found beside the suite\n");
    return 1;
  }
  auto proc = [&](const char* name) { return reinterpret_cast<void*>(GetProcAddress(dll.Get(), name)); };
  auto init = reinterpret_cast<MvInitProc>(proc("MVINIT"));
  auto start = reinterpret_cast<MvStartProc>(proc("MVSTART"));
  auto stop = reinterpret_cast<MvStopProc>(proc("MVSTOP"));
  auto end = reinterpret_cast<MvEndProc>(proc("MVEND"));
  WNDCLASSA wc{};
  wc.lpfnWndProc = BenchProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "MORVANEBENCH";
  RegisterClassA(&wc);
  HWND window = CreateWindowExA(0, "MORVANEBENCH", "bench", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr,
                                nullptr, wc.hInstance, nullptr);
  MvFormat format{};
  format.framesPerSecond = rate;
  format.soundRate = 22050;
  format.soundBits = 16;
  format.picture.biSize = sizeof format.picture;
  format.picture.biWidth = width;
  format.picture.biHeight = height;
  format.picture.biPlanes = 1;
  format.picture.biBitCount = 24;
  std::string output = base + "morvane_bench.avi";
  if (!init || !init(window, &format, output.c_str()) || !start(mmioStringToFOURCCA("cscd", 0))) {
    std::printf("the recorder did not start\n");
    return 1;
  }
  double cpuBefore = CpuSeconds();
  auto begin = std::chrono::steady_clock::now();
  while (std::chrono::steady_clock::now() - begin < std::chrono::seconds(seconds)) {
    ++gShade;
    InvalidateRect(window, nullptr, FALSE);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(10);
  }
  stop();
  end();
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  double cpu = CpuSeconds() - cpuBefore;
  int due = gCounts[0] + gCounts[1];
  std::printf("%d s at %dx%d, %d fps: %d written, %d dropped (%.2f %%), %d errors; CPU %.2f s\n", seconds, width,
              height, rate, gCounts[0], gCounts[1], due ? 100.0 * gCounts[1] / due : 0.0, gCounts[2], cpu);
  DeleteFileA(output.c_str());
  return 0;
}
