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

void GiveCurrentSlideEffect();             // kApplyEffectButton
void DeleteCurrentEffect();                // kDeleteEffectButton
void SaveCurrentText();                    // kSaveTextButton
void DeleteCurrentText();                  // kDeleteTextButton
void GiveSelectedSlidesEffect();           // kCmdEffectToSelected
void DeleteSelectedSideFiles(int command);  // kCmdDeleteTexts to kCmdDeleteTimes
void SetDisplayTime(int command);           // kDisplayTimes

}  // namespace dunmere
