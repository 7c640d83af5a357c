// The general modal box (class "SSLBUILDBOX"): an icon, "|"-separated text lines, one check
// box per label and a row of buttons. It is owned by the caller's window, which it disables
// while it runs its own message loop, and hands back the pressed button and the check
// states. The media browser shows its start-up hint with it; the slide show maker its
// questions.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "controls/buildbox_layout.h"

inline constexpr const char* kBuildBoxClass = "SSLBUILDBOX";

// How the text lines are printed (the style's text-style value).
enum BuildBoxTextStyle : uint8_t { kTextPlain = 1, kTextEngraved = 2, kTextRaised = 3 };

struct BuildBoxStyle {
  HICON icon = nullptr;          // drawn 32 x 32 left of the text; none: no icon column
  COLORREF textColour = 0;       // skin colour 113 in the callers
  COLORREF secondColour = 0;     // skin colour 112 in the callers: the text's shadow
  int32_t layout = 6;            // spacing in pixels
  uint8_t flag = 0;
  uint8_t textStyle = kTextRaised;
  // The media browser's variant: three 3-D rectangles in the skin's edge colours as the
  // box's inner frame, instead of an etched edge.
  bool raisedFrame = false;
};

// Shows the box and returns the number of the pressed button (from 1), or 0 when it was
// closed otherwise (caption button, Escape, the program's quit) or could not be shown.
// checkStates goes in as the check boxes' presets (bit i - 1 for the i-th) and comes back
// with their final states whenever the box had check boxes; a box without check boxes
// leaves it unchanged. An empty buttonTexts gives one "    OK    " button.
int BUILDBOX(HWND owner, HFONT font, const std::string& caption, const std::string& text,
             const std::string& checkTexts, const std::string& buttonTexts, uint32_t& checkStates,
             const BuildBoxStyle& style);

// The window procedure of "SSLBUILDBOX".
LRESULT CALLBACK BUILDPROC(HWND box, UINT message, WPARAM wParam, LPARAM lParam);
