// The settings file: read at start, written when the main window closes.
#pragma once

#include "fileio/folder_guard.h"

namespace lumbric {

// The folders a work folder must never be: the Windows, system, program and data folders.
fileio::ProtectedFolders GuardedFolders();
// The settings file; a work folder that breaks the folder rule gives way to the default.
void ReadSettings();
void WriteSettings();

}  // namespace lumbric
