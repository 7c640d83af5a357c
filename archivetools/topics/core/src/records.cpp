// Saving and deleting a record of the form under the header record's lock.
#include <cctype>

#include "db/archive.h"
#include "lumbric/records.h"
#include "rebuild_locked.h"
#include "skin/sk_files.h"

namespace lumbric {
namespace {

constexpr int16_t kKindDate = 4;

std::string Columns(const std::string& record, const DBFIELD& f) {
  return record.substr(size_t(f.position - 1), size_t(f.width));
}

std::string PaddedKey(const std::string& value, const DBFIELD& f) {
  std::string key = value.substr(0, size_t(f.width));
  key.resize(size_t(f.width), ' ');
  return key;
}

bool AllSlashes(const std::string& text) { return !text.empty() && text.find_first_not_of('/') == std::string::npos; }

// The header lock for one operation, given back whatever the way out.
class HeaderLock {
 public:
  HeaderLock(int fileNumber, int length) : fileNumber_(fileNumber), length_(length) {
    rc_ = DbLockHeader(fileNumber, length);
  }
  ~HeaderLock() { Release(); }
  HeaderLock(const HeaderLock&) = delete;
  HeaderLock& operator=(const HeaderLock&) = delete;
  int rc() const { return rc_; }
  void Release() {
    if (rc_ == 0) SKFUNLOCK(fileNumber_, 0, length_);
    rc_ = -1;
  }

 private:
  int fileNumber_;
  int length_;
  int rc_;
};

// Checks shared by both operations: a usable field table and record number, and the
// stored record read under the lock.
int Prepare(int fileNumber, int recordNumber, const std::vector<std::string>& values,
            const std::vector<DBFIELD>& fields, std::vector<db::IndexLayout>& layouts, int& length) {
  int rc = db::IndexLayouts(fields, layouts);
  if (rc != 0) return rc;
  length = DbRecordLength(fields);
  if (length < 5 || recordNumber < 2 || values.empty()) return kDbErrInvalidParameter;
  if (SKFLOF(fileNumber) < 0) return kDbErrInvalidHandle;
  return 0;
}

// The stored record read under the header lock, once a rebuild or a rewrite that a killed
// program left half done is complete: the slot is read as the archive now stands.
int ReadWhole(const std::string& path, int fileNumber, const std::vector<DBFIELD>& fields, int recordNumber,
              std::string& record) {
  int rc = FinishInterruptedLocked(path, fileNumber, fields);
  return rc != 0 ? rc : SKFGETR(fileNumber, record, recordNumber);
}

}  // namespace

bool IsStorableDate(const std::string& text, bool dayFirst) {
  return db::IsAcceptableDateText(text, dayFirst);
}

int SAVERECORD(const std::string& path, int fileNumber, const int& recordNumber,
               const std::vector<std::string>& values, const std::vector<DBFIELD>& fields) {
  std::vector<db::IndexLayout> layouts;
  int length = 0;
  int rc = Prepare(fileNumber, recordNumber, values, fields, layouts, length);
  if (rc != 0) return rc;
  for (size_t i = 0; i < fields.size() && i < values.size(); ++i) {
    if (fields[i].kind == kKindDate && !IsStorableDate(values[i], DbDayFirstDates())) return kDbErrInvalidParameter;
  }
  HeaderLock lock(fileNumber, length);
  if (lock.rc() != 0) return lock.rc();
  std::string record(size_t(length), ' ');
  rc = ReadWhole(path, fileNumber, fields, recordNumber, record);
  if (rc != 0) return rc;
  const DBFIELD& keyField = fields[0];
  if (record[size_t(keyField.position - 1)] == '/') {
    // Deleted meanwhile: the record is filed anew under DBCREF's own lock.
    lock.Release();
    return DBCREF(path, fileNumber, values, fields);
  }
  if (Columns(record, keyField) != PaddedKey(values[0], keyField)) return kDbRefused;
  rc = DBWRITF(length, record, values, fields);
  if (rc != 0) return rc;
  return DbRewriteRecord(path, fileNumber, recordNumber, record, fields);
}

int DELETERECORD(const std::string& path, int fileNumber, const int& recordNumber,
                 const std::vector<std::string>& values, const std::vector<DBFIELD>& fields) {
  std::vector<db::IndexLayout> layouts;
  int length = 0;
  int rc = Prepare(fileNumber, recordNumber, values, fields, layouts, length);
  if (rc != 0) return rc;
  HeaderLock lock(fileNumber, length);
  if (lock.rc() != 0) return lock.rc();
  std::string record(size_t(length), ' ');
  rc = ReadWhole(path, fileNumber, fields, recordNumber, record);
  if (rc != 0) return rc;
  const DBFIELD& keyField = fields[0];
  const std::string stored = Columns(record, keyField);
  if (stored != PaddedKey(values[0], keyField)) return AllSlashes(stored) ? 0 : kDbRefused;
  // The rewrite puts the "/" key into the record before any index changes: a slot whose
  // index 0 pair still names the old key is found deleted by every reader, never the
  // other way round.
  record.replace(size_t(keyField.position - 1), size_t(keyField.width), size_t(keyField.width), '/');
  return DbRewriteRecord(path, fileNumber, recordNumber, record, fields);
}

}  // namespace lumbric
