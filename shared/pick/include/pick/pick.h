// The pick library for programs that link it (shared_pick): the modal pick dialog, its
// remembered values and switches, with std::string texts. The C functions of nadrix.h
// (the DLL's exports) are declared here too.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

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

// The build of a program that passes a fourteenth argument (always 0); the dialog is the
// same.
int SKPICKF(HWND owner, const std::string& startPath, const std::string& caption, const std::string& filterList,
            const std::string& buttons, const std::string& listCaption, const std::string& treeCaption,
            const std::string& filterCaption, int reserved, const std::string& nameCaption, int nameMode,
            std::string& result, std::string& nameText, int reserved2);

// A program that lists entries of its own files (a library's item keys) in place of a
// folder's: while a source is set and the file kept with SKPICKINFILE exists, the list
// shows what the source gives for that file (which stays empty when it gives false) and
// a picked entry is returned as a file name of the dialog's folder. An empty source, or
// no such file, lists the folder. The pick library itself reads no such files.
using PickListSource = std::function<bool(const std::string& file, std::vector<std::string>& entries)>;
void SetPickListSource(PickListSource source);

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
