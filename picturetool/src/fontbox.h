// The text box "SKFONTBOX" (FONTBOXPROC) and the shape box "SKDRAWBOX" (DRAWBOXPROC):
// font, size, colour (track bars and the colour pick), 3D shadow, and for texts the text
// with a character grid; a live preview drawn as the objects are. FONTBOXPARAMS carries
// the settings in and out and keeps them from one use to the next. Windows only.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace bravik {

inline constexpr const char* kFontBoxClass = "SKFONTBOX";
inline constexpr const char* kDrawBoxClass = "SKDRAWBOX";

// The boxes' controls.
enum FontBoxControl : int {
  kFontOk = 2,
  kFontFamily = 100,
  kFontAlpha = 101,  // 101 to 104: alpha, red, green, blue
  kFontBlue = 104,
  kFontSwatch = 105,
  kFontSize = 106,
  kFontText = 107,
  kFontDepth = 108,
  kFontGrid = 109,
  kFontPick = 110,
  kFontClose = 32196,
  kFontValueLabel = 32201,  // 32201 to 32204: the track bars' values
};

// The settings of the text and shape boxes, kept from one use to the next.
struct FontBoxParams {
  std::string family = "Arial";
  std::string text;
  std::string labels;
  int size = 0;                 // 0: the default (14 for a text, 1 for a pen)
  uint32_t colour = 0xFF000000; // ARGB
  int shadow = 0;
  int answer = 0;               // 2: closed with OK
  uint32_t kindAndStyle = 1;    // MAKELONG(kind, style)
};
FontBoxParams& FONTBOXPARAMS();

// The text box and the shape box: 2 when the user chose OK, the settings then hold the
// chosen values; anything else leaves them as they were.
int FONTBOX(HWND owner, const std::string& caption);
int DRAWBOX(HWND owner, const std::string& caption);

LRESULT CALLBACK FONTBOXPROC(HWND box, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK DRAWBOXPROC(HWND box, UINT message, WPARAM wParam, LPARAM lParam);
// Owner-draws an entry of the family box in its own font.
void DRAWFONTITEM(const DRAWITEMSTRUCT& item);
// Reads the shape box's colour, pen width and 3D into the settings.
void DRAWBOXVALUES(HWND box);

}  // namespace bravik
