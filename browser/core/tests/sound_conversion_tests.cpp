#include "kelmor/sound_conversion.h"

#include <gtest/gtest.h>

namespace kelmor {
namespace {

uint32_t ReadLe32(const std::string& s, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | uint8_t(s[at + size_t(i)]);
  return v;
}
uint16_t ReadLe16(const std::string& s, size_t at) { return uint16_t(uint8_t(s[at]) | (uint8_t(s[at + 1]) << 8)); }

TEST(SoundConversion, CommandsAndSources) {
  EXPECT_EQ(SoundTargetOf(1201), SoundTarget::kWav);
  EXPECT_EQ(SoundTargetOf(1302), SoundTarget::kWma);
  EXPECT_EQ(SoundTargetOf(1303), SoundTarget::kEncoderMp3);
  EXPECT_EQ(SoundTargetOf(1204), SoundTarget::kEncoderOgg);
  EXPECT_EQ(SoundTargetOf(1305), SoundTarget::kNone);
  EXPECT_EQ(SoundTargetOf(1200), SoundTarget::kNone);
  EXPECT_TRUE(IsCdCommand(1203));
  EXPECT_FALSE(IsCdCommand(1301));
  EXPECT_TRUE(IsSoundSource("Track01.CDA", true));
  EXPECT_FALSE(IsSoundSource("a.wav", true));
  EXPECT_TRUE(IsSoundSource("a.b.MP3", false));
  EXPECT_TRUE(IsSoundSource("x.ogg", false));
  EXPECT_FALSE(IsSoundSource("x.mid", false));
  EXPECT_FALSE(IsSoundSource("wav", false));
}

TEST(SoundConversion, OutputNames) {
  std::string base = SoundBaseName("My Album: Live, 2004");
  EXPECT_EQ(base, "My_Album_Live_2004");
  EXPECT_EQ(SoundOutputPath("C:\\out\\", base, 3, ".WAV"), "C:\\out\\My_Album_Live_2004-03.wav");
  EXPECT_EQ(SoundOutputPath("C:\\out\\", SoundBaseName("a.b/c\\d;e"), 12, ".mp3"), "C:\\out\\ab-c-de-12.mp3");
  EXPECT_EQ(SoundOutputPath("C:\\out\\", "take--", 100, ".ogg"), "C:\\out\\take-100.ogg");
}

TEST(SoundConversion, EncoderLinesQuoteTheirPaths) {
  EXPECT_EQ(EncoderCommandLine("C:\\Program Files\\lame.exe", SoundTarget::kEncoderMp3, "C:\\MYMUSI~1\\a-01.mp3"),
            "\"C:\\Program Files\\lame.exe\" --alt-preset standard - \"C:\\MYMUSI~1\\a-01.mp3\"");
  EXPECT_EQ(EncoderCommandLine("oggenc.exe", SoundTarget::kEncoderOgg, "C:\\x\\a-01.ogg"),
            "\"oggenc.exe\" -o \"C:\\x\\a-01.ogg\" -");
}

TEST(SoundConversion, WavHeaderOfStereo16Bits) {
  WavFormat f = WavTargetFormat(2, 44100, false);
  std::string h = WavHeader(f, 1000);
  ASSERT_EQ(h.size(), 44u);
  EXPECT_EQ(h.substr(0, 4), "RIFF");
  EXPECT_EQ(ReadLe32(h, 4), 1036u);
  EXPECT_EQ(h.substr(8, 8), "WAVEfmt ");
  EXPECT_EQ(ReadLe32(h, 16), 16u);
  EXPECT_EQ(ReadLe16(h, 20), 1);
  EXPECT_EQ(ReadLe16(h, 22), 2);
  EXPECT_EQ(ReadLe32(h, 24), 44100u);
  EXPECT_EQ(ReadLe32(h, 28), 176400u);
  EXPECT_EQ(ReadLe16(h, 32), 4);
  EXPECT_EQ(ReadLe16(h, 34), 16);
  EXPECT_EQ(h.substr(36, 4), "data");
  EXPECT_EQ(ReadLe32(h, 40), 1000u);
  // 1000 data bytes after the header: the file is 1044 bytes long.
  EXPECT_EQ(h.size() + 1000, 1044u);
}

TEST(SoundConversion, WavFormatMatchesTheDataWritten) {
  // Six channels are mixed down to two; 24- and 32-bit streams are written as 16 bits.
  WavFormat f = WavTargetFormat(6, 48000, false);
  EXPECT_EQ(f.channels, 2);
  EXPECT_EQ(f.bitsPerSample, 16);
  f = WavTargetFormat(1, 22050, true);
  std::string h = WavHeader(f, 0);
  EXPECT_EQ(ReadLe16(h, 22), 1);
  EXPECT_EQ(ReadLe16(h, 32), 1);
  EXPECT_EQ(ReadLe32(h, 28), 22050u);
  EXPECT_EQ(ReadLe16(h, 34), 8);
  // Beyond what 32 bits hold the sizes stop at the largest the header can say.
  WavSizes s = WavSizeFields(uint64_t(5) << 30);
  EXPECT_EQ(s.riff, 0xFFFFFFFFu);
  EXPECT_EQ(s.data, 0xFFFFFFFFu - 36);
}

TEST(SoundConversion, ProgressIs64BitAndSafeForNoLength) {
  EXPECT_EQ(ProgressPercent(50, 0), 0);
  EXPECT_EQ(ProgressPercent(50, -1), 0);
  EXPECT_EQ(ProgressPercent(int64_t(3) << 32, int64_t(6) << 32), 50);
  EXPECT_EQ(ProgressPercent(7, 5), 100);
  EXPECT_EQ(ProgressPercent(1, 3), 33);
}

}  // namespace
}  // namespace kelmor
