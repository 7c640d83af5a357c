// The tests' own reader of AVI files: the RIFF chunks, the main header, the video stream's
// header and format, the frames in "movi" and the entries of "idx1". Portable.
#pragma once
#include <cstdint>
#include <string>

namespace avitest {

struct AviSummary {
  // avih
  uint32_t microSecondsPerFrame = 0, totalFrames = 0, streams = 0, width = 0, height = 0;
  // the first video stream: strh and strf
  int videoStream = -1;
  uint32_t handler = 0, scale = 0, rate = 0, length = 0;
  int32_t frameWidth = 0, frameHeight = 0;
  uint16_t bitCount = 0;
  uint32_t compression = 0;
  bool hasAudio = false;
  // the first sound stream: strf (a WAVEFORMATEX) and the bytes of its chunks in movi
  int audioStream = -1;
  uint16_t audioFormat = 0, channels = 0, bitsPerSample = 0;
  uint32_t samplesPerSecond = 0, audioBytes = 0;
  uint32_t audioSampleSize = 0, audioLength = 0;  // its strh: bytes a sample, samples
  // its frame chunks in movi and its entries in idx1
  uint32_t moviFrames = 0, indexFrames = 0;
  bool indexMatchesMovi = false;  // every entry's offset names a chunk of that id and size
};

// False with the reason in error when the bytes are no AVI file this reader understands.
bool ReadAvi(const std::string& bytes, AviSummary& out, std::string& error);

}  // namespace avitest
