// Changing an archive's record file from the topic editor's form: a record saved in its
// slot, a record marked deleted, and the record file rebuilt without its deleted slots.
//
// Results as in db.h: 0 done, 9999 refused (the slot no longer holds the key that was
// read), any other number a Windows error number.
#pragma once
#include <string>
#include <vector>

#include "db/db.h"

namespace lumbric {

// Writes the form's values over record recordNumber of the open record file and moves the
// record's pairs in the secondary indexes, as one change that a kill leaves whole or to
// be completed (DbRewriteRecord). Waits for the header record's lock as DBCREF
// does (33 after the lock timeout). A slot deleted meanwhile gets the record appended
// anew (DBCREF); a slot holding another key gives 9999 and nothing is written; an
// unchanged record writes nothing. A date field must be empty or a complete valid date
// (87 otherwise, nothing written).
int SAVERECORD(const std::string& path, int fileNumber, const int& recordNumber,
               const std::vector<std::string>& values, const std::vector<DBFIELD>& fields);

// Marks record recordNumber deleted: its key columns become "/" characters (written to
// the record before index 0 changes), index 0 files the "/" run under its number and the
// secondary indexes lose its pairs. A record deleted already gives 0; a slot holding
// another key 9999.
int DELETERECORD(const std::string& path, int fileNumber, const int& recordNumber,
                 const std::vector<std::string>& values, const std::vector<DBFIELD>& fields);

// Rebuilds the record file without its deleted slots and every index with the new record
// numbers. The new file and its indexes are built beside the old ones and put in place at
// the end; the header lock is held for the whole run, so that saves and filings meanwhile
// wait. An open that is not fully usable changes nothing and gives its code.
using Progress = void (*)(int percent, void* context);
int REBUILDINDEX(const std::string& path, const std::vector<DBFIELD>& fields, Progress progress = nullptr,
                 void* context = nullptr);

// Ends a rebuild that was killed while it put its files in place and completes a save or
// delete that was killed half way (the program calls it at start); 0 also when there was
// none. Saves, deletes and rebuilds do the same before they read a record.
int FinishInterruptedRebuild(const std::string& path, const std::vector<DBFIELD>& fields);

// A date field's text is storable: empty, or a complete valid date in one of the forms
// db::DateToStored reads.
bool IsStorableDate(const std::string& text, bool dayFirst);

}  // namespace lumbric
