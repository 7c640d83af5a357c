#include "sound_files.h"

#ifdef _WIN32
#include <windows.h>
#endif

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fileio/fields.h"
#include "fileio/file.h"
#include "fileio/paths.h"

namespace soundtest {

audio::ByteReader BytesReader(const std::string& bytes) {
  return [&bytes](uint64_t offset, void* buffer, size_t size) -> size_t {
    if (offset >= bytes.size()) return 0;
    size_t n = std::min<size_t>(size, bytes.size() - size_t(offset));
    std::memcpy(buffer, bytes.data() + offset, n);
    return n;
  };
}

void Put16(std::string& s, uint32_t v) {
  s += char(v & 255);
  s += char((v >> 8) & 255);
}

void Put32(std::string& s, uint32_t v) {
  for (int i = 0; i < 4; ++i) s += char((v >> (8 * i)) & 255);
}

std::string Chunk(const char* id, const std::string& body) {
  std::string s(id, 4);
  Put32(s, uint32_t(body.size()));
  s += body;
  if (body.size() & 1) s += '\0';
  return s;
}

std::string PcmFormatBody(int channels, int rate, int bits) {
  std::string f;
  Put16(f, 1);
  Put16(f, uint32_t(channels));
  Put32(f, uint32_t(rate));
  Put32(f, uint32_t(rate * channels * bits / 8));
  Put16(f, uint32_t(channels * bits / 8));
  Put16(f, uint32_t(bits));
  return f;
}

std::string Wave(const std::string& formatBody, const std::string& data, const std::string& extra) {
  std::string body = "WAVE" + Chunk("fmt ", formatBody) + extra + Chunk("data", data);
  std::string s = "RIFF";
  Put32(s, uint32_t(body.size()));
  return s + body;
}

std::string PcmWave(const std::vector<int16_t>& samples, int channels, int rate, const std::string& extra) {
  std::string data;
  for (int16_t v : samples) Put16(data, uint16_t(v));
  return Wave(PcmFormatBody(channels, rate, 16), data, extra);
}

std::vector<int16_t> Tone(int frames, int channels, int amplitude) {
  std::vector<int16_t> out;
  for (int f = 0; f < frames; ++f)
    for (int c = 0; c < channels; ++c) out.push_back(int16_t((f / 20) % 2 ? amplitude : -amplitude));
  return out;
}

std::vector<int16_t> Sine(double hz, uint32_t rate, int channels, double seconds, double amplitude,
                          double secondHz) {
  constexpr double kTurn = 2 * 3.14159265358979323846;
  const size_t frames = size_t(seconds * rate);
  std::vector<int16_t> out(frames * size_t(channels));
  for (size_t f = 0; f < frames; ++f) {
    double v = amplitude * std::sin(kTurn * hz * double(f) / rate);
    if (secondHz > 0) v += amplitude * std::sin(kTurn * secondHz * double(f) / rate);
    for (int c = 0; c < channels; ++c) out[f * size_t(channels) + size_t(c)] = int16_t(std::lround(v));
  }
  return out;
}

double LevelAt(const std::vector<int16_t>& samples, int channels, int channel, uint32_t rate, double hz, size_t from,
               size_t to) {
  constexpr double kTurn = 2 * 3.14159265358979323846;
  std::complex<double> sum;
  to = std::min(to, samples.size() / size_t(channels));
  if (to <= from) return 0;
  for (size_t f = from; f < to; ++f)
    sum += double(samples[f * size_t(channels) + size_t(channel)]) * std::polar(1.0, -kTurn * hz * double(f) / rate);
  return 2 * std::abs(sum) / double(to - from);
}

std::string SoundFixture(const std::string& name) {
  std::string path = "sounds/" + name;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return {};
  std::fclose(f);
  return path;
}

std::string ToneProblem(const std::vector<int16_t>& samples) {
  const size_t frames = samples.size() / 2;
  if (frames < kToneRate) return "only " + std::to_string(frames) + " frames";
  // A whole second from the middle: codecs' edges (priming, fades) stay out.
  const size_t from = (frames - kToneRate) / 2, to = from + kToneRate;
  const double full = 16384;
  const double hz[2] = {440, 660};
  std::string problem;
  for (int side = 0; side < 2; ++side) {
    double own = LevelAt(samples, 2, side, kToneRate, hz[side], from, to);
    double other = LevelAt(samples, 2, side, kToneRate, hz[1 - side], from, to);
    if (own < 0.85 * full || own > 1.15 * full || other > 0.05 * full)
      problem += (side ? " right: " : " left: ") + std::to_string(int(own)) + " at " + std::to_string(int(hz[side])) +
                 " Hz, " + std::to_string(int(other)) + " at " + std::to_string(int(hz[1 - side])) + " Hz;";
  }
  return problem;
}

std::string SilentMp3Frames(int count) {
  std::string frame(417, '\0');
  frame[0] = char(0xFF);
  frame[1] = char(0xFB);  // MPEG-1, layer III, no CRC
  frame[2] = char(0x90);  // 128 kbit/s, 44100 Hz, no padding
  frame[3] = char(0xC4);  // mono, original
  std::string s;
  for (int i = 0; i < count; ++i) s += frame;
  return s;
}

std::string Id3v2Tag(const std::string& title) {
  // Frame: id, size (big-endian), two flag bytes, then the text with its encoding byte.
  std::string body = std::string(1, '\0') + title;
  std::string frame = "TIT2";
  for (int shift = 24; shift >= 0; shift -= 8) frame += char((body.size() >> shift) & 255);
  frame += std::string(2, '\0');
  frame += body;
  // Tag header: "ID3", version 3.0, no flags, the size in 7-bit bytes.
  std::string tag = "ID3";
  tag += char(3);
  tag += std::string(2, '\0');
  for (int shift = 21; shift >= 0; shift -= 7) tag += char((frame.size() >> shift) & 0x7F);
  return tag + frame;
}

std::string Id3v1Tag(const std::string& title) {
  std::string tag = "TAG" + title;
  tag.resize(128, '\0');
  return tag;
}

std::vector<int16_t> PcmSamplesOf(const std::string& waveBytes, audio::WaveInfo* info) {
  audio::WaveInfo wave;
  std::vector<int16_t> samples;
  if (audio::ParseWave(BytesReader(waveBytes), waveBytes.size(), wave) != audio::WaveError::kNone ||
      wave.formatTag != audio::kWavePcm || wave.bitsPerSample != 16)
    return samples;
  for (uint64_t at = wave.dataOffset; at + 1 < wave.dataOffset + wave.dataSize; at += 2)
    samples.push_back(int16_t(uint8_t(waveBytes[at]) | (uint8_t(waveBytes[at + 1]) << 8)));
  if (info) *info = wave;
  return samples;
}

std::vector<std::string> TapFiles(const std::string& folder, uint32_t processId) {
  // "<program>_<process>_<n>.wav"
  const std::string mark = "_" + std::to_string(processId) + "_";
  std::vector<std::pair<int, std::string>> found;
  for (const auto& e : fileio::ListDirectory(fileio::JoinPath(folder, "*" + mark + "*.wav"))) {
    size_t at = e.name.rfind(mark);
    if (at == std::string::npos) continue;
    found.emplace_back(fileio::LeadingNumber(e.name.substr(at + mark.size())), fileio::JoinPath(folder, e.name));
  }
  std::sort(found.begin(), found.end());
  std::vector<std::string> files;
  for (auto& f : found) files.push_back(f.second);
  return files;
}

void SetTapFolder(const std::string& folder) {
#ifdef _WIN32
  // The runtime's copy for this process, the system's for the programs it starts.
  _putenv_s("SUITE_AUDIO_TAP", folder.c_str());
  SetEnvironmentVariableA("SUITE_AUDIO_TAP", folder.empty() ? nullptr : folder.c_str());
#else
  if (folder.empty()) unsetenv("SUITE_AUDIO_TAP");
  else setenv("SUITE_AUDIO_TAP", folder.c_str(), 1);
#endif
}

}  // namespace soundtest
