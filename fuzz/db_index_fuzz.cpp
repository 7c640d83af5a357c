// B-tree index files (".K00" of a record file, ".I01" of a media library): opened with the
// key length the header states and walked, searched and changed by every call the
// archive programs make. A damaged index must be reported, never followed.
#include "../platform/db/src/btree_layout.h"
#include "../platform/db/src/bytes.h"
#include "db/db.h"
#include "fuzz_input.h"
#include "index_checks.h"

namespace {

void Exercise(int handle, int keyLength) {
  std::string key;
  int32_t value = 0;
  int status = 0;
  int steps = 0;
  for (int rc = qBtFirst(handle, key, value, status); rc == 0 && status == 0 && steps < 2000; ++steps)
    rc = qBtNext(handle, key, value, status);
  for (int rc = qBtLast(handle, key, value, status); rc == 0 && status == 0 && steps < 4000; ++steps)
    rc = qBtPrev(handle, key, value, status);
  for (const char* probe : {"", "A", "TOPIC 7", "zzzz", "\xFF\xFF"}) {
    key = probe;
    qBtSearch(handle, key, value, status);
    qBtNext(handle, key, value, status);
    key = probe;
    qBtBefore(handle, key, value, status);
  }
  for (int i = 0; i < 24; ++i) {
    key = std::string(size_t(keyLength), char('A' + i % 26));
    value = i;
    qBtInsert(handle, key, value, status);
  }
  for (int i = 0; i < 24; i += 2) {
    key = std::string(size_t(keyLength), char('A' + i % 26));
    value = i;
    qBtDelete(handle, key, value, status);
  }
  qBtKeyNbr(handle);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(fuzz::Bytes(data, size));
  fuzz::SetIndexChecks(bytes);
  int keyLength = 12;
  if (bytes.size() >= size_t(db::btree::kHeaderBytes))
    keyLength = db::Get16(reinterpret_cast<const uint8_t*>(bytes.data()) + db::btree::kHdrKeyLength);
  if (keyLength < 1) return 0;
  std::string path = fuzz::WriteInput("ARCHIVE.F01.K00", bytes);
  int handle = 0, status = 0;
  if (qBtOpen(path, keyLength, handle, status) == 0) Exercise(handle, keyLength);
  qBtClose(handle);
  return 0;
}
