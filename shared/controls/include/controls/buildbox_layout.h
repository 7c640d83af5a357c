// Geometry and texts of the general modal box (class "SSLBUILDBOX"). Portable.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "controls/box_rect.h"

// What the window code measured in the box's font.
struct BuildBoxMeasures {
  std::vector<int> lineWidths;     // one per text line
  std::vector<int> checkWidths;    // one per check-box label
  std::vector<int> buttonWidths;   // one per button caption
  int lineHeight = 13;             // height of a line of text
  int unit = 8;                    // width of "W": margins are counted in it
  int checkGlyph = 13;             // the check mark's box
  int buttonHeight = 22;
  bool icon = false;               // a 32 x 32 icon stands left of the text
  int layout = 6;                  // the style record's layout value: the spacing
};

struct BuildBoxGeometry {
  int clientWidth = 0;
  int clientHeight = 0;
  BoxRect icon;
  std::vector<BoxRect> lines;
  std::vector<BoxRect> checks;
  std::vector<BoxRect> buttons;
};

inline constexpr int kBuildBoxIconSize = 32;

// The box is as wide as the widest line (beside the icon column), check box or button row,
// and as tall as the text block, the check boxes and the button row; buttons are equally
// wide, in one row, centred.
BuildBoxGeometry ComputeBuildBoxGeometry(const BuildBoxMeasures& m);

// The "|"-separated items of a text; an empty text has none.
std::vector<std::string> SplitBoxItems(const std::string& text);
// The button captions: an empty text gives the one caption "    OK    ".
std::vector<std::string> BoxButtonCaptions(const std::string& text);
// The check mask: bit i - 1 for the i-th check box that is checked.
uint32_t CheckMask(const std::vector<bool>& checked);
