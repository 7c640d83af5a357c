#include <gtest/gtest.h>

#include "audio/stream.h"
#include "audio/wave_file.h"
#include "sound_files.h"
#include "temp_dir.h"

using namespace soundtest;

namespace {

audio::WaveError Parse(const std::string& bytes, audio::WaveInfo& info) {
  return audio::ParseWave(BytesReader(bytes), bytes.size(), info);
}

}  // namespace

TEST(WaveFile, PcmFileGivesFormatDataAndSampleCount) {
  std::string file = PcmWave(Tone(100, 2, 1000), 2, 22050);
  audio::WaveInfo info;
  ASSERT_EQ(Parse(file, info), audio::WaveError::kNone);
  EXPECT_EQ(info.formatTag, audio::kWavePcm);
  EXPECT_EQ(info.channels, 2);
  EXPECT_EQ(info.sampleRate, 22050u);
  EXPECT_EQ(info.bitsPerSample, 16);
  EXPECT_EQ(info.dataOffset, 44u);
  EXPECT_EQ(info.dataSize, 400u);
  EXPECT_TRUE(audio::IsPlainPcm(info));
  EXPECT_EQ(audio::WaveSampleCount(info), 100u);
}

TEST(WaveFile, ChunksBeforeDataAreWalkedWithTheirPadByteAndTheTitleIsRead) {
  // An odd-sized unknown chunk (padded) and a LIST INFO with a title before the data.
  std::string info = "INFO" + Chunk("IART", "someone") + Chunk("INAM", "Morning Song");
  std::string extra = Chunk("junk", "abc") + Chunk("LIST", info);
  std::string file = PcmWave(Tone(10, 1, 500), 1, 8000, extra);
  audio::WaveInfo w;
  ASSERT_EQ(Parse(file, w), audio::WaveError::kNone);
  EXPECT_EQ(w.title, "Morning Song");
  EXPECT_EQ(w.dataSize, 20u);
  EXPECT_EQ(file.substr(size_t(w.dataOffset), 2), std::string("\x0C\xFE", 2));  // -500 little-endian
}

TEST(WaveFile, DataSizePastTheEndIsCutToTheFile) {
  std::string file = PcmWave(Tone(50, 1, 500), 1, 8000);
  // A writer that never came back to patch the size leaves 0xFFFFFFFF.
  file.replace(40, 4, std::string(4, '\xFF'));
  audio::WaveInfo w;
  ASSERT_EQ(Parse(file, w), audio::WaveError::kNone);
  EXPECT_EQ(w.dataSize, 100u);
  EXPECT_EQ(audio::WaveSampleCount(w), 50u);
}

TEST(WaveFile, BrokenFilesAreRefusedWithTheirReason) {
  audio::WaveInfo w;
  EXPECT_EQ(Parse("RIFX1234WAVE", w), audio::WaveError::kNotRiff);
  EXPECT_EQ(Parse("", w), audio::WaveError::kNotRiff);
  std::string noFormat = "RIFF";
  Put32(noFormat, 12);
  noFormat += "WAVE" + Chunk("data", "abcd");
  EXPECT_EQ(Parse(noFormat, w), audio::WaveError::kNoFormat);
  std::string noData = "RIFF";
  Put32(noData, 28);
  noData += "WAVE" + Chunk("fmt ", PcmFormatBody(1, 8000, 16));
  EXPECT_EQ(Parse(noData, w), audio::WaveError::kNoData);
  EXPECT_EQ(Parse(Wave(PcmFormatBody(0, 8000, 16), "ab"), w), audio::WaveError::kBadFormat);
  // A format chunk claiming more bytes than the file has.
  std::string shortFormat = Wave(PcmFormatBody(1, 8000, 16), "ab");
  shortFormat.replace(16, 4, std::string("\x00\x01\x00\x00", 4));
  EXPECT_EQ(Parse(shortFormat, w), audio::WaveError::kBadFormat);
}

TEST(WaveFile, ExtensibleFormatTakesItsSubFormat) {
  std::string f = PcmFormatBody(2, 48000, 16);
  f.replace(0, 2, std::string("\xFE\xFF", 2));
  Put16(f, 22);        // cbSize
  Put16(f, 16);        // valid bits
  Put32(f, 3);         // channel mask
  Put16(f, 1);         // sub-format GUID: PCM ...
  f += std::string(14, '\x01');
  audio::WaveInfo w;
  ASSERT_EQ(Parse(Wave(f, std::string(8, '\0')), w), audio::WaveError::kNone);
  EXPECT_EQ(w.formatTag, audio::kWavePcm);
  EXPECT_TRUE(audio::IsPlainPcm(w));
}

TEST(WaveFile, AdpcmCountsSamplesFromFactOrFromBlocks) {
  // IMA ADPCM, mono, 256-byte blocks of 505 samples.
  std::string f;
  Put16(f, 0x11);
  Put16(f, 1);
  Put32(f, 22050);
  Put32(f, 11100);
  Put16(f, 256);
  Put16(f, 4);
  Put16(f, 2);
  Put16(f, 505);
  std::string data(256 * 3, '\0');
  audio::WaveInfo w;
  ASSERT_EQ(Parse(Wave(f, data), w), audio::WaveError::kNone);
  EXPECT_FALSE(audio::IsPlainPcm(w));
  EXPECT_EQ(audio::AdpcmSamplesPerBlock(w), 505u);
  EXPECT_EQ(audio::WaveSampleCount(w), 3u * 505u);
  std::string fact;
  Put32(fact, 1400);
  ASSERT_EQ(Parse(Wave(f, data, Chunk("fact", fact)), w), audio::WaveError::kNone);
  EXPECT_EQ(audio::WaveSampleCount(w), 1400u);
}

TEST(WaveFile, PcmBlockSmallerThanAFrameIsReadWithTheBlockItsSamplesNeed) {
  // Stereo 16-bit samples whose header claims 2-byte blocks: the decoder once read four
  // bytes of every two-byte block, past the end of what it had read.
  std::vector<int16_t> samples;
  for (int i = 0; i < 300; ++i) samples.push_back(int16_t(i * 97 - 14000));
  std::string file = PcmWave(samples, 2, 8000);
  file.replace(32, 2, std::string("\x02\x00", 2));
  audio::WaveInfo w;
  ASSERT_EQ(Parse(file, w), audio::WaveError::kNone);
  EXPECT_EQ(w.blockAlign, 4);
  EXPECT_EQ(audio::WaveSampleCount(w), 150u);

  TempDir dir;
  int error = -1;
  std::unique_ptr<audio::Decoder> decoder = audio::OpenDecoder(dir.Write("two.wav", file), error);
  ASSERT_NE(decoder, nullptr) << error;
  EXPECT_EQ(decoder->TotalFrames(), 150);
  std::vector<int16_t> out;
  while (decoder->Read(out, 64) > 0) {
  }
  EXPECT_EQ(out, samples);
}

TEST(WaveFile, PcmFormatWhoseFrameCannotBeABlockIsRefused) {
  // 65535 channels of 32 bits: no 16-bit block size holds one frame.
  audio::WaveInfo w;
  EXPECT_EQ(Parse(Wave(PcmFormatBody(65535, 1, 32), std::string(16, '\0')), w), audio::WaveError::kBadFormat);
  // Up to the limit the frame is the block.
  ASSERT_EQ(Parse(Wave(PcmFormatBody(16383, 1, 32), std::string(16, '\0')), w), audio::WaveError::kNone);
  EXPECT_EQ(w.blockAlign, 65532);
}
