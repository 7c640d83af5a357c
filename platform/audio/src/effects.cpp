#include "audio/effects.h"

#include <algorithm>
#include <cmath>

namespace audio {

namespace {

constexpr double kPi = 3.14159265358979323846;
// A band one octave wide.
constexpr double kBandQ = 1.41;
// Added to what enters every filter and delay that feeds back, so that after the sound
// their memory settles at this tiny value instead of decaying into subnormal numbers,
// whose arithmetic is many times slower. It is far below what 16 bits can show.
constexpr float kGuard = 1e-20f;

constexpr double kChorusMix = 0.7;
constexpr double kFlangerMix = 0.7;
constexpr double kEchoMix = 0.5;
// The reverb: four damped feedback combs in parallel, then two all-passes in a row, per
// channel (lengths of a classic room, in milliseconds).
constexpr std::array<double, 4> kCombMs = {25.3, 26.9, 29.0, 30.7};
constexpr std::array<double, 2> kAllPassMs = {12.6, 10.0};
constexpr float kCombFeedback = 0.84f;
constexpr float kCombDamping = 0.2f;
constexpr float kAllPassFeedback = 0.5f;
constexpr float kReverbInput = 0.05f;
constexpr float kReverbDry = 0.8f;
constexpr float kReverbWet = 0.6f;

size_t FramesOfMs(double ms, uint32_t rate) { return size_t(std::ceil(ms * rate / 1000.0)); }

int16_t Clip(float v) {
  if (v >= 32767.0f) return 32767;
  if (v <= -32768.0f) return -32768;
  return int16_t(std::lrint(v));
}

bool Subnormal(float v) { return v != 0.0f && std::fpclassify(v) == FP_SUBNORMAL; }


}  // namespace

double EqGainDb(int position) {
  position = std::clamp(position, 0, kEqMaxPosition);
  return (position - kEqFlat) * kEqRangeDb / kEqFlat;
}

bool EqBandServes(int band, uint32_t sampleRate) {
  return band >= 0 && band < kEqBandCount && 2.0 * kEqCentres[size_t(band)] < double(sampleRate);
}

void EffectChain::DelayLine::Make(size_t frames, int channels) {
  length = std::max<size_t>(frames, 1);
  buffer.assign(length * size_t(channels), 0.0f);
  at = 0;
}

void EffectChain::DelayLine::Clear() {
  std::fill(buffer.begin(), buffer.end(), 0.0f);
  at = 0;
}

EffectChain::EffectChain(uint32_t sampleRate, int channels)
    : rate_(std::max<uint32_t>(sampleRate, 1)), channels_(std::clamp(channels, 1, 2)) {
  // The modulated delays reach two frames past their longest delay for the interpolation.
  chorusLine_.Make(FramesOfMs(kChorusMaxMs, rate_) + 2, channels_);
  flangerLine_.Make(FramesOfMs(kFlangerMaxMs, rate_) + 2, channels_);
  echoLine_.Make(size_t(std::lround(kEchoDelayMs * rate_ / 1000.0)), channels_);
  for (size_t i = 0; i < combs_.size(); ++i) combs_[i].line.Make(FramesOfMs(kCombMs[i], rate_), channels_);
  for (size_t i = 0; i < allPasses_.size(); ++i) allPasses_[i].Make(FramesOfMs(kAllPassMs[i], rate_), channels_);
  chorusWave_.Start(kChorusHz, rate_);
  flangerWave_.Start(kFlangerHz, rate_);
  rotationWave_.Start(kRotationHz, rate_);
}

void EffectChain::MakeBand(int band) {
  Biquad& b = bands_[size_t(band)];
  const int position = settings_.bands[size_t(band)];
  const bool on = settings_.equaliser && position != kEqFlat && EqBandServes(band, rate_);
  if (on && !b.on) {
    std::fill(std::begin(b.z1), std::end(b.z1), 0.0f);
    std::fill(std::begin(b.z2), std::end(b.z2), 0.0f);
  }
  b.on = on;
  if (!on) return;
  // A peaking filter (the bilinear form of the analogue band): exactly the band's gain at
  // its centre, falling off to nothing an octave or two away.
  const double a = std::pow(10.0, EqGainDb(position) / 40.0);
  const double w0 = 2 * kPi * kEqCentres[size_t(band)] / rate_;
  const double alpha = std::sin(w0) / (2 * kBandQ);
  const double c = std::cos(w0);
  const double a0 = 1 + alpha / a;
  b.b0 = float((1 + alpha * a) / a0);
  b.b1 = float(-2 * c / a0);
  b.b2 = float((1 - alpha * a) / a0);
  b.a1 = float(-2 * c / a0);
  b.a2 = float((1 - alpha / a) / a0);
}

void EffectChain::Set(const EffectSettings& settings) {
  const EffectSettings old = settings_;
  settings_ = settings;
  for (int band = 0; band < kEqBandCount; ++band) MakeBand(band);
  if (settings.chorus && !old.chorus) chorusLine_.Clear();
  if (settings.flanger && !old.flanger) flangerLine_.Clear();
  if (settings.echo && !old.echo) echoLine_.Clear();
  if (settings.reverb && !old.reverb) {
    for (Comb& comb : combs_) {
      comb.line.Clear();
      std::fill(std::begin(comb.store), std::end(comb.store), 0.0f);
    }
    for (DelayLine& line : allPasses_) line.Clear();
  }
}

bool EffectChain::Active() const {
  const EffectSettings& s = settings_;
  bool anyBand = std::any_of(bands_.begin(), bands_.end(), [](const Biquad& b) { return b.on; });
  return anyBand || s.reverb || s.chorus || s.flanger || s.echo || (s.rotate && channels_ == 2);
}

void EffectChain::Clear() {
  for (Biquad& b : bands_) {
    std::fill(std::begin(b.z1), std::end(b.z1), 0.0f);
    std::fill(std::begin(b.z2), std::end(b.z2), 0.0f);
  }
  chorusLine_.Clear();
  flangerLine_.Clear();
  echoLine_.Clear();
  for (Comb& comb : combs_) {
    comb.line.Clear();
    std::fill(std::begin(comb.store), std::end(comb.store), 0.0f);
  }
  for (DelayLine& line : allPasses_) line.Clear();
}

bool EffectChain::HoldsSubnormal() const {
  auto anyIn = [](const std::vector<float>& v) { return std::any_of(v.begin(), v.end(), Subnormal); };
  for (const Biquad& b : bands_)
    for (int c = 0; c < 2; ++c)
      if (Subnormal(b.z1[c]) || Subnormal(b.z2[c])) return true;
  if (anyIn(chorusLine_.buffer) || anyIn(flangerLine_.buffer) || anyIn(echoLine_.buffer)) return true;
  for (const Comb& comb : combs_)
    if (anyIn(comb.line.buffer) || Subnormal(comb.store[0]) || Subnormal(comb.store[1])) return true;
  return std::any_of(allPasses_.begin(), allPasses_.end(), [&](const DelayLine& l) { return anyIn(l.buffer); });
}

float EffectChain::Equalise(int channel, float x) {
  for (Biquad& b : bands_) {
    if (!b.on) continue;
    const float in = x + kGuard;
    const float y = b.b0 * in + b.z1[channel];
    b.z1[channel] = b.b1 * in - b.a1 * y + b.z2[channel];
    b.z2[channel] = b.b2 * in - b.a2 * y;
    x = y;
  }
  return x;
}

float EffectChain::DelayedBy(const DelayLine& line, int channel, float frames) const {
  float position = float(line.at) - frames;
  if (position < 0) position += float(line.length);
  size_t older = size_t(position);
  const float fraction = position - float(older);
  if (older >= line.length) older -= line.length;
  const size_t newer = older + 1 == line.length ? 0 : older + 1;
  const float a = line.buffer[older * size_t(channels_) + size_t(channel)];
  const float b = line.buffer[newer * size_t(channels_) + size_t(channel)];
  return a + (b - a) * fraction;
}

void EffectChain::Oscillator::Start(double hz, uint32_t rate) {
  const double step = 2 * kPi * hz / rate;
  stepSin = std::sin(step);
  stepCos = std::cos(step);
}

void EffectChain::Oscillator::Step() {
  const double s = sine * stepCos + cosine * stepSin;
  cosine = cosine * stepCos - sine * stepSin;
  sine = s;
}

void EffectChain::Oscillator::Settle() {
  // Rounding lets the pair drift off the unit circle over many steps: put it back.
  const double length = std::sqrt(sine * sine + cosine * cosine);
  if (length > 0) {
    sine /= length;
    cosine /= length;
  }
}

void EffectChain::Chorus(float* frame) {
  const double middle = (kChorusMinMs + kChorusMaxMs) / 2, depth = (kChorusMaxMs - kChorusMinMs) / 2;
  for (int c = 0; c < channels_; ++c) {
    // The right channel's delay swings a quarter turn later: the sound widens.
    const double ms = middle + depth * (c == 0 ? chorusWave_.sine : chorusWave_.cosine);
    const float wet = DelayedBy(chorusLine_, c, float(ms * rate_ / 1000.0));
    chorusLine_.buffer[chorusLine_.at * size_t(channels_) + size_t(c)] = frame[c];
    frame[c] = float(kChorusMix) * (frame[c] + wet);
  }
  chorusLine_.at = (chorusLine_.at + 1) % chorusLine_.length;
  chorusWave_.Step();
}

void EffectChain::Flanger(float* frame) {
  const double middle = (kFlangerMinMs + kFlangerMaxMs) / 2, depth = (kFlangerMaxMs - kFlangerMinMs) / 2;
  const double ms = middle + depth * flangerWave_.sine;
  for (int c = 0; c < channels_; ++c) {
    const float wet = DelayedBy(flangerLine_, c, float(ms * rate_ / 1000.0));
    flangerLine_.buffer[flangerLine_.at * size_t(channels_) + size_t(c)] =
        frame[c] + float(kFlangerFeedback) * wet + kGuard;
    frame[c] = float(kFlangerMix) * (frame[c] + wet);
  }
  flangerLine_.at = (flangerLine_.at + 1) % flangerLine_.length;
  flangerWave_.Step();
}

void EffectChain::Echo(float* frame) {
  // The line is exactly the delay long: the frame about to be replaced is the one heard again.
  for (int c = 0; c < channels_; ++c) {
    float& slot = echoLine_.buffer[echoLine_.at * size_t(channels_) + size_t(c)];
    const float repeat = slot;
    slot = frame[c] + float(kEchoFeedback) * repeat + kGuard;
    frame[c] += float(kEchoMix) * repeat;
  }
  echoLine_.at = (echoLine_.at + 1) % echoLine_.length;
}

void EffectChain::Reverb(float* frame) {
  for (int c = 0; c < channels_; ++c) {
    const float in = frame[c] * kReverbInput + kGuard;
    float sum = 0;
    for (Comb& comb : combs_) {
      float& slot = comb.line.buffer[comb.line.at * size_t(channels_) + size_t(c)];
      const float out = slot;
      comb.store[c] = out * (1 - kCombDamping) + comb.store[c] * kCombDamping;
      slot = in + kCombFeedback * comb.store[c];
      sum += out;
    }
    for (DelayLine& line : allPasses_) {
      float& slot = line.buffer[line.at * size_t(channels_) + size_t(c)];
      const float stored = slot;
      slot = sum + stored * kAllPassFeedback + kGuard;
      sum = stored - sum;
    }
    frame[c] = frame[c] * kReverbDry + sum * kReverbWet;
  }
  for (Comb& comb : combs_) comb.line.at = (comb.line.at + 1) % comb.line.length;
  for (DelayLine& line : allPasses_) line.at = (line.at + 1) % line.length;
}

void EffectChain::Rotate(float* frame) {
  // The sound of both sides goes round: from the middle to the right, back through the
  // middle to the left, at equal power throughout (the squares of the gains add up to 2).
  const float middle = (frame[0] + frame[1]) * 0.5f;
  const float side = float(rotationWave_.sine);
  frame[0] = middle * std::sqrt(std::max(0.0f, 1 - side));
  frame[1] = middle * std::sqrt(std::max(0.0f, 1 + side));
  rotationWave_.Step();
}

void EffectChain::Process(int16_t* samples, size_t frames) {
  if (!Active()) return;
  const EffectSettings& s = settings_;
  const bool rotate = s.rotate && channels_ == 2;
  float frame[2];
  for (size_t f = 0; f < frames; ++f) {
    int16_t* at = samples + f * size_t(channels_);
    for (int c = 0; c < channels_; ++c) frame[c] = Equalise(c, float(at[c]));
    if (s.chorus) Chorus(frame);
    if (s.flanger) Flanger(frame);
    if (s.echo) Echo(frame);
    if (s.reverb) Reverb(frame);
    if (rotate) Rotate(frame);
    for (int c = 0; c < channels_; ++c) at[c] = Clip(frame[c]);
  }
  chorusWave_.Settle();
  flangerWave_.Settle();
  rotationWave_.Settle();
}

void ReadEffectControl(EffectSettings& settings, int id, const std::function<int(int)>& read) {
  if (id >= kFxFirstBand && id <= kFxLastBand) {
    settings.bands[size_t(id - kFxFirstBand)] = std::clamp(read(id), 0, kEqMaxPosition);
    return;
  }
  switch (id) {
    case kFxEqualiser: settings.equaliser = read(id) != 0; break;
    case kFxReverb: settings.reverb = read(id) != 0; break;
    case kFxChorus: settings.chorus = read(id) != 0; break;
    case kFxFlanger: settings.flanger = read(id) != 0; break;
    case kFxEcho: settings.echo = read(id) != 0; break;
    case kFxRotate: settings.rotate = read(id) != 0; break;
    default: break;
  }
}

}  // namespace audio
