#include "audio/bass_convert.h"

#include <gtest/gtest.h>

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
