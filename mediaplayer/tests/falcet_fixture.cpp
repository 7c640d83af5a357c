#include "falcet_fixture.h"

#include <gtest/gtest.h>

#include <vector>

#include "bmp_file.h"
#include "driver.h"
#include "falcet/options.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "skin/ui_text.h"

namespace falcet {

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

}  // namespace falcet
