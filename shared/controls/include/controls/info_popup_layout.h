// The info popup's text and place (class "SKSTATIC"): a few lines centred over a window,
// between an empty first line and two line ends. Portable.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "controls/box_rect.h"

inline constexpr size_t kInfoPopupTextLimit = 255;

// The window text: "|" + text + "||", cut to 255 bytes, every "|" a carriage return.
std::string InfoPopupText(std::string_view text);
// The lines the popup is measured by: the same framing, split at "|", never cut.
std::vector<std::string> InfoPopupLines(std::string_view text);

struct InfoPopupMeasures {
  int widestLine = 0;   // of InfoPopupLines, in the caption font
  int lineHeight = 13;  // of "W" in that font
  int lineCount = 1;    // how many InfoPopupLines there are
  int frameWidth = 0;   // the dialog frame's width and height
  int frameHeight = 0;
};

// Wide enough for the widest line with a line height on either side, high enough for
// every line of the split (the framing's blank lines included) and one more; centred
// over the owner's window rectangle (the screen without an owner), each coordinate kept
// between 0 and the screen size less the popup's.
BoxRect InfoPopupRect(const InfoPopupMeasures& m, const BoxRect& owner, int screenWidth, int screenHeight);
