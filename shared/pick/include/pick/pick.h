// The pick library for programs that link it (shared_pick): the modal pick dialog, its
// remembered values and switches, with std::string texts. The C functions of nadrix.h
// (the DLL's exports) are declared here too.
#pragma once
#include <windows.h>

#include <string>

#include "pick/nadrix.h"

// The modal pick dialog (window class "QORDLG"): a folder tree, a file list, a filter box,
// a name field or a path label and a column of buttons. Returns the number of the button
// that closed it (1 also for the frame's close button or a quit request; 0 when another
// dialog is open or the window cannot be made).
//  owner        disabled while the dialog runs, then enabled and activated; null: no owner
//  startPath    folder and file pattern ("C:\pics\*.jpg"); a folder alone, or no pattern,
//               means "*.*"
//  caption      the window's title; a leading "#" is dropped
//  filterList   "name|patterns|name|patterns..." for the filter box ("*.jpg;*.png")
//  buttons      the button texts, separated by "|"; button 1 cancels
//  listCaption, treeCaption, filterCaption, nameCaption: texts over the controls; an empty
//               treeCaption shows no tree
//  reserved     not used
//  nameMode     0: no name field (a path label when nameCaption is not empty); otherwise a
//               name field, and 2 lists names without their extensions
//  result       out: the picked path (with its extension in mode 2); with multi-selection
//               armed (SKPICKMULTI) every picked path followed by "|". "" when cancelled.
//  nameText     in: the preset name, or "path|name" where path is what the second button
//               returns; out: the name field's text, with the folder in front unless it
//               holds "\" or is a URL (ftp://, http://, https://); "" when the field is
//               empty. Only the caller's preset, the user's typing and a double click put
//               a name there, never the list's selection. Unchanged when cancelled.
int SKPICKF(HWND owner, const std::string& startPath, const std::string& caption, const std::string& filterList,
            const std::string& buttons, const std::string& listCaption, const std::string& treeCaption,
            const std::string& filterCaption, int reserved, const std::string& nameCaption, int nameMode,
            std::string& result, std::string& nameText);

// Remembered values: store != 0 keeps text, store = 0 puts the kept value into text.
//  SKPICKINFILE   a start file or folder left for a later call
//  SKPICKLASTFILE the last picked file
//  SKFILTERCHOICE the pattern the file list was last filled with (the dialog writes it)
//  SKPICKFILTER   a "|" list of extensions the file list leaves out (kept with one
//                 trailing "|")
//  SKUSEFILTER    extensions the file list lets in when one pattern is in force, written
//                 ".JPG.PNG." and kept as ".JPG|.PNG|"; "" switches it off
void SKPICKINFILE(std::string& text, int store);
void SKPICKLASTFILE(std::string& text, int store);
void SKFILTERCHOICE(std::string& text, int store);
void SKPICKFILTER(std::string& text, int store);
void SKUSEFILTER(std::string& text, int store);
int SKSHOWTHUMB(const std::string& extensions, int on);
