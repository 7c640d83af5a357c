// The field files of the archive programs: a field descriptor table (DBFIELD records, as
// the programs exchange them) applied to a record, the topic titles (".TIT"), the password
// lock (".PWD"), the topic-slot entry and stored dates.
#include "db/archive.h"
#include "db/db.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view table, rest;
  fuzz::SplitInput(fuzz::Bytes(data, size), table, rest);
  std::vector<DBFIELD> fields = DecodeDbFields(table);
  EncodeDbFields(fields);
  if (!fields.empty()) {
    int length = DbRecordLength(fields);
    std::string record(rest);
    std::vector<std::string> values;
    DBREADF(record, values, fields, 0);
    DBREADF(record, values, fields, -1);
    DBWRITF(length, record, values, fields);
  }

  std::string text(rest);
  db::TopicSlots slots = db::ParseTopicSlots(text);
  db::ReadTopicTitles(fuzz::WriteInput("ARCHIVE.TIT", text), slots.count, slots.titlePrefix);
  std::string password;
  db::ReadPasswordFile(fuzz::WriteInput("ARCHIVE.PWD", text), password);
  for (bool dayFirst : {false, true}) {
    std::string stored = db::DateToStored(text, dayFirst);
    db::DateToDisplay(stored, dayFirst, '/');
    db::DateToDisplay(text, dayFirst, '-');
  }
  return 0;
}
