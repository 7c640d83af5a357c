// The partner program of UI entry 40, the pick dialog of nadrix and the help viewer.
#pragma once
#include <string>

namespace bravik {

// kCmdOpen: the partner, or the pick dialog when there is none.
void PEERANDPICK();
// The pick dialog of nadrix over the current folder: answers the pressed button (2: a
// choice was made) and the chosen "|" list (multiple) or path.
int PickFiles(const std::string& caption, const std::string& filter, bool multiple, std::string& chosen);
// The pick dialog in save mode: the chosen path, "" when cancelled.
std::string PickSaveTarget(const std::string& caption, const std::string& folder, const std::string& pattern);
void ShowHelp();

}  // namespace bravik
