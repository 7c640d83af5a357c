// A record's media items copied out of the archive's library, and the command line that
// starts the maintenance tool over the archive's libraries.
#pragma once
#include <string>
#include <vector>

namespace lumbric {

// The items of a record in the order they are copied out: key + "." + picture extension,
// key + ".DOC", ".WAV" and ".QMF".
std::vector<std::string> RecordMediaItems(const std::string& key, const std::string& pictureExtension);

// Empties the work folder (KILLALLFILES), then copies every item of the record that the
// library holds into it; items the library lacks are skipped. copied: the number copied.
// The first hard failure ends the copy with its code and names the item in failedItem.
int EXTRACTRECORDMEDIA(const std::string& library, const std::string& workFolder, const std::string& key,
                       const std::string& pictureExtension, int& copied, std::string& failedItem);

// The maintenance tool's command line for every library of the archive: the pattern
// quoted, so that a data folder with blanks stays one word, then "/I" (indexes only) or
// "/O" (compaction).
std::string MaintenanceCommandLine(const std::string& dataFolder, const std::string& baseName, bool indexesOnly);

}  // namespace lumbric
