// The query tool's message, question and input boxes over the skin engine's.
#pragma once
#include <string>

namespace ostrel {

// An exclamation box with the caption of UI entry 30.
void WarningBox(const std::string& message);
// An error box with the caption of UI entry 20.
void ErrorBox(const std::string& message);
// An information box with the caption.
void InfoBox(const std::string& caption, const std::string& message);
// A question (caption: UI entry 30); true for the first button.
bool AskYesNo(const std::string& question);
// The text the user types; false when cancelled.
bool AskText(const std::string& prompt, std::string& answer);
// The stop box of a failure before the window exists: "text|Windows text of the error".
void StopBox(const std::string& text, int error);
// Runs the pending messages of the thread (a search lets the window live meanwhile).
// False when the program is to end.
bool RunPendingMessages();

}  // namespace ostrel
