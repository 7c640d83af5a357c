// The picture browser's skinned message boxes: skin colours 113 and 112, the caption font,
// owned by the zoom window while a show or a view covers the screen (a box under it could
// not be answered), else by the main window.
#pragma once
#include <string>

namespace hessam {

// The number of the pressed button, 1 for the first; 0 when closed without one.
int WarningBox(const std::string& caption, const std::string& text, const std::string& buttons = "");
int QuestionBox(const std::string& caption, const std::string& text, const std::string& buttons);
void InformationBox(const std::string& caption, const std::string& text);

}  // namespace hessam
