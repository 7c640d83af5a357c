// What the media browser's boxes share as windows: the row of skinned buttons, placing the
// box as a skinned popup centred on its owner, and the messages every box answers alike.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "controls/modal_box.h"
#include "kelmor/box_rules.h"
#include "skin/skin.h"
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

// A button's answer: the result and the text go into the box's store (BOXPARAMS or
// PICKFILEPARAMS) and the box closes.
using TextStore = void (*)(std::string& text, int32_t& result, int32_t& value, int store);
void AnswerBox(HWND box, int result, const std::string& text, TextStore store);

// The messages every box answers alike (background, colours, skinned buttons, closing);
// true when handled.
bool CommonBoxMessage(HWND box, UINT message, WPARAM wParam, LPARAM lParam, win::Brush& brush, LRESULT& result);

// The procedure of a box of this library: the skin engine first, then the messages every
// box answers alike, then its creation and its commands. Box has a win::Brush brush.
template <class Box, void (*Create)(HWND, Box&), void (*Command)(HWND, Box&, WPARAM)>
LRESULT CALLBACK BoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT answer = SKGETMESSAGE(box, message, wParam, lParam)) return answer;
  Box* b = controls::ModalBoxStore<Box>(box, message, lParam);
  if (!b) return SkDefaultProc(box, message, wParam, lParam);
  LRESULT result = 0;
  if (CommonBoxMessage(box, message, wParam, lParam, b->brush, result)) return result;
  if (message == WM_CREATE) {
    Create(box, *b);
    return 0;
  }
  if (message == WM_COMMAND) {
    Command(box, *b, wParam);
    return 0;
  }
  return SkDefaultProc(box, message, wParam, lParam);
}

}  // namespace kelmor::boxes
