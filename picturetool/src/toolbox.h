// The tool boxes of the picture tool: the filter and size boxes (RUNTOOLBOX over
// TOOLBOXPARAMS) and the text and shape boxes (FONTBOX and DRAWBOX over FONTBOXPARAMS).
// Windows only.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace bravik {

// The tool boxes by index: 1 to 10 the colour effects, 11 to 16 the effects, 17 to 24
// emboss in eight directions, then these.
enum ToolBoxIndex : int {
  kBoxFirstColour = 1,
  kBoxFirstEffect = 11,
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

// The tool box record: values in, results out.
struct ToolBoxParams {
  int minimum = 0;       // the size boxes: the width
  int maximum = 0;       // the size boxes: the height
  int value = 0;
  std::string file;      // in: the picture to work on; out: the result file ("" when cancelled)
  int boxIndex = 0;      // in: the effect; out: the result code (above 1: a result was made)
  int multiplier = 1;
};
ToolBoxParams& TOOLBOXPARAMS();

// Runs the box of an effect over a picture file. Returns the result code: above 1 when
// a result was written (its path in file); for the new-picture box the size comes
// back in width and height.
int RUNTOOLBOX(std::string& file, const std::string& title, int& width, int& height, int value, int boxIndex);

// Sets the record's minimum, maximum, default and multiplier for an effect (box index).
void SetEffectDefaults(int boxIndex);
// The commands that apply a fixed effect without a box (relief, underlay).
void ApplyFixedEffect(int command);

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
// chosen values.
int FONTBOX(HWND owner, const std::string& caption);
int DRAWBOX(HWND owner, const std::string& caption);

}  // namespace bravik
