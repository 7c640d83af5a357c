// The main window: a skinned frame with its menu, a progress bar and the status line.
#pragma once

namespace narwen {

constexpr int kProgressBarId = 10;

bool CreateMainWindow();
// Keeps the progress bar across the client area as the frame is sized.
void LayoutChildren();

}  // namespace narwen
