// Deleting (the delete button, 105, the Delete key), copying (106) and moving (107) the
// selected files; a picture's side files travel with it.
#pragma once

namespace kelmor {

void DeleteSelectedFiles();
void CopySelectedFiles(bool move);

}  // namespace kelmor
