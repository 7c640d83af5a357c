// The working picture: loading, opening, the save question, the picture information, the
// output copy and pictures made in memory.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace bravik {

// Loads a picture file into the working picture ("" makes an empty picture). With
// keepObjects the objects on the canvas stay; otherwise the picture's layered side file
// gives the objects.
void LOADPICTURE(const std::string& path, int& colours, bool keepObjects = false);
// Asks whether to save a changed picture. True when the caller may go on: nothing to save,
// saved, or "No"; false when the question was closed without an answer or the save did
// not happen, and the change stays.
bool CHECKSAVE();
void OPENPICTURE();
void PICTUREINFO();
void ENABLEMENUS();
void EnableCommands(const std::vector<int>& commands, bool enable);
// Writes the working picture with the user's changes (without the object layer) to the
// temporary copy; false when it cannot be written.
bool WorkingCopy();
// Runs a tool box over the working picture and loads its result.
void MENUTOOL(int command, int boxIndex);
// The output copy: 1 makes it from the canvas, 0 frees it; OutputDc gives its context.
void ZOOMPICTURE(int mode);
HDC OutputDc();
// The canvas memory bitmap holding the picture area (and the grey around it) for a size.
bool PrepareCanvasMemory(int width, int height);
// Scroll ranges and the list label after the picture or the canvas changed.
void UpdateScrollBars();
void ShowListPosition();
// A received "|" list becomes the opened list (after the save question).
void OpenReceivedList(const std::string& list);
// Loads a picture made in memory (new picture, paste, capture, crop) through the
// temporary copy: the opened list gets it, the picture counts as changed.
bool LoadMadePicture(HDC source, int x, int y, int width, int height, bool insertIntoList);

}  // namespace bravik
