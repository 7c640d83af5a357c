// The archive's message and question boxes over the skin engine's.
#pragma once
#include <string>

namespace grilton {

// An exclamation box with the caption of UI entry 10 (filing stops, failures).
void WarningBox(const std::string& message);
// A question with the caption of UI entry 11 (or the given one); true for the first button.
bool AskYesNo(const std::string& question, const std::string& caption = "");
// The stop box of a failure before the window exists: "text|Windows text of the error".
void StopBox(const std::string& text, int error);
// The Escape check of long loops: shows the text in the status line, runs the pending
// messages with the wait cursor; a pressed Escape asks (caption UI entry 11, question UI
// entry 42) whether to stop. True to go on.
bool EscapeCheck(const std::string& text = "");

}  // namespace grilton
