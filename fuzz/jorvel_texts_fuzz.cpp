// The audio player's texts: its command line and hand-over lists, the lists it opens (with
// the play lists in them), the sound-type entry and its settings line, which must read back
// as written.
#include <cstdio>
#include <cstdlib>

#include "fuzz_input.h"
#include "jorvel/command_line.h"
#include "jorvel/play_list.h"
#include "jorvel/settings_line.h"

namespace {

jorvel::SettingsContext Context() {
  jorvel::SettingsContext c;
  c.screenWidth = 1280;
  c.screenHeight = 1024;
  c.programFolder = "C:\\Suite\\";
  c.tempFolder = "C:\\Temp\\";
  c.basePath = "C:\\Suite\\jorvel";
  c.exists = [](const std::string& path) { return !path.empty() && path.back() >= '0' && path.back() <= '9'; };
  return c;
}

void Settings(const std::string& text) {
  jorvel::SettingsContext context = Context();
  std::string written = jorvel::FormatAudioSettings(jorvel::ParseAudioSettings(text, context));
  std::string again = jorvel::FormatAudioSettings(jorvel::ParseAudioSettings(written, context));
  if (again != written) {
    std::fprintf(stderr, "a written settings line does not read back:\n%s\n%s\n", written.c_str(), again.c_str());
    std::abort();
  }
}

void Lists(const std::string& list, const std::string& playListText) {
  bool several = false;
  jorvel::HANDOVERARGS(list, &several);
  jorvel::OpenList(list, [&](const std::string&, std::string& items) {
    items = playListText;
    return !playListText.empty();
  });
  std::string types = jorvel::SoundTypeList(playListText);
  jorvel::ISPLAYABLE(list, types);
  jorvel::AddressOf(list);
  jorvel::IsInternetAddress(list);
  jorvel::IsPlayListName(list);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view first, second;
  fuzz::SplitInput(fuzz::Bytes(data, size), first, second);
  Settings(std::string(first));
  Lists(std::string(first), std::string(second));
  return 0;
}
