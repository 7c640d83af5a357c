// The rewrite journal "<record file>.JNL": a record overwritten in place and the moves of
// its index pairs, written whole before any of them, so that a program killed meanwhile
// leaves a change that the next one completes. The format is described in
// docs/archive-database.md. Internal; the tests build journals with it.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "db/db.h"

namespace db {

// One index's pair of the record before and after (absent for a deleted record's
// secondary indexes).
struct PairMove {
  int index = 0;  // k of DBINDEX
  bool hadPair = false;
  bool hasPair = false;
  std::string oldKey;  // both as wide as the index's keys
  std::string newKey;
};

struct RewriteJournal {
  int recordNumber = 0;
  int keyPosition = 1;   // field 1's first column, from 1
  std::string oldKey;    // field 1's columns before the change
  std::string record;    // the record after it (its length is the record length)
  std::vector<PairMove> moves;  // only the indexes whose pair changes
};

// The journal of rewriting `old` (record recordNumber) into `record`: a record whose key
// starts with "/" has its index 0 pair only.
int PlanRewrite(const std::string& old, const std::string& record, int recordNumber,
                const std::vector<DBFIELD>& fields, RewriteJournal& journal);
std::string EncodeRewriteJournal(const RewriteJournal& journal);
// False for bytes that hold no complete journal (no magic, torn, or a check that fails).
bool DecodeRewriteJournal(std::string_view bytes, RewriteJournal& journal);
std::string RewriteJournalPath(const std::string& path);
// DBINDEX without its sweep of the append sessions (callable from within one).
std::string IndexName(const std::string& path, int k);

}  // namespace db
