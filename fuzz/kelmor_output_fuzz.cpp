// What the media browser reads from outside for its catalogues, pages, sheets and sound
// files: a file's first bytes (GIF header, RIFF and MZ probes), filters, grid texts, titles
// and typed base names.
#include <cstdio>
#include <cstdlib>

#include "fuzz_input.h"
#include "kelmor/catalogue.h"
#include "kelmor/index_pages.h"
#include "kelmor/sound_conversion.h"

namespace {

void Check(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

void Probes(const std::string& bytes) {
  kelmor::GifHeader header;
  if (kelmor::ParseGifHeader(bytes, header)) Check(header.width <= 65535 && header.height <= 65535, "gif size");
  for (const char* ext : {".DAT", ".MOD", ".MID", ".AVI"}) kelmor::KeepsDoubtfulMatch(ext, bytes);
  std::string list = kelmor::CatalogueExtensionList(bytes);
  kelmor::InExtensionList(list, bytes);
}

void Layouts(const std::string& text) {
  kelmor::GridLayout grid = kelmor::ParseGridLayout(text);
  Check(grid.columns > 0 && grid.rows > 0 && grid.divisor > 0, "grid");
  for (int width : {640, 1024, 1280}) {
    kelmor::PageArea area = kelmor::PageAreaFor(width, grid.divisor);
    kelmor::BoxSize box = kelmor::WebThumbnailBox(area, grid);
    Check(box.width > 0 && box.height > 0, "thumbnail box");
    kelmor::SheetLayout sheet = kelmor::ComputeSheetLayout(area, grid);
    Check(sheet.cellWidth > 0 && sheet.cellHeight > 0, "sheet cell");
  }
}

void Texts(const std::string& text) {
  std::string escaped = kelmor::HtmlEscape(text);
  Check(escaped.find_first_of("<>\"'") == std::string::npos, "escaped text");
  std::string url = kelmor::UrlEscape(text);
  Check(url.find_first_of("#& \"'<>") == std::string::npos, "escaped address");
  std::string base = kelmor::SoundBaseName(text);
  Check(base.find_first_of("./\\:;, ") == std::string::npos, "base name");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(fuzz::Bytes(data, size));
  Probes(text);
  Layouts(text);
  Texts(text);
  return 0;
}
