// The record form: the field table, the layout of captions and input fields (the topic
// slots in the scrolling list panel), a record shown in it and its values read back.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "db/db.h"

namespace lumbric {

// The field table for the topic slots of UI entry 59 (before the window exists).
void PrepareFields();
// Message 0x110: the archive's files noted, the buttons, the titles and the form built,
// then kCmdStart posted.
void BuildForm();
// Creates the form's captions and input fields at (x, y) of parent; the topic slots go
// into a list panel that fills the rest of the parent's client area.
void BUILDLAYOUT(HWND parent, int x, int y);
// One input field of the form, from its field record: kind, width, range, flag.
HWND ADDINPUTFIELD(HWND parent, const DBFIELD& field, int fieldNumber, int x, int y, int width);

// Fits the form to the client holder's size: the topic panel takes the rest of the
// height (and the width up to the button column), the progress bar keeps to the bottom.
void LayoutForm();
// The control of field f (1-based), or null.
HWND FieldControl(int field);
// Shows record number `record` (read anew from the record file); false after the error box.
bool ShowRecord(int record);
// Empties every field (no record shown).
void ClearForm();
// The field texts as the form holds them, in form order.
std::vector<std::string> ReadForm();
// The captions of the indexed fields (the topic titles), in form order.
std::vector<std::string> TopicTitles();
// Hands the form, the data folder and the thesaurus to the shared controls.
void UpdateControlsHost();
// The topic combo boxes (the controls of the indexed fields).
std::vector<HWND> TopicBoxes();

}  // namespace lumbric
