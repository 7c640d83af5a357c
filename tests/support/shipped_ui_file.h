// The UI text file that ships with a program, read and parsed for a test: a file that
// cannot be read or a line that does not parse is a test failure.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fileio/file.h"
#include "skin/ui_text.h"

inline UiTextFile LoadShippedUiFile(const std::string& path) {
  std::string text;
  EXPECT_EQ(fileio::ReadWholeFile(path, text), fileio::kOk) << path;
  std::vector<UiTextError> errors;
  UiTextFile file = ParseUiText(text, errors);
  for (const auto& e : errors) ADD_FAILURE() << path << " line " << e.line << ": " << e.message;
  return file;
}
