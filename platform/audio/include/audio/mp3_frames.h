// MPEG audio (layers I to III) files as the audio layer reads them: the frame headers, a
// table of the frames for the length and for seeking, and the title of ID3 tags. The
// decoding itself is left to the system's codec. Portable.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "audio/wave_file.h"

namespace audio {

struct Mp3Header {
  int version = 0;          // 1 MPEG-1, 2 MPEG-2, 3 MPEG-2.5
  int layer = 0;            // 1, 2 or 3
  int bitrate = 0;          // bits per second
  int sampleRate = 0;
  int channels = 0;         // 1 or 2
  bool padding = false;
  int frameBytes = 0;       // the whole frame with its header
  int samplesPerFrame = 0;  // per channel
};

// Reads the four header bytes at p; false when they are no valid frame header (free
// bit rates are not accepted: their frame length cannot be told from the header).
bool ParseMp3Header(const uint8_t* p, Mp3Header& header);

struct Mp3Stream {
  Mp3Header first;                 // the first frame's header: the stream's format
  std::vector<uint64_t> frames;    // file offset of every frame, in order
  uint64_t totalSamples = 0;       // per channel, over all frames
  uint64_t dataEnd = 0;            // where the last frame ends
  std::string title;               // ID3v2 "TIT2", else ID3v1, "" when none
};

// Finds the frames of the bytes [begin, end) of a file (the whole file, or the data chunk
// of a WAVE file holding MPEG audio). An ID3v2 tag at begin and an ID3v1 tag at the end
// are passed over and read for the title. The first frame is only taken when the frame
// that follows it has the same version, layer and sample rate (or it is the last one),
// so that stray sync bits in a tag are not taken for a frame. False when no frame is found.
bool ScanMp3(const ByteReader& read, uint64_t begin, uint64_t end, Mp3Stream& stream);

// The title of an ID3v2 tag's bytes (from "ID3"), "" when it has none.
std::string Id3v2Title(const std::string& tag);

}  // namespace audio
