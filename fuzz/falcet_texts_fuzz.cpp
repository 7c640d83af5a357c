// The media player's texts: its play lists (".upl", ".m3u"), built show lists and music
// lists, its settings line, the option entry with its codec and folder fields, the
// command line and AUTORUN.INF, and the texts of the command messages it receives.
#include <cstdio>
#include <cstdlib>

#include "falcet/command_line.h"
#include "falcet/item_lists.h"
#include "falcet/options.h"
#include "falcet/player_rules.h"
#include "falcet/settings_line.h"
#include "fileio/item_list.h"
#include "fuzz_input.h"
#include "jorvel/m3u_list.h"

namespace {

const std::string kProgram = "C:\\Suite\\";
const std::string kTemp = "C:\\Temp\\";

// Names ending in a digit exist, so both ways of every existence test are taken.
bool Exists(const std::string& path) { return !path.empty() && path.back() >= '0' && path.back() <= '9'; }

void Lists(const std::string& text) {
  std::string upl = falcet::UplItems(text, kProgram);
  for (int n = 0; n <= fileio::ItemCount(upl) + 1 && n < 64; ++n) fileio::ItemAt(upl, n);
  fileio::TrimBars(upl);
  jorvel::M3uItems(text, "C:\\Lists\\songs.m3u");
  falcet::ReadShowItems(text, "C:\\Show\\", Exists);
  falcet::AttachedSoundEntries(text, "C:\\Show\\", Exists);
  // A sound file's head, as the player checks a WAVE file's claim before it plays it.
  for (uint64_t size : {uint64_t(0), uint64_t(text.size()), uint64_t(text.size()) + 4096})
    falcet::CheckWaveClaim(text, size);
}

// The settings line the player writes must read back as the same line.
void Settings(const std::string& text) {
  falcet::PlayerSettings s = falcet::ParseSettings(text, kProgram, kTemp, Exists);
  std::string written = falcet::FormatSettings(s);
  std::string again = falcet::FormatSettings(falcet::ParseSettings(written, kProgram, kTemp, Exists));
  if (again != written) {
    std::fprintf(stderr, "a written settings line does not read back:\n%s\n%s\n", written.c_str(), again.c_str());
    std::abort();
  }
}

void Options(const std::string& text, int field) {
  for (int n = 0; n <= 24; ++n) {
    falcet::OptionText(text, n);
    falcet::OptionValue(text, n);
  }
  std::string changed = falcet::WithOption(text, field, "304");
  if (falcet::OptionText(changed, field) != "304" && field >= 1) {
    std::fprintf(stderr, "field %d was not replaced in:\n%s\n", field, changed.c_str());
    std::abort();
  }
  falcet::CodecInstallOf(text, kProgram, "C:\\Windows\\System32\\");
  falcet::SettingsFolder(text, kProgram, "C:\\Windows\\", "C:\\Windows\\System32\\", kTemp);
}

void CommandLine(const std::string& text) {
  falcet::HasRecordKeyword(text);
  falcet::ArgumentList(text);
  falcet::IsUiTextArgument(text);
  falcet::WebAddressOf(text);
  falcet::AutorunStartItem(text, "falcet.exe");
}

void Messages(const std::string& text) {
  falcet::RecordSetup setup;
  if (falcet::ParseRecordSetup(text, setup)) falcet::RecorderRate(setup.rate);
  falcet::ParseAttachedSound(text);
  falcet::ParseBurnJob(text);
  falcet::SnapshotTarget(text);
  falcet::MediumFailureText(text, text, -1);
  falcet::RecorderStatusText(text, 12, 34);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(fuzz::Bytes(data, size));
  Lists(text);
  Settings(text);
  Options(text, size ? data[0] % 32 : 0);
  CommandLine(text);
  Messages(text);
  return 0;
}
