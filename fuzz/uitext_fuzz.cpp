// The UI text file (<program>.SYS): parsed as every program reads it at start, read from
// a file as SKREADM and SKREADSTR read it, and written back: a table the writer wrote must
// read back without a fault and give the same text again.
#include <cstdio>
#include <cstdlib>

#include "fuzz_input.h"
#include "skin/ui_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::SilenceSkinReports();
  std::string text(fuzz::Bytes(data, size));
  std::vector<UiTextError> errors;
  UiTextFile file = ParseUiText(text, errors);
  UiTextErrorReport("fuzz.SYS", errors);
  for (const Menu& m : file.menus.menus)
    for (const MenuItem& i : m.items) SKMACTE(i.command, file.menus);

  std::string written = FormatUiText(file);
  std::vector<UiTextError> again;
  UiTextFile reread = ParseUiText(written, again);
  if (!again.empty() || FormatUiText(reread) != written) {
    std::fprintf(stderr, "a written UI text file does not read back (%zu faults):\n%s\n", again.size(),
                 written.c_str());
    std::abort();
  }

  std::string path = fuzz::WriteInput("fuzz.SYS", text);
  MenuTable menus;
  StringTable strings;
  int count = 0;
  SKREADM(path, menus, count);
  SKREADSTR(path, strings, count);
  return 0;
}
