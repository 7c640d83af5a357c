// What the browser writes from the selected files, as a user and its partners see it: web
// index pages with their thumbnails. The browser runs under Wine and is driven from outside.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "bmp_file.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "imaging/copydata.h"
#include "imglib/imglib.h"
#include "kelmor/index_pages.h"
#include "kelmor_command_fixture.h"
#include "sound_files.h"
#include "test_windows.h"

namespace kelmor {

namespace {

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

bool WriteJpeg(const std::string& path, int width, int height) {
  ImgBitmap bitmap{};
  if (L_CreateBitmap(&bitmap, width, height, 24) != imglib::kSuccess) return false;
  bool ok = L_SaveBitmap(path, &bitmap, imglib::kFormatJpeg, 24, 25) == imglib::kSuccess;
  L_FreeBitmap(&bitmap);
  return ok;
}

class KelmorOutput : public KelmorCommands {
 protected:
  // Selects the whole list and runs a command that asks for a target and a title.
  bool StartPages(HWND frame, int command, const std::string& target, const std::string& title) {
    SendAndWait(list_, LB_SETSEL, TRUE, -1);
    PostMessageA(frame, WM_COMMAND, WPARAM(command), 0);
    return ChooseTarget(target) && AnswerInput(title);
  }
};

TEST_F(KelmorOutput, WebPagesOfNinePicturesAreOnePageAndYesHandsThemToThePartner) {
  KelmorFolder& folder = Copy();
  std::string log = folder.Log("partner.txt");
  folder.SetPartner("KELMORPAGES", log);
  TempDir pictures, web;
  std::vector<std::string> names;
  for (int i = 1; i <= 9; ++i) {
    std::string name = "p" + std::to_string(i) + ".bmp";
    ASSERT_TRUE(WriteBmp(pictures.File(name), 300 + i, 200, 10, 20, 30));
    names.push_back(" " + name);
  }
  HWND frame = Start(pictures.Path(), "*.*");
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(WaitForList(list_, names, kEventLimitMs).size(), 9u);
  ASSERT_TRUE(StartPages(frame, 904, web.Path(), "Tom & Jerry's <best>"));

  std::string question = MessageBoxText();
  EXPECT_NE(question.find("1 web page written: " + web.Path() + "qorct???.htm"), std::string::npos) << question;
  std::string page = web.Read("QORCT001.htm");
  EXPECT_EQ(Count(page, "<td>"), 9);
  EXPECT_EQ(Count(page, "<tr "), 3);  // rows of 4, 4 and 1
  EXPECT_NE(page.find("Tom &amp; Jerry&#39;s &lt;best&gt;<br>\r\n<small><small><small>page 1/1"), std::string::npos);
  EXPECT_NE(page.find("<img src=\"p1.jpg\" width=\"275\""), std::string::npos) << page.substr(0, 900);
  EXPECT_FALSE(fileio::Exists(web.File("QORCT002.htm")));
  for (int i = 1; i <= 9; ++i) {
    ImgFileInfo info;
    ASSERT_EQ(L_FileInfo(web.File("p" + std::to_string(i) + ".jpg"), &info), imglib::kSuccess) << i;
    EXPECT_EQ(info.format, imglib::kFormatJpeg);
    EXPECT_EQ(info.width, 275);
  }
  EXPECT_TRUE(driver::PressButton("SKMSGBOX", 1, "", kEventLimitMs));
  std::vector<LoggedMessage> got = WaitForLog(log, 2, kEventLimitMs);
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].code, kCodeStarted);
  EXPECT_EQ(got[1].code, kCodeOpen);
  EXPECT_EQ(fileio::ToLower(got[1].text), fileio::ToLower(web.File("QORCT001.htm")));
  CloseStandin("KELMORPAGES");
  EXPECT_EQ(Close(), 0);
}

TEST_F(KelmorOutput, WebPagesIntoThePicturesOwnFolderChangeNoPicture) {
  TempDir pictures;
  ASSERT_TRUE(WriteJpeg(pictures.File("a.jpg"), 40, 30));
  ASSERT_TRUE(WriteBmp(pictures.File("a.bmp"), 60, 30, 200, 0, 0));
  for (int i = 10; i < 29; ++i) ASSERT_TRUE(WriteBmp(pictures.File("p" + std::to_string(i) + ".bmp"), 8, 8, 1, 2, 3));
  std::string jpeg = pictures.Read("a.jpg");
  HWND frame = Start(pictures.Path(), "*.*");
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return SendMessageA(list_, LB_GETCOUNT, 0, 0) == 21; }, kEventLimit));
  ASSERT_TRUE(StartPages(frame, 904, pictures.Path(), "own"));

  std::string question = MessageBoxText();
  EXPECT_EQ(question.rfind("2 web pages written", 0), 0u) << question;
  EXPECT_TRUE(driver::PressButton("SKMSGBOX", 2, "", kEventLimitMs));
  EXPECT_EQ(pictures.Read("a.jpg"), jpeg);
  std::string first = pictures.Read("QORCT001.htm"), second = pictures.Read("QORCT002.htm");
  EXPECT_NE(first.find("page 1/2"), std::string::npos);
  EXPECT_EQ(Count(first, "<td>"), 20);
  EXPECT_NE(second.find("page 2/2"), std::string::npos);
  EXPECT_EQ(Count(second, "<td>"), 1);
  // The list is sorted: a.bmp's thumbnail cannot be a.jpg (a source), a.jpg's then takes
  // the next free name.
  EXPECT_NE(first.find("<img src=\"a-2.jpg\" width=\"60\""), std::string::npos);
  EXPECT_NE(first.find("<img src=\"a-3.jpg\""), std::string::npos);
  ImgFileInfo info;
  ASSERT_EQ(L_FileInfo(pictures.File("a-3.jpg"), &info), imglib::kSuccess);
  EXPECT_EQ(info.width, 40);
  EXPECT_EQ(Close(), 0);
}

// The red, green and blue of a pixel of a decoded picture.
struct Rgb {
  int r = -1, g = -1, b = -1;
  bool operator==(const Rgb&) const = default;
};
Rgb PixelAt(const imglib::Picture& p, int x, int y) {
  const uint8_t* at = p.pixels.Row(y) + size_t(x) * 3;
  return Rgb{at[2], at[1], at[0]};
}
// Whether a row band holds a dark pixel (text).
bool HasDarkPixel(const imglib::Picture& p, int top, int bottom) {
  for (int y = top; y < bottom; ++y)
    for (int x = 0; x < p.pixels.Width(); ++x)
      if (PixelAt(p, x, y).r < 100) return true;
  return false;
}

TEST_F(KelmorOutput, WebPagesOfGifPicturesGetThumbnailsOfTheirColours) {
  TempDir pictures, web;
  // Three GIFs, each of one colour (in a 256-colour palette).
  const uint8_t colours[3][3] = {{200, 20, 20}, {20, 200, 20}, {20, 20, 200}};
  for (int i = 0; i < 3; ++i) {
    imglib::Raster r;
    r.Allocate(300, 200);
    for (int y = 0; y < 200; ++y)
      for (int x = 0; x < 300; ++x) r.Set(x, y, colours[i][0], colours[i][1], colours[i][2]);
    std::string bytes;
    ASSERT_EQ(imglib::EncodePicture(r, imglib::kFormatGif, 8, 0, bytes), imglib::kSuccess);
    pictures.Write("g" + std::to_string(i + 1) + ".gif", bytes);
  }
  HWND frame = Start(pictures.Path(), "*.*");
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(WaitForList(list_, {" g1.gif", " g2.gif", " g3.gif"}, kEventLimitMs).size(), 3u);
  ASSERT_TRUE(StartPages(frame, 904, web.Path(), "gifs"));
  std::string question = MessageBoxText();
  EXPECT_EQ(question.rfind("1 web page written", 0), 0u) << question;
  EXPECT_TRUE(driver::PressButton("SKMSGBOX", 2, "", kEventLimitMs));
  std::string page = web.Read("QORCT001.htm");
  EXPECT_EQ(Count(page, "<td>"), 3);
  for (int i = 0; i < 3; ++i) {
    std::string thumb = "g" + std::to_string(i + 1) + ".jpg";
    EXPECT_NE(page.find("<img src=\"" + thumb + "\" width=\"275\""), std::string::npos) << page.substr(0, 900);
    imglib::Picture p;
    ASSERT_TRUE(ReadPicture(web.File(thumb), p)) << thumb;
    EXPECT_EQ(p.info.format, imglib::kFormatJpeg);
    ASSERT_EQ(p.pixels.Width(), 275);
    // Each thumbnail is its own picture's colour, not an earlier conversion's.
    Rgb centre = PixelAt(p, 137, p.pixels.Height() / 2);
    EXPECT_NEAR(centre.r, colours[i][0], 12) << thumb;
    EXPECT_NEAR(centre.g, colours[i][1], 12) << thumb;
    EXPECT_NEAR(centre.b, colours[i][2], 12) << thumb;
  }
  // The conversion leaves nothing beside the pictures.
  EXPECT_FALSE(fileio::Exists(pictures.File("g1.bmp")));
  EXPECT_EQ(Close(), 0);
}

TEST_F(KelmorOutput, IndexSheetsLayTheirPagesOutWithFramesAndFooters) {
  TempDir pictures;
  // Seven pictures, each of its own red value.
  for (int i = 1; i <= 7; ++i) ASSERT_TRUE(WriteBmp(pictures.File("p" + std::to_string(i) + ".bmp"), 40, 30, uint8_t(i * 30), 200, 10));
  Copy().SetMenuAction(1400, "2,2,6");
  HWND frame = Start(pictures.Path(), "*.*");
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(WaitForList(list_, {" p1.bmp", " p2.bmp", " p3.bmp", " p4.bmp", " p5.bmp", " p6.bmp", " p7.bmp"}, kEventLimitMs).size(), 7u);
  SendAndWait(list_, LB_SETSEL, TRUE, -1);
  SendAndWait(frame, WM_COMMAND, 801, 0);
  EXPECT_TRUE(PumpUntil([&] { return SendMessageA(list_, LB_GETCOUNT, 0, 0) == 9; }, milliseconds(20000)));
  std::vector<std::string> items = driver::ListItems(list_);
  ASSERT_EQ(items.size(), 9u);
  EXPECT_EQ(items[0], " p1.bmp");
  EXPECT_EQ(items[7], " qorct001.bmp");
  EXPECT_EQ(items[8], " qorct002.bmp");
  imglib::Picture second;
  ASSERT_TRUE(ReadPicture(pictures.File("QORCT002.bmp"), second));
  ASSERT_EQ(second.pixels.Width(), 1114);
  ASSERT_EQ(second.pixels.Height(), 1538);
  // Cell 1 of page 2 holds the fifth picture; cell 4 is an empty frame; the frame's line
  // is black.
  EXPECT_EQ(PixelAt(second, 1 + 275, 1 + 376), (Rgb{150, 200, 10}));
  EXPECT_EQ(PixelAt(second, 562 + 275, 765 + 376), (Rgb{255, 255, 255}));
  EXPECT_EQ(PixelAt(second, 562, 765 + 100), (Rgb{0, 0, 0}));
  EXPECT_TRUE(HasDarkPixel(second, 1518 + 3, 1538));

  // 1400: one page of the first four, no footer; 1401: the first picture in every cell.
  SelectOnly(list_, {0, 1, 2, 3, 4, 5, 6});
  SendAndWait(frame, WM_COMMAND, 1400, 0);
  SelectOnly(list_, {1, 2, 3});
  SendAndWait(frame, WM_COMMAND, 1401, 0);
  EXPECT_TRUE(PumpUntil([&] { return SendMessageA(list_, LB_GETCOUNT, 0, 0) == 11; }, milliseconds(20000)));
  imglib::Picture one, copies;
  ASSERT_TRUE(ReadPicture(pictures.File("QORCT003.bmp"), one));
  EXPECT_EQ(PixelAt(one, 562 + 275, 765 + 376), (Rgb{120, 200, 10}));
  EXPECT_FALSE(HasDarkPixel(one, 1518 + 3, 1538));
  ASSERT_TRUE(ReadPicture(pictures.File("QORCT004.bmp"), copies));
  ASSERT_EQ(copies.pixels.Width(), 1114);
  for (CellCorner c : {CellCorner{1, 1}, CellCorner{562, 1}, CellCorner{1, 765}, CellCorner{562, 765}})
    EXPECT_EQ(PixelAt(copies, c.x + 275, c.y + 376), (Rgb{60, 200, 10})) << c.x << "," << c.y;
  // With names on the sheets, the name stands dark at the bottom of each cell.
  auto darkInNameBand = [](const imglib::Picture& p) {
    for (int y = 1 + 752 - 21; y < 1 + 752 - 2; ++y)
      for (int x = 1 + 6; x < 1 + 551 - 6; ++x)
        if (PixelAt(p, x, y).r < 100) return true;
    return false;
  };
  EXPECT_FALSE(darkInNameBand(copies));
  SendAndWait(frame, WM_COMMAND, kSheetNamesCommand, 0);
  SelectOnly(list_, {1});
  SendAndWait(frame, WM_COMMAND, 1401, 0);
  imglib::Picture named;
  ASSERT_TRUE(PumpUntil([&] { return ReadPicture(pictures.File("QORCT005.bmp"), named); }, milliseconds(20000)));
  EXPECT_TRUE(darkInNameBand(named));
  EXPECT_FALSE(fileio::Exists(pictures.File("QORCT006.bmp")));
  EXPECT_EQ(Close(), 0);
}

TEST_F(KelmorOutput, SheetsThatCannotBeSavedAreReportedOnce) {
  TempDir pictures;
  for (int i = 1; i <= 7; ++i) ASSERT_TRUE(WriteBmp(pictures.File("p" + std::to_string(i) + ".bmp"), 40, 30, 9, 9, 9));
  Copy().SetMenuAction(1400, "2,2,6");
  HWND frame = Start(pictures.Path(), "*.*");
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(WaitForList(list_, {" p1.bmp", " p2.bmp", " p3.bmp", " p4.bmp", " p5.bmp", " p6.bmp", " p7.bmp"}, kEventLimitMs).size(), 7u);
  SendAndWait(list_, LB_SETSEL, TRUE, -1);
  // The folder goes away under the list: neither of the two pages can be written.
  for (int i = 1; i <= 7; ++i) ASSERT_TRUE(DeleteFileA(pictures.File("p" + std::to_string(i) + ".bmp").c_str()));
  std::string folder = pictures.Path();
  ASSERT_TRUE(RemoveDirectoryA(folder.substr(0, folder.size() - 1).c_str()));
  PostMessageA(frame, WM_COMMAND, 801, 0);
  std::string report = MessageBoxText();
  EXPECT_NE(report.find("QORCT001.bmp"), std::string::npos) << report;
  EXPECT_TRUE(driver::PressButton("SKMSGBOX", 1, "", kEventLimitMs));
  EXPECT_TRUE(PumpUntil([&] { return MessageBoxText(0) != report; }, kEventLimit));
  // No second report for page 2.
  std::string second = MessageBoxText(3000);
  EXPECT_EQ(second, "") << second;
  EXPECT_FALSE(fileio::Exists(pictures.File("QORCT001.bmp")));
  EXPECT_FALSE(fileio::Exists(pictures.File("QORCT002.bmp")));
  EXPECT_EQ(Close(), 0);
}

std::string PcmDataOf(const std::string& wave) { return wave.size() < 44 ? std::string() : wave.substr(44); }
uint32_t Le32At(const std::string& s, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | uint8_t(s[at + size_t(i)]);
  return v;
}

class KelmorSounds : public KelmorOutput {
 protected:
  // A stereo 16-bit WAV, an MP3 of silent frames and a text file; the list is
  // " m.mp3", " notes.txt", " s.wav".
  HWND StartWithSounds() {
    // Five seconds: long enough for a stop to come while it is converted.
    samples_ = soundtest::Tone(5 * 44100, 2, 9000);
    source_ = soundtest::PcmWave(samples_, 2, 44100);
    files_.Write("s.wav", source_);
    files_.Write("m.mp3", soundtest::SilentMp3Frames(20));
    files_.Write("notes.txt", "not a sound");
    HWND frame = Start(files_.Path(), "*.*");
    if (frame) WaitForList(list_, {" m.mp3", " notes.txt", " s.wav"}, kEventLimitMs);
    return frame;
  }
  // Runs a conversion command on the selected entries into out with a base name.
  bool Convert(HWND frame, int command, const std::vector<int>& entries, const std::string& base) {
    SelectOnly(list_, entries);
    PostMessageA(frame, WM_COMMAND, WPARAM(command), 0);
    return ChooseTarget(out_.Path()) && AnswerInput(base);
  }
  TempDir files_, out_;
  std::vector<int16_t> samples_;
  std::string source_;
};

TEST_F(KelmorSounds, SoundFilesBecomeWavFilesAfterThePlayerWasClosed) {
  KelmorFolder& folder = Copy();
  std::string log = folder.Log("player.txt");
  ChildProcess player;
  ASSERT_TRUE(StartStandin(player, kClassPlayer, log));
  HWND frame = StartWithSounds();
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(Convert(frame, 1301, {0, 1, 2}, "My Album: Live, 2004"));
  std::string stereo = out_.File("My_Album_Live_2004-03.wav"), mono = out_.File("My_Album_Live_2004-01.wav");
  HWND collection = driver::FindChild(frame, kCollectionList);
  ASSERT_TRUE(PumpUntil([&] { return driver::ListItems(collection).size() == 2; }, milliseconds(20000)));
  // The player was told to close before anything was converted.
  std::vector<LoggedMessage> got = WaitForLog(log, 1, kEventLimitMs);
  ASSERT_FALSE(got.empty());
  EXPECT_EQ(got[0].code, kCodeClose);

  std::string wav;
  ASSERT_EQ(fileio::ReadWholeFile(stereo, wav), fileio::kOk);
  EXPECT_EQ(wav.size(), source_.size());
  EXPECT_EQ(wav.substr(0, 44), source_.substr(0, 44));
  EXPECT_TRUE(PcmDataOf(wav) == PcmDataOf(source_));
  ASSERT_EQ(fileio::ReadWholeFile(mono, wav), fileio::kOk);
  ASSERT_GT(wav.size(), 44u);
  EXPECT_EQ(Le32At(wav, 4), wav.size() - 8);
  EXPECT_EQ(Le32At(wav, 40), wav.size() - 44);
  EXPECT_EQ(Le32At(wav, 24), 44100u);
  EXPECT_EQ(uint8_t(wav[22]), 1);  // one channel
  // Silence, give or take the codec's rounding.
  int peak = 0;
  for (size_t at = 44; at + 1 < wav.size(); at += 2)
    peak = std::max(peak, std::abs(int(int16_t(uint8_t(wav[at]) | (uint8_t(wav[at + 1]) << 8)))));
  EXPECT_LE(peak, 4);
  EXPECT_EQ(driver::ListItems(collection), (std::vector<std::string>{" " + mono, " " + stereo}));
  EXPECT_EQ(Close(), 0);
}

TEST_F(KelmorSounds, WmaIsNotAvailableAndAnEncoderGetsItsArgumentsAndThePcm) {
  KelmorFolder& folder = Copy();
  ASSERT_EQ(fileio::CopyFileTo(TestProgramFolder() + "encstandin.exe", folder.ProgramFolder() + "lame.exe"), 0);
  HWND frame = StartWithSounds();
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(Convert(frame, 1302, {0, 2}, "w"));
  std::string report = MessageBoxText();
  EXPECT_NE(fileio::ToLower(report).find("not available"), std::string::npos) << report;
  HWND shown = nullptr;
  EXPECT_TRUE(PressNextBox("SKMSGBOX", 1, "", &shown, kEventLimitMs));
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(shown); }, kEventLimit));
  // Said once: the run ended with the first file.
  EXPECT_EQ(WaitForWindow("SKMSGBOX", 1000, Process().Id()), nullptr);
  EXPECT_TRUE(fileio::ListDirectory(out_.File("*.wma")).empty());

  ASSERT_TRUE(Convert(frame, 1303, {2}, "e"));
  std::string mp3 = out_.File("e-03.mp3");
  std::string written;
  ASSERT_TRUE(PumpUntil([&] { return fileio::ReadWholeFile(mp3, written) == fileio::kOk && written.size() > 44; },
                        milliseconds(20000)));
  SendAndWait(frame, WM_NULL, 0, 0);
  fileio::ReadWholeFile(mp3, written);
  size_t line = written.find('\n');
  ASSERT_NE(line, std::string::npos);
  std::string arguments = written.substr(0, line);
  EXPECT_EQ(arguments.rfind(" --alt-preset standard - \"", 0), 0u) << arguments;
  EXPECT_EQ(arguments.substr(arguments.size() - 9), "e-03.mp3\"") << arguments;
  EXPECT_TRUE(written.substr(line + 1 + 44) == PcmDataOf(source_));
  EXPECT_EQ(Close(), 0);
}

// Copies the sound files that sox and ffmpeg wrote (tests/sounds of the build) into the
// folder; false when the build could not make them.
bool CopySoundFixtures(TempDir& folder, std::initializer_list<const char*> names) {
  for (const char* name : names) {
    std::string path = soundtest::SoundFixture(name), bytes;
    if (path.empty() || fileio::ReadWholeFile(path, bytes) != fileio::kOk) return false;
    folder.Write(name, bytes);
  }
  return true;
}

// The tone of a converted file: its form, its length (frames within tolerance of the 1.5 s)
// and both sides' sines; "" when all is right.
std::string ConvertedToneProblem(const std::string& waveBytes, int toleranceFrames) {
  audio::WaveInfo info;
  std::vector<int16_t> samples = soundtest::PcmSamplesOf(waveBytes, &info);
  if (samples.empty()) return "no 16-bit PCM WAVE file";
  if (info.sampleRate != soundtest::kToneRate || info.channels != 2)
    return "form " + std::to_string(info.sampleRate) + " Hz, " + std::to_string(info.channels) + " channels";
  long frames = long(samples.size() / 2);
  if (std::abs(frames - soundtest::kToneFrames) > toleranceFrames) return std::to_string(frames) + " frames";
  return soundtest::ToneProblem(samples);
}

// Ogg Vorbis from sox and ffmpeg, and WMA from ffmpeg, become WAV files of their tone and
// length; the Ogg file's decoded PCM goes to an outside encoder (MP3) as well.
TEST_F(KelmorSounds, OggAndWmaFilesBecomeWavFilesAndEncoderInputOfTheirTone) {
  TempDir sounds;
  if (!CopySoundFixtures(sounds, {"tone-ffmpeg.ogg", "tone-ffmpeg.wma", "tone-sox.ogg"}))
    GTEST_SKIP() << "the sound files of sox and ffmpeg were not made";
  KelmorFolder& folder = Copy();
  ASSERT_EQ(fileio::CopyFileTo(TestProgramFolder() + "encstandin.exe", folder.ProgramFolder() + "lame.exe"), 0);
  HWND frame = Start(sounds.Path(), "*.*");
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(WaitForList(list_, {" tone-ffmpeg.ogg", " tone-ffmpeg.wma", " tone-sox.ogg"}, kEventLimitMs).size(), 3u);
  ASSERT_TRUE(Convert(frame, 1301, {0, 1, 2}, "tone"));
  HWND collection = driver::FindChild(frame, kCollectionList);
  ASSERT_TRUE(PumpUntil([&] { return driver::ListItems(collection).size() == 3; }, milliseconds(30000)))
      << MessageBoxText(100);
  // Vorbis keeps the exact length; WMA adds its codec's delay and pads its last block.
  EXPECT_EQ(ConvertedToneProblem(out_.Read("tone-01.wav"), 0), "");
  EXPECT_EQ(ConvertedToneProblem(out_.Read("tone-02.wav"), soundtest::kToneRate * 8 / 100), "");
  EXPECT_EQ(ConvertedToneProblem(out_.Read("tone-03.wav"), 0), "");

  // The collection list holds the WAV files now: the question before the name keeps them.
  SelectOnly(list_, {2});
  PostMessageA(frame, WM_COMMAND, 1303, 0);
  ASSERT_TRUE(ChooseTarget(out_.Path()));
  ASSERT_TRUE(driver::PressButton("SKMSGBOX", 3, "", kEventLimitMs));
  ASSERT_TRUE(AnswerInput("enc"));
  std::string mp3 = out_.File("enc-03.mp3"), written;
  const size_t whole = 44 + size_t(soundtest::kToneFrames) * 4;
  auto encoded = [&] {
    if (fileio::ReadWholeFile(mp3, written) != fileio::kOk) return false;
    size_t line = written.find('\n');
    return line != std::string::npos && written.size() - line - 1 >= whole;
  };
  ASSERT_TRUE(PumpUntil(encoded, milliseconds(30000)));
  SendAndWait(frame, WM_NULL, 0, 0);
  fileio::ReadWholeFile(mp3, written);
  std::string input = written.substr(written.find('\n') + 1);
  ASSERT_EQ(input.size(), whole);
  // The encoder's WAVE header says "as long as it runs": give the tone's its true sizes.
  std::string wave = input.substr(0, 4) + std::string("\0\0\0\0", 4) + input.substr(8, 32) +
                     std::string("\0\0\0\0", 4) + input.substr(44);
  uint32_t data = uint32_t(input.size() - 44);
  for (int i = 0; i < 4; ++i) {
    wave[size_t(4 + i)] = char(((data + 36) >> (8 * i)) & 0xFF);
    wave[size_t(40 + i)] = char((data >> (8 * i)) & 0xFF);
  }
  EXPECT_EQ(ConvertedToneProblem(wave, 0), "");
  EXPECT_EQ(Close(), 0);
}

// Without the system's Windows Media reader (here: wmvcore.dll switched off for the
// browser by Wine's overrides of the program) a WMA file is refused with a message that says why; nothing is written.
TEST_F(KelmorSounds, WmaWithoutTheSystemsReaderIsRefusedWithAClearMessage) {
  TempDir sounds;
  if (!CopySoundFixtures(sounds, {"tone-ffmpeg.wma"})) GTEST_SKIP() << "the WMA file of ffmpeg was not made";
  // Wine's loader leaves out a DLL that the program's own overrides switch off (it reads
  // them whenever it loads one: they stay until the test ends).
  struct SwitchedOff {
    const char* key = "Software\\Wine\\AppDefaults\\kelmor.exe\\DllOverrides";
    bool on = RegSetKeyValueA(HKEY_CURRENT_USER, key, "wmvcore", REG_SZ, "", 1) == ERROR_SUCCESS;
    ~SwitchedOff() { RegDeleteKeyValueA(HKEY_CURRENT_USER, key, "wmvcore"); }
  } wmvcore;
  ASSERT_TRUE(wmvcore.on);
  HWND frame = Start(sounds.Path(), "*.*");
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(WaitForList(list_, {" tone-ffmpeg.wma"}, kEventLimitMs).size(), 1u);
  ASSERT_TRUE(Convert(frame, 1301, {0}, "w"));
  std::string report = MessageBoxText();
  EXPECT_NE(report.find("tone-ffmpeg.wma"), std::string::npos) << report;
  EXPECT_NE(report.find("no Windows Media reader"), std::string::npos) << report;
  EXPECT_TRUE(driver::PressButton("SKMSGBOX", 1, "", kEventLimitMs));
  SendAndWait(frame, WM_NULL, 0, 0);
  EXPECT_TRUE(fileio::ListDirectory(out_.File("*.*")).empty());
  EXPECT_EQ(Close(), 0);
}

TEST_F(KelmorSounds, AnOutputThatIsASourceIsNeverWrittenOver) {
  TempDir own;
  own.Write("x-01.wav", source_ = soundtest::PcmWave(soundtest::Tone(4000, 1, 500), 1, 8000));
  HWND frame = Start(own.Path(), "*.*");
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(WaitForList(list_, {" x-01.wav"}, kEventLimitMs).size(), 1u);
  SelectOnly(list_, {0});
  PostMessageA(frame, WM_COMMAND, 1301, 0);
  ASSERT_TRUE(ChooseTarget(own.Path()) && AnswerInput("x"));
  std::string report = MessageBoxText();
  EXPECT_NE(report.find("x-01.wav"), std::string::npos) << report;
  EXPECT_TRUE(driver::PressButton("SKMSGBOX", 1, "", kEventLimitMs));
  SendAndWait(frame, WM_NULL, 0, 0);
  EXPECT_EQ(own.Read("x-01.wav"), source_);
  EXPECT_EQ(Close(), 0);
}

TEST_F(KelmorSounds, CdTracksWithoutACdDriveAreReportedOnce) {
  TempDir cd;
  cd.Write("track01.cda", "a CD track's stand-in");
  cd.Write("track02.cda", "a CD track's stand-in");
  HWND frame = Start(cd.Path(), "*.*");
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(WaitForList(list_, {" track01.cda", " track02.cda"}, kEventLimitMs).size(), 2u);
  ASSERT_TRUE(Convert(frame, 1201, {0, 1}, "disc"));
  std::string report = MessageBoxText();
  EXPECT_NE(report.find("No CD drive"), std::string::npos) << report;
  HWND shown = nullptr;
  EXPECT_TRUE(PressNextBox("SKMSGBOX", 1, "", &shown, kEventLimitMs));
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(shown); }, kEventLimit));
  EXPECT_EQ(WaitForWindow("SKMSGBOX", 1000, Process().Id()), nullptr);
  EXPECT_TRUE(fileio::ListDirectory(out_.File("*.*")).empty());
  EXPECT_EQ(Close(), 0);
}

TEST_F(KelmorSounds, EscapeStopsAndDeletesThePartialFile) {
  HWND frame = StartWithSounds();
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(Convert(frame, 1301, {2}, "cut"));
  // Escape until the conversion's pump asks (the base-name box may take the first one).
  std::string question;
  PumpUntil(
      [&] {
        PostMessageA(list_, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        return !(question = MessageBoxText(100)).empty();
      },
      milliseconds(10000));
  EXPECT_EQ(question, "Stop the work that is running?");
  EXPECT_TRUE(driver::PressButton("SKMSGBOX", 1, "", kEventLimitMs));
  SendAndWait(frame, WM_NULL, 0, 0);
  EXPECT_TRUE(PumpUntil([&] { return !fileio::Exists(out_.File("cut-03.wav")); }, kEventLimit));
  EXPECT_TRUE(fileio::ListDirectory(out_.File("*.*")).empty());
  EXPECT_EQ(Close(), 0);
}

// The test prefix maps drive T: to a folder of the build with a folder "sub" whose "back"
// is a link to T:\ (scripts/wine-prefix.sh).
bool TestDriveMapped() { return fileio::IsDirectory("T:\\sub"); }

// Drive T: holding one file of each kind a catalogue must tell apart.
void FillTestDrive() {
  for (const auto& e : fileio::ListDirectory("T:\\*.*"))
    if (!e.directory) fileio::RemoveFile("T:\\" + e.name);
  for (const auto& e : fileio::ListDirectory("T:\\sub\\*.*"))
    if (!e.directory) fileio::RemoveFile("T:\\sub\\" + e.name);
  fileio::WriteFileReplacing("T:\\MOVIE.DAT", "RIFF" + std::string(60, 'm'));
  fileio::WriteFileReplacing("T:\\DATA.DAT", "not a video at all");
  fileio::WriteFileReplacing("T:\\pic.gif", std::string("GIF89a\x80\x02\xe0\x01", 10) + std::string(1990, '\0'));
  fileio::WriteFileReplacing("T:\\empty.bmp", "");
  WriteBmp("T:\\photo.xyz", 16, 16, 1, 2, 3);
  WriteBmp("T:\\sub\\b.bmp", 30, 20, 9, 9, 9);
}

std::string Padded(const std::string& header) { return header + std::string(80 - header.size(), ' ') + "\r\n\r\n"; }

TEST_F(KelmorOutput, CataloguesOfADriveListWhatTheyProbeAndWalkALinkLoopOnce) {
  if (!TestDriveMapped()) GTEST_SKIP() << "drive T: is not mapped";
  FillTestDrive();
  KelmorFolder& folder = Copy();
  std::string log = folder.Log("viewer.txt");
  folder.AddStandinAs("vandrel.exe", "QMHELP", log);
  ChildProcess viewer;
  ASSERT_TRUE(StartStandin(viewer, "QMHELP", log));
  TempDir files;
  HWND frame = Start(files.Path(), "*.*");
  ASSERT_NE(frame, nullptr);

  PostMessageA(frame, WM_COMMAND, 405, 0);
  ASSERT_TRUE(driver::PressButton("SKMSGBOX", 0, "T:", kBoxMs));
  std::string pictures = folder.ProgramFolder() + "CATTPIC.TXT";
  std::vector<LoggedMessage> got = WaitForLog(log, 1, kEventLimitMs);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].code, kCodeOpen);
  EXPECT_EQ(fileio::ToLower(got[0].text), fileio::ToLower(pictures));
  std::string bytes;
  ASSERT_EQ(fileio::ReadWholeFile(pictures, bytes), fileio::kOk);
  EXPECT_EQ(bytes, Padded("T: 3 pictures - 4 KB") +
                       "                     0 k\tT:\\empty.bmp\r\n"
                       "640x480              2 k\tT:\\pic.gif\r\n"
                       "30x20                2 k\tT:\\sub\\b.bmp\r\n");
  // With UI entry 75 at 2, 405 puts what it found into the (empty) collection list.
  HWND collection = driver::FindChild(frame, kCollectionList);
  EXPECT_EQ(driver::ListItems(collection),
            (std::vector<std::string>{" T:\\empty.bmp", " T:\\pic.gif", " T:\\sub\\b.bmp"}));

  // Videos: only the .DAT that begins with RIFF. 402 collects too, after a question since
  // the collection list holds files: "no" leaves it as it is.
  PostMessageA(frame, WM_COMMAND, 402, 0);
  ASSERT_TRUE(driver::PressButton("SKMSGBOX", 0, "T:", kBoxMs));
  std::string question;
  PumpUntil([&] { return (question = MessageBoxText(1000)).find("Empty it first") != std::string::npos; },
            milliseconds(kBoxMs));
  EXPECT_EQ(question, "The collection list holds files. Empty it first?");
  EXPECT_TRUE(driver::PressButton("SKMSGBOX", 2, "", kEventLimitMs));
  std::string videos = folder.ProgramFolder() + "CATTVID.TXT";
  got = WaitForLog(log, 2, kEventLimitMs);
  ASSERT_EQ(got.size(), 2u);
  ASSERT_EQ(fileio::ReadWholeFile(videos, bytes), fileio::kOk);
  EXPECT_EQ(bytes, Padded("T: 1 videos - 0 KB") + "                     0 k\tT:\\MOVIE.DAT\r\n");

  // A catalogue that cannot be written is named with its error, not as "nothing found";
  // 406 does not collect at 2.
  fileio::MakeDirectories(folder.ProgramFolder() + "CATTSIZ.TXT\\in the way");
  PostMessageA(frame, WM_COMMAND, 406, 0);
  ASSERT_TRUE(driver::PressButton("SKMSGBOX", 0, "T:", kBoxMs));
  std::string report;
  // The drive box may still be there a moment after its button.
  PumpUntil([&] { return (report = MessageBoxText(1000)).find("CATTSIZ.TXT") != std::string::npos; },
            milliseconds(kBoxMs));
  EXPECT_NE(report.find("CATTSIZ.TXT"), std::string::npos) << report;
  EXPECT_EQ(report.find("No files of this type"), std::string::npos) << report;
  EXPECT_TRUE(driver::PressButton("SKMSGBOX", 1, "", kEventLimitMs));
  EXPECT_EQ(driver::ListItems(collection).size(), 3u);
  CloseStandin("QMHELP");
  EXPECT_EQ(Close(), 0);
}

}  // namespace
}  // namespace kelmor
