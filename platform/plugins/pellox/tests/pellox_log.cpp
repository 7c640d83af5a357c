// A stand-in for pellox.dll in whole-program tests: "skEffect" appends its 11 arguments to
// pellox.log beside the DLL (one line: dc?,left,top,width,height,bitmap?,reserved,callback?,
// step,time,effect, then ";" and what the status callback, asked once first, answered)
// and answers that.
#include <windows.h>

#include <cstdio>
#include <string>

#include "imglib/imglib_effects.h"

namespace {

std::string LogPath() {
  HMODULE self = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&LogPath), &self);
  char path[MAX_PATH] = {};
  DWORD n = GetModuleFileNameA(self, path, MAX_PATH);
  std::string folder(path, n);
  size_t slash = folder.find_last_of("\\/");
  return folder.substr(0, slash == std::string::npos ? 0 : slash + 1) + "pellox.log";
}

}  // namespace

extern "C" int WINAPI skEffect(HDC dc, int left, int top, int width, int height, HBITMAP picture, int reserved,
                               STATUSCALLBACK callback, int step, int time, int effect) {
  int answer = callback ? callback(50, nullptr) : 1;
  BITMAP info{};
  bool isBitmap = picture && GetObjectA(picture, sizeof info, &info) == sizeof info && info.bmWidth == width &&
                  info.bmHeight == height;
  char line[256];
  std::snprintf(line, sizeof line, "%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d;%d\n", dc ? 1 : 0, left, top, width, height,
                isBitmap ? 1 : 0, reserved, callback ? 1 : 0, step, time, effect, answer);
  if (FILE* f = std::fopen(LogPath().c_str(), "ab")) {
    std::fputs(line, f);
    std::fclose(f);
  }
  return answer;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
