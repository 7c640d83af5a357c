// A program the archive starts and waits for (the picture tool, the document application),
// for whole-program tests. It appends its command line to the file beside it named like it
// with ".log"; when the file beside it with ".cfg" holds a text, it appends that text to the
// file its last argument names (an edited document); then it runs until the file beside it
// with ".go" exists, at most 20 seconds.
#include <windows.h>

#include <string>

namespace {

std::string Beside(const char* extension) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string p = path;
  size_t dot = p.rfind('.');
  return (dot == std::string::npos ? p : p.substr(0, dot)) + extension;
}

std::string Read(const std::string& path) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return {};
  char text[4096] = {};
  DWORD got = 0;
  ReadFile(f, text, sizeof text - 1, &got, nullptr);
  CloseHandle(f);
  return std::string(text, got);
}

void Append(const std::string& path, const std::string& text) {
  HANDLE f = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(f, text.data(), DWORD(text.size()), &written, nullptr);
  CloseHandle(f);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Append(Beside(".log"), std::string(GetCommandLineA()) + "\r\n");
  std::string edit = Read(Beside(".cfg"));
  if (!edit.empty() && __argc > 1) Append(__argv[__argc - 1], edit);
  const std::string go = Beside(".go");
  for (int waited = 0; waited < 20000 && GetFileAttributesA(go.c_str()) == INVALID_FILE_ATTRIBUTES; waited += 50)
    Sleep(50);
  return 0;
}
