// Commands that start programs or open documents, hand files to the partner, choose the
// skin and switch the browser's options.
#pragma once
#include <string>

namespace kelmor {

// 503 to 509 and 1001 to 1005: the program of the action text, with the selected files.
void RunProgramCommand(int command);
// 1101 to 1199 (and a program command without a window class): the action text opened
// with its associated program.
int SHELLOPEN(const std::string& document);
// 9, 108, 205: the browser's help page in the help viewer.
void ShowHelp();
// Button 8: a web address for the partner.
void AskWebAddress();
// 101 and 206: the selected files of the file list go to the partner.
void HandSelectionToPartner();
// 301 to 399: the skin of the command becomes the browser's skin.
void ChooseSkin(int command);
// 408: side-file markers on or off; 809: the names option of the index sheets.
void ToggleMarkers();
void ToggleMenuCheck(int command);

}  // namespace kelmor
