#include "jorvel/level_meter.h"

#include <algorithm>
#include <cmath>

namespace jorvel {

namespace {

constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); }

constexpr std::array<uint32_t, 34> kTable = {
    0,
    Rgb(0, 0, 255),     Rgb(0, 44, 233),    Rgb(0, 67, 210),    Rgb(0, 89, 187),    Rgb(0, 112, 164),
    Rgb(0, 135, 142),   Rgb(0, 159, 117),   Rgb(0, 183, 88),    Rgb(0, 207, 58),    Rgb(0, 231, 29),
    Rgb(26, 234, 26),   Rgb(52, 237, 23),   Rgb(79, 240, 20),   Rgb(105, 243, 17),  Rgb(126, 245, 14),
    Rgb(147, 248, 11),  Rgb(168, 250, 8),   Rgb(189, 253, 5),   Rgb(210, 255, 2),   Rgb(233, 255, 0),
    Rgb(255, 255, 0),   Rgb(255, 251, 0),   Rgb(255, 235, 0),   Rgb(255, 215, 0),   Rgb(255, 196, 0),
    Rgb(255, 176, 0),   Rgb(255, 156, 0),   Rgb(253, 137, 0),   Rgb(255, 117, 0),   Rgb(255, 97, 0),
    Rgb(255, 78, 0),    Rgb(255, 58, 0),    Rgb(255, 0, 0),
};

// The table entry of a step: steps 1 and 2 fall on entry 0, which the meter never lights.
int EntryOfStep(int step) { return step / 3; }

}  // namespace

int PERCENTOF(int32_t a, int32_t b) {
  if (b == 0) return 0;
  return int(std::lround(100.0 * double(a) / double(b)));
}

uint32_t DARKERCOLOR(uint32_t colour) {
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    uint32_t c = (colour >> shift) & 0xFF;
    out |= (c < 32 ? 0 : c - 32) << shift;
  }
  return out;
}

uint32_t MeterTableColour(int entry) { return entry >= 0 && entry < int(kTable.size()) ? kTable[size_t(entry)] : 0; }

MeterLevels MeterLevelsOf(uint32_t packedLevel) {
  if (packedLevel == 0xFFFFFFFFu) return {};
  auto scaled = [](uint32_t word) { return int(std::min<uint32_t>(word, 128)); };
  return {scaled(packedLevel & 0xFFFF), scaled(packedLevel >> 16)};
}

MeterGeometry MeterGeometryOf(int width, int height) {
  MeterGeometry g;
  g.width = std::max(0, width);
  g.height = std::max(0, height);
  const double tall = std::max(33, g.height);
  g.barHeight = int(std::lround(tall / 33.0));
  g.barCount = int(std::lround(tall / g.barHeight));
  g.columnWidth = g.width / 2;
  return g;
}

void LevelMeter::TakeGeometry(int width, int height) {
  if (!HasGeometry() && width > 0 && height > 0) geometry_ = MeterGeometryOf(width, height);
}

void LevelMeter::Update(int left, int right) {
  const int levels[2] = {std::clamp(left, 0, 128), std::clamp(right, 0, 128)};
  for (int channel = 0; channel < 2; ++channel) {
    const int percent = PERCENTOF(levels[channel], 128);
    auto& steps = steps_[size_t(channel)];
    int trailEnd = 0;
    for (int k = 1; k <= kSteps; ++k) {
      uint32_t& colour = steps[size_t(k)];
      if (percent >= k) {
        colour = kTable[size_t(EntryOfStep(k))];
        continue;
      }
      if (trailEnd == 0) {
        if (colour != 0) colour = DARKERCOLOR(colour);
        // Steps the table leaves black are no end of the trail: the fade goes on above them.
        if (colour == 0 && EntryOfStep(k) > 0) trailEnd = k;
      } else {
        colour = 0;
      }
    }
  }
}

uint32_t LevelMeter::StepColour(int channel, int step) const {
  if (channel < 0 || channel > 1 || step < 1 || step > kSteps) return 0;
  return steps_[size_t(channel)][size_t(step)];
}

uint32_t LevelMeter::BarColour(int channel, int bar) const {
  return StepColour(channel, PERCENTOF(bar, geometry_.barCount));
}

}  // namespace jorvel
