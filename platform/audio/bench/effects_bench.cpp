// The speed of the wrapper's effects (a benchmark, not a test): 44.1 kHz stereo through
// the equaliser (every band moved) and all five effects, in blocks of 40 ms as a channel
// hands them over; then the same on silence after a loud sound (where numbers too small
// for normal floating point would slow a careless filter down many times). The goal: at
// least 100 times real time.
//
// Usage: effects_bench [--seconds N]   (N seconds of sound per run, default 120)
// Natively from an optimised build (the native preset's sanitizers slow it down):
//   cmake -S . -B /tmp/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DSUITE_BUILD_TESTS=OFF
//   cmake --build /tmp/bench --target effects_bench && /tmp/bench/tests/effects_bench
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "audio/effects.h"

namespace {

constexpr uint32_t kRate = 44100;
constexpr int kChannels = 2;
constexpr size_t kBlockFrames = kRate / 25;

audio::EffectSettings Everything() {
  audio::EffectSettings s;
  s.equaliser = true;
  s.bands = {90, 20, 70, 35, 80, 10, 65, 40, 95, 5};
  s.reverb = s.chorus = s.flanger = s.echo = s.rotate = true;
  return s;
}

// Some seconds of music-like sound: two tones and a little noise.
std::vector<int16_t> Sound(size_t frames) {
  std::vector<int16_t> out(frames * kChannels);
  uint32_t noise = 12345;
  for (size_t f = 0; f < frames; ++f) {
    noise = noise * 1664525u + 1013904223u;
    double t = double(f) / kRate;
    double v = 9000 * std::sin(2 * 3.14159265 * 220 * t) + 6000 * std::sin(2 * 3.14159265 * 1870 * t) +
               double(int(noise >> 20) - 2048);
    out[f * 2] = out[f * 2 + 1] = int16_t(v);
  }
  return out;
}

// Seconds of sound per second of work.
double TimesRealTime(audio::EffectChain& chain, const std::vector<int16_t>& source, int seconds) {
  std::vector<int16_t> block(kBlockFrames * kChannels);
  const size_t sourceFrames = source.size() / kChannels;
  const size_t total = size_t(seconds) * kRate;
  auto start = std::chrono::steady_clock::now();
  for (size_t done = 0; done < total; done += kBlockFrames) {
    size_t from = done % (sourceFrames - kBlockFrames);
    std::copy_n(source.begin() + std::ptrdiff_t(from * kChannels), block.size(), block.begin());
    chain.Process(block.data(), kBlockFrames);
  }
  double spent = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return spent > 0 ? seconds / spent : 0;
}

}  // namespace

int main(int argc, char** argv) {
  int seconds = 120;
  for (int i = 1; i < argc; ++i)
    if (std::string(argv[i]) == "--seconds" && i + 1 < argc) seconds = std::max(1, std::atoi(argv[++i]));
  audio::EffectChain chain(kRate, kChannels);
  chain.Set(Everything());
  std::vector<int16_t> sound = Sound(kRate * 10);
  double music = TimesRealTime(chain, sound, seconds);
  std::printf("effects: %d s of 44.1 kHz stereo, equaliser and all five effects: %.0f x real time\n", seconds,
              music);
  // Silence after the loud sound, long enough for every tail to die away.
  std::vector<int16_t> silence(kRate * 10 * kChannels, 0);
  double quiet = TimesRealTime(chain, silence, seconds);
  std::printf("effects: %d s of silence after it: %.0f x real time; subnormal numbers held: %s\n", seconds, quiet,
              chain.HoldsSubnormal() ? "yes" : "no");
  return music >= 100 && quiet >= 100 ? 0 : 1;
}
