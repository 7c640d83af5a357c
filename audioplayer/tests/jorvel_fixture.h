// The fixture of the audio player's whole-program tests: the player in a program folder of
// its own (its main window is never shown), the test tap that records what it plays, and
// sound files made for the tests.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "driver.h"
#include "imaging/copydata.h"
#include "imaging/suite_classes.h"
#include "jorvel/command_ids.h"
#include "program_test.h"
#include "temp_dir.h"

namespace jorvel {

class JorvelFolder : public ProgramCopy {
 public:
  explicit JorvelFolder(bool uiFile = true) : ProgramCopy("jorvel", uiFile) {}
  // A WAVE file of 8 kHz mono 16-bit PCM of the length: a square wave of the amplitude.
  std::string WriteTone(const std::string& name, int milliseconds, int amplitude = 20000) const;
};

// The main window's title while an item plays.
inline std::string Title(const std::string& name) { return "Audio player - " + name; }

class JorvelPlayer : public ProgramTestOf<JorvelFolder> {
 protected:
  JorvelPlayer() : ProgramTestOf({"jorvel", kClassAudioPlayer, 0, true}) {}
  // Every program the test starts plays into the test's tap folder.
  void SetUp() override;
  void TearDown() override;

  const std::string& TapFolder() const { return tap_; }
  // The tap files of a process (of the last Start when 0), in the order of its sounds.
  std::vector<std::string> Taps(DWORD processId = 0);
  // Waits until the process has written count tap files; their paths.
  std::vector<std::string> WaitForTaps(size_t count, DWORD milliseconds, DWORD processId = 0);

 private:
  TempDir tapRoot_;  // apart from the copy, which a test may still want without its UI file
  std::string tap_;
};

// Posts a command to the player's main window and waits (10 s at most) until the item of
// that name plays, by the window's title.
bool CommandPlays(HWND frame, int command, const std::string& name);

// The samples of a WAVE file (a tap file, a tone the test wrote).
std::vector<int16_t> SamplesOf(const std::string& path);
// The bytes of sound a tap file holds so far.
int64_t TapBytes(const std::string& path);

}  // namespace jorvel
