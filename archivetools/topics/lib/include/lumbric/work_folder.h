// The settings file, the work folder and the password check that the topic editor and
// the query tool share.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fileio/folder_guard.h"

namespace lumbric {

// "<temporary folder><program>.cfg": four 16-bit little-endian numbers (left, top, width,
// height of the main window), then the work folder, "|", the current thesaurus.
struct Settings {
  int16_t left = 0, top = 0, width = 0, height = 0;
  std::string workFolder;
  std::string thesaurus = "STANDARD";
};
// A text shorter than the rectangle gives `defaults`; a text without "|" is all folder
// (the thesaurus stays the default's); an empty folder is the default's.
Settings ParseSettings(std::string_view bytes, const Settings& defaults);
std::string FormatSettings(const Settings& settings);

// The work folder made for the program when the settings name none: the temporary folder
// and the program's name, with its final separator.
std::string DefaultWorkFolder(const std::string& tempFolder, const std::string& programName);

// Deletes every file directly inside folder (no subfolders). A root, relative or empty
// folder is refused with 5 and left alone; a missing one gives 3. Else 0 or the first
// error met (the rest is still tried).
int KILLALLFILES(const std::string& folder);
// The same under the suite's folder rule (fileio/folder_guard.h): a folder that is not
// disposable (a root, the Windows, system, program or data folder or one above them) is
// refused with 5 and left alone.
int KILLALLFILES(const std::string& folder, const fileio::ProtectedFolders& guarded);

// The typed password against the lock file: 0 with matches set, 2 when the archive has no
// lock, 13 for a damaged one.
int CheckPassword(const std::string& passwordFile, const std::string& typed, bool& matches);

// The titles the topic title window stores: empty ones become the default title (the
// text of `entry` before its last blank, a blank and the two-digit row number from 1),
// joined with "|".
std::string ConfirmedTitles(const std::vector<std::string>& typed, std::string_view entry);

}  // namespace lumbric
