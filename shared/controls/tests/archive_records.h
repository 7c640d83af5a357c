// Records of an archive form filed the way the archive programs file them (DBCREATE,
// DBOPENF, DBCREF), for the tests of the thesaurus check.
#pragma once
#include <string>
#include <vector>

#include "db/db.h"
#include "skin/sk_files.h"

// Files a record with the key and these topics (slot k in the field 12 + k); the other
// topic slots hold fill. Returns DBCREF's result, or the failure before it.
inline int FileArchiveRecord(const std::string& recordFile, const std::vector<DBFIELD>& fields, const std::string& key,
                             const std::vector<std::string>& topics, int topicSlots, const std::string& fill = "") {
  std::vector<std::string> values(fields.size());
  values[0] = key;
  for (int k = 0; k < topicSlots; ++k)
    values[size_t(11 + k)] = size_t(k) < topics.size() ? topics[size_t(k)] : fill;
  if (int rc = DBCREATE(recordFile, DbRecordLength(fields))) return rc;
  int fileNumber = 0, ok = 0;
  if (int rc = DBOPENF(recordFile, fileNumber, ok)) return rc;
  int rc = DBCREF(recordFile, fileNumber, values, fields);
  SKFCLOSE(fileNumber);
  return rc;
}
