// Scanning pages (commands 201 and 202): each page is saved as a numbered JPEG file in the
// scan folder, which then becomes the picture list; a source dialog left open after the
// last page is closed from a timer.
#pragma once
#include <windows.h>

#include <string>

namespace grilton {

bool IsTwainAvailable();
void SelectSource();
void ScanPages();
// The page callback of the imaging layer: saves the page; its result lets the run go on.
int _twaincallback(void* bitmap);
// Starts the close timer when a source dialog was found after a page.
void WatchSourceDialog();

}  // namespace grilton
