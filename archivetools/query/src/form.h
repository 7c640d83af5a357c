// The query form: one row per field of the archive's field table (the record form's
// table and order), each with its title, the value and the high value of a range.
#pragma once
#include <windows.h>

#include <vector>

#include "ostrel/conditions.h"

namespace ostrel {

// The field table, the titles and the rows at (x, y) of the parent, in a list panel of
// the given size that scrolls the rows.
void BUILDQUERYFORM(HWND parent, int x, int y, int width, int height);
// The two inputs of every row, placed right of the widest title.
void CREATEINPUTFIELDS(int titleWidth);
// What the form holds, in form order.
std::vector<FormEntry> ReadQueryForm();
// Shows values (a loaded query).
void FillQueryForm(const std::vector<FormEntry>& form);
// The field (from 0) of an input control identifier, or -1.
int FieldOfControl(int id);
// Puts the focus into a field's value input.
void FocusField(size_t field);

}  // namespace ostrel
