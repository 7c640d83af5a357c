// Skin files: a skin (".sks") over the built-in skin, its picture pack (".skp") and the
// skin list (".skl") that names it, read from files as the engine loads them at start,
// and the line reader SKBUFIN over the same file.
#include "fuzz_input.h"
#include "skin/sk_files.h"
#include "skin/sk_text.h"
#include "skin/skin_theme.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::SilenceSkinReports();
  std::string text(fuzz::Bytes(data, size));
  SkinTheme theme = DefaultSkin();
  std::vector<SkinError> errors;
  ParseSkinText(text, theme, errors);
  for (int slot = kSkinFirstColour; slot <= kSkinLastColour + 1; ++slot) theme.Colour(slot);
  for (int metric = 0; metric <= 8; ++metric) theme.Metric(metric);
  uint32_t colour = 0;
  ParseSkinColour(text, colour);
  std::vector<int> numbers;
  SKCODE(text, numbers);

  // The list names the skin file, whose pack is the same bytes.
  std::string folder = fuzz::InputFolder();
  fuzz::WriteInput("fuzz.sks", text);
  fuzz::WriteInput("fuzz.skp", text);
  std::string list = fuzz::WriteInput("fuzz.skl", "fuzz.sks\r\n");
  LoadSkin(list);
  // A list's own line is not followed: it may name any file of the machine.
  ParseSkinList(text, folder);

  int end = 0;
  std::string sks = folder + "fuzz.sks";
  for (int lines = 0; lines < 100000 && !end; ++lines) SKBUFIN(sks, end);
  SKBUFIN("", end);
  return 0;
}
