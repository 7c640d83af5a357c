// The audio layer's calls under Windows (Wine here, which has no sound card): PCM, ADPCM
// from the system's codec, MP3 through the system's MP3 codec, Ogg Vorbis and WMA play on the silent
// device in real time to their end; free channels live beside the current medium; a
// stream address without a network fails clearly.
#include <windows.h>
#include <mmsystem.h>
#include <mmreg.h>
#include <msacm.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "audio/bass.h"
#include "fileio/file.h"
#include "sound_files.h"
#include "temp_dir.h"
#include "wait_until.h"

using namespace soundtest;
using namespace std::chrono_literals;

namespace {

// IMA ADPCM made by the system's codec from a PCM tone (mono, 22050 Hz).
std::string ImaAdpcmWave(int frames) {
  std::vector<int16_t> pcm = Tone(frames, 1, 20000);
  WAVEFORMATEX in{WAVE_FORMAT_PCM, 1, 22050, 44100, 2, 16, 0};
  std::string outFormat(64, '\0');
  auto* out = reinterpret_cast<WAVEFORMATEX*>(outFormat.data());
  out->wFormatTag = WAVE_FORMAT_IMA_ADPCM;
  if (acmFormatSuggest(nullptr, &in, out, DWORD(outFormat.size()), ACM_FORMATSUGGESTF_WFORMATTAG) != 0) return "";
  outFormat.resize(sizeof(WAVEFORMATEX) + out->cbSize);
  out = reinterpret_cast<WAVEFORMATEX*>(outFormat.data());
  HACMSTREAM s = nullptr;
  if (acmStreamOpen(&s, nullptr, &in, out, nullptr, 0, 0, ACM_STREAMOPENF_NONREALTIME) != 0) return "";
  std::string data(pcm.size() * 2 + 65536, '\0');
  ACMSTREAMHEADER h{};
  h.cbStruct = sizeof h;
  h.pbSrc = reinterpret_cast<LPBYTE>(pcm.data());
  h.cbSrcLength = DWORD(pcm.size() * 2);
  h.pbDst = reinterpret_cast<LPBYTE>(data.data());
  h.cbDstLength = DWORD(data.size());
  acmStreamPrepareHeader(s, &h, 0);
  MMRESULT r = acmStreamConvert(s, &h, ACM_STREAMCONVERTF_START | ACM_STREAMCONVERTF_END);
  data.resize(r == 0 ? h.cbDstLengthUsed : 0);
  acmStreamUnprepareHeader(s, &h, 0);
  acmStreamClose(s, 0);
  if (data.empty()) return "";
  return Wave(outFormat, data);
}

class AudioLayer : public ::testing::Test {
 protected:
  void TearDown() override { BASSUNLOAD(); }
  TempDir dir;
};

}  // namespace

TEST_F(AudioLayer, PcmWavePlaysInRealTimeToItsEndWithoutASoundCard) {
  // 0.6 s of a loud tone, stereo, 8 kHz.
  std::string path = dir.Write("tone.wav", PcmWave(Tone(4800, 2, 30000), 2, 8000));
  EXPECT_EQ(BASSAVAILABLE(), 1);
  ASSERT_EQ(BASSOPEN(path, 0), kBassOk);
  EXPECT_EQ(BASSMEDIAGETLENGTH(), 600);
  EXPECT_EQ(BASSMEDIATYPE(), kBassMediaFile);
  EXPECT_EQ(BASSCHANNELISACTIVE(), 0);
  EXPECT_EQ(BASSCHANNELGETLEVEL(), 0xFFFFFFFFu);
  auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(BASSPLAY(0, 0), kBassOk);
  EXPECT_EQ(BASSCHANNELISACTIVE(), 1);
  ASSERT_TRUE(WaitUntil([] { return BASSCHANNELGETPOSITION() > 100; }, kEventLimit));
  uint32_t level = BASSCHANNELGETLEVEL();
  EXPECT_GE(level & 0xFFFF, 100u);
  EXPECT_GE(level >> 16, 100u);
  ASSERT_TRUE(WaitUntil([] { return BASSCHANNELISACTIVE() == 0; }, kEventLimit));
  auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
  // It took the sound's time, not the moment a decoder needs.
  EXPECT_GE(took, 550);
  EXPECT_EQ(BASSCHANNELGETPOSITION(), 600);
  EXPECT_EQ(BASSCHANNELGETLEVEL(), 0xFFFFFFFFu);
  EXPECT_EQ(BASSCLOSE(), kBassOk);
  EXPECT_EQ(BASSCURRENTCHANNEL(), 0u);
  EXPECT_EQ(BASSCLOSE(), kBassErrorHandle);
}

TEST_F(AudioLayer, PauseSeekAndResumeOfTheCurrentMedium) {
  std::string path = dir.Write("long.wav", PcmWave(Tone(8000 * 5, 1, 1000), 1, 8000));
  ASSERT_EQ(BASSOPEN(path, 0), kBassOk);
  ASSERT_EQ(BASSPLAY(0, 0), kBassOk);
  ASSERT_TRUE(WaitUntil([] { return BASSCHANNELGETPOSITION() > 50; }, kEventLimit));
  ASSERT_EQ(BASSPAUSE(), kBassOk);
  EXPECT_EQ(BASSCHANNELISACTIVE(), 3);
  EXPECT_EQ(BASSCHANNELGETLEVEL(), 0u);
  ASSERT_EQ(BASSCHANNELSETPOSITION(4000), kBassOk);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(BASSCHANNELGETPOSITION(), 4000);
  ASSERT_EQ(BASSSTART(), kBassOk);
  ASSERT_TRUE(WaitUntil([] { return BASSCHANNELISACTIVE() == 0; }, kEventLimit));
  EXPECT_EQ(BASSCHANNELGETPOSITION(), 5000);
}

TEST_F(AudioLayer, AdpcmDecodesThroughTheSystemCodec) {
  std::string wave = ImaAdpcmWave(22050);
  ASSERT_FALSE(wave.empty()) << "the system has no IMA ADPCM codec";
  std::string path = dir.Write("ima.wav", wave);
  ASSERT_EQ(BASSOPEN(path, 0), kBassOk);
  // One second, less the last part-block that the encoder leaves out.
  EXPECT_NEAR(double(BASSMEDIAGETLENGTH()), 1000.0, 50.0);
  ASSERT_EQ(BASSPLAY(0, 0), kBassOk);
  ASSERT_TRUE(WaitUntil([] { return (BASSCHANNELGETLEVEL() & 0xFFFF) > 40; }, kEventLimit));
  ASSERT_TRUE(WaitUntil([] { return BASSCHANNELISACTIVE() == 0; }, kEventLimit));
}

TEST_F(AudioLayer, Mp3PlaysThroughTheSystemsMp3CodecWithItsTitle) {
  // 40 frames of 1152 samples at 44100 Hz: 1044 ms.
  std::string path = dir.Write("quiet.mp3", Id3v2Tag("Quiet Piece") + SilentMp3Frames(40));
  ASSERT_EQ(BASSOPEN(path, 0), kBassOk) << BASSERRORDESCRIPTION(BASSERRORGETCODE());
  EXPECT_EQ(BASSMEDIAGETLENGTH(), 40 * 1152 * 1000 / 44100);
  EXPECT_EQ(BASSSTREAMNAME(), "Quiet Piece");
  EXPECT_EQ(BASSMUSICNAME(), "");
  ASSERT_EQ(BASSPLAY(0, 0), kBassOk);
  ASSERT_TRUE(WaitUntil([] { return BASSCHANNELGETPOSITION() > 200; }, kEventLimit));
  EXPECT_LE(BASSCHANNELGETLEVEL() & 0xFFFF, 1u);  // silence (a codec may dither)
  ASSERT_TRUE(WaitUntil([] { return BASSCHANNELISACTIVE() == 0; }, kEventLimit));
}

// Ogg Vorbis and WMA files that sox and ffmpeg wrote play on the silent device to their
// end, decoded on the channel's own thread, with their length; the tone is heard.
TEST_F(AudioLayer, OggAndWmaPlayToTheirEndOnTheChannelsThread) {
  for (const char* name : {"tone-sox.ogg", "tone-ffmpeg.wma"}) {
    SCOPED_TRACE(name);
    std::string path = SoundFixture(name);
    if (path.empty()) {
      GTEST_SKIP() << name << " was not made (sox or ffmpeg missing)";
    }
    ASSERT_EQ(BASSOPEN(path, 0), kBassOk) << BASSERRORDESCRIPTION(BASSERRORGETCODE());
    EXPECT_NEAR(double(BASSMEDIAGETLENGTH()), 1500, 80);
    ASSERT_EQ(BASSPLAY(0, 0), kBassOk);
    ASSERT_TRUE(WaitUntil([] { return BASSCHANNELGETPOSITION() > 300; }, kEventLimit));
    // Half the full scale, as the level meter shows it (0 to 128).
    uint32_t level = 0;
    EXPECT_TRUE(WaitUntil([&] { return ((level = BASSCHANNELGETLEVEL()) & 0xFFFF) >= 48; }, kEventLimit)) << level;
    ASSERT_TRUE(WaitUntil([] { return BASSCHANNELENDED() == 1; }, kEventLimit));
    EXPECT_EQ(BASSCLOSE(), kBassOk);
  }
}

TEST_F(AudioLayer, FreeChannelsLiveBesideTheCurrentMedium) {
  std::string a = dir.Write("a.wav", PcmWave(Tone(8000 * 3, 1, 1000), 1, 8000));
  std::string b = dir.Write("b.wav", PcmWave(Tone(8000 * 3, 1, 1000), 1, 8000));
  ASSERT_EQ(BASSOPEN(a, 0), kBassOk);
  uint32_t current = BASSCURRENTCHANNEL();
  ASSERT_NE(current, 0u);
  uint32_t channel = 0;
  ASSERT_EQ(BASSOPEN(b, 0, &channel), kBassOk);
  ASSERT_NE(channel, 0u);
  EXPECT_NE(channel, current);
  EXPECT_EQ(BASSCURRENTCHANNEL(), current);  // opening a free channel keeps the medium
  EXPECT_EQ(BASSPLAY(0, 0, channel), kBassOk);
  EXPECT_EQ(BASSUSECHANNELISACTIVE(channel), 1);
  EXPECT_EQ(BASSCHANNELISACTIVE(), 0);
  EXPECT_EQ(BASSCHANNELSILENT(channel), 1);
  EXPECT_EQ(BASSCHANNELSETATTRIBUTES(channel, -1, 30, -101), kBassOk);
  int f = 0, v = 0, p = 0;
  EXPECT_EQ(BASSCHANNELGETATTRIBUTES(channel, &f, &v, &p), kBassOk);
  EXPECT_EQ(v, 30);
  EXPECT_EQ(p, 0);
  EXPECT_EQ(BASSCHANNELSETATTRIBUTES(channel, 22050, 30, 0), kBassErrorNotAvail);
  EXPECT_EQ(BASSCHANNELPAUSE(channel), kBassOk);
  EXPECT_EQ(BASSUSECHANNELISACTIVE(channel), 3);
  // Closing the current medium leaves the free channel open, and the other way round.
  EXPECT_EQ(BASSCLOSE(), kBassOk);
  EXPECT_EQ(BASSHANDLEINUSE(channel), 1);
  EXPECT_EQ(BASSHANDLEINUSE(current), 0);
  EXPECT_EQ(BASSCLOSECHANNEL(channel), kBassOk);
  EXPECT_EQ(BASSHANDLEINUSE(channel), 0);
  EXPECT_EQ(BASSCLOSECHANNEL(channel), kBassErrorHandle);
  EXPECT_EQ(BASSUSECHANNELISACTIVE(channel), 0);
}

TEST_F(AudioLayer, StreamAddressWithoutANetworkFailsClearly) {
  BASSSETDOWNLOADPATH(dir.Path());
  // Nothing listens on port 1 of this machine: the connection is refused.
  EXPECT_EQ(BASSOPEN("http://127.0.0.1:1/radio.mp3", 0), kBassErrorNoNet);
  EXPECT_EQ(BASSERRORGETCODE(), kBassErrorNoNet);
  EXPECT_NE(BASSERRORDESCRIPTION(kBassErrorNoNet).find("network"), std::string::npos);
  EXPECT_EQ(BASSCURRENTCHANNEL(), 0u);
}

TEST_F(AudioLayer, FilesThatAreNoSoundsAreRefused) {
  EXPECT_EQ(BASSOPEN(dir.File("missing.wav"), 0), kBassErrorFileOpen);
  std::string text = dir.Write("notes.mp3", std::string(3000, 'x'));
  EXPECT_EQ(BASSOPEN(text, 0), kBassErrorFileForm);
  std::string empty = dir.Write("empty.wav", "");
  EXPECT_EQ(BASSOPEN(empty, 0), kBassErrorFileForm);
  EXPECT_EQ(BASSPLAY(0, 0), kBassErrorHandle);
  EXPECT_EQ(BASSSETCONFIG(99, 1), kBassErrorNotAvail);
  EXPECT_EQ(BASSSETCONFIG(5, 100), kBassOk);
}
