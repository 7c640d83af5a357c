// Where a program of the suite stands and what it is called, worked out from the path of
// its .exe by one rule for every program, and the end of a program without its UI text
// file. Portable.
#pragma once
#include <string>

namespace startup {

// The exit code of a program that found no UI text file.
constexpr int kExitMissingUiFile = 2;

struct ProgramPaths {
  std::string exePath;        // C:\Suite\kelmor.exe
  std::string programFolder;  // C:\Suite\ (with its final "\")
  std::string programFile;    // kelmor.exe
  std::string programName;    // kelmor (the file name without its extension)
  std::string basePath;       // C:\Suite\kelmor (the path without its extension)
  std::string uiFile;         // C:\Suite\kelmor.SYS
};

ProgramPaths ProgramPathsOf(const std::string& exePath);

// What the box says when the UI text file is missing: its path and " missing !".
std::string MissingUiFileText(const std::string& uiFile);

}  // namespace startup
