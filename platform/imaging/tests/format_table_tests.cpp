// The formats table of docs/imaging-layer.md against the code: a format is listed as
// written exactly when the layer writes it. Native only (the documents are read from the
// source tree).
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "imglib/codecs.h"

using namespace imglib;

#ifndef _WIN32
namespace {

std::vector<std::string> Cells(const std::string& row) {
  std::vector<std::string> cells;
  std::stringstream in(row.substr(1));
  std::string cell;
  while (std::getline(in, cell, '|')) {
    size_t a = cell.find_first_not_of(' '), b = cell.find_last_not_of(' ');
    cells.push_back(a == std::string::npos ? std::string() : cell.substr(a, b - a + 1));
  }
  return cells;
}

// The layer writes a format with its own encoders or through the system codecs.
bool LayerWrites(int format) { return CanEncode(format) || format == kFormatPng || format == kFormatTif; }

}  // namespace
#endif

TEST(FormatTable, SaysWhatTheLayerWrites) {
#ifdef _WIN32
  GTEST_SKIP() << "the documents are checked in the native build";
#else
  std::ifstream file(IMAGING_DOCS_DIR "/imaging-layer.md");
  ASSERT_TRUE(file.good());
  std::map<int, bool> documented;  // format number: listed as written
  std::string line;
  bool inTable = false;
  while (std::getline(file, line)) {
    if (line.rfind("| number | format | reads | writes |", 0) == 0) inTable = true;
    else if (inTable && line.rfind("|", 0) != 0) break;
    if (!inTable || line.size() < 3 || !std::isdigit(uint8_t(line[2]))) continue;
    std::vector<std::string> cells = Cells(line);
    ASSERT_EQ(cells.size(), 4u) << line;
    std::stringstream numbers(cells[0]);
    std::string number;
    while (std::getline(numbers, number, ',')) documented[std::stoi(number)] = cells[3] != "no";
  }
  ASSERT_GT(documented.size(), 15u);
  for (int format = 1; format <= 120; ++format) {
    auto listed = documented.find(format);
    if (listed == documented.end()) {
      EXPECT_FALSE(LayerWrites(format)) << format << " is written but not in the table";
      continue;
    }
    EXPECT_EQ(listed->second, LayerWrites(format)) << "format " << format;
  }
#endif
}
