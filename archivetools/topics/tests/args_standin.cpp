// A stand-in for a tool that the topic editor starts with a command line: it writes the
// command line's arguments (everything after the program's own name, as given) into the
// file beside it named like it with the extension ".log", and ends.
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
  return fileio::WriteFileReplacing(log + ".log", line.substr(at)) == fileio::kOk ? 0 : 1;
}
