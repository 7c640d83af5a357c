#include "jorvel_fixture.h"

#include "fileio/file.h"
#include "fileio/paths.h"
#include "sound_files.h"

namespace jorvel {

std::string JorvelFolder::WriteTone(const std::string& name, int milliseconds, int amplitude) const {
  return Write(name, soundtest::PcmWave(soundtest::Tone(8 * milliseconds, 1, amplitude), 1, 8000));
}

void JorvelPlayer::SetUp() {
  tap_ = tapRoot_.File("tap");
  fileio::MakeDirectories(tap_);
  soundtest::SetTapFolder(tap_);
}

void JorvelPlayer::TearDown() {
  ProgramTest::TearDown();
  soundtest::SetTapFolder("");
}

std::vector<std::string> JorvelPlayer::Taps(DWORD processId) {
  return soundtest::TapFiles(tap_, processId ? processId : Process().Id());
}

std::vector<std::string> JorvelPlayer::WaitForTaps(size_t count, DWORD milliseconds, DWORD processId) {
  std::vector<std::string> taps;
  PumpUntil(
      [&] {
        taps = Taps(processId);
        return taps.size() >= count;
      },
      std::chrono::milliseconds(milliseconds));
  return taps;
}

bool CommandPlays(HWND frame, int command, const std::string& name) {
  driver::PostCommand(frame, command);
  return WaitTitle(frame, Title(name), kEventLimitMs) >= 0;
}

std::vector<int16_t> SamplesOf(const std::string& path) {
  std::string bytes;
  fileio::ReadWholeFile(path, bytes);
  return soundtest::PcmSamplesOf(bytes);
}

int64_t TapBytes(const std::string& path) { return std::max<int64_t>(0, fileio::FileSize(path) - 44); }

}  // namespace jorvel
