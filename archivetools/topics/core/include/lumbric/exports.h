// The text exports handed to the partner program: the current thesaurus and the list of
// records.
#pragma once
#include <string>
#include <vector>

#include "db/db.h"
#include "lumbric/records.h"

namespace lumbric {

// Replaces `exportPath` with the thesaurus `name` of the data folder: the name, CR LF, a
// "-" under each of its characters, CR LF, CR LF, then the ".THM" file's bytes. Without
// the thesaurus the export is written empty. 0 or the error of writing it.
int ExportThesaurus(const std::string& exportPath, const std::string& dataFolder, const std::string& name);

// Asked between records; true ends the export.
using CancelCheck = bool (*)(void* context);
inline constexpr int kExportCancelled = -2;

// Replaces `exportPath` with one line per record of the record file that is not deleted:
// its key, two blanks, the text field after the topic slots (db::FieldUser), CR LF.
// Progress gets 0 .. 100; a cancel gives kExportCancelled (the export stays as far as it
// came); an unusable record file its error code.
int ExportRecordList(const std::string& recordPath, const std::string& exportPath, int topicSlots,
                     Progress progress = nullptr, CancelCheck cancel = nullptr, void* context = nullptr);

}  // namespace lumbric
