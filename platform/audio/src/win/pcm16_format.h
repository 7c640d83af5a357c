// The form of the samples the layer hands to the sound device and asks of the codecs:
// 16-bit PCM of a rate and one or two channels. Private to the Windows side of the layer.
#pragma once
#include <windows.h>
#include <mmsystem.h>

#include <cstdint>

namespace audio {

inline WAVEFORMATEX Pcm16Format(int channels, uint32_t rate) {
  WAVEFORMATEX f{};
  f.wFormatTag = WAVE_FORMAT_PCM;
  f.nChannels = WORD(channels);
  f.nSamplesPerSec = DWORD(rate);
  f.wBitsPerSample = 16;
  f.nBlockAlign = WORD(channels * 2);
  f.nAvgBytesPerSec = f.nSamplesPerSec * f.nBlockAlign;
  return f;
}

}  // namespace audio
