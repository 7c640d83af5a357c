// Catalogues of a drive (commands 401 to 406): every file of one file type on a drive the
// user picks, pictures with their size, written to a text file in the program folder and
// shown in the help viewer.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace kelmor {

void CatalogueCommand(int command);

// Walks the drive and writes the catalogue; returns its path, or "" when nothing was
// found, the walk was stopped (total -1) or the file could not be written (reported with
// its error; total -1 too).
std::string SCANFOLDERINFO(char driveLetter, const std::string& infoText, int64_t& count, int64_t& total,
                           int command, const std::string& catalogueName);
// The skinned info popup over the owner (null when it cannot be made).
HWND INFOSTATIC(HWND owner, const std::string& text);

}  // namespace kelmor
