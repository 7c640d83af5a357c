// The player's boxes over the skin engine's message box: title UI entry 1, the skin's
// colours, owned by the pane (or the main window without one).
#pragma once
#include <string>

namespace jorvel {

// WARNINGBOX: the text with the exclamation icon.
void WARNINGBOX(const std::string& text);
// The about box of the system menu: the skin's credit line and UI entry 2.
void AboutBox();

}  // namespace jorvel
