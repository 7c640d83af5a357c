// Record files: creating, opening, appending under the header lock, index names, and
// rebuilding the indexes from the records.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <new>
#include <thread>

#include "btree_file.h"
#include "db/db.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "flushes.h"
#include "locks.h"
#include "rebuild_budget.h"
#include "record_rewrite.h"
#include "sessions.h"
#include "skin/sk_files.h"

namespace {

using db::BTreeFile;
using db::IndexLayout;
using db::IndexLayouts;

using db::IndexName;

// The record file's header record: a 32-bit 0, then blanks.
std::string HeaderRecord(int length) {
  std::string h(size_t(length), ' ');
  for (int i = 0; i < 4 && i < length; ++i) h[size_t(i)] = '\0';
  return h;
}

std::string Columns(const std::string& record, const DBFIELD& f) {
  return record.substr(size_t(f.position - 1), size_t(f.width));
}

int LockHeader(int fileNumber, int length) {
  return db::WaitForLock([&] { return SKFLOCK(fileNumber, 0, length); },
                         [&](bool on) { return on ? SKFLOCK(fileNumber, db::kKnockOffset, 1)
                                                  : SKFUNLOCK(fileNumber, db::kKnockOffset, 1); });
}

// The header record must be blanks after its number, and the first data record must
// begin right after it: otherwise the file was made with another record length, and
// appending with this field table would write across its records.
int CheckHeader(int fileNumber, int length, int64_t fileLength) {
  std::string head(size_t(std::min<int64_t>(fileLength, int64_t(length) + 1)), '\0');
  int rc = SKFGETAT(fileNumber, 0, head);
  if (rc != 0) return rc;
  for (size_t i = 4; i < size_t(length); ++i) {
    if (head[i] != ' ') return kDbErrInvalidData;
  }
  if (head.size() > size_t(length) && head[size_t(length)] == ' ') return kDbErrInvalidData;
  return 0;
}

int OpenSessionIndexes(const std::string& path, const std::vector<IndexLayout>& layouts, db::AppendSession& s) {
  bool same = s.indexes.size() == layouts.size();
  for (size_t i = 0; same && i < layouts.size(); ++i) {
    same = s.indexes[i].number == layouts[i].number && s.indexes[i].width == layouts[i].width && s.indexes[i].file;
  }
  if (same) {
    for (size_t i = 0; i < layouts.size(); ++i) s.indexes[i].field = layouts[i].field;
    return 0;
  }
  db::EndAppendLease(s);
  s.indexes.clear();
  for (const auto& layout : layouts) {
    db::SessionIndex si;
    si.number = layout.number;
    si.field = layout.field;
    si.width = layout.width;
    si.file = std::make_unique<BTreeFile>();
    int rc = si.file->Open(IndexName(path, layout.number), layout.width);
    if (rc != 0) {
      s.indexes.clear();
      return rc;
    }
    s.indexes.push_back(std::move(si));
  }
  return 0;
}

const uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

// The indexes and the record length of a field table; 87 when they make no record file.
int TableLayout(const std::vector<DBFIELD>& fields, std::vector<IndexLayout>& layouts, int& length) {
  int rc = db::IndexLayouts(fields, layouts);
  if (rc != 0) return rc;
  length = DbRecordLength(fields);
  return length < 5 ? kDbErrInvalidParameter : 0;
}

// The header record's number names the record being appended (0: none), so that an
// append a killed program left half done is found and taken back by the next one.
int ReadPending(int fileNumber, int64_t& pending) {
  std::string number(4, '\0');
  int rc = SKFGETAT(fileNumber, 0, number);
  pending = 0;
  if (rc != 0) return rc;
  for (int i = 3; i >= 0; --i) pending = pending * 256 + uint8_t(number[size_t(i)]);
  return 0;
}

// Under the header lock, with the header record in the file.
int WritePending(db::AppendSession& s, int fileNumber, int64_t recordNumber) {
  std::string number(4, '\0');
  for (int i = 0; i < 4; ++i) number[size_t(i)] = char((uint64_t(recordNumber) >> (8 * i)) & 0xFF);
  if (s.head.data()) {
    std::memcpy(s.head.data(), number.data(), 4);
    return 0;
  }
  return SKFPUTAT(fileNumber, 0, number);
}

// Where a pending record can be: an append names the record after the last whole one and
// writes nothing behind it, so the file ends within that record, or right before it when
// not a byte of it was written. Any other number is damage.
bool PendingFits(int64_t pending, int64_t fileLength, int length) {
  return pending >= 2 && fileLength >= (pending - 1) * length && fileLength <= pending * length;
}

// Takes back an interrupted append: its keys leave the indexes, the record the file.
// The header lock and the indexes' group lock are held. undone: the files changed. A
// header number that names no record being appended changes nothing and gives 1392.
int UndoPending(int fileNumber, const std::vector<DBFIELD>& fields, db::AppendSession& s, bool& undone) {
  int64_t pending = 0;
  int rc = ReadPending(fileNumber, pending);
  undone = false;
  if (rc != 0 || pending == 0) return rc;
  const int length = s.recordLength;
  int64_t fileLength = SKFLOF(fileNumber);
  if (fileLength < 0) return kDbErrInvalidHandle;
  if (!PendingFits(pending, fileLength, length)) return kDbErrCorrupt;
  undone = true;
  if (fileLength == pending * length) {
    std::string record(size_t(length), ' ');
    rc = SKFGETR(fileNumber, record, int(pending));
    for (size_t i = 0; rc == 0 && i < s.indexes.size(); ++i) {
      bool found = false;
      rc = s.indexes[i].file->Erase(Bytes(Columns(record, fields[s.indexes[i].field])), int32_t(pending), found);
    }
    if (rc != 0) return rc;
  }
  if (fileLength > (pending - 1) * length) {
    rc = SKSETEOFAT(fileNumber, (pending - 1) * length);
    if (rc != 0) return rc;
  }
  return WritePending(s, fileNumber, 0);
}

// Every record has one pair in the key index (a deleted one its "/" key): a count that
// differs means the record file was cut, emptied or replaced under its indexes, and an
// append would file keys that name other records.
int CheckKeyCount(db::BTreeFile& keyIndex, int64_t fileLength, int length) {
  uint64_t pairs = 0;
  int rc = keyIndex.KeyCount(pairs);
  if (rc != 0) return rc;
  const int64_t records = std::max<int64_t>(0, fileLength / length - 1);
  return int64_t(pairs) == records ? 0 : kDbErrCorrupt;
}

// The record is written; now its keys. A failure takes back what was done.
// kept: the header lock was kept since this session's last filing (a batch's lease), so the
// file is as that filing left it, and its length needs no asking.
int AppendLocked(int fileNumber, const std::string& record, const std::vector<DBFIELD>& fields,
                 db::AppendSession& s, bool kept) {
  const int length = s.recordLength;
  int64_t fileLength = kept && s.lengthAfterAppend >= length ? s.lengthAfterAppend : SKFLOF(fileNumber);
  if (fileLength < 0) return kDbErrInvalidHandle;
  db::GroupHold hold(s.indexes[0].file->group());
  if (hold.rc() != 0) return hold.rc();
  int rc = 0;
  if (fileLength < length) {
    // No header record yet (or a torn one): it holds nothing but its number. Indexes that
    // name records are not filed into.
    rc = CheckKeyCount(*s.indexes[0].file, 0, length);
    if (rc == 0) rc = SKFPUTR(fileNumber, HeaderRecord(length), 1);
    if (rc != 0) return rc;
    fileLength = length;
    s.headerChecked = true;
  } else if (!s.headerChecked) {
    rc = CheckHeader(fileNumber, length, fileLength);
    if (rc != 0) return rc;
    s.headerChecked = true;
  }
  // The length this handle left means no record came or went since: at most a mark was
  // set for a record of which no byte was written, and this append names that same
  // record in it anyway. Otherwise an interrupted append is looked for, and the key
  // index must still count the records.
  const bool unchanged = fileLength == s.lengthAfterAppend;
  s.lengthAfterAppend = -1;
  if (!unchanged) {
    bool undone = false;
    rc = UndoPending(fileNumber, fields, s, undone);
    if (rc != 0) return rc;
    if (undone) fileLength = SKFLOF(fileNumber);
    rc = CheckKeyCount(*s.indexes[0].file, fileLength, length);
    if (rc != 0) return rc;
  }
  // A torn last record (a crash while appending) is overwritten.
  int64_t recordNumber = fileLength / length + 1;
  if (recordNumber > INT32_MAX) return fileio::kErrDiskFull;

  // Each index's key is its field's columns in the record.
  auto keyOf = [&](size_t i) { return Bytes(record) + (fields[s.indexes[i].field].position - 1); };
  rc = WritePending(s, fileNumber, recordNumber);
  if (rc != 0) return rc;
  rc = SKFPUTR(fileNumber, record, int(recordNumber));
  size_t done = 0;
  for (; rc == 0 && done < s.indexes.size(); ++done) {
    bool existed = false;
    if (done == 0) {
      // The key index refuses a key it holds (the check and the filing in one descent);
      // the record written for it is taken back below.
      rc = s.indexes[0].file->InsertNewKey(keyOf(0), int32_t(recordNumber), existed);
      if (rc == 0 && existed) rc = kDbErrAlreadyExists;
    } else {
      rc = s.indexes[done].file->Insert(keyOf(done), int32_t(recordNumber), existed);
    }
    if (rc != 0) break;
  }
  if (rc != 0) {
    for (size_t i = 0; i < done; ++i) {
      bool found = false;
      s.indexes[i].file->Erase(keyOf(i), int32_t(recordNumber), found);
    }
    SKSETEOFAT(fileNumber, (recordNumber - 1) * length);
  }
  int cleared = WritePending(s, fileNumber, 0);
  if (rc == 0 && cleared == 0) s.lengthAfterAppend = recordNumber * length;
  return rc != 0 ? rc : cleared;
}

// Files that killed programs leave: a rebuild's copy (with its mark or without), a
// rewrite's journal. Every one of them is made and removed under the header lock, so a
// look under that lock sees them all. The mark is made once the copy is complete and
// removed before it, so the copy tells of both: one look fewer each filing.
bool LeftWorkThere(const std::string& path) {
  return fileio::Exists(DbReplacementCopy(path)) || fileio::Exists(db::RewriteJournalPath(path));
}

// The pairs a rebuild gathers before it writes them (more take further reads of the
// records): enough for the eleven indexes of a million records, little for the 32-bit release.
constexpr int64_t kRebuildBudget = int64_t(64) << 20;
std::atomic<int64_t> gRebuildBudget{0};

// Sorts an index's pairs (key, then value: the record number) and fills the index with
// them, under the indexes' lock. They come in record order, so that a stable sort by key
// alone gives the pairs in (key, value) order.
int FillSorted(db::BTreeFile& index, const std::vector<uint8_t>& pairs) {
  const size_t width = size_t(index.keyLength()), entry = width + 4, count = pairs.size() / entry;
  std::vector<uint32_t> order(count);
  for (size_t i = 0; i < count; ++i) order[i] = uint32_t(i);
  const uint8_t* base = pairs.data();
  std::stable_sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
    return std::memcmp(base + a * entry, base + b * entry, width) < 0;
  });
  std::vector<uint8_t> sorted(pairs.size());
  for (size_t i = 0; i < count; ++i) std::memcpy(sorted.data() + i * entry, base + size_t(order[i]) * entry, entry);
  // A file that another handle holds open (Windows) was not removed and made anew: it is
  // emptied in place first.
  int rc = index.Clear();
  return rc != 0 ? rc : index.FillEmpty(sorted.data(), count);
}

// What killed programs left, finished under the header lock before an append: a rebuild's
// files put in place (or its unfinished copy removed), a rewrite completed. Outside any
// append session, for the replacement closes them.
int FinishLeftWork(const std::string& path, int fileNumber, const std::vector<DBFIELD>& fields, int length) {
  if (!LeftWorkThere(path)) return 0;
  db::EndAppendLeases();
  int rc = LockHeader(fileNumber, length);
  if (rc != 0) return rc;
  db::EndAppendSessions(path);
  rc = DbFinishReplacement(path, fileNumber, fields);
  if (rc == 0) rc = DbFinishInterruptedRewrite(path, fileNumber);
  SKFUNLOCK(fileNumber, 0, length);
  return rc;
}

}  // namespace

namespace db {

int64_t RebuildBudget() {
  int64_t set = gRebuildBudget.load();
  return set > 0 ? set : kRebuildBudget;
}
void SetRebuildBudget(int64_t bytes) { gRebuildBudget = bytes; }

std::string IndexName(const std::string& path, int k) {
  std::string number = std::to_string(k);
  if (number.size() < 2) number.insert(0, 2 - number.size(), '0');
  return path + ".K" + number;
}

int IndexLayouts(const std::vector<DBFIELD>& fields, std::vector<IndexLayout>& layouts) {
  layouts.clear();
  auto indexable = [](const DBFIELD& f) { return f.width > 0 && f.width <= kMaxKeyLength && f.position >= 1; };
  if (fields.empty() || !indexable(fields[0])) return kDbErrInvalidParameter;
  std::vector<IndexLayout> found{{0, 0, fields[0].width}};
  int k = 0;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (fields[i].flag != 1 && fields[i].flag != 10) continue;
    if (!indexable(fields[i])) return kDbErrInvalidParameter;
    found.push_back({++k, i, fields[i].width});
  }
  layouts = std::move(found);
  return 0;
}

int64_t AppendingRecord(const std::string& path, int recordLength) {
  if (recordLength < 5) return 0;
  fileio::File file;
  if (file.Open(path, fileio::Access::Read, fileio::Share::DenyNone) != 0) return 0;
  const int64_t fileLength = file.Size();
  uint8_t number[4] = {};
  size_t got = 0;
  if (fileLength < recordLength || file.ReadAt(0, number, sizeof number, got) != 0 || got != sizeof number) return 0;
  const int64_t pending = int64_t(number[0]) | int64_t(number[1]) << 8 | int64_t(number[2]) << 16 |
                          int64_t(number[3]) << 24;
  return PendingFits(pending, fileLength, recordLength) && fileLength == pending * recordLength ? pending : 0;
}

int CheckRecordFile(const std::string& path, const std::vector<DBFIELD>& fields, std::string& problem) {
  problem.clear();
  try {
    std::vector<IndexLayout> layouts;
    int length = 0;
    int rc = TableLayout(fields, layouts, length);
    if (rc != 0) return rc;
    fileio::File file;
    // A file that is missing or cannot be read is for the open to report.
    if (!fileio::Exists(path) || file.Open(path, fileio::Access::Read, fileio::Share::DenyNone) != 0) return 0;
    const int64_t fileLength = file.Size();
    if (fileLength < 0) return 0;
    const int64_t records = std::max<int64_t>(0, fileLength / length - 1);
    const std::string mend = " The topic editor's index rebuild mends it; nothing is filed into it until then.";
    int64_t pending = 0;
    if (fileLength >= length) {
      std::string head(size_t(std::min<int64_t>(fileLength, int64_t(length) + 1)), '\0');
      size_t got = 0;
      // Another program appending holds the header: it is not damaged for that.
      if (file.ReadAt(0, head.data(), head.size(), got) != 0 || got != head.size()) return 0;
      bool blanks = true;
      for (size_t i = 4; i < size_t(length); ++i) blanks = blanks && head[i] == ' ';
      if (!blanks || (head.size() > size_t(length) && head[size_t(length)] == ' ')) {
        problem = path + ": it was not made for records of " + std::to_string(length) + " bytes.";
        return kDbErrInvalidData;
      }
      for (int i = 3; i >= 0; --i) pending = pending * 256 + uint8_t(head[size_t(i)]);
      if (pending != 0 && !PendingFits(pending, fileLength, length)) {
        problem = path + ": its header names record " + std::to_string(pending) +
                  " as the one being filed, but the file holds " + std::to_string(records) + " records." + mend;
        return kDbErrCorrupt;
      }
    }
    const std::string keyIndex = IndexName(path, 0);
    int64_t pairs = 0;
    if (fileio::Exists(keyIndex)) {
      BTreeFile index;
      uint64_t count = 0;
      rc = index.Open(keyIndex, layouts[0].width);
      if (rc == 0) rc = index.KeyCount(count);
      if (rc != 0) {
        problem = path + ": its key index " + keyIndex + " is damaged." + mend;
        return kDbErrCorrupt;
      }
      pairs = int64_t(count);
    }
    // A record being appended may have its key filed already, or not yet.
    const bool appending = pending != 0 && fileLength == pending * length;
    if (pairs != records && !(appending && pairs == records - 1)) {
      problem = path + " holds " + std::to_string(records) + " records, but its key index " + keyIndex + " names " +
                std::to_string(pairs) + ": the record file was cut or replaced under its indexes." + mend;
      return kDbErrCorrupt;
    }
    return 0;
  } catch (const std::bad_alloc&) {
    return fileio::kErrNotEnoughMemory;
  }
}

}  // namespace db

int DBCREATE(const std::string& path, int recordLength) {
  if (recordLength < 4 || path.empty()) return kDbErrInvalidParameter;
  // A whole header is there already: nothing to do (the file may be read-only).
  if (fileio::FileSize(path) >= recordLength) return 0;
  try {
    fileio::File f;
    int rc = f.OpenAlways(path, fileio::Share::DenyNone);
    if (rc != 0) return rc;
    // Two programs may make the same archive at once: the header lock decides.
    rc = db::WaitForLock([&] { return f.Lock(0, recordLength); });
    if (rc != 0) return rc;
    int64_t size = f.Size();
    if (size < 0) {
      rc = kDbErrInvalidHandle;
    } else if (size < recordLength) {
      std::string header = HeaderRecord(recordLength);
      rc = f.WriteAt(0, header.data(), header.size());
    }
    f.Unlock(0, recordLength);
    if (rc == 0 && size < recordLength) rc = f.Flush();
    return rc;
  } catch (const std::bad_alloc&) {
    return fileio::kErrNotEnoughMemory;
  }
}

int DBOPENF(const std::string& path, int& fileNumber, int& ok) {
  db::SweepAppendSessions();
  fileNumber = 0;
  ok = 0;
  int rc = SKFOPEN(path, 2, 4, fileNumber);
  if (rc == 0) {
    ok = 1;
    return 0;
  }
  if (rc == fileio::kErrFileNotFound || rc == fileio::kErrPathNotFound || path.empty()) return rc;
  // A file that may only be read (a write-protected archive) still serves the readers.
  if (SKFOPEN(path, 0, 4, fileNumber) == 0) ok = 1;
  return rc;
}

int DBCREF(const std::string& path, int fileNumber, const std::vector<std::string>& values,
           const std::vector<DBFIELD>& fields) {
  try {
    std::vector<IndexLayout> layouts;
    int rc = IndexLayouts(fields, layouts);
    if (rc != 0) return rc;
    const int length = DbRecordLength(fields);
    if (length < 5) return kDbErrInvalidParameter;
    std::string record(size_t(length), ' ');
    DBWRITF(length, record, values, fields);
    // Field 1 is the key: blank, blank-led or "/" (a deleted slot) keys cannot be filed.
    const char first = record[size_t(fields[0].position - 1)];
    if (first == ' ' || first == '/') return kDbErrInvalidParameter;

    // The record and its keys reach the disk once, after the locks are given back.
    db::Batch batch;
    const bool callerBatch = db::BatchDepth() > 1;
    // What killed programs left is looked for under the header lock, with the append: found
    // there, it is finished outside the append session (which it closes) and the append
    // runs again.
    constexpr int kLeftWork = -1;
    rc = kLeftWork;
    for (int round = 0; round < 2 && rc == kLeftWork; ++round) {
      if (round == 1 && (rc = FinishLeftWork(path, fileNumber, fields, length)) != 0) break;
      rc = db::WithAppendSession(path, fileNumber, [&](db::AppendSession& s) {
        // A closed handle opens no indexes; a session already open finds it closed at the
        // header lock, which reports the same error.
        if (s.indexes.empty() && SKFLOF(fileNumber) < 0) return kDbErrInvalidHandle;
        if (s.recordLength != length) {
          db::EndAppendLease(s);
          s.recordLength = length;
          s.headerChecked = false;
          s.lengthAfterAppend = -1;
        }
        int rc2 = OpenSessionIndexes(path, layouts, s);
        if (rc2 != 0) return rc2;
        // The header page by the path, like the indexes and the group lock's handle: the
        // same file as the handle's (a rebuild writes its files over the old ones in place).
        if (!s.headTried) {
          s.head.Open(path);
          s.headTried = true;
        }
        // Within the caller's batch the locks stay taken from one filing to the next
        // (sessions.h): nobody else can have appended or left work meanwhile.
        const bool kept = db::KeepAppendLease(s);
        if (!kept) {
          rc2 = LockHeader(fileNumber, length);
          if (rc2 != 0) return rc2;
          if (callerBatch) s.indexes[0].file->group().Lease();
        }
        if (round == 0) {
          rc2 = !kept && LeftWorkThere(path) ? kLeftWork : AppendLocked(fileNumber, record, fields, s, kept);
        } else {
          // A rebuild killed while it put its files in place, again: a record appended now
          // would go with the rest of the old file, and its keys would name records that
          // are not there.
          rc2 = fileio::Exists(DbReplacementMark(path)) ? kDbErrLockViolation
                                                        : AppendLocked(fileNumber, record, fields, s, kept);
        }
        if (rc2 == 0 && callerBatch) {
          if (!kept) {
            s.leased = true;
            s.leaseOwner = std::this_thread::get_id();
            s.knockLook = std::chrono::steady_clock::now();
            db::MarkLeaseTaken();
          }
        } else {
          s.leased = true;  // the locks taken here go as a lease's do
          db::EndAppendLease(s);
        }
        if (rc2 == 0)
          rc2 = db::FlushAtEnd(db::RecordFileTarget(fileNumber), [fileNumber] { return SKFLUSH(fileNumber); });
        return rc2;
      });
    }
    int flushed = batch.End();
    return rc != 0 ? rc : flushed;
  } catch (const std::bad_alloc&) {
    return fileio::kErrNotEnoughMemory;
  }
}

int DbFinishInterruptedAppend(const std::string& path, const std::vector<DBFIELD>& fields) {
  try {
    std::vector<IndexLayout> layouts;
    int length = 0;
    int rc = TableLayout(fields, layouts, length);
    if (rc != 0) return rc;
    if (!fileio::Exists(path)) return 0;
    int fileNumber = 0, ok = 0;
    rc = DBOPENF(path, fileNumber, ok);
    if (rc != 0 || !ok) {
      SKFCLOSE(fileNumber);
      return rc != 0 ? rc : kDbErrInvalidHandle;
    }
    // What is taken back reaches the disk once, after the locks are given back.
    db::Batch batch;
    rc = FinishLeftWork(path, fileNumber, fields, length);
    if (rc == 0 && SKFLOF(fileNumber) >= length) {
      rc = db::WithAppendSession(path, fileNumber, [&](db::AppendSession& s) {
        s.recordLength = length;
        int rc2 = OpenSessionIndexes(path, layouts, s);
        if (rc2 != 0) return rc2;
        rc2 = LockHeader(fileNumber, length);
        if (rc2 != 0) return rc2;
        bool undone = false;
        {
          db::GroupHold hold(s.indexes[0].file->group());
          rc2 = hold.rc() != 0 ? hold.rc() : UndoPending(fileNumber, fields, s, undone);
        }
        if (rc2 == 0) rc2 = DbFinishInterruptedRewrite(path, fileNumber);
        SKFUNLOCK(fileNumber, 0, length);
        if (undone) {
          int flushed = db::FlushAtEnd(db::RecordFileTarget(fileNumber), [fileNumber] { return SKFLUSH(fileNumber); });
          if (rc2 == 0) rc2 = flushed;
        }
        return rc2;
      });
    }
    int flushed = batch.End();
    SKFCLOSE(fileNumber);
    return rc != 0 ? rc : flushed;
  } catch (const std::bad_alloc&) {
    return fileio::kErrNotEnoughMemory;
  }
}

int DbLockHeader(int fileNumber, int recordLength) {
  if (recordLength < 1) return kDbErrInvalidParameter;
  // A batch of this program that keeps the header between its filings lets it go: the
  // lock through this handle would wait for it.
  db::EndAppendLeases();
  return LockHeader(fileNumber, recordLength);
}

void DbCloseIndexes(const std::string& path) { db::EndAppendSessions(path); }

std::string DBINDEX(const std::string& path, int k) {
  db::SweepAppendSessions();
  if (k < 0 || path.empty()) return "";
  return IndexName(path, k);
}

std::string DBNAME(const std::string& path, int characterCode) {
  if (characterCode < 1 || characterCode > 255) return path;
  char c = char(characterCode);
  size_t nameStart = 0;
  for (size_t i = 0; i < path.size(); ++i) {
    if (fileio::IsSeparator(path[i]) || path[i] == ':') nameStart = i + 1;
  }
  size_t dot = path.rfind('.');
  if (dot == std::string::npos || dot < nameStart) return path + "." + c;
  std::string out = path;
  if (dot + 1 < out.size()) {
    out[dot + 1] = c;
  } else {
    out += c;
  }
  return out;
}

int DbRebuildIndexes(const std::string& path, const std::vector<DBFIELD>& fields,
                     void (*progress)(int percent, void* context), void* context) {
  try {
    std::vector<IndexLayout> layouts;
    int length = 0;
    int rc = TableLayout(fields, layouts, length);
    if (rc != 0) return rc;
    db::EndAppendSessions(path);
    int fileNumber = 0;
    rc = SKFOPEN(path, 0, 4, fileNumber);
    if (rc != 0) return rc;
    int64_t records = std::max<int64_t>(0, SKFLOF(fileNumber) / length - 1);
    // Each index reaches the disk once, at the end.
    db::Batch batch;
    std::vector<std::unique_ptr<BTreeFile>> indexes;
    for (const auto& layout : layouts) {
      std::string name = IndexName(path, layout.number);
      if (fileio::Exists(name)) rc = fileio::RemoveFile(name);
      if (rc == 0) {
        indexes.push_back(std::make_unique<BTreeFile>());
        rc = indexes.back()->Open(name, layout.width);
        indexes.back()->SetJournalling(false);
      }
      if (rc != 0) break;
    }
    if (rc == 0) {
      db::GroupHold hold(indexes[0]->group());
      rc = hold.rc();
      // The indexes' pairs are gathered from the records, sorted and written page by page.
      // Indexes whose pairs would not fit the budget together are gathered on further
      // reads of the records.
      std::vector<std::pair<size_t, size_t>> passes;  // indexes [first, last) per read
      for (size_t first = 0, last = 0; first < layouts.size(); first = last) {
        int64_t bytes = 0;
        for (last = first; last < layouts.size(); ++last) {
          const int64_t more = records * (layouts[last].width + 4);
          if (last > first && bytes + more > db::RebuildBudget()) break;
          bytes += more;
        }
        passes.push_back({first, last});
      }
      int lastPercent = -1;
      for (size_t pass = 0; rc == 0 && pass < passes.size(); ++pass) {
        const auto [first, last] = passes[pass];
        std::vector<std::vector<uint8_t>> pairs(last - first);
        for (size_t i = first; i < last; ++i) pairs[i - first].reserve(size_t(records * (layouts[i].width + 4)));
        // Records are read a block at a time: a read per record would be a system call
        // (under Wine a round trip to its server) per record.
        const int64_t perBlock = std::max<int64_t>(1, (1 << 20) / length);
        std::string block;
        for (int64_t at = 1; rc == 0 && at <= records; at += perBlock) {
          int64_t count = std::min(perBlock, records - at + 1);
          block.assign(size_t(count * length), ' ');
          rc = SKFGETAT(fileNumber, at * length, block);
          for (int64_t k = 0; rc == 0 && k < count; ++k) {
            const uint8_t* record = reinterpret_cast<const uint8_t*>(block.data()) + k * length;
            const int64_t r = at + k;
            const bool deleted = record[fields[0].position - 1] == '/';
            for (size_t i = first; i < last && (i == 0 || !deleted); ++i) {
              const DBFIELD& f = fields[layouts[i].field];
              auto& out = pairs[i - first];
              out.insert(out.end(), record + f.position - 1, record + f.position - 1 + f.width);
              uint8_t value[4];
              for (int b = 0; b < 4; ++b) value[b] = uint8_t(uint64_t(r + 1) >> (8 * b));
              out.insert(out.end(), value, value + 4);
            }
            const int64_t done = int64_t(pass) * records + r;
            const int percent = int((100 * done + records * int64_t(passes.size()) / 2) / (records * int64_t(passes.size())));
            if (progress && percent != lastPercent) progress(lastPercent = percent, context);
          }
        }
        for (size_t i = first; rc == 0 && i < last; ++i) rc = FillSorted(*indexes[i], pairs[i - first]);
      }
    }
    int flushed = batch.End();
    SKFCLOSE(fileNumber);
    return rc != 0 ? rc : flushed;
  } catch (const std::bad_alloc&) {
    return fileio::kErrNotEnoughMemory;
  }
}
