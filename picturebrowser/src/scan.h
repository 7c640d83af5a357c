// SCANPICTUREFOLDER and PUMPWAITBOX: listing a folder's pictures while the window stays
// responsive and Escape can stop the listing.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace hessam {

// Lists the pictures of a mask ("folder\*.*") into list, sorted, and returns their number;
// countField shows the running count. A folder that cannot be listed gives 0. A listing
// stopped by the user keeps what it found; one stopped because another folder was chosen
// meanwhile (scanAgain) or the program is closing gives what it found too, and the caller
// drops it.
int SCANPICTUREFOLDER(const std::string& mask, HWND countField, std::vector<std::string>& list);
// Runs the waiting messages; Escape (with a text) asks whether to stop. -1 to stop, else 0.
// A quit message that arrives meanwhile stays for the main loop and stops the listing.
int PUMPWAITBOX(const std::string& text);

}  // namespace hessam
