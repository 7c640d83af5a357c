// The saving table of docs/picture-tool.md against the save rules and the imaging layer:
// every extension the tool writes is listed as written, every one it refuses as refused.
// Native only (the document is read from the source tree).
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>

#include "bravik/export_rules.h"
#include "imglib/codecs.h"

namespace bravik {
namespace {

#ifndef _WIN32
// Whether the tool writes a file for the extension: GDI+ (TIFF), the metafiles it hands
// on to the imaging layer, a DIB as a BMP, or a format of the imaging layer's table that
// the layer writes (PNG through the system codecs).
bool ToolWrites(const std::string& extension) {
  SaveFormat format;
  if (extension == ".DIB" || extension == ".TIF" || extension == ".TIFF") return IsGdiplusSaveExtension(extension);
  if (LookupMetafileFormat(extension, format)) return imglib::CanEncode(format.code);
  if (!LookupSaveFormat(extension, format)) return false;
  return imglib::CanEncode(format.code) || format.code == imglib::kFormatPng;
}
#endif

TEST(SaveDocs, TheSavingTableSaysWhatTheToolWrites) {
#ifdef _WIN32
  GTEST_SKIP() << "the documents are checked in the native build";
#else
  std::ifstream file(BRAVIK_SOURCE_DIR "/../docs/picture-tool.md");
  ASSERT_TRUE(file.good());
  std::map<std::string, bool> documented;  // extension: listed as written
  std::string line;
  bool inSaving = false;
  while (std::getline(file, line)) {
    if (line.rfind("## ", 0) == 0) inSaving = line == "## Saving";
    if (!inSaving || line.rfind("| `.", 0) != 0) continue;
    size_t split = line.find('|', 1);
    ASSERT_NE(split, std::string::npos) << line;
    bool written = line.find("refused", split) == std::string::npos;
    for (size_t at = line.find("`."); at < split; at = line.find("`.", at + 1)) {
      size_t end = line.find('`', at + 1);
      documented[line.substr(at + 1, end - at - 1)] = written;
    }
  }
  ASSERT_GT(documented.size(), 10u);
  for (const char* extension : {".BMP", ".DIB", ".JPG", ".JPEG", ".PNG", ".TIF", ".TIFF", ".PCX", ".PCC", ".TGA",
                                ".RAS", ".PSD", ".EPS", ".PCT", ".WPG", ".FPX", ".EMF", ".WMF", ".GIF", ".CMP"}) {
    auto listed = documented.find(extension);
    ASSERT_NE(listed, documented.end()) << extension << " is not in the saving table";
    EXPECT_EQ(listed->second, ToolWrites(extension)) << extension;
  }
#endif
}

}  // namespace
}  // namespace bravik
