// The record commands of the form: walking the keys, the typed key, save, delete and the
// record's media copied out.
#pragma once

#include "lumbric/form_rules.h"

namespace lumbric {

void GoTo(Step step);
// The number typed into the key field, looked up in index 0 and shown when it is there.
void GoToTypedKey();
void SaveShown();
void DeleteShown();
void CopyMediaOut();
// True, after a box that says so, while the archive is locked.
bool RefusedWhileLocked();

}  // namespace lumbric
