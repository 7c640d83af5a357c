// A stand-in for a tool that the topic editor starts with a command line: it writes the
// command line's arguments (everything after the program's own name, as given) into the
// file beside it named like it with the extension ".log", and ends; while a file named
// like it with the extension ".hold" exists (at most a minute) it keeps running first.
#include <windows.h>

#include <string>

#include "fileio/file.h"

int main() {
  std::string line = GetCommandLineA();
  size_t at = 0;
  if (!line.empty() && line[0] == '"') {
    at = line.find('"', 1);
    at = at == std::string::npos ? line.size() : at + 1;
  } else {
    at = line.find(' ');
    if (at == std::string::npos) at = line.size();
  }
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, sizeof exe);
  std::string log = exe;
  size_t dot = log.rfind('.');
  if (dot != std::string::npos) log.erase(dot);
  if (fileio::WriteFileReplacing(log + ".log", line.substr(at)) != fileio::kOk) return 1;
  const DWORD start = GetTickCount();
  while (fileio::Exists(log + ".hold") && GetTickCount() - start < 60000) Sleep(20);
  return 0;
}
