// Saved queries: picked with the pick dialog of nadrix.dll, saved, loaded and deleted.
#pragma once

namespace ostrel {

void SaveQuery();
void LoadQuery();
void DeleteQuery();

}  // namespace ostrel
