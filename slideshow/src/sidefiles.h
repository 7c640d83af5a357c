// Writing and deleting a slide's side files, with everything that follows each change:
// the show's total, the slide list's marks and the media browser's file list.
#pragma once
#include <string>

namespace dunmere {

// Writes the side file beside the old one and then replaces it (a failed write keeps the
// old file and changes nothing). Returns 0 or a Windows error number.
int WriteSideFile(const std::string& path, const std::string& text);
// Deletes a side file; false when there was none or it could not be deleted.
bool DeleteSideFile(const std::string& path, bool countInTotal = true);

void GiveCurrentSlideEffect();       // 5
void DeleteCurrentEffect();          // 7
void SaveCurrentText();              // 9
void DeleteCurrentText();            // 10
void GiveSelectedSlidesEffect();     // 204
void DeleteSelectedSideFiles(int command);  // 214 to 217
void SetDisplayTime(int command);    // 501 to 513

}  // namespace dunmere
