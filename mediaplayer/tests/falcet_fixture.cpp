#include "falcet_fixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "bmp_file.h"
#include "driver.h"
#include "falcet/options.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "skin/ui_text.h"

namespace falcet {

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
  EXPECT_TRUE(WriteBmp(path, width, height, GetRValue(colour), GetGValue(colour), GetBValue(colour))) << path;
  return path;
}

long WaitTitle(HWND window, const std::string& title, DWORD milliseconds) {
  auto start = std::chrono::steady_clock::now();
  if (!PumpUntil([&] { return driver::WindowText(window) == title; }, std::chrono::milliseconds(milliseconds)))
    return -1;
  return long(std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count());
}

}  // namespace falcet
