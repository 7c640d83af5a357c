// The skin engine's other boxes and frames: the input box, the password box and the
// skinned popup frame of a program's own boxes.
#pragma once
#include <windows.h>

#include <string>

#include "skin/sk_msgbox.h"

// A modal box with a prompt ("|" starts a new line), an input field preset with answer and a
// row of buttons ("|"-separated captions; empty: "OK|Cancel"). Returns the number of the
// pressed button (answer then holds the field's text) or 0 when closed (answer unchanged).
// style.maxLength limits the answer, style.fieldWidth sets the field's width. Window class
// "SKINPUTBOX"; the field has the identifier 1.
int SKINPUTBOX(HWND owner, HFONT font, const std::string& caption, const std::string& prompt,
               const std::string& buttons, std::string& answer, const SkBoxStyle& style);
// A password box: one hidden field, or two that must agree when confirmPrompt is not
// empty. Returns 1 with the password, 0 when cancelled.
int SKINPUTPW(HWND owner, const std::string& caption, const std::string& prompt, const std::string& confirmPrompt,
              std::string& password);
// Makes a program's own popup a skinned popup: the engine's caption with the title (kept
// when empty) and a close button, placed at x, y with the outer size width x height.
// The box's window procedure must pass its messages to SKGETMESSAGE first.
void SKPOPUPCONTAINER(HWND box, const std::string& title, int x, int y, int width, int height, WNDPROC procedure);
