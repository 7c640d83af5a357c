// The effects the audio wrapper applies to the current medium: a ten-band equaliser and
// five switchable effects (reverb, chorus, flanger, echo, rotation) on the decoded 16-bit
// samples, before volume and pan. The effects window's controls say what is on; the
// wrapper reads them (ReadEffectControl). Portable.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace audio {

// The equaliser's bands: peaking filters at these centres, one octave wide.
constexpr int kEqBandCount = 10;
inline constexpr std::array<int, kEqBandCount> kEqCentres = {80, 170, 310, 600, 1000, 3000, 6000, 10000, 12000, 14000};
// A band's track bar position: 0 is -12 dB, 50 flat, 100 +12 dB.
constexpr int kEqFlat = 50;
constexpr int kEqMaxPosition = 100;
constexpr double kEqRangeDb = 12.0;

// The effects' fixed parameters (what the effects window switches on and off).
constexpr double kEchoDelayMs = 300.0;  // the repeats come this far apart
constexpr double kEchoFeedback = 0.5;   // each repeat this much of the one before
constexpr double kChorusMinMs = 15.0, kChorusMaxMs = 30.0, kChorusHz = 0.6;
constexpr double kFlangerMinMs = 1.0, kFlangerMaxMs = 10.0, kFlangerHz = 0.3, kFlangerFeedback = 0.5;
constexpr double kRotationHz = 0.5;  // one turn from left to right and back

struct EffectSettings {
  bool equaliser = false;  // the On/Off switch: the bands apply only while it is on
  std::array<int, kEqBandCount> bands{};
  bool reverb = false;
  bool chorus = false;
  bool flanger = false;
  bool echo = false;
  bool rotate = false;

  EffectSettings() { bands.fill(kEqFlat); }
  bool operator==(const EffectSettings&) const = default;
};

// The gain of a band's position, -12 to +12 dB (positions outside 0 to 100 are limited).
double EqGainDb(int position);
// Whether band (0 to 9) can be heard at a sample rate: a centre at or above half the rate
// is left out.
bool EqBandServes(int band, uint32_t sampleRate);

// The effects of one channel: made once for the sound's form (every buffer is allocated
// here), then Process runs on each block of decoded samples without allocating.
class EffectChain {
 public:
  EffectChain(uint32_t sampleRate, int channels);

  // New settings: bands that change keep their filters' state; an effect switched on
  // starts from silence.
  void Set(const EffectSettings& settings);
  const EffectSettings& Settings() const { return settings_; }
  // Whether Process changes anything.
  bool Active() const;
  // Forgets what the filters and delays hold (a new start or a seek).
  void Clear();
  // Frames of interleaved samples in place, clipped to 16 bits.
  void Process(int16_t* samples, size_t frames);
  // Whether any remembered value is a subnormal number (those slow arithmetic down).
  bool HoldsSubnormal() const;

 private:
  struct Biquad {
    float b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    float z1[2] = {}, z2[2] = {};
    bool on = false;
  };
  // A ring of samples per channel for the delay effects.
  struct DelayLine {
    std::vector<float> buffer;  // channels interleaved
    size_t length = 0;          // frames
    size_t at = 0;              // the next frame written
    void Make(size_t frames, int channels);
    void Clear();
  };
  struct Comb {
    DelayLine line;
    float store[2] = {};  // the damping filter's last output per channel
  };
  // A slow sine wave stepped frame by frame by turning a (sine, cosine) pair.
  struct Oscillator {
    double sine = 0, cosine = 1;
    double stepSin = 0, stepCos = 1;
    void Start(double hz, uint32_t rate);
    void Step();
    void Settle();
  };

  void MakeBand(int band);
  float Equalise(int channel, float x);
  // The delayed sample of a channel, fractional delays by linear interpolation.
  float DelayedBy(const DelayLine& line, int channel, float frames) const;
  void Chorus(float* frame);
  void Flanger(float* frame);
  void Echo(float* frame);
  void Reverb(float* frame);
  void Rotate(float* frame);

  uint32_t rate_;
  int channels_;
  EffectSettings settings_;
  std::array<Biquad, kEqBandCount> bands_;
  DelayLine chorusLine_, flangerLine_, echoLine_;
  std::array<Comb, 4> combs_;
  std::array<DelayLine, 2> allPasses_;
  Oscillator chorusWave_, flangerWave_, rotationWave_;
};

// The effects window's controls as the wrapper reads them: 1 to 10 the band bars (their
// positions), 11 the equaliser's On/Off, 13 to 17 reverb, chorus, flanger, echo and
// rotation (checked: 1). read(id) answers a control's value. Other ids change nothing.
void ReadEffectControl(EffectSettings& settings, int id, const std::function<int(int id)>& read);
// Control ids of the effects window.
enum EffectControl : int {
  kFxFirstBand = 1,
  kFxLastBand = 10,
  kFxEqualiser = 11,
  kFxReset = 12,
  kFxReverb = 13,
  kFxChorus = 14,
  kFxFlanger = 15,
  kFxEcho = 16,
  kFxRotate = 17,
};

}  // namespace audio
