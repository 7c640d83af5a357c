// The picture transforms of the file list (commands 703 to 707): a batch of the selected
// files, one posted step per file, each loaded, changed and saved over its file.
#pragma once
#include <windows.h>

#include "kelmor/transform_rules.h"

namespace kelmor {

// The current folder lies on a CD-ROM: nothing there is changed.
bool CurrentFolderOnCdRom();
// Starts a transform of the selected files (a current folder on a CD-ROM is refused). A
// resize takes its size from the choice given.
void StartTransformBatch(int command, const SizeChoice& size = SizeChoice{});
// One step (kMsgTransformStep).
void OnTransformStep(WPARAM wParam, LPARAM lParam);

// Loads, changes and saves one picture; 0 on success, else the failing step's imaging
// status (a failed save leaves the file as it was).
int TransformPicture(const std::string& path, int command, const SizeChoice& size);

}  // namespace kelmor
