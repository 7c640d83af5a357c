// The media player with media and partners: sounds on a machine without a sound card, a
// video, the audio player paused and let go, the burn job, the recording set-up.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <chrono>

#include "avi_reader.h"
#include "avi_writer.h"
#include "driver.h"
#include "falcet_fixture.h"
#include "falcet_test.h"
#include "fileio/file.h"
#include "sound_files.h"

using namespace std::chrono_literals;

namespace falcet {

namespace {

// What the player's sounds sounded like (the audio layer's test tap) while it lives.
struct TapFolder {
  explicit TapFolder(const std::string& folder) : path(folder) {
    CreateDirectoryA(folder.c_str(), nullptr);
    soundtest::SetTapFolder(folder);
  }
  ~TapFolder() { soundtest::SetTapFolder(""); }
  std::string path;
};

constexpr uint32_t kMusicRate = 8000;

double Level(const std::vector<int16_t>& samples, double fromSecond, double toSecond) {
  return soundtest::LevelAt(samples, 1, 0, kMusicRate, 440, size_t(fromSecond * kMusicRate),
                            std::min(samples.size(), size_t(toSecond * kMusicRate)));
}

}  // namespace

class FalcetShowMusic : public Falcet {
 protected:
  // A show of two slides (1 s and 2.5 s) with 20 s of a 440 Hz tone as its music; flag is
  // the header's last number. What was heard of the music, once slide 2 has had its time.
  std::vector<int16_t> HeardMusic(int flag);
};

std::vector<int16_t> FalcetShowMusic::HeardMusic(int flag) {
  FalcetFolder& folder = Copy();
  TapFolder tap(folder.File("tap"));
  std::string show = folder.File("show\\");
  folder.Write("show\\music.wav", soundtest::PcmWave(soundtest::Sine(440, kMusicRate, 1, 20, 8000), 1, kMusicRate));
  WritePicture(show + "00000001.bmp", 80, 60, RGB(200, 0, 0));
  WritePicture(show + "00000002.bmp", 80, 60, RGB(0, 200, 0));
  folder.Write("show\\falcet.ssf", "[@path@music.wav|0|0|0|0|0|4000|" + std::to_string(flag) +
                                        "]\r\n@path@00000001.bmp,1000\r\n@path@00000002.bmp,2500\r\n");
  HWND frame = Start(show + "falcet.ssf");
  if (!frame) return {};
  if (WaitTitle(frame, Title("00000002.bmp"), kEventLimitMs) < 0) return {};
  PumpMessages(3200);
  std::vector<std::string> files = soundtest::TapFiles(tap.path, Process().Id());
  if (files.empty()) return {};
  return soundtest::PcmSamplesOf(ReadText(files.front()));
}

// The built show's flag (item 902's): the music fades out over the last slide and stops
// with it; without the flag it plays on at its level.
TEST_F(FalcetShowMusic, AShowsFlagFadesItsMusicOverTheLastSlide) {
  std::vector<int16_t> heard = HeardMusic(-1);
  ASSERT_GT(heard.size(), size_t(2 * kMusicRate));
  double seconds = double(heard.size()) / kMusicRate;
  // 1 s of slide 1, then 2.5 s of fading: the music ends with slide 2, well before its 20 s.
  EXPECT_GE(seconds, 3.0);
  EXPECT_LE(seconds, 5.0);
  double loud = Level(heard, 0.2, 0.8);
  ASSERT_GT(loud, 1000);
  double middle = Level(heard, seconds - 1.6, seconds - 1.2);
  double last = Level(heard, seconds - 0.3, seconds);
  EXPECT_LT(middle, loud * 0.8) << loud << " " << middle;
  EXPECT_GT(middle, last) << middle << " " << last;
  EXPECT_LT(last, loud * 0.2) << loud << " " << last;
  EXPECT_EQ(Close(), 0);
}

TEST_F(FalcetShowMusic, WithoutTheFlagAShowsMusicPlaysOnOverTheLastSlide) {
  std::vector<int16_t> heard = HeardMusic(0);
  ASSERT_GT(heard.size(), size_t(2 * kMusicRate));
  double seconds = double(heard.size()) / kMusicRate;
  double loud = Level(heard, 0.2, 0.8);
  ASSERT_GT(loud, 1000);
  EXPECT_GT(Level(heard, seconds - 0.3, seconds), loud * 0.8);
  EXPECT_EQ(Close(), 0);
}

TEST_F(Falcet, WavesPlayToTheirEndTheListAdvancesAndTheAudioPlayerIsPausedAndLetGo) {
  FalcetFolder& folder = Copy();
  std::string audioLog = folder.File("audio.log");
  ASSERT_TRUE(RunStandin(kClassAudioPlayer, audioLog));
  // 0.8 s each, 8 kHz mono: played on the silent device in real time.
  std::string one = folder.Write("sounds\\first take.wav", soundtest::PcmWave(soundtest::Tone(6400, 1, 8000), 1, 8000));
  std::string two = folder.Write("sounds\\second take.wav", soundtest::PcmWave(soundtest::Tone(6400, 1, 8000), 1, 8000));
  DWORD start = GetTickCount();
  HWND frame = Start("\"" + one + "\" \"" + two + "\"");
  ASSERT_NE(frame, nullptr);
  EXPECT_GE(WaitTitle(frame, Title("first take.wav"), kEventLimitMs), 0);
  HWND slider = WaitBarControl(frame, kPositionSlider, 10000);
  ASSERT_NE(slider, nullptr);
  // The position moves on while the sound plays.
  EXPECT_TRUE(PumpUntil([&] { return SendMessageA(slider, TBM_GETPOS, 0, 0) > 0; }, 2s, 10ms));
  EXPECT_GE(WaitTitle(frame, Title("second take.wav"), kEventLimitMs), 0);
  // The last item of a list without repeat closes the player when it ends.
  EXPECT_EQ(Process().Wait(30000), 0);
  EXPECT_GE(GetTickCount() - start, 1500u);
  std::vector<LoggedMessage> log = WaitForLog(audioLog, 3, kEventLimitMs);
  // Code 8 for each medium opened, code 9 once at the close.
  EXPECT_EQ(CodesOf(log), (std::vector<int>{kCodePause, kCodePause, kCodeResume}));
}

TEST_F(Falcet, AviPlaysInTheVideoWindowWithItsLengthAndPosition) {
  FalcetFolder& folder = Copy();
  // Two seconds: 20 frames at 10 per second.
  std::string clip = folder.Write("video\\clip.avi", avitest::UncompressedAvi(160, 120, 10, std::vector<uint32_t>(20, 0xC0C0C0)));
  DWORD start = GetTickCount();
  HWND frame = Start(clip);
  ASSERT_NE(frame, nullptr);
  EXPECT_GE(WaitTitle(frame, Title("clip.avi"), kEventLimitMs), 0);
  HWND view = driver::FindChildByClass(frame, "QPLAYERVIEW");
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(view) != FALSE; }, 2s));
  HWND slider = WaitBarControl(frame, kPositionSlider, 10000);
  ASSERT_NE(slider, nullptr);
  // The slider shows the position in percent of the length: it passes the middle.
  EXPECT_TRUE(PumpUntil(
      [&] {
        LRESULT at = SendMessageA(slider, TBM_GETPOS, 0, 0);
        return at >= 20 && at <= 80;
      },
      4s, 10ms));
  EXPECT_EQ(Process().Wait(30000), 0);
  EXPECT_GE(GetTickCount() - start, 1800u);
}

TEST_F(Falcet, BurnJobGoesToTheBurnerWhenThePlayerCloses) {
  FalcetFolder& folder = Copy();
  std::string burnerLog = folder.File("burner.log");
  folder.AddStandinAs("corvith.exe", kClassBurner, burnerLog);
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(driver::SendCommand(frame, kCodeBurnJob, "C:\\showcd\\*.*|My show"), 1);
  EXPECT_EQ(Close(), 0);
  std::vector<LoggedMessage> log = WaitForLog(burnerLog, 4, kEventLimitMs);
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[0].code, kCodeBurnerStarted);  // it had to be started
  EXPECT_EQ(log[1].code, kCodeBurnJobName);
  EXPECT_EQ(log[1].text, "My show");
  EXPECT_EQ(log[2].code, kCodeBurnNewList);
  EXPECT_EQ(log[2].text, "");
  EXPECT_EQ(log[3].code, kCodeOpen);
  EXPECT_EQ(log[3].text, "C:\\showcd\\*.*");
  CloseStandin(kClassBurner);
}

TEST_F(Falcet, RecordingSetUpSizesThePlayerAndReportsTheCountsAtTheEnd) {
  FalcetFolder& folder = Copy();
  folder.WriteInProgram("dravel.dll", "x");
  WritePicture(folder.ProgramFolder() + "00000001.bmp", 32, 32, RGB(200, 40, 40));
  folder.WriteInProgram("falcet.ssf", "[|0|0|0|0|0|60000|0]\r\n@path@00000001.bmp,60000\r\n");
  std::string reportLog = folder.File("report.log");
  ASSERT_TRUE(RunStandin("FALCETREPORT", reportLog));
  HWND report = FindWindowA("FALCETREPORT", nullptr);
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  RECT before;
  GetWindowRect(frame, &before);
  // One field only: nothing happens.
  driver::SendCommand(frame, kCodeRecordShow, "320");
  PumpMessages(200);
  EXPECT_TRUE(IsWindowEnabled(frame));
  std::string handle = std::to_string(reinterpret_cast<uintptr_t>(report));
  driver::SendCommand(frame, kCodeRecordShow, "320,240,0," + handle);
  PumpMessages(300);
  RECT r;
  GetWindowRect(frame, &r);
  EXPECT_EQ(r.top, 0);
  // The show takes no input; the frame's close stays with the user.
  EXPECT_TRUE(IsWindowEnabled(frame));
  HWND clip = driver::FindChildByClass(frame, "SKCLIP");
  ASSERT_NE(clip, nullptr);
  EXPECT_FALSE(IsWindowEnabled(clip));
  EXPECT_TRUE(GetWindowLongA(frame, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_EQ(Close(), 0);
  // No recorder plug-in here: nothing was recorded, and the report says so.
  std::vector<LoggedMessage> log = WaitForLog(reportLog, 1, kEventLimitMs);
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].code, kCodeRecordingCounts);
  EXPECT_EQ(log[0].text, "0,0,0");
}

// The recording place (an inner 328 x 268 area, top-most, at the top of the screen) is the
// recording's, never the user's: a player that was set up for a recording, or started for
// one, and ended without recording keeps the user's window place for the next start.
TEST_F(Falcet, ARecordingThatNeverRecordedLeavesTheUsersWindowPlace) {
  FalcetFolder& folder = Copy();
  const std::string settings = " 40| 30| 700| 500|C:\\media\\|C:\\shots\\||-1|-1| 305| 0";
  fileio::WriteFileReplacing(folder.SettingsFile(), settings);
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  driver::SendCommand(frame, kCodeRecordShow, "328,268,0,0");
  ASSERT_TRUE(PumpUntil([&] { return (GetWindowLongA(frame, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }, 5s, 50ms));
  EXPECT_EQ(Close(), 0);
  EXPECT_EQ(ReadText(folder.SettingsFile()), settings);
  // Started for a recording that never came (no code 20 yet): the same.
  frame = Start("SSL2AVI");
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(Close(), 0);
  EXPECT_EQ(ReadText(folder.SettingsFile()), settings);
  // The next ordinary start opens as the user left it.
  frame = Start();
  ASSERT_NE(frame, nullptr);
  RECT r;
  GetWindowRect(frame, &r);
  EXPECT_EQ(r.left, 40);
  EXPECT_EQ(r.top, 30);
  EXPECT_EQ(r.right - r.left, 700);
  EXPECT_EQ(r.bottom - r.top, 500);
  EXPECT_FALSE(GetWindowLongA(frame, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(Close(), 0);
}

// A built show of three slides with the marker library and the recorder beside the player,
// recorded at 5 frames a second with an inner area of 160 x 120: the report names the frames
// written, and the file holds them (read by the tests' own reader, not Video for Windows).
TEST_F(Falcet, ABuiltShowIsRecordedAndTheReportCountsTheFramesOfTheFile) {
  FalcetFolder& folder = Copy();
  folder.WriteInProgram("dravel.dll", "x");
  std::string recorder = ReadText(SuiteFolder() + "morvane.dll");
  ASSERT_FALSE(recorder.empty());
  folder.WriteInProgram("morvane.dll", recorder);
  std::string list = "[|0|0|0|0|0|1000|0]\r\n";
  COLORREF colours[] = {RGB(200, 40, 40), RGB(40, 200, 40), RGB(40, 40, 200)};
  for (int i = 1; i <= 3; ++i) {
    std::string name = "0000000" + std::to_string(i) + ".bmp";
    WritePicture(folder.ProgramFolder() + name, 32, 32, colours[i - 1]);
    list += "@path@" + name + ",1000\r\n";
  }
  folder.WriteInProgram("falcet.ssf", list);
  std::string reportLog = folder.File("report.log");
  ASSERT_TRUE(RunStandin("FALCETREPORT", reportLog));
  HWND report = FindWindowA("FALCETREPORT", nullptr);
  HWND frame = Start("SSL2AVI");
  ASSERT_NE(frame, nullptr);
  driver::SendCommand(frame, kCodeRecordShow, "160,120,5," + std::to_string(reinterpret_cast<uintptr_t>(report)));
  // The frames are the main window's client area, which the skin's frame is drawn into.
  RECT client{};
  GetClientRect(frame, &client);
  EXPECT_GE(client.right, 160);
  EXPECT_GE(client.bottom, 120);
  // The show ends the player after its last slide.
  EXPECT_EQ(Process().Wait(30000), 0);
  std::vector<LoggedMessage> log = WaitForLog(reportLog, 1, kEventLimitMs);
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].code, kCodeRecordingCounts);
  int written = std::atoi(log[0].text.c_str());
  EXPECT_GT(written, 0);
  EXPECT_EQ(log[0].text, std::to_string(written) + ",0,0");
  avitest::AviSummary s;
  std::string error;
  ASSERT_TRUE(avitest::ReadAvi(ReadText(folder.ProgramFolder() + "falcet.avi"), s, error)) << error;
  EXPECT_EQ(s.moviFrames, uint32_t(written));
  EXPECT_EQ(s.indexFrames, uint32_t(written));
  EXPECT_EQ(s.totalFrames, uint32_t(written));
  EXPECT_TRUE(s.indexMatchesMovi);
  EXPECT_EQ(s.rate / std::max(1u, s.scale), 5u);
  EXPECT_EQ(s.microSecondsPerFrame, 200000u);
  EXPECT_EQ(s.frameWidth, client.right);
  EXPECT_EQ(s.frameHeight, client.bottom);
}

// A recording player (code 20) stands top-most over everything while the program that
// asked for it waits: it must end however it is told to, with its file complete.
class FalcetRecording : public Falcet {
 protected:
  // A built show of three slides that stay a minute each, the recorder beside the player and
  // a report window; the player started for it and recording. Null when it did not start.
  HWND StartRecording() {
    FalcetFolder& folder = Copy();
    folder.WriteInProgram("dravel.dll", "x");
    std::string recorder = ReadText(SuiteFolder() + "morvane.dll");
    EXPECT_FALSE(recorder.empty());
    folder.WriteInProgram("morvane.dll", recorder);
    std::string list = "[|0|0|0|0|0|60000|0]\r\n";
    for (int i = 1; i <= 3; ++i) {
      std::string name = "0000000" + std::to_string(i) + ".bmp";
      WritePicture(folder.ProgramFolder() + name, 32, 32, RGB(60 * i, 40, 40));
      list += "@path@" + name + ",60000\r\n";
    }
    folder.WriteInProgram("falcet.ssf", list);
    reportLog_ = folder.File("report.log");
    if (!RunStandin("FALCETREPORT", reportLog_)) return nullptr;
    HWND report = FindWindowA("FALCETREPORT", nullptr);
    HWND frame = Start("SSL2AVI");
    if (!frame) return nullptr;
    driver::SendCommand(frame, kCodeRecordShow, "160,120,5," + std::to_string(reinterpret_cast<uintptr_t>(report)));
    // Recording: the status line counts the frames written (the file is the recorder's
    // alone meanwhile).
    HWND status = driver::FindChildByClass(frame, "SKSTATUS");
    std::string text;
    bool recording = status && PumpUntil(
                                   [&] {
                                     text = driver::WindowText(status);
                                     return text.rfind("Recording: ", 0) == 0 && std::atoi(text.c_str() + 11) >= 3;
                                   },
                                   20s, 50ms);
    EXPECT_TRUE(recording) << "the recording never started: " << text;
    return recording ? frame : nullptr;
  }

  // The player ended by itself with 0, reported the frames it wrote, and its file is
  // complete with them.
  void ExpectEndedWithItsRecording() {
    EXPECT_EQ(Process().Wait(20000), 0);
    std::vector<LoggedMessage> log = WaitForLog(reportLog_, 1, kEventLimitMs);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].code, kCodeRecordingCounts);
    int written = std::atoi(log[0].text.c_str());
    EXPECT_GT(written, 0) << log[0].text;
    avitest::AviSummary s;
    std::string error;
    ASSERT_TRUE(avitest::ReadAvi(ReadText(Copy().ProgramFolder() + "falcet.avi"), s, error)) << error;
    EXPECT_EQ(s.moviFrames, uint32_t(written));
    EXPECT_TRUE(s.indexMatchesMovi);
  }

  std::string reportLog_;
};

namespace {

// Where the frame's close button is: the window itself says (its hit test).
bool CloseButtonPoint(HWND frame, POINT& at) {
  RECT r;
  GetWindowRect(frame, &r);
  for (int y = r.top; y < r.top + 40 && y < r.bottom; ++y)
    for (int x = r.right - 1; x >= r.left; --x)
      if (SendMessageA(frame, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
        at = POINT{x - 4, y + 4};  // inside, from its top right corner
        return SendMessageA(frame, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y)) == HTCLOSE;
      }
  return false;
}

// A click of the mouse at a point of the screen, as the user's hand makes it.
void ClickAt(POINT at) {
  SetCursorPos(at.x, at.y);
  PumpMessages(100);
  INPUT input[2]{};
  input[0].type = input[1].type = INPUT_MOUSE;
  input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(1, &input[0], sizeof(INPUT));
  PumpMessages(100);
  SendInput(1, &input[1], sizeof(INPUT));
}

}  // namespace

TEST_F(FalcetRecording, TheUserEndsARecordingWithTheCloseButton) {
  HWND frame = StartRecording();
  ASSERT_NE(frame, nullptr);
  POINT at{};
  ASSERT_TRUE(CloseButtonPoint(frame, at));
  ClickAt(at);
  ExpectEndedWithItsRecording();
}

TEST_F(FalcetRecording, TheWaitingProgramEndsARecordingWithEscape) {
  HWND frame = StartRecording();
  ASSERT_NE(frame, nullptr);
  PostMessageA(frame, WM_KEYDOWN, VK_ESCAPE, 0);
  ExpectEndedWithItsRecording();
}

TEST_F(FalcetRecording, TheWaitingProgramEndsARecordingWithTheEndCode) {
  HWND frame = StartRecording();
  ASSERT_NE(frame, nullptr);
  driver::SendCommand(frame, kCodeClose, "");
  ExpectEndedWithItsRecording();
}

// A recording set up where there is no show to record never starts: the player ends at
// once and reports that nothing was recorded, so the program waiting for it goes on.
TEST_F(Falcet, ARecordingWithoutAShowEndsAtOnceWithItsReport) {
  FalcetFolder& folder = Copy();
  std::string reportLog = folder.File("report.log");
  ASSERT_TRUE(RunStandin("FALCETREPORT", reportLog));
  HWND report = FindWindowA("FALCETREPORT", nullptr);
  HWND frame = Start("SSL2AVI");
  ASSERT_NE(frame, nullptr);
  driver::SendCommand(frame, kCodeRecordShow, "160,120,5," + std::to_string(reinterpret_cast<uintptr_t>(report)));
  EXPECT_EQ(Process().Wait(20000), 0);
  std::vector<LoggedMessage> log = WaitForLog(reportLog, 1, kEventLimitMs);
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].code, kCodeRecordingCounts);
  EXPECT_EQ(log[0].text, "0,0,0");
}

// Sounds that cannot be played as they are: the player says which file and what is wrong
// with it, and stays up for the next item. Returns the box's text ("" when none came).
class FalcetBrokenSound : public Falcet {
 protected:
  std::string BoxFor(HWND frame, const std::string& file) {
    driver::SendCommand(frame, kCodeOpen, file);
    HWND box = WaitForWindow("SKMSGBOX", kEventLimitMs, Process().Id());
    if (!box) return {};
    std::string text;
    WaitUntil([&] { return !(text = driver::BoxText(box)).empty(); }, 5s);
    driver::PressButton("SKMSGBOX", 1, "", kEventLimitMs);
    return text;
  }
};

TEST_F(FalcetBrokenSound, ACorruptMp3IsNamedWithWhatIsWrongAndThePlayerStaysUp) {
  std::string mp3 = Copy().Write("songs\\bad song.mp3", soundtest::Id3v2Tag("Bad") + std::string(30000, '\x5a'));
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  std::string text = BoxFor(frame, mp3);
  EXPECT_NE(text.find(mp3), std::string::npos) << text;
  EXPECT_NE(text.find("It holds no sound the player knows: it is no sound file, or it is damaged."), std::string::npos) << text;
  PumpMessages(1500);
  EXPECT_TRUE(Process().Running());
  EXPECT_TRUE(IsWindow(frame));
  EXPECT_EQ(Close(), 0);
}

TEST_F(FalcetBrokenSound, AWaveClaimingFourGigabytesIsNamedWithWhatIsWrongAndThePlayerStaysUp) {
  std::string bytes = soundtest::PcmWave(soundtest::Tone(8000, 1, 8000), 1, 8000);
  // The header claims 4 GiB of samples; the file holds one second.
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + size_t(i)] = char((v >> (8 * i)) & 0xFF);
  };
  size_t data = bytes.find("data");
  ASSERT_NE(data, std::string::npos);
  put32(data + 4, 0xFFFFFFF0u);
  put32(4, 0xFFFFFFF8u);
  std::string wave = Copy().Write("huge.wav", bytes);
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  std::string text = BoxFor(frame, wave);
  EXPECT_NE(text.find(wave), std::string::npos) << text;
  EXPECT_NE(text.find("Its header claims 4294967280 bytes of sound, but the file holds only 16000:"), std::string::npos) << text;
  PumpMessages(1500);
  EXPECT_TRUE(Process().Running());
  EXPECT_TRUE(IsWindow(frame));
  EXPECT_EQ(Close(), 0);
}

// A recorder writing to a stream leaves the sizes it cannot know as marks: such a file
// holds its sound up to its end and plays, with no word about its header.
TEST_F(Falcet, AWaveWrittenToAStreamPlays) {
  for (const char* name : {"tone-streamed-sox.wav", "tone-streamed-ffmpeg.wav"}) {
    std::string made = soundtest::SoundFixture(name);
    if (made.empty()) GTEST_SKIP() << name << " was not made (sox or ffmpeg missing)";
    std::string wave = Copy().File(name);
    ASSERT_EQ(fileio::CopyFileTo(made, wave), fileio::kOk);
    HWND frame = Start(wave);
    ASSERT_NE(frame, nullptr);
    // It plays (its name in the title), or a box says what is wrong with it.
    HWND box = nullptr;
    EXPECT_TRUE(PumpUntil(
        [&] {
          box = WaitForWindow("SKMSGBOX", 0, Process().Id());
          return box || driver::WindowText(frame) == Title(name);
        },
        kEventLimit));
    EXPECT_EQ(box, nullptr) << name << ": " << driver::BoxText(box);
    EXPECT_EQ(driver::WindowText(frame), Title(name));
    EXPECT_EQ(Close(), 0);
  }
}

namespace {

int SliderAfter(HWND slider, DWORD milliseconds) {
  PumpMessages(milliseconds);
  return int(SendMessageA(slider, TBM_GETPOS, 0, 0));
}

}  // namespace

TEST_F(Falcet, AttachedSoundPausesTheMediumAndAnEmptyNameLeavesItAlone) {
  FalcetFolder& folder = Copy();
  // The medium: 6 s; the attached sound: a music list naming a short sound.
  std::string medium = folder.Write("sounds\\long.wav", soundtest::PcmWave(soundtest::Tone(48000, 1, 4000), 1, 8000));
  folder.Write("sounds\\music.wav", soundtest::PcmWave(soundtest::Tone(4000, 1, 4000), 1, 8000));
  std::string list = folder.Write("sounds\\music.m3u", "@path@music.wav\r\n@path@missing.wav\r\n");
  HWND frame = Start(medium);
  ASSERT_NE(frame, nullptr);
  // The media bar (and its slider) is there once the medium plays.
  ASSERT_GE(WaitTitle(frame, Title("long.wav"), kEventLimitMs), 0);
  HWND slider = WaitBarControl(frame, kPositionSlider, 10000);
  ASSERT_NE(slider, nullptr);
  // An empty name stops an attached sound and lets the medium play on.
  int before = SliderAfter(slider, 800);
  driver::SendCommand(frame, kCodeAttachedSound, "|0|0");
  EXPECT_GT(SliderAfter(slider, 800), before);
  // A music list ("@path@" is the program folder here) pauses the medium.
  fileio::CopyFileTo(folder.File("sounds\\music.wav"), folder.ProgramFolder() + "music.wav");
  driver::SendCommand(frame, kCodeAttachedSound, list + "|80|0");
  int paused = SliderAfter(slider, 300);
  EXPECT_EQ(SliderAfter(slider, 800), paused);
  // Play goes on from there.
  PostMessageA(frame, WM_COMMAND, kPlayButton, 0);
  EXPECT_GT(SliderAfter(slider, 800), paused);
  EXPECT_EQ(Close(), 0);
}

TEST_F(Falcet, PositionSliderOfAPictureListOpensTheItemAtItsPercent) {
  FalcetFolder& folder = Copy();
  std::string names;
  for (const char* n : {"p1.bmp", "p2.bmp", "p3.bmp", "p4.bmp"}) {
    std::string path = WritePicture(folder.File(std::string("pics\\") + n), 32, 32, RGB(50, 100, 150));
    names += (names.empty() ? "" : " ") + path;
  }
  HWND frame = Start(names);
  ASSERT_NE(frame, nullptr);
  EXPECT_GE(WaitTitle(frame, Title("p1.bmp"), kEventLimitMs), 0);
  PostMessageA(frame, WM_COMMAND, kPositionSlider, 55);  // 2.2 of 4 items: item 2
  EXPECT_GE(WaitTitle(frame, Title("p2.bmp"), kEventLimitMs), 0);
  PostMessageA(frame, WM_COMMAND, kPositionSlider, 100);
  EXPECT_GE(WaitTitle(frame, Title("p4.bmp"), kEventLimitMs), 0);
  PostMessageA(frame, WM_COMMAND, kPositionSlider, 0);
  EXPECT_GE(WaitTitle(frame, Title("p1.bmp"), kEventLimitMs), 0);
  // The stop command closes the player, list or no list.
  driver::PostCommand(frame, kStopButton);
  EXPECT_EQ(Process().Wait(30000), 0);
}

}  // namespace falcet
