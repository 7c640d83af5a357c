// The media browser's message boxes over the skin engine's box, owned by the main window
// in the skin's caption font.
#pragma once
#include <string>

namespace kelmor {

// A warning with the system's exclamation icon; the caption is the main window's title.
void MESSAGEBOXICON(const std::string& text);
// A question (or, with an empty buttons text, a notice) with the program's icon; returns
// the number of the pressed button, 1 for the first, 0 when the box was closed.
int QUESTIONBOX(const std::string& text, const std::string& buttons);

}  // namespace kelmor
