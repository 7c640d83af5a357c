// The record panel: the form's captions and input controls, filled from a picture and
// read back for filing.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "grilton/command_ids.h"

namespace grilton {

// Builds the field table, the titles and the controls at (x, y) of the parent.
void BuildForm(HWND parent, int x, int y);
// Widens the free text field up to `right` (parent coordinates), never below its own width.
void LayoutForm(int right);
// The form for a picture: the planned key, names, date, picture facts, the current year
// and month, every topic the placeholder, the planned document and sound names.
void FillForm(const std::string& picturePath);
// Empties every control (no picture).
void ClearForm();
// The field texts as the controls hold them, in form order.
std::vector<std::string> ReadForm();
// The control of field f (1-based), or null.
HWND FieldControl(int field);
// The planned document name shown in field n+16.
std::string PlannedDocument();
// The work document and work sound of the picture shown.
std::string WorkDocument();
std::string WorkSound();
// True when some topic field holds a word other than the placeholder.
bool AnyTopic();
// Adds a word to every topic box.
void AddTopicWord(const std::string& word);
// The topic field controls whose word no box lists: field numbers.
std::vector<int> UnlistedTopics();
// Resets a topic field to the placeholder.
void ResetTopic(int field);
// Hands the form, the data folder and the thesaurus to the shared controls.
void UpdateControlsHost();

}  // namespace grilton
