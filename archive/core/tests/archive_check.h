// An independent reader of an archive for the tests: the record file byte by byte, every
// index pair walked, the items copied out. It checks that records, indexes and items
// agree and gives the records back.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "grilton/filing.h"

struct CheckedRecord {
  std::string key, name, extension, sound;
  int32_t record = 0;
};

// pictureOf and soundOf give the bytes a record's picture and sound items must hold
// (soundOf "" : the record has no sound). The first topic slot holds topicOf(record).
std::vector<CheckedRecord> CheckArchive(const grilton::ArchivePlace& place,
                                        const std::function<std::string(const CheckedRecord&)>& pictureOf,
                                        const std::function<std::string(const CheckedRecord&)>& soundOf,
                                        const std::function<std::string(const CheckedRecord&)>& topicOf);
