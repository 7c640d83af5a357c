#include "falcet_fixture.h"

#include <vector>

#include "driver.h"
#include "falcet/options.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "skin/ui_text.h"

std::string FalcetFolder::WriteInProgram(const std::string& name, const std::string& bytes) const {
  std::string path = ProgramFolder() + name;
  fileio::MakeDirectories(fileio::FolderOf(path));
  fileio::WriteFileReplacing(path, bytes);
  return path;
}

void FalcetFolder::SetOption(int field, const std::string& value) {
  if (options_.empty()) {
    std::vector<UiTextError> errors;
    options_ = UiEntry(ParseUiText(ReadText(SuiteFolder() + "falcet.SYS"), errors).strings, 49);
  }
  options_ = falcet::WithOption(options_, field, value);
  SetUiEntry(49, options_);
}

void FalcetFolder::AddStandinAs(const std::string& programFile, const std::string& className, const std::string& log) {
  ProgramCopy::AddStandinAs(programFile);
  WriteInProgram(fileio::WithoutExtension(programFile) + ".arg", className + " " + log);
}

std::string WritePicture(const std::string& path, int width, int height, COLORREF colour) {
  std::vector<unsigned char> pixels(size_t(width) * size_t(height) * 3);
  for (size_t i = 0; i < pixels.size(); i += 3) {
    pixels[i] = GetBValue(colour);
    pixels[i + 1] = GetGValue(colour);
    pixels[i + 2] = GetRValue(colour);
  }
  fileio::MakeDirectories(fileio::FolderOf(path));
  driver::WriteBmp(path, width, height, pixels);
  return path;
}

long WaitTitle(HWND window, const std::string& title, DWORD milliseconds) {
  DWORD start = GetTickCount();
  for (;;) {
    if (driver::WindowText(window) == title) return long(GetTickCount() - start);
    if (GetTickCount() - start >= milliseconds) return -1;
    PumpMessages(20);
  }
}
