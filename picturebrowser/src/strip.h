// The picture strip and the selection strip: paging through the list (SHOWNEXTFOUR, the
// commands 1, 2, 5 and 6), the listing of a folder (STARTFOLDERSCAN), the clicks that choose
// pictures into the selection and onto the layout positions, and the status line over the
// strip.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace hessam {

void SHOWNEXTFOUR();
// Lists the folder of the search mask when a file matches it: its pictures become the list
// (or the strip is cleared when it has none).
void STARTFOLDERSCAN();
void CLEARSTRIP();
// Whether the current picture's file exists; when not, a warning names its folder and the
// failure flag is set.
bool CHECKPICTUREFILE();
// A new picture list: the count shows, the strip starts at its first pictures.
void ShowList(std::vector<std::string> list);
// Commands 1, 2, 5 and 6.
void PageStrip(int command);
// Selection cell n (1 to 4): shown in the zoom view, or emptied.
void ZoomSelection(int n);
void ClearSelection(int n);
// Mouse messages of the two strips.
void StripMouse(HWND window, UINT message, LPARAM lParam);
// A click on layout position 1 to 10.
void OnSlotClick(int position);
// The count field shows the number of pictures in the list.
void ShowCount();

}  // namespace hessam
