// The skin engine's modal message box.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

// How a box's text lines are printed: plain, engraved or raised (the text's shadow in the
// second colour, one pixel down and right). The engine's boxes print raised text.
enum SkTextStyle : uint8_t { kSkTextPlain = 1, kSkTextEngraved = 2, kSkTextRaised = 3 };

// What a box says to the user, as the caller fills it in. The boxes look the same for every
// kind; the icon tells the user.
enum SkBoxKind : uint8_t { kSkBoxInformation = 0, kSkBoxWarning = 1, kSkBoxQuestion = 3 };

// The style record that the message box, the input box and the skinned buttons take.
struct SkBoxStyle {
  HICON icon = nullptr;              // shown at the left of the text; none when null
  COLORREF textColour = 0;           // 0: the skin's text colour (slot 113)
  COLORREF secondColour = 0;         // the text's shadow; the callers give slot 112
  int32_t spacing = 6;               // pixels around the text and between the buttons
  int16_t reserved = 0;              // 0 in every caller
  uint8_t textStyle = kSkTextRaised;  // raised in every caller, as the boxes print it
  uint8_t kind = kSkBoxWarning;       // SkBoxKind
  uint16_t maxLength = 0;            // input boxes: longest answer (0: no limit)
  uint16_t fieldWidth = 0;           // input boxes: width of the input field

  // The programs' usual box: an icon and the skin's text colours (113, shadow 112), read
  // when called, so that a box after a change of skin takes the new colours.
  static SkBoxStyle Skinned(HICON icon, SkBoxKind kind = kSkBoxWarning);
  // A warning: the system's exclamation icon.
  static SkBoxStyle Warning();
  // A question with the given icon; null: the system's question mark.
  static SkBoxStyle Question(HICON icon = nullptr);
  // A stop box with the system's stop icon (IDI_HAND) and no colours set: the fault
  // reports that come before the program has read its skin.
  static SkBoxStyle Stop();
  // An input box: the icon (null for none), the skin's text colours, the longest answer and
  // the field's width (0: the box's own).
  static SkBoxStyle Input(HICON icon, uint16_t maxLength, uint16_t fieldWidth = 0);
};

// The identifier of a hidden child of every box whose text is the box's message, its lines
// parted by CR LF (what a tool or a test reads of a box).
constexpr int kSkBoxTextId = 99;

// Shows a modal box owned by owner (the owner is disabled meanwhile) and returns the number
// of the pressed button, 1 for the first; 0 when it was closed without an answer.
// message: "|" starts a new line. buttons: the captions separated by "|" or a zero byte;
// empty for a single "OK" button. The box's window class is "SKMSGBOX"; its buttons are
// its child buttons in order, with the identifiers 100 + number.
int SKMSGBOX(HWND owner, HFONT font, const std::string& caption, const std::string& message,
             const std::string& buttons, const SkBoxStyle& style, int reserved = 0);
