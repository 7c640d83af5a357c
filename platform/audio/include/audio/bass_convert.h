// The audio wrapper's conversion calls: decoding streams that hand out a sound's 16-bit
// PCM block by block instead of playing it, the CD calls (this layer knows no CD drive),
// WMA files through the system's WMA encoder, and outside command-line encoders fed
// through their standard input. Handles are not 0; a 0 handle or a negative count means
// failure, with the code in BASSERRORGETCODE. Thread-safe.
#pragma once
#include <cstdint>
#include <string>

#include "audio/bass.h"

enum : int {
  kBassErrorNoCd = 12,      // there is no CD drive
  kBassErrorEncoder = 44,   // the outside encoder cannot be started or has ended
};
// Stream flags: a decoding stream (the only kind made here).
enum : int { kBassStreamDecode = 0x200000 };

// Starts the layer for conversions (device and rate are what the caller asks for; the
// decoding streams need no device). 0.
int BASSINIT(int device, int frequency);
// Frees every decoding stream and stops every encoder. 0.
int BASSFREE();

uint32_t BASSSTREAMDECODEFILE(const std::string& path, int flags);
uint32_t BASSCDSTREAMCREATE(int drive, int track, int flags);
int BASSCDDOOR(int drive, int action);
int64_t BASSCDGETTRACKLENGTH(int drive, int track);

struct BassChannelInfo {
  uint32_t frequency = 0;
  int channels = 0;        // 1 or 2
  int bitsPerSample = 16;  // what BASSCHANNELGETDATA hands out
};
int BASSCHANNELGETINFO(uint32_t stream, BassChannelInfo& info);
// Up to `bytes` bytes of decoded PCM (whole frames); 0 at the end; -1 on failure. Blocks
// pass on to the stream's encoder when one is started.
int BASSCHANNELGETDATA(uint32_t stream, void* buffer, int bytes);
// The stream's length and the bytes handed out so far; -1 when not known.
int64_t BASSSTREAMGETLENGTH(uint32_t stream);
// 1 while data remains, 0 at the end.
int BASSDECODEISACTIVE(uint32_t stream);
int64_t BASSDECODEGETPOSITION(uint32_t stream);
int BASSSTREAMFREE(uint32_t stream);
bool BassIsDecodeStream(uint32_t handle);

// WMA files: 0 with kBassErrorNotAvail when the system has no WMA encoder.
uint32_t BASSWMAENCODEOPENFILE(int frequency, int flags, int bitrate, const std::string& file);
int BASSWMAENCODESETTAG(uint32_t encoder, const std::string& tag, const std::string& value);
int BASSWMAENCODEWRITE(uint32_t encoder, const void* data, int bytes);
int BASSWMAENCODECLOSE(uint32_t encoder);

// Starts an outside encoder with the command line; it reads a WAVE header and then the
// stream's PCM from its standard input. Returns the stream's handle, 0 on failure.
uint32_t BASSENCODESTART(uint32_t stream, const std::string& commandLine, int flags);
// 1 while the encoder runs and takes data.
int BASSENCODEISACTIVE(uint32_t stream);
// Ends its input and waits (a few seconds at most) for the encoder to finish.
int BASSENCODESTOP(uint32_t stream);
