// What the media browser's boxes share as windows: the row of skinned buttons, placing the
// box as a skinned popup centred on its owner, and the messages every box answers alike.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "kelmor/box_rules.h"
#include "win/raii.h"

namespace kelmor::boxes {

// Measures the captions of "a|b|c" in the skin's caption font.
ButtonRowMeasures MeasureButtons(const std::vector<std::string>& captions);
// Makes the buttons of a row (identifiers from kBoxFirstButtonId on).
std::vector<HWND> MakeButtons(HWND box, const std::vector<std::string>& captions, const ButtonRow& row);
// Gives the box the outer size for its client area (the skin's frame added), centres it on
// centreOn and makes it a skinned popup.
void PlaceBox(HWND box, HWND centreOn, int clientWidth, int clientHeight);
// A combo box of the list-file kind at the main control's place: the list always open,
// sorted, in the skin's default font.
HWND MakeListCombo(HWND box, int boxWidth);
// A text over a combo box's hidden edit field, for the boxes that only offer listed names.
HWND CoverEditField(HWND combo);
std::string ComboSelection(HWND combo);

// The messages every box answers alike (background, colours, skinned buttons, closing);
// true when handled.
bool CommonBoxMessage(HWND box, UINT message, WPARAM wParam, LPARAM lParam, win::Brush& brush, LRESULT& result);

}  // namespace kelmor::boxes
