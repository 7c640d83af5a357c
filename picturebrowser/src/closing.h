// Closing the picture browser, and its about box.
#pragma once

namespace hessam {

// The close command and code 10: the printer context goes, the window's place and the
// current folder are written to the settings file, the zoom window goes and the message
// loop ends.
void CloseBrowser();
// The about entry of the system menu.
void ShowAbout();

}  // namespace hessam
