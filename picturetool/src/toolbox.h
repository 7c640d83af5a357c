// The filter and size boxes of the picture tool: RUNTOOLBOX over TOOLBOXPARAMS, the
// filter box "LEADTOOLBOX" (LEADTOOLPROC) with its live preview and the size box
// "NEWSIZEBOX" (NEWSIZEPROC). The boxes read the picture file handed in and leave their
// result in the temporary copy. Windows only.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "bravik/box_rules.h"
#include "imglib/raster.h"

namespace bravik {

inline constexpr const char* kFilterBoxClass = "LEADTOOLBOX";
inline constexpr const char* kSizeBoxClass = "NEWSIZEBOX";

// The boxes' controls.
enum ToolBoxControl : int {
  kBoxCancel = 1,
  kBoxApply = 2,
  kBoxValueField = 10,
  kBoxValueTrack = 11,
  kBoxPreview = 12,
  kBoxWidthField = 20,
  kBoxHeightField = 21,
  kBoxKeepProportions = 22,
};

// Private messages of the boxes, sent to the procedure before and after the box exists.
constexpr UINT kBoxLoadPicture = WM_USER;        // lParam: the picture file
constexpr UINT kBoxPreparePreview = WM_USER + 1;

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

// Sets the record's minimum, maximum, default and multiplier for an effect (box index).
void SetEffectDefaults(int boxIndex);

// Runs the box of an effect over a picture file. Returns the result code: above 1 when
// a result was written (its path in file); the size boxes give the size in width and
// height.
int RUNTOOLBOX(std::string& file, const std::string& title, int& width, int& height, int value, int boxIndex);

LRESULT CALLBACK LEADTOOLPROC(HWND box, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK NEWSIZEPROC(HWND box, UINT message, WPARAM wParam, LPARAM lParam);
// Runs the size box (RUNTOOLBOX does it for box indexes 33 and 34).
int RunSizeBox(const std::string& title);

// Ends a box: the record gets the result code (and no result file unless it is above 1),
// the window goes. Nothing happens when the box has ended already.
void FinishToolBox(HWND& window, bool& done, int result);
// The row of the apply and cancel buttons, width wide at (x, y).
void ApplyCancelButtons(HWND box, int x, int y, int width, int gap);

// Loads a picture file as 24-bit pixels; false when it cannot be loaded.
bool LoadPixels(const std::string& path, imglib::Raster& out);
// Writes a result as the temporary copy (BMP, 24 bits; the temporary side file deleted
// first); false when it cannot be written.
bool WriteToolResult(const imglib::Raster& pixels);
// Loads a picture file, changes it and writes the result as the temporary copy, under the
// wait cursor; false (after an error box) when any step fails.
bool MakeToolResult(const std::string& source, const std::function<bool(imglib::Raster&)>& change);

}  // namespace bravik
