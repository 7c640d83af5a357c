// The archive's record file (".F01") with the archive's own field table: its indexes
// rebuilt from the records, the records read and split into fields, and one record
// appended; and the key counter (".CPT") that names new records.
#include "db/archive.h"
#include "db/db.h"
#include "fuzz_input.h"
#include "skin/sk_files.h"

namespace {

const std::vector<DBFIELD>& Fields() {
  static const std::vector<DBFIELD> fields = db::ArchiveFields(10, 2024, 5);
  return fields;
}

std::vector<std::string> NewRecord() {
  std::vector<std::string> values(Fields().size());
  values[0] = "FUZZ0001";
  values[1] = "PICTURE";
  values[2] = "05-31-2024";
  for (size_t k = 11; k < 21 && k < values.size(); ++k) values[k] = "TOPIC " + std::to_string(k);
  return values;
}

void ReadRecords(const std::string& path) {
  int fileNumber = 0, ok = 0;
  DBOPENF(path, fileNumber, ok);
  if (!ok) return;
  const int length = DbRecordLength(Fields());
  std::string record(size_t(length), ' ');
  std::vector<std::string> values;
  for (int r = 2; r < 18 && SKFGETR(fileNumber, record, r) == 0; ++r) {
    DBREADF(record, values, Fields(), 0);
    DBREADF(record, values, Fields(), -1);
    DBWRITF(length, record, values, Fields());
  }
  DBCREF(path, fileNumber, NewRecord(), Fields());
  SKFCLOSE(fileNumber);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes = fuzz::Bytes(data, size);
  std::string path = fuzz::WriteInput("ARCHIVE.F01", bytes);
  DbRebuildIndexes(path, Fields());
  ReadRecords(path);
  int handle = 0, status = 0;
  if (qBtOpen(DBINDEX(path, 0), Fields()[0].width, handle, status) == 0) qBtKeyNbr(handle);
  qBtClose(handle);

  // The counter file holds the last number taken.
  std::string counter = fuzz::WriteInput("ARCHIVE.CPT", bytes.substr(0, 64));
  DBSEQUENCE(counter, "TWN00000", 0);
  DBSEQUENCE(counter, "TWN00000", 1);
  return 0;
}
