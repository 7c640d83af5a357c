// The skin engine's modal message box.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

// The style record that the message box, the input box and the skinned buttons take.
struct SkBoxStyle {
  HICON icon = nullptr;        // shown at the left of the text; none when null
  COLORREF textColour = 0;     // skin slot 113 in the callers
  COLORREF secondColour = 0;   // skin slot 112 in the callers (the text's shadow)
  int32_t layout = 6;          // space in pixels around the text and between buttons
  int16_t value16 = 0;
  uint8_t byte1 = 3;
  uint8_t byte2 = 1;           // 1 warning, 3 question (sets the default button)
  uint16_t maxLength = 0;      // input boxes: longest answer
  uint16_t fieldWidth = 0;     // input boxes: width of the input field
};

// Shows a modal box owned by owner (the owner is disabled meanwhile) and returns the number
// of the pressed button, 1 for the first; 0 when it was closed without an answer.
// message: "|" starts a new line. buttons: the captions separated by "|" or a zero byte;
// empty for a single "OK" button. The box's window class is "SKMSGBOX"; its buttons are
// its child buttons in order, with the identifiers 100 + number.
int SKMSGBOX(HWND owner, HFONT font, const std::string& caption, const std::string& message,
             const std::string& buttons, const SkBoxStyle& style, int reserved = 0);
