#include "kelmor/sound_conversion.h"

#include <algorithm>

#include "fileio/paths.h"
#include "skin/sk_text.h"

namespace kelmor {

SoundTarget SoundTargetOf(int command) {
  if ((command < 1201 || command > 1204) && (command < 1301 || command > 1304)) return SoundTarget::kNone;
  switch (command % 10) {
    case 1: return SoundTarget::kWav;
    case 2: return SoundTarget::kWma;
    case 3: return SoundTarget::kEncoderMp3;
    default: return SoundTarget::kEncoderOgg;
  }
}

bool IsCdCommand(int command) { return command >= 1201 && command <= 1204; }

bool IsSoundSource(const std::string& name, bool cdCommand) {
  size_t dot = name.rfind('.');
  if (dot == std::string::npos) return false;
  std::string ext = fileio::ToLower(name.substr(dot));
  if (cdCommand) return ext == ".cda";
  return ext == ".wav" || ext == ".wma" || ext == ".mp3" || ext == ".ogg";
}

std::string SoundBaseName(const std::string& typed) {
  return SKCRUNCH(SKCRUNCH(typed, "./\\:;, ", " --   _"), " ");
}

std::string SoundOutputPath(const std::string& targetFolder, const std::string& base, int position,
                            const std::string& extension) {
  std::string b = base;
  while (!b.empty() && b.back() == '-') b.pop_back();
  std::string number = std::to_string(position);
  if (number.size() < 2) number = "0" + number;
  return targetFolder + b + "-" + number + fileio::ToLower(extension);
}

std::string EncoderArguments(SoundTarget target, const std::string& outputFile) {
  std::string quoted = "\"" + outputFile + "\"";
  if (target == SoundTarget::kEncoderMp3) return " --alt-preset standard - " + quoted;
  return " -o " + quoted + " -";
}

std::string EncoderCommandLine(const std::string& encoder, SoundTarget target, const std::string& outputFile) {
  return "\"" + encoder + "\"" + EncoderArguments(target, outputFile);
}

WavFormat WavTargetFormat(int streamChannels, int streamRate, bool stream8Bit) {
  WavFormat f;
  f.channels = std::clamp(streamChannels, 1, 2);
  f.sampleRate = streamRate > 0 ? streamRate : 44100;
  f.bitsPerSample = stream8Bit ? 8 : 16;
  return f;
}

std::string Le32Bytes(uint32_t value) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i) s[size_t(i)] = char((value >> (8 * i)) & 0xFF);
  return s;
}

namespace {
std::string Le16Bytes(uint16_t value) { return std::string{char(value & 0xFF), char(value >> 8)}; }
}  // namespace

WavSizes WavSizeFields(uint64_t dataBytes) {
  uint64_t limit = 0xFFFFFFFFull - (kWavHeaderSize - 8);
  uint32_t data = uint32_t(std::min(dataBytes, limit));
  return WavSizes{data + uint32_t(kWavHeaderSize - 8), data};
}

std::string WavHeader(const WavFormat& format, uint32_t dataBytes) {
  WavSizes sizes = WavSizeFields(dataBytes);
  uint16_t blockAlign = uint16_t(format.bitsPerSample * format.channels / 8);
  std::string h = "RIFF" + Le32Bytes(sizes.riff) + "WAVE" + "fmt " + Le32Bytes(16);
  h += Le16Bytes(1) + Le16Bytes(uint16_t(format.channels)) + Le32Bytes(uint32_t(format.sampleRate));
  h += Le32Bytes(uint32_t(blockAlign) * uint32_t(format.sampleRate)) + Le16Bytes(blockAlign) +
       Le16Bytes(uint16_t(format.bitsPerSample));
  h += "data" + Le32Bytes(sizes.data);
  return h;
}

int ProgressPercent(int64_t position, int64_t length) {
  if (length <= 0 || position <= 0) return 0;
  if (position >= length) return 100;
  // position * 100 stays far below 2^63 for any file a disk holds.
  return int(position * 100 / length);
}

}  // namespace kelmor
