#include <gtest/gtest.h>

#include "audio/mp3_frames.h"
#include "sound_files.h"

using namespace soundtest;

namespace {

bool Header(std::initializer_list<int> bytes, audio::Mp3Header& h) {
  uint8_t b[4];
  int i = 0;
  for (int v : bytes) b[i++] = uint8_t(v);
  return audio::ParseMp3Header(b, h);
}

}  // namespace

TEST(Mp3Frames, HeadersGiveFrameLengthsOfEveryVersionAndLayer) {
  audio::Mp3Header h;
  ASSERT_TRUE(Header({0xFF, 0xFB, 0x90, 0xC4}, h));
  EXPECT_EQ(h.version, 1);
  EXPECT_EQ(h.layer, 3);
  EXPECT_EQ(h.bitrate, 128000);
  EXPECT_EQ(h.sampleRate, 44100);
  EXPECT_EQ(h.channels, 1);
  EXPECT_EQ(h.frameBytes, 417);
  EXPECT_EQ(h.samplesPerFrame, 1152);
  ASSERT_TRUE(Header({0xFF, 0xFB, 0x92, 0x04}, h));  // padded, stereo
  EXPECT_EQ(h.frameBytes, 418);
  EXPECT_EQ(h.channels, 2);
  // MPEG-2 layer III, 64 kbit/s, 22050 Hz: half the samples, 72 x bitrate / rate.
  ASSERT_TRUE(Header({0xFF, 0xF3, 0x80, 0xC4}, h));
  EXPECT_EQ(h.version, 2);
  EXPECT_EQ(h.sampleRate, 22050);
  EXPECT_EQ(h.samplesPerFrame, 576);
  EXPECT_EQ(h.frameBytes, 72 * 64000 / 22050);
  // Layer I, 32 kbit/s, 32000 Hz: (12 x 32000 / 32000) x 4.
  ASSERT_TRUE(Header({0xFF, 0xFF, 0x18, 0xC0}, h));
  EXPECT_EQ(h.layer, 1);
  EXPECT_EQ(h.frameBytes, 48);
  EXPECT_EQ(h.samplesPerFrame, 384);
}

TEST(Mp3Frames, InvalidHeadersAreRefused) {
  audio::Mp3Header h;
  EXPECT_FALSE(Header({0xFF, 0x7B, 0x90, 0xC4}, h));  // no sync
  EXPECT_FALSE(Header({0xFF, 0xEB, 0x90, 0xC4}, h));  // reserved version
  EXPECT_FALSE(Header({0xFF, 0xF9, 0x90, 0xC4}, h));  // reserved layer
  EXPECT_FALSE(Header({0xFF, 0xFB, 0x00, 0xC4}, h));  // free bit rate
  EXPECT_FALSE(Header({0xFF, 0xFB, 0xF0, 0xC4}, h));  // bad bit rate
  EXPECT_FALSE(Header({0xFF, 0xFB, 0x9C, 0xC4}, h));  // reserved sample rate
}

TEST(Mp3Frames, ScanCountsFramesAndSamplesAndSkipsBothTags) {
  std::string file = Id3v2Tag("Tag Two Title") + SilentMp3Frames(10) + Id3v1Tag("Tag One Title");
  audio::Mp3Stream s;
  ASSERT_TRUE(audio::ScanMp3(BytesReader(file), 0, file.size(), s));
  EXPECT_EQ(s.frames.size(), 10u);
  EXPECT_EQ(s.totalSamples, 11520u);
  EXPECT_EQ(s.frames.front(), Id3v2Tag("Tag Two Title").size());
  EXPECT_EQ(s.dataEnd, s.frames.front() + 4170);
  // ID3v2 wins over ID3v1.
  EXPECT_EQ(s.title, "Tag Two Title");
  std::string onlyV1 = SilentMp3Frames(3) + Id3v1Tag("Old Title");
  ASSERT_TRUE(audio::ScanMp3(BytesReader(onlyV1), 0, onlyV1.size(), s));
  EXPECT_EQ(s.title, "Old Title");
  EXPECT_EQ(s.frames.size(), 3u);
}

TEST(Mp3Frames, JunkAndStraySyncBeforeTheFirstFrameArePassedOver) {
  // A lone sync pattern that is not followed by a second frame is not a frame.
  std::string junk = std::string("xx\xFF\xFB\x90\xC4yyyy", 10);
  std::string file = junk + SilentMp3Frames(4);
  audio::Mp3Stream s;
  ASSERT_TRUE(audio::ScanMp3(BytesReader(file), 0, file.size(), s));
  EXPECT_EQ(s.frames.front(), junk.size());
  EXPECT_EQ(s.frames.size(), 4u);
}

TEST(Mp3Frames, ACutLastFrameIsLeftOutAndNoFramesFails) {
  std::string file = SilentMp3Frames(3);
  file.resize(file.size() - 100);
  audio::Mp3Stream s;
  ASSERT_TRUE(audio::ScanMp3(BytesReader(file), 0, file.size(), s));
  EXPECT_EQ(s.frames.size(), 2u);
  std::string none(5000, 'a');
  EXPECT_FALSE(audio::ScanMp3(BytesReader(none), 0, none.size(), s));
}

TEST(Mp3Frames, Id3v2TitlesInOtherEncodings) {
  // Version 2.4 with a UTF-16 title (byte order mark, little-endian).
  std::string text = std::string("\x01\xFF\xFE", 3) + std::string("H\0i\0!\0", 6);
  std::string frame = "TIT2";
  frame += char(0);
  frame += char(0);
  frame += char(0);
  frame += char(text.size());
  frame += std::string(2, '\0');
  frame += text;
  std::string tag = std::string("ID3\x04\x00\x00", 6) + std::string(3, '\0') + char(frame.size()) + frame;
  EXPECT_EQ(audio::Id3v2Title(tag), "Hi!");
  // No title frame.
  EXPECT_EQ(audio::Id3v2Title(std::string("ID3\x03\x00\x00\x00\x00\x00\x00", 10)), "");
}

TEST(Mp3Frames, Id3v2ExtendedHeaderIsPassedOverOnlyWhenTheTagHoldsIt) {
  // Version 2.3 with the extended-header flag: a 6-byte header (its size field excludes
  // itself) and then the title frame.
  std::string frames = Id3v2Tag("Behind").substr(10);
  std::string tag = std::string("ID3\x03\x00\x40\x00\x00\x00\x00", 10) + std::string("\x00\x00\x00\x06", 4) +
                    std::string(6, '\0') + frames;
  EXPECT_EQ(audio::Id3v2Title(tag), "Behind");
  // Sizes near 4 GB would wrap the offset of a 32-bit build, the largest back to the
  // tag's own size field; they are damage, not a place to read frames from.
  for (const char* size : {"\xFF\xFF\xFF\xFE", "\xFF\xFF\xFF\xED", "\xFF\xFF\xFF\xFF"}) {
    std::string damaged = tag;
    damaged.replace(10, 4, std::string(size, 4));
    EXPECT_EQ(audio::Id3v2Title(damaged), "") << int(static_cast<unsigned char>(size[3]));
  }
  // Version 2.4 counts the header's size with itself, in seven-bit bytes.
  std::string v4 = tag;
  v4[3] = 4;
  v4.replace(10, 4, std::string("\x00\x00\x00\x0A", 4));
  std::string v4Frames = frames;
  v4.replace(20, std::string::npos, v4Frames);
  EXPECT_EQ(audio::Id3v2Title(v4), "Behind");
  v4.replace(10, 4, std::string("\x7F\x7F\x7F\x7F", 4));
  EXPECT_EQ(audio::Id3v2Title(v4), "");
}
