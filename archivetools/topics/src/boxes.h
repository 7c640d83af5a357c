// The topic editor's boxes over the skin engine's, and the cancel check of long loops.
#pragma once
#include <windows.h>

#include <string>

namespace lumbric {

// A failure: error icon, caption UI entry 20 (or the given one).
void ErrorBox(const std::string& message, const std::string& caption = "");
// A database or file error by its code: the Windows text of the code.
void CodeBox(int code);
// Information with the given caption.
void InfoBox(const std::string& caption, const std::string& message);
// A question (question icon, "Yes|No"); true for yes.
bool Ask(const std::string& caption, const std::string& question);
// The cancel check between the steps of a long loop: every pending message is taken;
// Escape asks (UI entries 30, 47, 46) whether to stop and a yes sets the cancel flag; a
// close request is posted again for after the loop. True when the loop is to stop.
bool CancelRequested();
// Waits until the process ends while the editor keeps repainting, running its timers and
// answering messages sent to it; keyboard, mouse and posted commands meanwhile are
// dropped and a close request is posted again for after the wait. False when the program
// was told to quit meanwhile (the quit is passed on and the process left running).
bool WaitForProcess(HANDLE process);

}  // namespace lumbric
