// The slide show maker's texts: its settings line, the show project file and the built
// show list (both also written again: what the maker wrote must read back the same), the
// side files of a slide (display time, transition effect) and its effect lists.
#include <cstdio>
#include <cstdlib>

#include "dunmere/settings_record.h"
#include "dunmere/show_format.h"
#include "dunmere/side_data.h"
#include "dunmere/ui_rules.h"
#include "fuzz_input.h"
#include "skin/sk_text.h"

namespace {

[[noreturn]] void Fail(const char* what, const std::string& text) {
  std::fprintf(stderr, "%s:\n%s\n", what, text.c_str());
  std::abort();
}

void Settings(const std::string& text) {
  dunmere::SettingsRecord record = dunmere::DefaultSettings(text, text, "Shows");
  if (!dunmere::ParseSettings(text, record)) return;
  dunmere::ClampPlacement(record, 320, 200, 1024, 768);
  std::string written = dunmere::FormatSettings(record);
  dunmere::SettingsRecord again;
  dunmere::ParseSettings(written, again);
  if (dunmere::FormatSettings(again) != written) Fail("a written settings line does not read back", written);
}

void Project(const std::string& text) {
  dunmere::ProjectFile project = dunmere::ParseProjectFile(text);
  dunmere::ShowHeader header;
  header.musicList = project.musicList;
  std::string written = dunmere::FormatProjectFile(header, project.slides);
  dunmere::ProjectFile again = dunmere::ParseProjectFile(written);
  if (again.slides != project.slides || again.musicList != project.musicList)
    Fail("a written project file does not read back", written);
  dunmere::ProjectFilePath("C:\\Shows\\", text, "show", ".ssp");
  dunmere::ShowNameOf(text, "show", ".ssp");
  std::string first, second;
  dunmere::SplitExtensions(text, first, second);
}

void ShowList(const std::string& text) {
  dunmere::ShowList list = dunmere::ParseShowList(text, "C:\\Show\\");
  dunmere::FormatShowList(list.header, list.entries);
}

void SideFiles(const std::string& text) {
  dunmere::TimeFromTimText(text);
  dunmere::EffectChoice effect = dunmere::ParseEffectFile(text);
  if (effect.valid) {
    dunmere::EffectGroup(effect.id);
    dunmere::EffectIndex(effect.id);
    dunmere::IsPluginEffect(effect.id);
  }
  for (const std::string& line : SplitLines(text)) dunmere::ParseEffectEntry(line);
  std::vector<std::string> groups = dunmere::EffectGroupNames(text);
  for (int g = 0; g <= int(groups.size()) && g < 32; ++g) dunmere::EffectListFile(text, g);
  for (int k = 0; k < 8; ++k) dunmere::PlacementOf(text, k);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(fuzz::Bytes(data, size));
  Settings(text);
  Project(text);
  ShowList(text);
  SideFiles(text);
  return 0;
}
