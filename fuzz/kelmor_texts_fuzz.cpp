// The media browser's texts: its settings line and file, the favourites file, the command
// line, and the UI entries it reads at start (file types, thumbnail size, working folder).
#include <cstdio>
#include <cstdlib>

#include "fuzz_input.h"
#include "kelmor/cmdline.h"
#include "kelmor/filetypes.h"
#include "kelmor/settings.h"
#include "kelmor/startup_values.h"
#include "skin/sk_text.h"

namespace {

bool EndsInDigit(const std::string& path) { return !path.empty() && path.back() >= '0' && path.back() <= '9'; }

// The settings line the browser writes must read back as the same line.
void Settings(const std::string& text) {
  kelmor::BrowserSettingsRecord record;
  if (!kelmor::ParseSettingsLine(text, record)) return;
  kelmor::ClampSettings(record, 320, 200, EndsInDigit);
  std::string written = kelmor::FormatSettingsLine(record);
  kelmor::BrowserSettingsRecord again;
  kelmor::ParseSettingsLine(written, again);
  if (kelmor::FormatSettingsLine(again) != written) {
    std::fprintf(stderr, "a written settings line does not read back:\n%s\n", written.c_str());
    std::abort();
  }
  kelmor::ReadSettingsFile(fuzz::WriteInput("kelmor.cfg", text), record);
}

void Favourites(const std::string& text) {
  std::vector<std::string> entries;
  std::string first = kelmor::AddFavouriteLines(SplitLines(text), entries, EndsInDigit, EndsInDigit);
  kelmor::PutFolderOnTop(entries, kelmor::FavouriteTip(first));
  kelmor::FormatFavourites(entries);
}

void StartValues(const std::string& text) {
  kelmor::ParseBrowserCommandLine(text);
  kelmor::FileTypes types = kelmor::ParseFileTypes(text);
  kelmor::SelectFileType(types, text);
  for (int n = 0; n < 8; ++n) kelmor::BarField(text, n);
  kelmor::ThumbnailSize(text);
  kelmor::WorkingFolderText(text, "C:\\Suite\\");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(fuzz::Bytes(data, size));
  Settings(text);
  Favourites(text);
  StartValues(text);
  return 0;
}
