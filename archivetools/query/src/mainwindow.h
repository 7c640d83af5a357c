// The main window: the frame, its skinned holders, the form panel, the thesaurus, the
// radio group of the nine operators, the buttons and the progress bar.
#pragma once
#include <windows.h>

#include <string>

namespace ostrel {

bool CreateMainWindow();
// Builds the children on the start-up message.
void BuildChildren();
// The form panel takes the client's height, the progress bar its foot.
void LayoutChildren();
// Fills the thesaurus combo box with the data folder's "*.THM" names and selects the
// current one; then the word list.
void FillThesaurusBox();
void FillWordList();
// Sets the radio group up for a field kind: only the fitting operators enabled, op checked.
void SetUpRadios(int kind, int op);
// Every radio button unchecked and enabled.
void ResetRadios();
// The search button's caption: search or stop.
void ShowSearching(bool searching);
void SetStatus(const std::string& text);
void SetProgress(int percent);

}  // namespace ostrel
