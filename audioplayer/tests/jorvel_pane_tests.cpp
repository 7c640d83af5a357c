// The audio player with a skin that describes its pane: the pane's place, files dropped
// on it, its double clicks, repeat on a list of one, and the effects window's settings
// heard in what it plays (the test tap).
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "fileio/file.h"
#include "fileio/paths.h"
#include "jorvel_fixture.h"
#include "remote_drop.h"
#include "sound_files.h"
#include "win/raii.h"

using namespace std::chrono_literals;

namespace jorvel {

namespace {

constexpr uint32_t kRate = 22050;

class JorvelPane : public JorvelPlayer {
 protected:
  void SetUp() override {
    JorvelPlayer::SetUp();
    Copy().CopyFromSuite("Slate\\*.*");
    Copy().CopyFromSuite("Slate\\pane\\*.*");
    Copy().WriteInProgram("jorvel.skl", "Slate\\Slate.sks\r\n");
  }
  HWND Pane() { return WaitForWindow("SKPANE", kEventLimitMs, Process().Id()); }
  std::string FxSettings() { return Copy().TempFolder() + "qAudioFX.cfg"; }
};

double Db(double ratio) { return 20.0 * std::log10(ratio); }

// The effects window of the running copy once its creation has ended: sized, every control made,
// and a message answered (the saved settings are put on the controls before that).
HWND BuiltEffectsWindow(DWORD process) {
  HWND effects = WaitForWindow("QFXEFFECT", kEventLimitMs, process);
  if (!effects) return nullptr;
  bool built = PumpUntil(
      [effects] {
        RECT box{};
        GetWindowRect(effects, &box);
        return box.right > box.left && GetDlgItem(effects, 17) != nullptr;
      },
      5s);
  DWORD_PTR answer = 0;
  if (!built || !SendMessageTimeoutA(effects, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer)) return nullptr;
  return effects;
}

}  // namespace

TEST_F(JorvelPane, APaneSavedFarOffTheScreenComesUpCentredAndIsNamedForTheMediaPlayer) {
  Copy().WriteSettings(" 240| 212| 800| 600|C:\\|C:\\||-2000|-2000\r\n");
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  HWND pane = Pane();
  ASSERT_NE(pane, nullptr);
  char title[32] = {};
  GetWindowTextA(pane, title, sizeof title);
  EXPECT_STREQ(title, "qAudio");
  RECT r, area{};
  GetWindowRect(pane, &r);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  EXPECT_NEAR((r.left + r.right) / 2, (area.left + area.right) / 2, 1);
  EXPECT_NEAR((r.top + r.bottom) / 2, (area.top + area.bottom) / 2, 1);
  // Its buttons come: play shown, pause hidden until something plays. A button is made
  // visible and then hidden as asked; the repeat check comes after all of them.
  HWND play = nullptr, pause = nullptr;
  PumpUntil(
      [&] {
        play = GetDlgItem(pane, kPlayButton);
        pause = GetDlgItem(pane, kPauseButton);
        return play && pause && GetDlgItem(pane, kRepeatCheck);
      },
      5s);
  ASSERT_NE(play, nullptr);
  ASSERT_NE(pause, nullptr);
  EXPECT_TRUE(IsWindowVisible(play));
  EXPECT_FALSE(IsWindowVisible(pause));
  EXPECT_EQ(Close(), 0);
}

TEST_F(JorvelPane, TheWarningBoxBelongsToThePane) {
  std::string notes = Copy().Write("notes.txt", "not a sound");
  HWND frame = Start("\"" + notes + "\"");
  ASSERT_NE(frame, nullptr);
  HWND pane = Pane();
  ASSERT_NE(pane, nullptr);
  HWND box = WaitForWindow("SKMSGBOX", kEventLimitMs, Process().Id());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(GetWindow(box, GW_OWNER), pane);
  std::string text;
  PumpUntil([&] { return !(text = driver::BoxText(box)).empty(); }, 5s);
  EXPECT_EQ(text, "The sound cannot be played (0): " + notes + "\r\nIt is of no sound type the player plays.");
  EXPECT_TRUE(driver::PressButton("SKMSGBOX", 1, "", kEventLimitMs));
  EXPECT_TRUE(WaitForNoWindow("SKMSGBOX", kEventLimitMs));
  EXPECT_EQ(Close(), 0);
}

TEST_F(JorvelPane, ThreeFilesDroppedOnThePanePlayTheFirstAndNextAndPreviousCycleThroughThem) {
  std::string a = Copy().WriteTone("drop\\a.wav", 6000), b = Copy().WriteTone("drop\\b c.wav", 6000);
  std::string c = Copy().WriteTone("drop\\d.wav", 6000);
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  HWND pane = Pane();
  ASSERT_NE(pane, nullptr);
  driver::RemoteDrop drop(Process().Id(), pane, {a, b, c});
  ASSERT_TRUE(drop.Posted());
  EXPECT_GE(WaitTitle(frame, Title("a.wav"), kEventLimitMs), 0);
  for (const char* name : {"b c.wav", "d.wav", "a.wav"}) EXPECT_TRUE(CommandPlays(frame, kNextButton, name)) << name;
  for (const char* name : {"d.wav", "b c.wav"}) EXPECT_TRUE(CommandPlays(frame, kPreviousButton, name)) << name;
  EXPECT_EQ(Close(), 0);
}

TEST_F(JorvelPane, RepeatPlaysAListOfOneAgainAndDoubleClicksToggleTheEffectsWindowAndTheSpectrumDisplay) {
  std::string log = Copy().File("spectrum.log");
  Copy().AddStandinAs("pelmor.exe", kClassSpectrum, log);
  HWND frame = Start(Copy().WriteTone("once.wav", 300));
  ASSERT_NE(frame, nullptr);
  // Repeat is checked: the one item plays again.
  EXPECT_EQ(WaitForTaps(2, 10000).size(), 2u);
  HWND pane = Pane();
  ASSERT_NE(pane, nullptr);
  HWND repeat = nullptr;
  PumpUntil([&] { return (repeat = GetDlgItem(pane, kRepeatCheck)) != nullptr; }, 5s);
  ASSERT_NE(repeat, nullptr);
  EXPECT_EQ(SendMessageA(repeat, BM_GETCHECK, 0, 0), BST_CHECKED);
  HWND effects = WaitForWindow("QFXEFFECT", 5000, Process().Id());
  ASSERT_NE(effects, nullptr);
  EXPECT_FALSE(IsWindowVisible(effects));
  EXPECT_EQ(FindWindowA(kClassSpectrum, nullptr), nullptr);
  // In the sound mode a double click shows it and starts the spectrum display, which gets
  // the player's ticks; the next hides it and closes the display.
  PostMessageA(pane, WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(PumpUntil([effects] { return IsWindowVisible(effects) != 0; }, kEventLimit));
  EXPECT_NE(WaitForWindow(kClassSpectrum, kEventLimitMs), nullptr);
  std::vector<LoggedMessage> got = WaitForLog(log, 1, kEventLimitMs);
  ASSERT_FALSE(got.empty());
  EXPECT_EQ(got[0].code, kCodeSpectrumTick);
  PostMessageA(pane, WM_RBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(PumpUntil([effects] { return !IsWindowVisible(effects); }, kEventLimit));
  EXPECT_TRUE(WaitForNoWindow(kClassSpectrum, kEventLimitMs));
  got = ReadStandinLog(log);
  ASSERT_FALSE(got.empty());
  EXPECT_EQ(got.back().code, kCodeClose);
  EXPECT_EQ(Close(), 0);
}

TEST_F(JorvelPane, TheEffectsWindowsHelpButtonShowsItsPictureAndOpensTheHelpUnlessTheMarkerFileIsThere) {
  std::string log = Copy().File("help.log");
  Copy().AddStandinAs("vandrel.exe", kClassHelp, log);
  Copy().WriteInProgram("jorvel.htm", "<html>the player</html>");
  std::string document = Copy().WriteInProgram("effects.htm", "<html>the effects</html>");
  Copy().SetUiEntry(79, "effects.htm");
  WriteTestPicture(Copy().ProgramFolder() + "fxhelp.bmp", 20, 16);
  Copy().SetUiEntry(80, "@path@fxhelp.bmp");
  Copy().SetUiEntry(77, "nohelp.txt");
  HWND frame = Start(Copy().WriteTone("long.wav", 6000));
  ASSERT_NE(frame, nullptr);
  HWND effects = WaitForWindow("QFXEFFECT", kEventLimitMs, Process().Id());
  ASSERT_NE(effects, nullptr);
  HWND help = nullptr;
  PumpUntil([&] { return (help = GetDlgItem(effects, 99)) != nullptr; }, 5s);
  ASSERT_NE(help, nullptr);
  RECT r{};
  GetWindowRect(help, &r);
  EXPECT_EQ(r.right - r.left, 20);
  // The first press starts the help viewer, the next hands it the document.
  SendMessageA(help, BM_CLICK, 0, 0);
  ASSERT_NE(WaitForWindow(kClassHelp, kEventLimitMs), nullptr);
  SendMessageA(help, BM_CLICK, 0, 0);
  std::vector<LoggedMessage> got = WaitForLog(log, 1, kEventLimitMs);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].code, kCodeOpen);
  EXPECT_TRUE(fileio::EqualsNoCase(got[0].text, document)) << got[0].text;
  EXPECT_EQ(Close(), 0);
  CloseStandin(kClassHelp);
  // With the file of UI entry 77 there the button stays away.
  Copy().WriteInProgram("nohelp.txt", "");
  frame = Start(Copy().WriteTone("long.wav", 6000));
  ASSERT_NE(frame, nullptr);
  effects = BuiltEffectsWindow(Process().Id());
  ASSERT_NE(effects, nullptr);
  EXPECT_EQ(GetDlgItem(effects, 99), nullptr);
  EXPECT_EQ(Close(), 0);
}

TEST_F(JorvelPane, ABandSetInTheEffectsWindowIsSavedAndHeardAfterARestart) {
  // 80 Hz and 3 kHz together, 1.5 s.
  std::vector<int16_t> mix = soundtest::Sine(80, kRate, 1, 1.5, 9000, 3000);
  std::string song = Copy().Write("mix.wav", soundtest::PcmWave(mix, 1, kRate));
  // First run: band 1 at 0 and On/Off checked by the user.
  HWND frame = Start("\"" + song + "\"");
  ASSERT_NE(frame, nullptr);
  HWND effects = BuiltEffectsWindow(Process().Id());
  ASSERT_NE(effects, nullptr);
  SendMessageA(GetDlgItem(effects, 1), TBM_SETPOS, TRUE, 0);
  SendMessageA(effects, WM_COMMAND, MAKEWPARAM(1, TB_THUMBPOSITION), 0);
  SendMessageA(GetDlgItem(effects, 11), BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(effects, WM_COMMAND, MAKEWPARAM(11, BN_CLICKED), 0);
  EXPECT_EQ(Close(), 0);
  std::string saved;
  ASSERT_EQ(fileio::ReadWholeFile(FxSettings(), saved), fileio::kOk);
  EXPECT_EQ(saved, "0|50|50|50|50|50|50|50|50|50|1|0|0|0|0|0|0");
  // Second run: what is heard has lost 80 Hz and kept 3 kHz.
  frame = Start("\"" + song + "\"");
  ASSERT_NE(frame, nullptr);
  std::vector<std::string> taps = WaitForTaps(1, 10000);
  ASSERT_EQ(taps.size(), 1u);
  std::vector<int16_t> heard;
  PumpUntil(
      [&] {
        heard = SamplesOf(taps[0]);
        return heard.size() >= mix.size();
      },
      10s);
  ASSERT_GE(heard.size(), size_t(kRate));
  size_t from = kRate / 4, to = kRate;  // past the filters' settling
  double low = soundtest::LevelAt(heard, 1, 0, kRate, 80, from, to) / soundtest::LevelAt(mix, 1, 0, kRate, 80, from, to);
  double high =
      soundtest::LevelAt(heard, 1, 0, kRate, 3000, from, to) / soundtest::LevelAt(mix, 1, 0, kRate, 3000, from, to);
  EXPECT_LE(Db(low), -9.0);
  EXPECT_LT(std::fabs(Db(high)), 1.5);
  EXPECT_EQ(Close(), 0);
}

// The null sound device gives Wine a mixer. Muted (the mixer at 0) when the pane is built
// anew for a sound, the player lifts the mixer to the volume it remembered, so the sound is
// heard and the bar shows it.
TEST_F(JorvelPane, APaneBuiltWhileMutedLiftsTheMixerToTheRememberedVolumeOnTheNullDevice) {
  if (!std::getenv("SUITE_NULL_ALSA")) GTEST_SKIP() << "run with the null device's ALSA configuration";
  std::string tone = Copy().WriteTone("tone.wav", 6000);
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  HWND pane = Pane();
  ASSERT_NE(pane, nullptr);
  HWND bar = driver::WaitChild(pane, kVolumeBar, kEventLimitMs);
  ASSERT_NE(bar, nullptr);
  // The user sets 70 with the bar (the bar follows the mixer: the device has one), then mutes.
  SendMessageA(frame, WM_COMMAND, kVolumeBar, 70);
  ASSERT_TRUE(PumpUntil([&] { return SendMessageA(bar, TBM_GETPOS, 0, 0) == 70; }, kEventLimit));
  SendMessageA(frame, WM_COMMAND, kMuteButton, 0);
  ASSERT_TRUE(PumpUntil([&] { return SendMessageA(bar, TBM_GETPOS, 0, 0) == 0; }, kEventLimit));
  // A sound opens: the pane is built anew for it.
  driver::SendCommand(frame, kCodeOpen, tone);
  ASSERT_GE(WaitTitle(frame, Title("tone.wav"), kEventLimitMs), 0);
  HWND newBar = nullptr;
  EXPECT_TRUE(PumpUntil(
      [&] {
        HWND now = FindWindowA("SKPANE", nullptr);
        newBar = now ? driver::FindChild(now, kVolumeBar) : nullptr;
        return newBar && newBar != bar && SendMessageA(newBar, TBM_GETPOS, 0, 0) == 70;
      },
      kEventLimit))
      << (newBar ? SendMessageA(newBar, TBM_GETPOS, 0, 0) : -1);
  EXPECT_EQ(Close(), 0);
}

}  // namespace jorvel
