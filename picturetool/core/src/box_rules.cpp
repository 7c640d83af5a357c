#include "bravik/box_rules.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "fileio/fields.h"
#include "fileio/paths.h"
#include "imglib/filters.h"
#include "imglib/transforms.h"

namespace bravik {
namespace {

// The menu commands of the boxes (bravik.SYS numbers them; src/commands.h names them).
constexpr int kCmdContrast = 203, kCmdStretchIntensity = 212, kCmdAutoEnhance = 214;
constexpr int kCmdFlip = 301, kCmdTurnRight = 304, kCmdAutoTrim = 306, kCmdResize = 313;
constexpr int kCmdSharpen = 601, kCmdMedian = 606, kCmdOilPainting = 608;
constexpr int kCmdEmbossFirst = 701, kCmdEmbossLast = 708;
constexpr int kCmdReliefFirst = 901, kCmdReliefLast = 908;

}  // namespace

EffectRange EffectRangeOf(int boxIndex) {
  int key = boxIndex >= kBoxFirstEmboss && boxIndex <= kBoxLastEmboss ? kBoxFirstEmboss : boxIndex;
  for (const EffectRange& e : kEffects)
    if (e.index == key) return EffectRange{boxIndex, e.minimum, e.maximum, e.value, e.multiplier};
  return EffectRange{boxIndex, 0, 0, 0, 1};
}

int BoxIndex(int command) {
  if (command >= kCmdContrast && command <= kCmdStretchIntensity) return command - kCmdContrast + kBoxContrast;
  if (command >= kCmdSharpen && command <= kCmdMedian) return command - kCmdSharpen + kBoxSharpen;
  if (command >= kCmdEmbossFirst && command <= kCmdEmbossLast) return command - kCmdEmbossFirst + kBoxFirstEmboss;
  if (command >= kCmdFlip && command <= kCmdTurnRight) return command - kCmdFlip + kBoxFlip;
  switch (command) {
    case kCmdOilPainting: return kBoxOilPainting;
    case kCmdAutoTrim: return kBoxAutoTrim;
    case kCmdAutoEnhance: return kBoxAutoEnhance;
    case kCmdResize: return kBoxResize;
    default: return 0;
  }
}

bool HasValue(int boxIndex) {
  EffectRange r = EffectRangeOf(boxIndex);
  return r.minimum != 0 || r.maximum != 0;
}

bool PreviewsAtOnce(int boxIndex) {
  switch (boxIndex) {
    case kBoxInvert: case kBoxGreyScale: case kBoxHistoEqualize: case kBoxStretch: case kBoxFlip: case kBoxMirror:
    case kBoxTurnLeft: case kBoxTurnRight: case kBoxAutoTrim: case kBoxAutoEnhance:
      return true;
    default:
      return boxIndex >= kBoxFirstEmboss && boxIndex <= kBoxLastEmboss;
  }
}

int LibraryArgument(int boxIndex, int value, int multiplier) {
  switch (boxIndex) {
    case kBoxPosterize: return 64 - value;
    case kBoxSolarize: return 255 - value;
    case kBoxGamma: return value > 0 ? 100 + 2 * value : std::max(1, 100 + value);
    case kBoxAutoTrim: return value;
    default: return value * multiplier;
  }
}

int EmbossDirection(int boxIndex) { return std::clamp(boxIndex - kBoxFirstEmboss, 0, 7); }

int ReliefDirection(int command) {
  static constexpr int kDirections[8] = {4, 5, 6, 7, 0, 1, 2, 3};
  return kDirections[std::clamp(command - kCmdReliefFirst, 0, kCmdReliefLast - kCmdReliefFirst)];
}

int SaturationStep(int previous, int value, bool& apply) {
  apply = (value > 0 && value > previous && previous >= 0) || (value < 0 && value < previous && previous <= 0);
  return apply ? value : 0;
}

bool APPLYEFFECT(imglib::Raster& picture, int boxIndex, int value, int multiplier) {
  using namespace imglib;
  int v = LibraryArgument(boxIndex, value, multiplier);
  switch (boxIndex) {
    case kBoxContrast: return ChangeContrast(picture, v);
    case kBoxIntensity: return ChangeIntensity(picture, v);
    case kBoxHue: return ChangeHue(picture, v);
    case kBoxSaturation: return ChangeSaturation(picture, v);
    case kBoxGamma: return GammaCorrect(picture, v);
    case kBoxInvert: return Invert(picture);
    case kBoxGreyScale: return GreyScale(picture);
    case kBoxHistoContrast: return HistoContrast(picture, v);
    case kBoxHistoEqualize: return HistoEqualize(picture);
    case kBoxStretch: return StretchIntensity(picture);
    case kBoxSharpen: return Sharpen(picture, v);
    case kBoxSolarize: return Solarize(picture, v);
    case kBoxPosterize: return Posterize(picture, v);
    case kBoxMosaic: return Mosaic(picture, v);
    case kBoxAverage: return AverageFilter(picture, v);
    case kBoxMedian: return MedianFilter(picture, v);
    case kBoxOilPainting: return Oilify(picture, v);
    case kBoxFlip: FlipVertical(picture); return true;
    case kBoxMirror: FlipHorizontal(picture); return true;
    case kBoxTurnLeft:
    case kBoxTurnRight: {
      Raster turned;
      if (!Rotate(picture, boxIndex == kBoxTurnLeft ? -9000 : 9000, true, Rgb{}, turned)) return false;
      picture = std::move(turned);
      return true;
    }
    case kBoxAutoTrim: return AutoTrim(picture, v);
    case kBoxAutoEnhance:
      return HistoEqualize(picture) && StretchIntensity(picture) && Sharpen(picture, 20);
    default:
      if (boxIndex >= kBoxFirstEmboss && boxIndex <= kBoxLastEmboss)
        return GreyScale(picture) && Emboss(picture, EmbossDirection(boxIndex), v);
      return false;
  }
}

bool ReliefOf(imglib::Raster& picture, int command) {
  imglib::Raster relief = picture;
  if (!imglib::GreyScale(relief) || !imglib::Invert(relief) ||
      !imglib::Emboss(relief, ReliefDirection(command), 500))
    return false;
  return imglib::Underlay(picture, relief);
}

int SizeFieldValue(std::string_view text) {
  std::string trimmed = fileio::Trim(text);
  if (trimmed.empty() || trimmed.size() > 6 || !std::all_of(trimmed.begin(), trimmed.end(), [](char c) {
        return c >= '0' && c <= '9';
      }))
    return 0;
  return std::atoi(trimmed.c_str());
}

int ProportionalSide(int side, int pictureSide, int pictureOtherSide) {
  if (side <= 0 || pictureSide <= 0 || pictureOtherSide <= 0) return 0;
  return int((int64_t(side) * pictureOtherSide + pictureSide / 2) / pictureSide);
}

bool SizeAllowed(int width, int height) {
  return width >= 1 && height >= 1 && width <= 9999 && height <= 9999 && imglib::Raster::SizeAllowed(width, height);
}

int SizeOfText(std::string_view text, int defaultSize) {
  int n = SizeFieldValue(text);
  return n > 0 ? std::min(n, 512) : defaultSize;
}

uint32_t ComposeArgb(int alpha, int red, int green, int blue) {
  auto byte = [](int v) { return uint32_t(std::clamp(v, 0, 255)); };
  return byte(alpha) << 24 | byte(red) << 16 | byte(green) << 8 | byte(blue);
}

BoxLabels COLORLABELS(std::string_view entry) {
  std::vector<std::string> fields = fileio::SplitFields(entry, '|');
  auto field = [&](size_t i) { return i < fields.size() ? fileio::Trim(fields[i]) : std::string(); };
  BoxLabels labels;
  labels.caption = field(0);
  std::vector<std::string> colours = fileio::SplitFields(field(1), ',');
  static const char* const kColours[4] = {"Alpha", "Red", "Green", "Blue"};
  for (size_t i = 0; i < 4; ++i) {
    std::string c = i < colours.size() ? fileio::Trim(colours[i]) : std::string();
    labels.colours[i] = c.empty() ? kColours[i] : c;
  }
  labels.size = field(2).empty() ? "Size" : field(2);
  labels.depth = field(3).empty() ? "3D" : field(3);
  return labels;
}

}  // namespace bravik
