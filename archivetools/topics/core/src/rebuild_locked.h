// Between the record functions and the rebuild: what a killed program left half done is
// completed before a save or delete reads its slot.
#pragma once
#include <string>
#include <vector>

#include "db/db.h"

namespace lumbric {

// With the header lock held: puts a killed rebuild's complete files in place (its record
// numbers then hold), then completes an interrupted record rewrite.
int FinishInterruptedLocked(const std::string& path, int fileNumber, const std::vector<DBFIELD>& fields);

}  // namespace lumbric
