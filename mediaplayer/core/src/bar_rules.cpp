#include "falcet/bar_rules.h"

namespace falcet {

namespace {

// Control numbers (commands.h has them by name for the program).
enum : int {
  kIndex1 = 48, kIndex2 = 49, kIndex3 = 50, kPlay = 51, kPause = 52, kEffects = 53, kSpectrum = 54, kPrevious = 55,
  kNext = 56, kRestart = 57, kMute = 61, kUnmute = 62, kSnapshot = 63, kRefresh = 64, kLarger = 65, kSmaller = 66,
  kOpen = 67, kPrint = 68, kWebStop = 69, kNotice = 70, kStop = 71, kCopy = 72, kRestart2 = 73, kHelp = 74,
  kVolume = 76, kPosition = 77, kRepeat = 78,
};
constexpr BarControl kVolumeStep{0, 0, 0, 0, false, 0};

}  // namespace

std::vector<BarControl> BarPlan(int barKind) {
  switch (barKind) {
    case kBarWeb:
      return {{kEffects, kImageButton, 16, 1}, {kSpectrum, kImageButton, 17, 1}, {kPrevious, kImageButton, 18},
              {kNext, kImageButton, 19},       {kPlay, kImageButton, 14},         {kPause, kImageButton, 15, 0, false},
              {kRestart2, kImageButton, 36},   {kRestart, kImageButton, 36},      {kOpen, kImageButton, 20},
              {kPrint, kImageButton, 37},      {kCopy, kImageButton, 38},         {kWebStop, kImageButton, 39},
              {kRefresh, kImageButton, 40},    {kNotice, kImageButton, 41},       {kLarger, kImageButton, 42},
              {kSmaller, kImageButton, 43},    {kVolume, kTrackBar, 23},          {kIndex1, kImageButton, 54},
              {kIndex2, kImageButton, 55},     {kIndex3, kImageButton, 56},       {kStop, kImageButton, 26},
              kVolumeStep};
    case kBarVideo:
    case kBarSound:
      return {{kEffects, kImageButton, 16, 2},  {kSpectrum, kImageButton, 17, 2}, {kPrevious, kImageButton, 18},
              {kNext, kImageButton, 19},        {kPlay, kImageButton, 14},        {kPause, kImageButton, 15, 0, false},
              {kOpen, kImageButton, 20},        {kSnapshot, kImageButton, 21, 0, false},
              {kMute, kImageButton, 24},        {kUnmute, kImageButton, 25, 0, false},
              {kStop, kImageButton, 26},        {kPosition, kTrackBar, 22},       {kVolume, kTrackBar, 23},
              {kIndex1, kImageButton, 54},      {kIndex2, kImageButton, 55},      {kIndex3, kImageButton, 56},
              {kHelp, kImageButton, 50, 0, true, 4}, kVolumeStep,                 {kRepeat, kCheckButton, 35}};
    case kBarPicture:
      return {{kEffects, kImageButton, 16, 2}, {kSpectrum, kImageButton, 17, 2}, {kPrevious, kImageButton, 18},
              {kNext, kImageButton, 19},       {kOpen, kImageButton, 20},         {kPrint, kImageButton, 37},
              {kMute, kImageButton, 24},       {kUnmute, kImageButton, 25, 0, false},
              {kStop, kImageButton, 26},       {kPosition, kTrackBar, 22},        {kVolume, kTrackBar, 23},
              {kCopy, kImageButton, 38},       {kIndex1, kImageButton, 54},       {kIndex2, kImageButton, 55},
              {kIndex3, kImageButton, 56},     kVolumeStep,                       {kPause, kImageButton, 87, 0, false},
              {kPlay, kImageButton, 86},       {kHelp, kImageButton, 50}};
    default:
      return {};
  }
}

int BarStyle(int barKind) { return barKind == kBarSound ? kBarVideo : barKind; }

int PaneModeOf(int barKind) { return barKind; }

bool PaneDocked(int dockField) { return dockField >= 32; }

PanePoint DockedPanePlace(int dockField, int frameLeft, int frameTop, int frameRight, int frameBottom, int paneWidth,
                          int paneHeight) {
  switch (dockField) {
    case 33: return {frameLeft, frameTop};
    case 34: return {frameRight - paneWidth, frameTop};
    case 40: return {frameLeft, frameBottom - paneHeight};
    default: return {frameRight - paneWidth, frameBottom - paneHeight};
  }
}

CompactForm CompactFormFor(bool fullScreen, bool paneLayout, int dockField) {
  if (fullScreen) return CompactForm::kNone;
  if (!paneLayout) return CompactForm::kShrunk;
  return PaneDocked(dockField) ? CompactForm::kMarked : CompactForm::kOffScreen;
}

}  // namespace falcet
