// Sound samples as the audio layer hands them to the output: 16-bit signed, one or two
// channels interleaved. Conversion from the PCM forms of WAVE files, the gain of a
// channel's volume and pan, and the peak levels that the level meter shows. Portable.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace audio {

// The form of the samples a channel plays.
struct PcmFormat {
  uint32_t sampleRate = 0;
  uint16_t channels = 0;  // 1 or 2
  uint32_t BytesPerFrame() const { return uint32_t(channels) * 2; }
};

// Converts frames of integer PCM (8 bits unsigned; 16, 24, 32 bits signed; or 32-bit
// float when isFloat) with sourceChannels channels to 16-bit samples with outChannels
// (1 or 2): a mono source is doubled for two outputs, channels beyond the second are
// left out, two sources for one output are averaged. Appends to out.
void ConvertToPcm16(const uint8_t* source, size_t frames, int bitsPerSample, bool isFloat, int sourceChannels,
                    int outChannels, std::vector<int16_t>& out);

// Peak levels of frames, each on the scale 0 to 128 (the level meter's), left and right
// (a mono sound gives the same level twice).
struct Levels {
  int left = 0;
  int right = 0;
};
Levels PeakLevels(const int16_t* samples, size_t frames, int channels);
// The wrapper's packed form: left in the low word, right in the high word.
inline uint32_t PackLevels(Levels l) { return uint32_t(l.left) | (uint32_t(l.right) << 16); }

// Volume 0 to 100 and pan -100 (left) to 100 (right) as two gains in 1/65536 steps: the
// side the pan turns away from is lowered, the other keeps the volume.
struct Gain {
  int32_t left = 65536;
  int32_t right = 65536;
};
Gain GainOf(int volume, int pan);
// Applies a gain to frames in place, clipped to 16 bits. A mono sound takes the mean of
// the two sides.
void ApplyGain(int16_t* samples, size_t frames, int channels, Gain gain);

}  // namespace audio
