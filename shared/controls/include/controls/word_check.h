// Whether a record of an archive uses a thesaurus word: the word is looked up in the topic
// indexes of the archive's record file through the database library. Portable.
#pragma once
#include <string>
#include <vector>

#include "db/db.h"

enum class WordUse {
  kUnused,   // no topic index holds the word
  kInUse,    // a record files it under a topic
  kUnknown,  // the check could not be made: the word must stay
};

struct WordCheck {
  WordUse use = WordUse::kUnused;
  int index = 0;          // kInUse, kUnknown: k of the index (DBINDEX) that holds it or failed
  std::string indexFile;  // that index's file
  int code = 0;           // kUnknown: why, as an error number (2: the index is missing)
};

// The archive's record file: data folder + archive name (UI entry 21) + ".F01".
std::string ArchiveRecordFile(const std::string& dataFolder, const std::string& archiveName);

// Looks the word up (upper case, cut or padded to the field's width) in index k of every
// topic field (k counted as the library counts its indexes, IndexLayouts), in form order,
// and stops at the first that holds it. An index that is damaged, cannot be opened or
// searched, or is missing while the record file holds records makes the check
// impossible; a missing index of an archive without records holds nothing. The check
// never makes an index file.
WordCheck CheckWordUse(const std::string& recordFile, const std::vector<DBFIELD>& fields, const std::string& word);
