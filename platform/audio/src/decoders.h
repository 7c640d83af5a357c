// The decoders of the audio layer and what opens them (private to the layer).
#pragma once
#include <memory>
#include <string>

#include "audio/mp3_frames.h"
#include "audio/stream.h"
#include "audio/wave_file.h"
#include "fileio/file.h"

namespace audio {

// Plain PCM from a WAVE file's data chunk. Portable.
std::unique_ptr<Decoder> OpenPcmDecoder(fileio::File file, const WaveInfo& info);

// Ogg Vorbis, decoded here (ogg_decoder.cpp). Portable.
bool LooksLikeOgg(const uint8_t* head, size_t size);
std::unique_ptr<Decoder> OpenOggDecoder(fileio::File file, int& error);
// The start of an ASF file (WMA, WMV): its header object's identifier.
bool LooksLikeAsf(const uint8_t* head, size_t size);

// What the platform brings (platform_*.cpp): the system's codecs for compressed WAVE data
// and MPEG audio, and the output device. Each answers null and sets error (a wrapper
// error code) when it cannot.
std::unique_ptr<Decoder> OpenCodecDecoder(fileio::File file, const WaveInfo& info, int& error);
std::unique_ptr<Decoder> OpenMp3Decoder(fileio::File file, Mp3Stream stream, int& error);
// WMA through the system's Windows Media reader: kBassErrorWmaReader where there is none.
std::unique_ptr<Decoder> OpenWmaDecoder(const std::string& path, int& error);
// The sound device, or the silent clock when the machine has no sound output.
std::unique_ptr<Output> OpenOutput(const PcmFormat& format, int& error);
// The silent clock alone (portable): what OpenOutput gives without a device.
std::unique_ptr<Output> OpenSilentOutput(const PcmFormat& format, int& error);
// Fetches a stream address into a file of the download folder; 0 or a wrapper error.
int FetchStream(const std::string& address, const std::string& folder, std::string& localFile);

}  // namespace audio
