// Geometry of the slide show maker's main window: the slide list with the totals and the
// progress bar on the left; the preview, the effect boxes, the text field and the sound
// buttons on the right. Portable arithmetic; the window code measures and places.
#pragma once
#include <map>

#include "ui_rules.h"

namespace dunmere {

// Control identifiers of the main window (commands and controls share numbers).
enum Control {
  kEffectGroupBox = 1,
  kEffectList = 2,
  kTextField = 3,
  kSlideList = 4,
  kApplyEffectButton = 5,
  kPreviewButton = 6,
  kDeleteEffectButton = 7,
  kPreviewPane = 8,
  kSaveTextButton = 9,
  kDeleteTextButton = 10,
  kPlayButton = 11,
  kTotalLabel = 12,
  kMusicLabel = 13,
  kProgressBar = 14,
  kPlaySoundButton = 51,
  kRecordButton = 52,
  kStopButton = 53,
  kDeleteSoundButton = 54,
  kVolumeBar = 75,
};

struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Rect&) const = default;
};

struct LayoutInput {
  int clientWidth = 0;
  int clientHeight = 0;
  int buttonHeight = 0;
  int buttonWidth = 0;   // the widest button caption with its margins
  int comboHeight = 0;   // the closed effect group box
  int labelHeight = 0;
  Placement volume;      // PLACEPANELCHILD's answer for the volume bar
};

// Every control's rectangle by identifier; the volume bar is left out when it is hidden.
std::map<int, Rect> ComputeLayout(const LayoutInput& in);

}  // namespace dunmere
