// Geometry of the slide show maker's main window: the slide list with the totals and the
// progress bar on the left; the preview, the effect boxes, the text field, the level
// display and the sound buttons on the right. Portable arithmetic; the window code measures and places.
#pragma once
#include <map>

#include "dunmere/command_ids.h"
#include "dunmere/ui_rules.h"

namespace dunmere {

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
