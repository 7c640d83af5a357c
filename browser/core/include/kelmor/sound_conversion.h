// Rules of the media browser's sound conversion that need no window: which entries are
// sources, the output file's name, the WAVE header written before the PCM data and the
// progress shown. Portable.
#pragma once
#include <cstdint>
#include <string>

namespace kelmor {

// The commands: CD tracks (1201 to 1204) or sound files (1301 to 1304); the last digit
// chooses the target.
enum class SoundTarget { kWav, kWma, kEncoderMp3, kEncoderOgg, kNone };
SoundTarget SoundTargetOf(int command);
bool IsCdCommand(int command);
// A source of the command: ".cda" for CD commands, one of ".wav.wma.mp3.ogg" for files
// (extension from the last ".", any case).
bool IsSoundSource(const std::string& name, bool cdCommand);

// The typed base name: "." "/" "\" ":" ";" "," and blank become blank, "-", "-", blank,
// blank, blank and "_" all at once, then the blanks go.
std::string SoundBaseName(const std::string& typed);
// Target folder + base (trailing "-" removed) + "-" + the 1-based list position as at
// least two digits + the extension (field 1 of the action text, lower case).
std::string SoundOutputPath(const std::string& targetFolder, const std::string& base, int position,
                            const std::string& extension);
// The encoder's arguments for the output file (its folder in short form).
std::string EncoderArguments(SoundTarget target, const std::string& outputFile);
// The command line of the encoder: its path and the output in double quotes, so blanks in
// either do not split them.
std::string EncoderCommandLine(const std::string& encoder, SoundTarget target, const std::string& outputFile);

// The canonical 44-byte header. Channels are at most 2 (more are mixed down to 2 before
// writing), the depth 8 or 16 (other depths are written as 16).
struct WavFormat {
  int channels = 2;
  int sampleRate = 44100;
  int bitsPerSample = 16;
};
WavFormat WavTargetFormat(int streamChannels, int streamRate, bool stream8Bit);
inline constexpr int kWavHeaderSize = 44;
std::string WavHeader(const WavFormat& format, uint32_t dataBytes);
// The two size fields once the data is written: the RIFF size at offset 4, the data size
// at offset 40; data above 4 GiB - 45 bytes is clamped there (the header cannot say more).
struct WavSizes {
  uint32_t riff = 0;
  uint32_t data = 0;
};
WavSizes WavSizeFields(uint64_t dataBytes);
std::string Le32Bytes(uint32_t value);

// Percent done, 0 to 100; 0 while the length is unknown (0 or less).
int ProgressPercent(int64_t position, int64_t length);

}  // namespace kelmor
