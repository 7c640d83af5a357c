// RIFF WAVE files as the audio layer reads them: the format chunk (kept whole, because the
// system codecs need its extra bytes), where the sound data lies, the sample count of a
// "fact" chunk and the title of a LIST INFO chunk. Portable.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace audio {

// Format tags the layer knows by name.
enum : uint16_t {
  kWavePcm = 1,
  kWaveMsAdpcm = 2,
  kWaveFloat = 3,
  kWaveImaAdpcm = 0x11,
  kWaveMp3 = 0x55,
  kWaveExtensible = 0xFFFE,
};

struct WaveInfo {
  uint16_t formatTag = 0;     // the sub-format for WAVE_FORMAT_EXTENSIBLE files
  uint16_t channels = 0;
  uint32_t sampleRate = 0;
  uint32_t bytesPerSecond = 0;
  uint16_t blockAlign = 0;
  uint16_t bitsPerSample = 0;
  std::string formatChunk;    // the "fmt " chunk's bytes as stored
  uint64_t dataOffset = 0;    // first byte of the "data" chunk's body
  uint64_t dataSize = 0;      // cut to what the file really holds
  uint32_t factSamples = 0;   // samples per channel from a "fact" chunk, 0 when none
  std::string title;          // LIST INFO "INAM", "" when none
};

enum class WaveError { kNone, kNotRiff, kNoFormat, kNoData, kBadFormat };

// Reads bytes at an offset; returns how many it got (fewer at the end of the file).
using ByteReader = std::function<size_t(uint64_t offset, void* buffer, size_t size)>;

// Walks the chunks of a file of fileSize bytes. A data chunk whose size runs past the end
// of the file (as streaming writers leave it) is cut to the file. Plain PCM whose block
// size is below one sample of every channel gets that size; a PCM block that cannot be
// told in 16 bits is a bad format.
WaveError ParseWave(const ByteReader& read, uint64_t fileSize, WaveInfo& info);

// Whether the samples are plain PCM (integer 8, 16, 24 or 32 bits, or 32-bit float) that
// the layer converts itself; everything else goes to the system codecs.
bool IsPlainPcm(const WaveInfo& info);

// Samples per channel that the data holds: from the block size for PCM; from the "fact"
// chunk, else from the codec's samples per block, for ADPCM; 0 when it cannot be told.
uint64_t WaveSampleCount(const WaveInfo& info);

// The samples per block that an ADPCM format chunk states (0 when it states none).
uint32_t AdpcmSamplesPerBlock(const WaveInfo& info);

}  // namespace audio
