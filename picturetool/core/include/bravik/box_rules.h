// The rules of the picture tool's boxes that need no window: the effect table (value
// ranges, defaults, multipliers) and how a box value becomes the filter's argument, the
// saturation rule, the relief directions, the size box's numbers, and the text and shape
// boxes' sizes and colours. APPLYEFFECT runs an effect on a picture in memory. Portable.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "imglib/raster.h"

namespace bravik {

// The tool boxes by index: 1 to 10 the colour effects, 11 to 16 the effects, 17 to 24
// emboss in eight directions, then these.
enum ToolBoxIndex : int {
  kBoxContrast = 1,
  kBoxIntensity = 2,
  kBoxHue = 3,
  kBoxSaturation = 4,
  kBoxGamma = 5,
  kBoxInvert = 6,
  kBoxGreyScale = 7,
  kBoxHistoContrast = 8,
  kBoxHistoEqualize = 9,
  kBoxStretch = 10,
  kBoxSharpen = 11,
  kBoxSolarize = 12,
  kBoxPosterize = 13,
  kBoxMosaic = 14,
  kBoxAverage = 15,
  kBoxMedian = 16,
  kBoxFirstEmboss = 17,
  kBoxLastEmboss = 24,
  kBoxOilPainting = 25,
  kBoxFlip = 26,
  kBoxMirror = 27,
  kBoxTurnLeft = 28,
  kBoxTurnRight = 29,
  kBoxAutoTrim = 31,
  kBoxAutoEnhance = 32,
  kBoxResize = 33,
  kBoxNewPicture = 34,
};

// Minimum, maximum, default value and multiplier of a box; an effect without a value has
// minimum and maximum 0.
struct EffectRange {
  int index, minimum, maximum, value, multiplier;
};
// The boxes that take a value (the emboss boxes 17 to 24 share one entry) and the size boxes.
inline constexpr std::array<EffectRange, 17> kEffects{{
    {1, -100, 100, 0, 10}, {2, -100, 100, 0, 10}, {3, -360, 360, 0, 1},  {4, -10, 10, 0, 50},
    {5, -100, 100, 0, 1},  {8, -1000, 1000, 0, 1}, {11, -100, 100, 70, 10}, {12, 0, 255, 0, 1},
    {13, 2, 62, 2, 1},     {14, 0, 100, 0, 1},    {15, 0, 100, 0, 1},    {16, 0, 100, 2, 1},
    {17, 0, 1000, 500, 1}, {25, 0, 10, 7, 1},     {31, 0, 244, 70, 1},   {33, 0, 0, 0, 1},
    {34, 0, 0, 0, 1},
}};
// The range of a box index (all 0 with multiplier 1 for an index without one).
EffectRange EffectRangeOf(int boxIndex);
// The box index of a menu command (0 for commands without a box).
int BoxIndex(int command);
bool HasValue(int boxIndex);
// Effects that the filter box applies to its preview at once (they take no value, or
// emboss with its default depth).
bool PreviewsAtOnce(int boxIndex);

// The imaging library's argument for a box value: value x multiplier, except posterise
// (64 - value levels), solarise (255 - value), gamma (100 + 2 value above 0, else
// max(1, 100 + value)) and auto-trim (the value itself).
int LibraryArgument(int boxIndex, int value, int multiplier);
// The emboss direction of a box (17 to 24 give 0 to 7).
int EmbossDirection(int boxIndex);
// The direction of a relief command (901 to 908): 4, 5, 6, 7, 0, 1, 2, 3.
int ReliefDirection(int command);

// The saturation box applies its effect only while the value moves further from 0 on the
// same side as before; otherwise the value goes back to 0. Returns the value to use and
// whether to apply it.
int SaturationStep(int previous, int value, bool& apply);

// Applies box effect k with a value (already clamped, before the multiplier) to a picture:
// emboss works on the grey picture; auto enhance equalises, stretches and sharpens by 20.
// False when the effect fails or has no filter (the size boxes).
bool APPLYEFFECT(imglib::Raster& picture, int boxIndex, int value, int multiplier);
// The relief of a picture (commands 901 to 908): a grey, inverted copy embossed with the
// command's direction at depth 500 and laid under the picture.
bool ReliefOf(imglib::Raster& picture, int command);

// The size box: a number typed in a field (0 when it holds none); the other side kept in
// proportion to the picture (never a division by zero: 0 for an empty picture); whether a
// size may be made (1 to 9999 each side, and a picture the layer can hold).
int SizeFieldValue(std::string_view text);
int ProportionalSide(int side, int pictureSide, int pictureOtherSide);
bool SizeAllowed(int width, int height);

// The text and shape boxes: the size of a size text (the default when it holds no number
// or 0); a colour from alpha, red, green and blue; the default size of a box kind.
int SizeOfText(std::string_view text, int defaultSize);
uint32_t ComposeArgb(int alpha, int red, int green, int blue);
constexpr int kDefaultTextSize = 14;
constexpr int kDefaultPenWidth = 1;
// Labels of the boxes ("|"-separated as UI entry 46: caption, colour labels separated by
// ",", size label, 3D label); missing parts get the defaults.
struct BoxLabels {
  std::string caption;
  std::string colours[4];
  std::string size;
  std::string depth;
};
BoxLabels COLORLABELS(std::string_view entry);

}  // namespace bravik
