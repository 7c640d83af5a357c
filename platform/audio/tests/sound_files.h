// Sound files made by the tests: WAVE files of PCM samples and MPEG audio of silent
// frames, byte by byte.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "audio/wave_file.h"

namespace soundtest {

// Reads from bytes held by the caller (they must outlive the reader), as files are read.
audio::ByteReader BytesReader(const std::string& bytes);

// Little-endian numbers appended to a byte string.
void Put16(std::string& s, uint32_t v);
void Put32(std::string& s, uint32_t v);
// A RIFF chunk: id, length, body and the pad byte of an odd body.
std::string Chunk(const char* id, const std::string& body);

// A WAVE file of 16-bit PCM samples (interleaved when channels is 2); extra chunks are put
// between "fmt " and "data".
std::string PcmWave(const std::vector<int16_t>& samples, int channels, int rate, const std::string& extra = "");
// The same from a "fmt " chunk body and data bytes of any form.
std::string Wave(const std::string& formatBody, const std::string& data, const std::string& extra = "");
// A "fmt " body for PCM.
std::string PcmFormatBody(int channels, int rate, int bits);
// frames of a square wave of the amplitude (then a pause of silence), per channel.
std::vector<int16_t> Tone(int frames, int channels, int amplitude);
// A sine wave (the same on every channel) of the given seconds; with a second frequency
// the sum of two sines of the amplitude each.
std::vector<int16_t> Sine(double hz, uint32_t rate, int channels, double seconds, double amplitude,
                          double secondHz = 0);
// The amplitude of the component at hz in frames [from, to) of one channel of interleaved
// samples (a single bin of a DFT).
double LevelAt(const std::vector<int16_t>& samples, int channels, int channel, uint32_t rate, double hz, size_t from,
               size_t to);

// ---- Files that outside tools wrote (tests/sounds of the build) -------------------------------
// The stereo tone every one of them holds: 1.5 s at 44100 Hz, a sine of half the full
// scale at 440 Hz on the left and at 660 Hz on the right.
inline constexpr int kToneFrames = 66150;
inline constexpr uint32_t kToneRate = 44100;
// The file's path from the tests' folder (the working folder of every test), "" when the
// build could not make it (sox or ffmpeg missing).
std::string SoundFixture(const std::string& name);
// "" when interleaved stereo samples at 44100 Hz are that tone (after a lossy codec: each
// side's own sine within 15 % of its level, the other one below 5 %), else what is wrong.
std::string ToneProblem(const std::vector<int16_t>& samples);

// MPEG-1 layer III frames at 128 kbit/s, 44100 Hz, mono, whose side info is all zero
// (each decodes to 1152 samples of silence). 417 bytes each.
std::string SilentMp3Frames(int count);
// An ID3v2.3 tag with a TIT2 frame (ISO-8859-1).
std::string Id3v2Tag(const std::string& title);
// An ID3v1 tag (128 bytes).
std::string Id3v1Tag(const std::string& title);

// ---- The test tap (SUITE_AUDIO_TAP) --------------------------------------------------------
// The 16-bit samples of a PCM WAVE file's bytes, such as a tap file (interleaved); info
// receives its form. Empty when the bytes are no 16-bit PCM WAVE file.
std::vector<int16_t> PcmSamplesOf(const std::string& waveBytes, audio::WaveInfo* info = nullptr);
// The tap files that a process wrote into the folder, in the order of its sounds.
std::vector<std::string> TapFiles(const std::string& folder, uint32_t processId);
// Sets the tap folder for this process and the programs it starts ("" switches it off).
void SetTapFolder(const std::string& folder);

}  // namespace soundtest
