// The wrapper's equaliser and effects on tones and impulses: what each band takes away
// (measured by a DFT at the tone), the echo's repeats, the reverb's tail, the moving notch
// of chorus and flanger, the rotation, silence and full scale.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <vector>

#include "audio/effects.h"
#include "sound_files.h"

using audio::EffectChain;
using audio::EffectSettings;

namespace {

using soundtest::LevelAt;
using soundtest::Sine;

std::vector<int16_t> Noise(size_t frames, int channels, int amplitude, unsigned seed = 7) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> value(-amplitude, amplitude);
  std::vector<int16_t> out(frames * size_t(channels));
  for (int16_t& s : out) s = int16_t(value(random));
  return out;
}

double Energy(const std::vector<int16_t>& s, int channels, int channel, size_t from, size_t to) {
  double e = 0;
  for (size_t f = from; f < to && f * size_t(channels) < s.size(); ++f) {
    double v = s[f * size_t(channels) + size_t(channel)];
    e += v * v;
  }
  return e;
}

double Db(double ratio) { return 20 * std::log10(ratio); }

std::vector<int16_t> Processed(const EffectSettings& settings, uint32_t rate, int channels, std::vector<int16_t> in) {
  EffectChain chain(rate, channels);
  chain.Set(settings);
  // In blocks of 40 ms, as the channel hands them over.
  const size_t block = rate / 25;
  for (size_t f = 0; f * size_t(channels) < in.size(); f += block) {
    size_t n = std::min(block, in.size() / size_t(channels) - f);
    chain.Process(in.data() + f * size_t(channels), n);
  }
  return in;
}

EffectSettings BandDown(int band) {
  EffectSettings s;
  s.equaliser = true;
  s.bands[size_t(band)] = 0;
  return s;
}

TEST(Equaliser, ABandAtZeroCutsATone9dBAtItsCentreAndNotTwoOctavesAway) {
  for (uint32_t rate : {8000u, 22050u, 44100u}) {
    for (int channels : {1, 2}) {
      for (int band = 0; band < audio::kEqBandCount; ++band) {
        if (!audio::EqBandServes(band, rate)) continue;
        const double centre = audio::kEqCentres[size_t(band)];
        const double away = centre / 4 >= 20 ? centre / 4 : centre * 4;
        // Settled after 0.2 s, measured over the next 0.2 s.
        const size_t from = rate / 5, to = 2 * rate / 5;
        for (double hz : {centre, away}) {
          std::vector<int16_t> out = Processed(BandDown(band), rate, channels, Sine(hz, rate, channels, 0.4, 10000));
          for (int c = 0; c < channels; ++c) {
            double drop = -Db(LevelAt(out, channels, c, rate, hz, from, to) / 10000);
            std::string where = std::to_string(rate) + " Hz, " + std::to_string(channels) + " channel(s), band " +
                                std::to_string(band + 1) + ", tone " + std::to_string(hz);
            if (hz == centre) EXPECT_GE(drop, 9.0) << where;
            else EXPECT_LT(std::abs(drop), 1.5) << where;
          }
        }
      }
    }
  }
}

TEST(Equaliser, FlatBandsOrTheSwitchOffLeaveEverySampleWithinOne) {
  for (uint32_t rate : {8000u, 44100u}) {
    std::vector<int16_t> in = Noise(rate / 2, 2, 30000);
    EffectSettings flat;
    flat.equaliser = true;
    EffectSettings off;
    off.bands = {0, 100, 0, 100, 0, 100, 0, 100, 0, 100};
    for (const EffectSettings& s : {flat, off}) {
      std::vector<int16_t> out = Processed(s, rate, 2, in);
      for (size_t i = 0; i < in.size(); ++i) ASSERT_LE(std::abs(out[i] - in[i]), 1) << "sample " << i;
    }
  }
}

TEST(Equaliser, BandsAtOrAboveHalfTheRateAreLeftOut) {
  EXPECT_FALSE(audio::EqBandServes(6, 8000));  // 6000 Hz
  EXPECT_TRUE(audio::EqBandServes(5, 8000));   // 3000 Hz
  EXPECT_TRUE(audio::EqBandServes(7, 22050));  // 10000 Hz
  EXPECT_FALSE(audio::EqBandServes(8, 22050)); // 12000 Hz
  EXPECT_FALSE(audio::EqBandServes(7, 20000)); // exactly half the rate
  EXPECT_TRUE(audio::EqBandServes(9, 44100));
  // At 8 kHz the bands from 6000 Hz up change nothing, even turned fully down.
  EffectSettings s;
  s.equaliser = true;
  for (int band = 6; band < audio::kEqBandCount; ++band) s.bands[size_t(band)] = 0;
  EffectChain chain(8000, 1);
  chain.Set(s);
  EXPECT_FALSE(chain.Active());
  std::vector<int16_t> in = Noise(4000, 1, 20000);
  EXPECT_EQ(Processed(s, 8000, 1, in), in);
}

TEST(Equaliser, PositionsMapOntoTwelveDecibelsEitherWay) {
  EXPECT_DOUBLE_EQ(audio::EqGainDb(0), -12.0);
  EXPECT_DOUBLE_EQ(audio::EqGainDb(50), 0.0);
  EXPECT_DOUBLE_EQ(audio::EqGainDb(100), 12.0);
  EXPECT_DOUBLE_EQ(audio::EqGainDb(75), 6.0);
  EXPECT_DOUBLE_EQ(audio::EqGainDb(-20), -12.0);
  EXPECT_DOUBLE_EQ(audio::EqGainDb(400), 12.0);
}

TEST(Effects, AnImpulseEchoesAtTheDelayEachRepeatLower) {
  for (int channels : {1, 2}) {
    const uint32_t rate = 22050;
    std::vector<int16_t> in(size_t(rate) * 2 * size_t(channels), 0);
    const size_t at = 100;
    for (int c = 0; c < channels; ++c) in[at * size_t(channels) + size_t(c)] = 20000;
    EffectSettings s;
    s.echo = true;
    std::vector<int16_t> out = Processed(s, rate, channels, in);
    const size_t delay = size_t(std::lround(audio::kEchoDelayMs * rate / 1000));
    int previous = 20000;
    for (size_t k = 1; k <= 5; ++k) {
      int repeat = out[(at + k * delay) * size_t(channels)];
      EXPECT_GT(repeat, 0) << "repeat " << k;
      EXPECT_LT(repeat, previous) << "repeat " << k;
      previous = repeat;
      // Nothing between the repeats.
      for (size_t f = at + (k - 1) * delay + 1; f < at + k * delay; ++f)
        ASSERT_EQ(out[f * size_t(channels)], 0) << "frame " << f;
    }
  }
}

TEST(Effects, TheReverbsTailStillSoundsAfter200MillisecondsAndDecays) {
  const uint32_t rate = 44100;
  std::vector<int16_t> in(size_t(rate) * 2, 0);
  in[0] = in[1] = 30000;
  EffectSettings s;
  s.reverb = true;
  std::vector<int16_t> out = Processed(s, rate, 2, in);
  auto window = [&](int fromMs) { return Energy(out, 2, 0, rate * fromMs / 1000, rate * (fromMs + 100) / 1000); };
  EXPECT_GT(window(200), 0);
  EXPECT_LT(window(500), window(200));
  EXPECT_LT(window(800), window(500));
  EXPECT_GT(Energy(out, 2, 1, rate / 5, rate * 3 / 10), 0);
}

// The amplitude of a steady tone in windows of 50 ms: a notch that moves across the tone
// makes it swell and fade.
std::pair<double, double> QuietestAndLoudest(const std::vector<int16_t>& out, int channels, uint32_t rate, double hz) {
  double low = 1e9, high = 0;
  const size_t window = rate / 20;
  for (size_t from = rate / 10; from + window <= out.size() / size_t(channels); from += window) {
    double level = LevelAt(out, channels, 0, rate, hz, from, from + window);
    low = std::min(low, level);
    high = std::max(high, level);
  }
  return {low, high};
}

TEST(Effects, ChorusAndFlangerMoveANotchOverTime) {
  const uint32_t rate = 22050;
  for (int channels : {1, 2}) {
    for (int which = 0; which < 2; ++which) {
      EffectSettings s;
      (which == 0 ? s.chorus : s.flanger) = true;
      // A whole turn of the slower sweep (the flanger's 0.3 Hz).
      std::vector<int16_t> out = Processed(s, rate, channels, Sine(1000, rate, channels, 3.5, 8000));
      auto [low, high] = QuietestAndLoudest(out, channels, rate, 1000);
      EXPECT_GT(Db(high / std::max(low, 1.0)), 10.0) << (which == 0 ? "chorus" : "flanger") << ", " << channels;
    }
  }
  // A fixed delay (the echo) leaves a steady tone steady: the sweep makes the difference.
  EffectSettings echo;
  echo.echo = true;
  std::vector<int16_t> out = Processed(echo, rate, 1, Sine(1000, rate, 1, 3.5, 8000));
  std::vector<int16_t> settled(out.begin() + rate, out.end());
  auto [low, high] = QuietestAndLoudest(settled, 1, rate, 1000);
  EXPECT_LT(Db(high / low), 1.0);
}

TEST(Effects, RotationSwapsLeftAndRightAtItsRate) {
  const uint32_t rate = 8000;
  EffectSettings s;
  s.rotate = true;
  std::vector<int16_t> out = Processed(s, rate, 2, Sine(440, rate, 2, 2.0 / audio::kRotationHz, 10000));
  const double period = rate / audio::kRotationHz;
  auto sides = [&](double turn) {
    size_t middle = size_t(turn * period), half = rate / 20;
    return Db(std::sqrt(Energy(out, 2, 1, middle - half, middle + half) /
                        std::max(1.0, Energy(out, 2, 0, middle - half, middle + half))));
  };
  // A quarter turn in, the sound is on the right; three quarters in, on the left; and so
  // again in the next turn.
  for (double turn : {0.25, 1.25}) EXPECT_GT(sides(turn), 10.0) << turn;
  for (double turn : {0.75, 1.75}) EXPECT_LT(sides(turn), -10.0) << turn;
  // A mono sound has no sides to turn between.
  std::vector<int16_t> mono = Sine(440, rate, 1, 1.0, 10000);
  EXPECT_EQ(Processed(s, rate, 1, mono), mono);
}

EffectSettings Everything() {
  EffectSettings s;
  s.equaliser = true;
  s.bands = {100, 0, 80, 20, 100, 0, 70, 30, 100, 0};
  s.reverb = s.chorus = s.flanger = s.echo = s.rotate = true;
  return s;
}

TEST(Effects, SilenceStaysSilentBeforeAndLongAfterASoundWithNothingSubnormalLeft) {
  const uint32_t rate = 8000;
  for (int channels : {1, 2}) {
    EffectChain chain(rate, channels);
    chain.Set(Everything());
    std::vector<int16_t> silence(size_t(rate) * size_t(channels), 0);
    chain.Process(silence.data(), rate);
    EXPECT_TRUE(std::all_of(silence.begin(), silence.end(), [](int16_t v) { return v == 0; }));
    std::vector<int16_t> loud = Noise(rate, channels, 30000);
    chain.Process(loud.data(), rate);
    // Long enough for the echo and the reverb to fade far below what a float can hold
    // normally, were nothing done against it.
    for (int second = 0; second < 60; ++second) {
      std::fill(silence.begin(), silence.end(), int16_t(0));
      chain.Process(silence.data(), rate);
    }
    EXPECT_TRUE(std::all_of(silence.begin(), silence.end(), [](int16_t v) { return v == 0; }));
    EXPECT_FALSE(chain.HoldsSubnormal()) << channels;
  }
}

TEST(Effects, FullScaleIsClippedNeverWrapped) {
  const uint32_t rate = 44100;
  EffectSettings s;
  s.equaliser = true;
  s.bands[4] = 100;  // 1000 Hz, +12 dB
  std::vector<int16_t> in = Sine(1000, rate, 2, 0.5, 32767);
  std::vector<int16_t> out = Processed(s, rate, 2, in);
  // Settled, a peaking band keeps the phase at its centre: four times the input, clipped.
  for (size_t i = rate / 5 * 2; i < in.size(); ++i) {
    if (in[i] > 16384) {
      ASSERT_EQ(out[i], 32767) << i;
    } else if (in[i] < -16384) {
      ASSERT_EQ(out[i], -32768) << i;
    }
  }
  // Full-scale positive sound through delays that add it to itself: far above the scale,
  // and never turned round to the other end of it.
  EffectSettings adding;
  adding.chorus = adding.flanger = adding.echo = true;
  for (int16_t level : {int16_t(32767), int16_t(-32768)}) {
    std::vector<int16_t> out = Processed(adding, rate, 2, std::vector<int16_t>(size_t(rate) * 2, level));
    EXPECT_EQ(std::count(out.begin() + rate, out.end(), level), int64_t(rate)) << level;
    for (int16_t v : out) ASSERT_TRUE(level > 0 ? v > 0 : v < 0) << level;
  }
}

TEST(Effects, SwitchingAnEffectOnStartsItFromSilence) {
  const uint32_t rate = 8000;
  EffectChain chain(rate, 1);
  EffectSettings s;
  s.echo = true;
  chain.Set(s);
  std::vector<int16_t> loud = Noise(rate, 1, 20000);
  chain.Process(loud.data(), rate);
  s.echo = false;
  chain.Set(s);
  s.echo = true;
  chain.Set(s);
  // What the echo held before it was switched off is not heard again.
  std::vector<int16_t> silence(rate, 0);
  chain.Process(silence.data(), rate);
  EXPECT_TRUE(std::all_of(silence.begin(), silence.end(), [](int16_t v) { return v == 0; }));
}

TEST(EffectControls, TheWindowsControlsSayWhatIsOn) {
  std::map<int, int> window = {{1, 0}, {2, 75}, {10, 250}, {11, 1}, {12, 1}, {13, 1}, {14, 0}, {15, 1}, {16, 0}, {17, 1}};
  auto read = [&window](int id) { return window.count(id) ? window[id] : 0; };
  EffectSettings s;
  for (int id = 1; id <= 17; ++id) audio::ReadEffectControl(s, id, read);
  EXPECT_TRUE(s.equaliser);
  EXPECT_EQ(s.bands[0], 0);
  EXPECT_EQ(s.bands[1], 75);
  EXPECT_EQ(s.bands[2], 0);
  EXPECT_EQ(s.bands[9], 100);  // limited to the bar's range
  EXPECT_TRUE(s.reverb);
  EXPECT_FALSE(s.chorus);
  EXPECT_TRUE(s.flanger);
  EXPECT_FALSE(s.echo);
  EXPECT_TRUE(s.rotate);
  // Reset (12) is the window's business; unknown ids change nothing.
  EffectSettings before = s;
  audio::ReadEffectControl(s, 12, read);
  audio::ReadEffectControl(s, 99, read);
  EXPECT_EQ(s, before);
}

}  // namespace
