// standin: a stand-in partner program for whole-program tests. It registers the window
// class it is given and appends every command message it receives to a log file, one line
// per message: "<code> <length> <text bytes in hex>". Code 10 closes it, as it closes every
// partner of the suite. Usage: standin CLASS LOGFILE [HANG-MS]
// With HANG-MS, command code kStandinHangCode keeps the receiver busy that long (a hung partner).
// Started without arguments (as a program that starts a partner by its fixed program name
// does), it takes them from the file beside it named like it with the extension ".arg".
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "fileio/file.h"
#include "imaging/copydata.h"
#include "test_windows.h"
#include "win/window_class.h"

namespace {

std::string gLog;
DWORD gHangMs = 0;

void Append(int code, const std::string& text) {
  static const char* kHex = "0123456789abcdef";
  std::string line = std::to_string(code) + " " + std::to_string(text.size()) + " ";
  for (unsigned char c : text) {
    line += kHex[c >> 4];
    line += kHex[c & 15];
  }
  line += "\r\n";
  fileio::File f;
  if (f.OpenAlways(gLog) == fileio::kOk) f.WriteAt(f.Size(), line.data(), line.size());
}

LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  switch (m) {
    case WM_COPYDATA: {
      std::string text;
      int code = GETCOPYDATA(text, wp, lp);
      Append(code, text);
      if (code == kStandinHangCode && gHangMs) Sleep(gHangMs);
      if (code == kCodeClose) PostMessageA(w, WM_CLOSE, 0, 0);
      return 1;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(w, m, wp, lp);
  }
}

}  // namespace

// "CLASS LOGFILE [HANG-MS]" from the ".arg" file beside the program.
bool ArgumentsFromFile(std::string& cls) {
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, sizeof exe);
  std::string path = exe;
  size_t dot = path.rfind('.');
  std::string text;
  if (dot == std::string::npos || fileio::ReadWholeFile(path.substr(0, dot) + ".arg", text) != fileio::kOk) return false;
  char c[256] = {}, log[MAX_PATH] = {};
  unsigned long hang = 0;
  int n = std::sscanf(text.c_str(), "%255s %259s %lu", c, log, &hang);
  if (n < 2) return false;
  cls = c;
  gLog = log;
  gHangMs = n > 2 ? DWORD(hang) : 0;
  return true;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  std::string cls;
  if (__argc >= 3) {
    cls = __argv[1];
    gLog = __argv[2];
    if (__argc > 3) gHangMs = DWORD(std::strtoul(__argv[3], nullptr, 10));
  } else if (!ArgumentsFromFile(cls)) {
    return 2;
  }
  if (!win::RegisterClassOnce({.name = cls.c_str(),
                               .procedure = Proc,
                               .instance = instance,
                               .cursor = nullptr,
                               .background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)}))
    return 3;
  HWND w = CreateWindowExA(0, cls.c_str(), "standin", WS_OVERLAPPEDWINDOW, 10, 10, 200, 80, nullptr, nullptr,
                           instance, nullptr);
  if (!w) return 4;
  ShowWindow(w, SW_SHOWNOACTIVATE);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
