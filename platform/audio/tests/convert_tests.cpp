#include "audio/bass_convert.h"
#include "audio/stream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "fileio/file.h"
#include "sound_files.h"
#include "temp_dir.h"

namespace {

using soundtest::PcmWave;
using soundtest::Tone;

std::string DrainStream(uint32_t stream, int block = 20000) {
  std::string out;
  std::string buffer(size_t(block), '\0');
  for (int guard = 0; guard < 100000 && BASSDECODEISACTIVE(stream); ++guard) {
    int got = BASSCHANNELGETDATA(stream, buffer.data(), block);
    if (got <= 0) break;
    out.append(buffer.data(), size_t(got));
  }
  return out;
}

TEST(AudioConversion, ADecodingStreamHandsOutThePcmOfAWaveFileUnchanged) {
  TempDir dir;
  std::vector<int16_t> samples = Tone(30001, 2, 9000);
  fileio::WriteFileReplacing(dir.File("s.wav"), PcmWave(samples, 2, 22050));
  ASSERT_EQ(BASSINIT(1, 44100), 0);
  uint32_t stream = BASSSTREAMDECODEFILE(dir.File("s.wav"), kBassStreamDecode);
  ASSERT_NE(stream, 0u);
  EXPECT_TRUE(BassIsDecodeStream(stream));
  BassChannelInfo info;
  ASSERT_EQ(BASSCHANNELGETINFO(stream, info), 0);
  EXPECT_EQ(info.frequency, 22050u);
  EXPECT_EQ(info.channels, 2);
  EXPECT_EQ(BASSSTREAMGETLENGTH(stream), int64_t(samples.size() * 2));
  // An odd block size still hands out whole frames.
  std::string pcm = DrainStream(stream, 20001);
  ASSERT_EQ(pcm.size(), samples.size() * 2);
  EXPECT_EQ(std::memcmp(pcm.data(), samples.data(), pcm.size()), 0);
  EXPECT_EQ(BASSDECODEGETPOSITION(stream), int64_t(pcm.size()));
  EXPECT_EQ(BASSDECODEISACTIVE(stream), 0);
  EXPECT_EQ(BASSSTREAMFREE(stream), 0);
  EXPECT_EQ(BASSSTREAMFREE(stream), kBassErrorHandle);
  EXPECT_EQ(BASSCHANNELGETDATA(stream, pcm.data(), 4), -1);
  EXPECT_EQ(BASSFREE(), 0);
}

TEST(AudioConversion, WhatCannotBeHadFailsWithItsCode) {
  TempDir dir;
  fileio::WriteFileReplacing(dir.File("x.wav"), "no sound at all");
  EXPECT_EQ(BASSSTREAMDECODEFILE(dir.File("x.wav"), kBassStreamDecode), 0u);
  EXPECT_EQ(BASSERRORGETCODE(), kBassErrorFileForm);
  EXPECT_EQ(BASSSTREAMDECODEFILE(dir.File("none.wav"), kBassStreamDecode), 0u);
  EXPECT_EQ(BASSERRORGETCODE(), kBassErrorFileOpen);
  EXPECT_EQ(BASSCDSTREAMCREATE(0, 0, kBassStreamDecode), 0u);
  EXPECT_EQ(BASSERRORGETCODE(), kBassErrorNoCd);
  EXPECT_EQ(BASSERRORDESCRIPTION(kBassErrorNoCd), "No CD drive");
  EXPECT_EQ(BASSCDGETTRACKLENGTH(0, 1), -1);
  EXPECT_EQ(BASSWMAENCODEOPENFILE(44100, 0x10000, 160000, dir.File("a.wma")), 0u);
  EXPECT_EQ(BASSERRORGETCODE(), kBassErrorNotAvail);
  EXPECT_FALSE(fileio::Exists(dir.File("a.wma")));
  // A format no encoder has, mono included: nothing is left either.
  EXPECT_EQ(BASSWMAENCODEOPENFILE(0, 0x10002, 160000, dir.File("b.wma")), 0u);
  EXPECT_EQ(BASSERRORGETCODE(), kBassErrorNotAvail);
  EXPECT_FALSE(fileio::Exists(dir.File("b.wma")));
  // Calls on an encoder that was never opened fail as such.
  const char pcm[4] = {};
  EXPECT_EQ(BASSWMAENCODESETTAG(12345, "", ""), kBassErrorHandle);
  EXPECT_EQ(BASSWMAENCODEWRITE(12345, pcm, 4), kBassErrorHandle);
  EXPECT_EQ(BASSWMAENCODECLOSE(12345), kBassErrorHandle);
  EXPECT_EQ(BASSERRORGETCODE(), kBassErrorHandle);
}

// Decodes a whole file through a decoding stream as the browser's conversion does; the
// samples and the length the stream told before it was read.
struct Decoded {
  std::vector<int16_t> samples;
  BassChannelInfo info;
  int64_t toldLength = -2;
};
bool DecodeFile(const std::string& path, Decoded& d) {
  uint32_t stream = BASSSTREAMDECODEFILE(path, kBassStreamDecode);
  if (!stream) return false;
  BASSCHANNELGETINFO(stream, d.info);
  d.toldLength = BASSSTREAMGETLENGTH(stream);
  std::string pcm = DrainStream(stream);
  BASSSTREAMFREE(stream);
  d.samples.resize(pcm.size() / 2);
  std::memcpy(d.samples.data(), pcm.data(), d.samples.size() * 2);
  return true;
}

// Ogg Vorbis files that sox and ffmpeg wrote decode to their tone, with its length (Vorbis
// keeps the exact count of samples), and a seek lands on the same samples a read from the
// start gives.
TEST(AudioConversion, OggVorbisFilesOfSoxAndFfmpegDecodeToTheirToneAndLength) {
  for (const char* name : {"tone-sox.ogg", "tone-ffmpeg.ogg"}) {
    SCOPED_TRACE(name);
    std::string path = soundtest::SoundFixture(name);
    if (path.empty()) {
      GTEST_SKIP() << name << " was not made (sox or ffmpeg missing)";
    }
    Decoded d;
    ASSERT_TRUE(DecodeFile(path, d)) << BASSERRORDESCRIPTION(BASSERRORGETCODE());
    EXPECT_EQ(d.info.frequency, soundtest::kToneRate);
    EXPECT_EQ(d.info.channels, 2);
    EXPECT_EQ(d.samples.size(), size_t(soundtest::kToneFrames) * 2);
    EXPECT_EQ(d.toldLength, int64_t(soundtest::kToneFrames) * 4);
    EXPECT_EQ(soundtest::ToneProblem(d.samples), "");

    int error = 0;
    auto decoder = audio::OpenDecoder(path, error);
    ASSERT_NE(decoder, nullptr);
    EXPECT_EQ(decoder->TotalFrames(), soundtest::kToneFrames);
    ASSERT_TRUE(decoder->Seek(40000));
    std::vector<int16_t> after;
    ASSERT_EQ(decoder->Read(after, 1000), 1000u);
    int worst = 0;
    for (size_t i = 0; i < after.size(); ++i) worst = std::max(worst, std::abs(after[i] - d.samples[80000 + i]));
    EXPECT_LE(worst, 2);
    // The end can be sought (nothing follows it); past it cannot.
    EXPECT_TRUE(decoder->Seek(soundtest::kToneFrames));
    EXPECT_EQ(decoder->Read(after, 10), 0u);
    EXPECT_FALSE(decoder->Seek(soundtest::kToneFrames + 1));
    EXPECT_EQ(decoder->Title(), std::string(name) == "tone-ffmpeg.ogg" ? "Ffmpeg tone" : "");
  }
}

// A damaged Ogg file, or one of another codec, is refused with a code, never decoded into
// noise nor read past what the decoder allocated.
TEST(AudioConversion, AnOggFileThatIsNoVorbisIsRefused) {
  std::string path = soundtest::SoundFixture("tone-sox.ogg");
  if (path.empty()) GTEST_SKIP() << "tone-sox.ogg was not made (sox missing)";
  std::string bytes;
  ASSERT_EQ(fileio::ReadWholeFile(path, bytes), fileio::kOk);
  TempDir dir;
  // The identification header's codec name spoilt: "vorbis" becomes "vorbiz".
  std::string spoilt = bytes;
  size_t at = spoilt.find("vorbis");
  ASSERT_NE(at, std::string::npos);
  spoilt[at + 5] = 'z';
  fileio::WriteFileReplacing(dir.File("spoilt.ogg"), spoilt);
  EXPECT_EQ(BASSSTREAMDECODEFILE(dir.File("spoilt.ogg"), kBassStreamDecode), 0u);
  EXPECT_EQ(BASSERRORGETCODE(), kBassErrorFormat);
  // A comment count near 2^32 / 8: the decoder would allocate a few bytes for the list and
  // write far past them. Refused before it is decoded.
  std::string huge = bytes;
  size_t comment = huge.find("\x03vorbis");
  ASSERT_NE(comment, std::string::npos);
  size_t vendor = uint8_t(huge[comment + 7]) | uint8_t(huge[comment + 8]) << 8;
  size_t count = comment + 11 + vendor;
  ASSERT_LT(count + 4, huge.size());
  const char kCount[4] = {0x01, 0x00, 0x00, 0x20};
  huge.replace(count, 4, kCount, 4);
  fileio::WriteFileReplacing(dir.File("huge.ogg"), huge);
  EXPECT_EQ(BASSSTREAMDECODEFILE(dir.File("huge.ogg"), kBassStreamDecode), 0u);
  EXPECT_EQ(BASSERRORGETCODE(), kBassErrorFormat);
  // Cut after its first page: the headers are not all there.
  fileio::WriteFileReplacing(dir.File("cut.ogg"), bytes.substr(0, 200));
  EXPECT_EQ(BASSSTREAMDECODEFILE(dir.File("cut.ogg"), kBassStreamDecode), 0u);
  EXPECT_NE(BASSERRORGETCODE(), kBassOk);
}

// A WMA file that ffmpeg wrote decodes through the system's Windows Media reader (under
// Wine: its GStreamer plug-ins, which scripts/setup.sh installs). The native build has no
// reader and says so with the reader's own code.
TEST(AudioConversion, WmaOfFfmpegDecodesThroughTheSystemsReader) {
  std::string path = soundtest::SoundFixture("tone-ffmpeg.wma");
  if (path.empty()) GTEST_SKIP() << "tone-ffmpeg.wma was not made (ffmpeg missing)";
  Decoded d;
#ifdef _WIN32
  ASSERT_TRUE(DecodeFile(path, d)) << BASSERRORDESCRIPTION(BASSERRORGETCODE());
  EXPECT_EQ(d.info.frequency, soundtest::kToneRate);
  EXPECT_EQ(d.info.channels, 2);
  // WMA adds its codec's delay and pads its last block: the length within 80 ms.
  EXPECT_NEAR(double(d.samples.size() / 2), soundtest::kToneFrames, 0.08 * soundtest::kToneRate);
  EXPECT_EQ(soundtest::ToneProblem(d.samples), "");
#else
  EXPECT_FALSE(DecodeFile(path, d));
  EXPECT_EQ(BASSERRORGETCODE(), kBassErrorWmaReader);
  EXPECT_NE(BASSERRORDESCRIPTION(kBassErrorWmaReader).find("Windows Media reader"), std::string::npos);
#endif
}

#ifndef _WIN32
// A WAVE file that sox wrote: the stream hands out its data chunk unchanged. Skipped where
// sox is absent (scripts/setup.sh installs it).
TEST(AudioConversion, AWaveFileOfSoxDecodesToItsOwnData) {
  if (std::system("test -x /usr/bin/sox") != 0) GTEST_SKIP() << "no sox";
  TempDir dir;
  std::string path = dir.File("sox.wav");
  std::string command = "/usr/bin/sox -n -r 22050 -c 2 -b 16 '" + path + "' synth 0.5 sine 440 2>/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::string bytes = dir.Read("sox.wav");
  size_t data = bytes.find("data");
  ASSERT_NE(data, std::string::npos);
  std::string pcm = bytes.substr(data + 8);
  ASSERT_EQ(pcm.size(), 22050u / 2 * 4);
  uint32_t stream = BASSSTREAMDECODEFILE(path, kBassStreamDecode);
  ASSERT_NE(stream, 0u);
  BassChannelInfo info;
  ASSERT_EQ(BASSCHANNELGETINFO(stream, info), 0);
  EXPECT_EQ(info.frequency, 22050u);
  EXPECT_EQ(info.channels, 2);
  EXPECT_TRUE(DrainStream(stream) == pcm);
  BASSSTREAMFREE(stream);
}

TEST(AudioConversion, AnOutsideEncoderReadsAWaveHeaderAndThePcm) {
  TempDir dir;
  std::vector<int16_t> samples = Tone(5000, 1, 3000);
  fileio::WriteFileReplacing(dir.File("m.wav"), PcmWave(samples, 1, 8000));
  uint32_t stream = BASSSTREAMDECODEFILE(dir.File("m.wav"), kBassStreamDecode);
  ASSERT_NE(stream, 0u);
  ASSERT_EQ(BASSENCODESTART(stream, "cat > '" + dir.File("out.raw") + "'", 0), stream);
  EXPECT_EQ(BASSENCODEISACTIVE(stream), 1);
  std::string pcm = DrainStream(stream);
  EXPECT_EQ(BASSENCODESTOP(stream), 0);
  std::string written = dir.Read("out.raw");
  ASSERT_EQ(written.size(), 44 + pcm.size());
  EXPECT_EQ(written.substr(0, 4), "RIFF");
  EXPECT_EQ(written.substr(44), pcm);
  BASSSTREAMFREE(stream);

  // An encoder that ends at once: the next block reports it.
  stream = BASSSTREAMDECODEFILE(dir.File("m.wav"), kBassStreamDecode);
  ASSERT_EQ(BASSENCODESTART(stream, "exit 3", 0), stream);
  bool failed = false;
  std::string buffer(4096, '\0');
  for (int i = 0; i < 400 && !failed; ++i) {
    if (!BASSENCODEISACTIVE(stream)) failed = true;
    else if (BASSCHANNELGETDATA(stream, buffer.data(), 16) < 0) failed = true;
    else usleep(5000);
  }
  EXPECT_TRUE(failed);
  BASSFREE();
}
#endif

}  // namespace
