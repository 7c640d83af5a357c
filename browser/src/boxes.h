// The media browser's message boxes over the skin engine's box, owned by the main window
// in the skin's caption font, and its modal boxes (kelmor/modal_boxes.h) with the
// browser's texts.
#pragma once
#include <string>

#include "kelmor/transform_rules.h"

namespace kelmor {

// A warning with the system's exclamation icon; the caption is the main window's title.
void MESSAGEBOXICON(const std::string& text);
// A question (or, with an empty buttons text, a notice) with the program's icon; returns
// the number of the pressed button, 1 for the first, 0 when the box was closed.
int QUESTIONBOX(const std::string& text, const std::string& buttons);

// Empties the message queue once; Escape asks with the text (none when it is empty) and
// answer 1 gives -1. A close of the window or of the program stops it: the message is put
// back for the main loop, which then closes, and the result is -1. Otherwise 0.
int WAITMESSAGEBOX(const std::string& text);
// Called before each file of a long operation: 0 to go on, -1 when the user stopped it
// (Escape answered with the first button) or the browser is being closed (the close is
// put back and takes place after the operation), -2 when a right click on the file list
// must be handled first. waitCursor: the system's wait cursor meanwhile.
int PUMPMESSAGEBOX(int waitCursor);

// The browser's modal boxes with its texts; each answers as its box does.
int AskListFile(const std::string& caption, const std::string& buttons, std::string& name, int saveMode);
int AskPictureType(std::string& choice);
int AskNewSize(SizeChoice& size);

}  // namespace kelmor
