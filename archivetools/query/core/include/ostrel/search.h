// The two searches over an archive: record by record against the form's conditions, and
// for a free text in the record file's raw bytes. Both only read the record file and copy
// the matching records' items out of the media library into the result folder.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "db/db.h"
#include "fileio/folder_guard.h"
#include "ostrel/conditions.h"

namespace ostrel {

// The archive's files in its data folder: "<base>.F01", "<base>001.B01".
struct ArchiveFiles {
  std::string recordFile;
  std::string library;
};
ArchiveFiles ArchiveFilesOf(const std::string& dataFolder, const std::string& baseName);

// The items of a record in the order they are copied out: key + "." + picture extension,
// key + ".DOC", ".WAV" and ".QMF".
std::vector<std::string> RecordItems(const std::string& key, const std::string& pictureExtension);

// Empties the result folder before a search: made when missing, then every file in it
// deleted. An empty folder, or one that the folder rule protects (a root, the Windows,
// system, program or data folder or one above them), is refused with 5 and left alone.
inline constexpr int kFolderRefused = 5;
int EmptyResultFolder(const std::string& folder, const fileio::ProtectedFolders& protectedFolders);

struct SearchHooks {
  std::function<void(int percent)> progress;       // 0 .. 100, only when it changes
  std::function<bool()> keepGoing;                 // asked now and then; false cancels
  std::function<void(const std::string& key)> taken;  // each record taken
};

struct SearchOutcome {
  int code = 0;            // the first failure met: a copy other than a missing item, a read
  std::string failedKey;   // the record of that failure
  // The record file could not be read (code: why; 13 for a file of another form):
  // nothing was searched.
  bool unusable = false;
  bool cancelled = false;
  int records = 0;         // records taken
  int passedOver = 0;      // records that held the condition but were marked (see below)
  int pictures = 0;        // picture items copied
  int items = 0;           // items copied, pictures included
};

// With passOverMarked, a record whose field number (field count - 5), the form's mark,
// is not empty is counted in passedOver and not taken.
//
// Records are read in blocks; deleted slots, blank keys and a record that another
// program is appending at the start are passed over. resultFolder ends in a separator.
SearchOutcome RunSearch(const ArchiveFiles& files, const std::vector<DBFIELD>& fields, const Matcher& matcher,
                        const std::string& resultFolder, const SearchHooks& hooks, bool passOverMarked = false);

// The free-text search: each live record any of whose fields contains the text gives its
// picture item and, beside it, the text file resultFolder + key + "." + textExtension
// holding the record's text field after the topic slots.
SearchOutcome RunFreeTextSearch(const ArchiveFiles& files, const std::vector<DBFIELD>& fields,
                                const std::string& text, const std::string& resultFolder,
                                const std::string& textExtension, const SearchHooks& hooks,
                                bool passOverMarked = false);

}  // namespace ostrel
