// The level meter of the audio panel: two columns of coloured bars, left and right, lit
// up to the sound's level, with a trail that fades when the level drops. The arithmetic
// and the colours are portable; vu_meter.h draws them into the VU window.
#pragma once
#include <array>
#include <cstdint>

namespace jorvel {

// round(100 x a / b); 0 when b is 0.
int PERCENTOF(int32_t a, int32_t b);
// A Windows colour value (0x00BBGGRR) with red, green and blue each lowered by 32; a
// component below 32 becomes 0.
uint32_t DARKERCOLOR(uint32_t colour);
// The meter's colour table: entry 0 black, 1 blue through green and yellow to 33 red.
uint32_t MeterTableColour(int entry);

// The channels' levels as the audio layer packs them (left in the low word, right in the
// high word, each 0 to 128) on the meter's scale: a medium that does not play
// (0xFFFFFFFF) reads 0 on both sides, a level above 128 reads 128.
struct MeterLevels {
  int left = 0;
  int right = 0;
};
MeterLevels MeterLevelsOf(uint32_t packedLevel);

// Where the bars lie in a VU window of a client size: bar height round(max(33, h) / 33),
// bar count round(max(33, h) / bar height), each column half the width (the right one
// takes the odd pixel).
struct MeterGeometry {
  int width = 0;
  int height = 0;
  int barHeight = 0;
  int barCount = 0;
  int columnWidth = 0;
};
MeterGeometry MeterGeometryOf(int width, int height);

class LevelMeter {
 public:
  static constexpr int kSteps = 100;

  // The meter's switch, from the skin's pane description; 0 keeps it dark for good.
  void SetSwitch(int value) { on_ = value != 0; }
  bool On() const { return on_; }
  // The geometry is taken once, from the first VU window the meter finds.
  bool HasGeometry() const { return geometry_.barCount > 0; }
  void TakeGeometry(int width, int height);
  const MeterGeometry& Geometry() const { return geometry_; }

  // One call of the meter with levels on 0 to 128 (outside: 0 or 128). A lit step takes
  // its colour of the table; a step above the level darkens by 32 a call until it is
  // black, and above the first black step (of those the table lights) every step goes
  // black at once. Eight calls at 0 thus turn the whole meter black.
  void Update(int left, int right);
  // The colour of step 1 to 100 of channel 0 (left) or 1 (right).
  uint32_t StepColour(int channel, int step) const;
  // The colour of bar 1 (the bottom) to the bar count: the step PERCENTOF(bar, count).
  uint32_t BarColour(int channel, int bar) const;

 private:
  bool on_ = true;
  MeterGeometry geometry_;
  std::array<std::array<uint32_t, kSteps + 1>, 2> steps_{};  // [channel][step]; black at first
};

}  // namespace jorvel
