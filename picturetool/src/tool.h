// The picture tool's routines that its window procedures and commands share. Windows only.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "imaging/layer_file.h"

namespace bravik {

// ---- window procedure (wndproc.cpp) ----------------------------------------------------------
// The procedure of the main window, its panels and the canvas.
LRESULT CALLBACK WNDPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Writes the settings record from the windows' places (mode 1) or reads it (mode 0).
void PICSETTINGS(int mode);
// Everything that goes before the tool ends: settings, the partner's code 10.
void PrepareToEnd();

// ---- the working picture (picture.cpp) -------------------------------------------------------
// Loads a picture file into the working picture ("" makes an empty picture). With
// keepObjects the objects on the canvas stay; otherwise the picture's layered side file
// gives the objects.
void LOADPICTURE(const std::string& path, int& colours, bool keepObjects = false);
// Makes the loaded picture from an imaging bitmap (new picture, paste, capture, tools).
// Asks whether to save a changed picture.
void CHECKSAVE();
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

// ---- saving (export.cpp) ----------------------------------------------------------------------
void EXPORTPICTURE(const std::string& target, int pickResult, const std::string& caption);
void SaveAs();
void SaveCurrent();

// ---- commands (commands.cpp) ------------------------------------------------------------------
void OnCommand(int id);
void EndCanvasModes();

// ---- canvas (canvas.cpp) ----------------------------------------------------------------------
LRESULT CanvasMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
LRESULT ZoomPanelMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
void XORRECT(HDC dc, int left, int top, int right, int bottom);
void EraseRubberBand();
void StartShapeDrawing(int kind, int style);
void ShowFullView();
void HideFullView();
void StartRedEyeMode();
void EndRedEyeMode();
void REFRESHWINDOW(HWND window, bool erase);

// ---- objects (objects.cpp, objects_menu.cpp) --------------------------------------------------
HWND CREATEOBJECT(HWND canvas, LONG_PTR creationParameter);
LRESULT CALLBACK OBJECTPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The object windows of the canvas in their order (mode 0 or -1: all, renumbering their
// texts; another mode: the windows whose creation parameter equals it). Handles are
// pointer-sized here, not the 4-byte values of 32-bit Windows.
std::vector<HWND> QENUMOBJECT(HWND parent, int mode);
// A private object message to every object (0x401 to 0x40B).
LRESULT ObjectsMessage(UINT message, const std::string& path = "");
void PAINTALLOBJECTS();
// Paints every visible object into a device context at picture coordinates (less offset).
void PaintObjectsInto(HDC dc, int offsetX, int offsetY);
// The objects as the layered file holds them, in their order.
std::vector<layer::Object> ObjectsForFile();
int ObjectCount();
// Creates a text object or a shape object from the box settings; false when refused.
bool NewTextObject();
bool NewShapeObject(int kind, int style, const std::vector<POINT>& points);
void ObjectsScrolled();

// ---- printing, clipboard and capture (print.cpp, capture.cpp) ---------------------------------
void PrintPicture();
void CopyToClipboard();
void PasteFromClipboard();
void CapturePicture(int command);
void CropToSelection();

// ---- partners and help (partner.cpp) ----------------------------------------------------------
void PEERANDPICK();
// The pick dialog of nadrix over the current folder: answers the pressed button (2: a
// choice was made) and the chosen "|" list (multiple) or path.
int PickFiles(const std::string& caption, const std::string& filter, bool multiple, std::string& chosen);
// The pick dialog in save mode: the chosen path, "" when cancelled.
std::string PickSaveTarget(const std::string& caption, const std::string& folder, const std::string& pattern);
void ShowHelp();
void CloseStartedPartner();

// ---- boxes (boxes.cpp) ------------------------------------------------------------------------
// The skinned message boxes of the tool: question (answer 1 = yes), information, error.
int AskBox(const std::string& message);
void InformationBox(const std::string& caption, const std::string& message);
void ErrorBox(const std::string& message);

}  // namespace bravik
