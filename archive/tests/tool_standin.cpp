// A program the archive starts and waits for (the picture tool, the document application),
// for whole-program tests. It appends its command line to the file beside it named like it
// with ".log"; when the file beside it with ".cfg" holds a text, it appends that text to the
// file its last argument names (an edited document); then it runs until the file beside it
// with ".go" exists, at most 20 seconds.
#include <windows.h>

#include <string>

#include "standin_files.h"

namespace {

using standin_files::Append;
using standin_files::Read;

std::string Beside(const char* extension) { return standin_files::Beside(nullptr, extension); }

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
