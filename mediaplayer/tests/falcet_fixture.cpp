#include "falcet_fixture.h"

#include <gtest/gtest.h>

#include <vector>

#include "bmp_file.h"
#include "driver.h"
#include "falcet/options.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "skin/ui_text.h"
#include "test_windows.h"

namespace falcet {

FalcetFolder::FalcetFolder(bool uiFile) : ProgramCopy("falcet", uiFile) {
  CopyFromSuite("Slate\\*.*");
  CopyFromSuite("Slate\\pane\\*.*");
  WriteInProgram("tolvern.skl", "Slate\\Slate.sks\r\n");
}

void FalcetFolder::SetOption(int field, const std::string& value) {
  if (options_.empty()) {
    std::vector<UiTextError> errors;
    options_ = UiEntry(ParseUiText(ReadText(SuiteFolder() + "falcet.SYS"), errors).strings, 49);
  }
  options_ = falcet::WithOption(options_, field, value);
  SetUiEntry(49, options_);
}

std::string WritePicture(const std::string& path, int width, int height, COLORREF colour) {
  EXPECT_TRUE(WriteBmp(path, width, height, GetRValue(colour), GetGValue(colour), GetBValue(colour))) << path;
  return path;
}

HWND PaneOf(HWND frame) {
  DWORD process = 0;
  GetWindowThreadProcessId(frame, &process);
  return FindTopWindow("SKPANE", [&](HWND w) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    return owner == process && driver::WindowText(w) == "qPlayer";
  });
}

HWND WaitBarControl(HWND frame, int id, DWORD milliseconds) {
  HWND control = nullptr;
  WaitUntil(
      [&] {
        HWND pane = PaneOf(frame);
        control = pane ? driver::FindChild(pane, id) : nullptr;
        return control != nullptr;
      },
      std::chrono::milliseconds(milliseconds));
  return control;
}

std::string AnswerBox(DWORD processId) {
  HWND box = WaitForWindow("SKMSGBOX", kEventLimitMs, processId);
  if (!box) return {};
  std::string text = driver::BoxText(box);
  driver::PressButton("SKMSGBOX", 1, "", kEventLimitMs);
  return text;
}

}  // namespace falcet
