// Overwriting a record in place together with its index pairs, through the rewrite
// journal: the journal is written and flushed first, then the record and the pairs; it is
// spoiled once they are on the disk. Completing a journal found whole is the same work
// again, and every step of it may be done twice.
#include "record_rewrite.h"

#include <cstring>
#include <memory>
#include <new>

#include "btree_file.h"
#include "bytes.h"
#include "fileio/file.h"
#include "skin/sk_files.h"

namespace db {
namespace {

constexpr char kMagic[8] = {'R', 'E', 'C', 'J', 'N', 'L', '1', 0x1A};
constexpr uint8_t kHadPair = 1, kHasPair = 2;

std::string Columns(const std::string& record, const DBFIELD& f) {
  return record.substr(size_t(f.position - 1), size_t(f.width));
}

void Append16(std::string& out, uint16_t v) {
  uint8_t b[2];
  Put16(b, v);
  out.append(reinterpret_cast<const char*>(b), 2);
}

void Append32(std::string& out, uint32_t v) {
  uint8_t b[4];
  Put32(b, v);
  out.append(reinterpret_cast<const char*>(b), 4);
}

// Reads the journal's fields in order; any read past the end fails the whole decoding.
class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}
  bool Take(size_t n, std::string_view& out) {
    if (n > bytes_.size() - at_) return false;
    out = bytes_.substr(at_, n);
    at_ += n;
    return true;
  }
  bool U16(int& v) {
    std::string_view s;
    if (!Take(2, s)) return false;
    v = Get16(reinterpret_cast<const uint8_t*>(s.data()));
    return true;
  }
  bool U32(uint32_t& v) {
    std::string_view s;
    if (!Take(4, s)) return false;
    v = Get32(reinterpret_cast<const uint8_t*>(s.data()));
    return true;
  }
  bool Text(size_t n, std::string& out) {
    std::string_view s;
    if (!Take(n, s)) return false;
    out.assign(s);
    return true;
  }
  size_t at() const { return at_; }

 private:
  std::string_view bytes_;
  size_t at_ = 0;
};

// The journal no longer counts: it goes, so that its presence alone says that a change
// may be pending; where it cannot go, zeros over its magic say the same.
int Spoil(const std::string& path) {
  const std::string journal = RewriteJournalPath(path);
  if (fileio::RemoveFile(journal) == 0) return 0;
  fileio::File f;
  int rc = f.Open(journal, fileio::Access::ReadWrite, fileio::Share::DenyNone);
  if (rc != 0) return rc;
  const char zeros[sizeof kMagic] = {};
  return f.WriteAt(0, zeros, sizeof zeros);
}

// Written over a journal that could not be removed (a longer old tail is ignored: the
// check ends it) and flushed before the first byte of the change.
int WriteJournal(const std::string& path, const RewriteJournal& journal) {
  const std::string bytes = EncodeRewriteJournal(journal);
  fileio::File f;
  int rc = f.OpenAlways(RewriteJournalPath(path), fileio::Share::DenyNone);
  if (rc == 0) rc = f.WriteAt(0, bytes.data(), bytes.size());
  if (rc == 0) rc = f.Flush();
  return rc;
}

// The record and its pairs as the journal has them, then on the disk. The caller holds
// the header lock; the indexes' lock is held for all of the pairs, so that no reader
// waits out a lock timeout half way. Erasing a pair that is gone and filing one that is
// there change nothing: the steps may run again after a kill. A damaged index (1392) is
// stepped over: it is rebuilt from the records, which the change has reached; the
// result reports it.
int Apply(const std::string& path, int fileNumber, const RewriteJournal& journal, bool journalFirst) {
  std::vector<std::unique_ptr<BTreeFile>> indexes;
  bool damaged = false;
  for (const PairMove& move : journal.moves) {
    auto index = std::make_unique<BTreeFile>();
    int rc = index->Open(IndexName(path, move.index), int(move.oldKey.size()));
    if (rc == kDbErrCorrupt) {
      damaged = true;
      index.reset();
    } else if (rc != 0) {
      return rc;
    }
    indexes.push_back(std::move(index));
  }
  int rc = 0;
  bool journalled = false, written = false;
  {
    std::unique_ptr<GroupHold> hold;
    for (auto& index : indexes) {
      if (index && !hold) {
        hold = std::make_unique<GroupHold>(index->group());
        rc = hold->rc();
      }
    }
    if (rc == 0 && journalFirst) {
      journalled = true;
      rc = WriteJournal(path, journal);
    }
    if (rc == 0) rc = SKFPUTR(fileNumber, journal.record, journal.recordNumber);
    written = rc == 0;
    for (size_t i = 0; rc == 0 && i < journal.moves.size(); ++i) {
      if (!indexes[i]) continue;
      const PairMove& move = journal.moves[i];
      const auto* oldKey = reinterpret_cast<const uint8_t*>(move.oldKey.data());
      const auto* newKey = reinterpret_cast<const uint8_t*>(move.newKey.data());
      bool done = false;
      if (move.hadPair) rc = indexes[i]->Erase(oldKey, journal.recordNumber, done);
      if (rc == 0 && move.hasPair) rc = indexes[i]->Insert(newKey, journal.recordNumber, done);
      if (rc == kDbErrCorrupt) {
        damaged = true;
        rc = 0;
      }
    }
  }
  if (rc == 0) rc = SKFLUSH(fileNumber);
  for (auto& index : indexes) {
    if (!index) continue;
    int flushed = index->FlushChanges();
    if (rc == 0) rc = flushed;
    index->Close();
  }
  // Spoiled once all of it is on the disk, or when nothing of it was written (a record
  // file that refuses the write); otherwise the next program completes it.
  if (rc == 0 || (journalled && !written)) {
    int spoiled = Spoil(path);
    if (rc == 0) rc = spoiled;
  }
  return rc == 0 && damaged ? kDbErrCorrupt : rc;
}

}  // namespace

std::string RewriteJournalPath(const std::string& path) { return path + ".JNL"; }

int PlanRewrite(const std::string& old, const std::string& record, int recordNumber,
                const std::vector<DBFIELD>& fields, RewriteJournal& journal) {
  std::vector<IndexLayout> layouts;
  int rc = IndexLayouts(fields, layouts);
  if (rc != 0) return rc;
  const int length = DbRecordLength(fields);
  if (length < 5 || recordNumber < 2 || old.size() != size_t(length) || record.size() != size_t(length))
    return kDbErrInvalidParameter;
  const DBFIELD& key = fields[0];
  journal = RewriteJournal{};
  journal.recordNumber = recordNumber;
  journal.keyPosition = key.position;
  journal.oldKey = Columns(old, key);
  journal.record = record;
  const bool wasDeleted = old[size_t(key.position - 1)] == '/';
  const bool isDeleted = record[size_t(key.position - 1)] == '/';
  for (size_t i = 0; i < layouts.size(); ++i) {
    PairMove move;
    move.index = layouts[i].number;
    move.hadPair = i == 0 || !wasDeleted;
    move.hasPair = i == 0 || !isDeleted;
    move.oldKey = Columns(old, fields[layouts[i].field]);
    move.newKey = Columns(record, fields[layouts[i].field]);
    if (move.hadPair == move.hasPair && (!move.hadPair || move.oldKey == move.newKey)) continue;
    journal.moves.push_back(std::move(move));
  }
  return 0;
}

std::string EncodeRewriteJournal(const RewriteJournal& journal) {
  std::string out(kMagic, sizeof kMagic);
  Append32(out, uint32_t(journal.record.size()));
  Append32(out, uint32_t(journal.recordNumber));
  Append16(out, uint16_t(journal.keyPosition));
  Append16(out, uint16_t(journal.oldKey.size()));
  out += journal.oldKey;
  out += journal.record;
  Append16(out, uint16_t(journal.moves.size()));
  for (const PairMove& move : journal.moves) {
    Append16(out, uint16_t(move.index));
    Append16(out, uint16_t(move.oldKey.size()));
    out += char((move.hadPair ? kHadPair : 0) | (move.hasPair ? kHasPair : 0));
    out += move.oldKey;
    out += move.newKey;
  }
  Append32(out, BlockCheck(reinterpret_cast<const uint8_t*>(out.data()), out.size()));
  return out;
}

bool DecodeRewriteJournal(std::string_view bytes, RewriteJournal& journal) {
  journal = RewriteJournal{};
  if (bytes.size() < sizeof kMagic || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) return false;
  Reader r(bytes.substr(sizeof kMagic));
  uint32_t length = 0, number = 0;
  int keyWidth = 0, moves = 0;
  if (!r.U32(length) || !r.U32(number) || !r.U16(journal.keyPosition) || !r.U16(keyWidth)) return false;
  if (length < 5 || number < 2 || number > INT32_MAX || keyWidth < 1 || keyWidth > kMaxKeyLength ||
      journal.keyPosition < 1 || size_t(journal.keyPosition - 1 + keyWidth) > length)
    return false;
  journal.recordNumber = int(number);
  if (!r.Text(size_t(keyWidth), journal.oldKey) || !r.Text(length, journal.record) || !r.U16(moves)) return false;
  for (int i = 0; i < moves; ++i) {
    PairMove move;
    int width = 0;
    std::string_view flags;
    if (!r.U16(move.index) || !r.U16(width) || width < 1 || width > kMaxKeyLength || !r.Take(1, flags) ||
        !r.Text(size_t(width), move.oldKey) || !r.Text(size_t(width), move.newKey))
      return false;
    move.hadPair = (uint8_t(flags[0]) & kHadPair) != 0;
    move.hasPair = (uint8_t(flags[0]) & kHasPair) != 0;
    journal.moves.push_back(std::move(move));
  }
  const size_t checked = sizeof kMagic + r.at();
  uint32_t check = 0;
  return r.U32(check) && check == BlockCheck(reinterpret_cast<const uint8_t*>(bytes.data()), checked);
}

}  // namespace db

int DbFinishInterruptedRewrite(const std::string& path, int fileNumber) {
  try {
    const std::string journalPath = db::RewriteJournalPath(path);
    if (!fileio::Exists(journalPath)) return 0;
    std::string bytes;
    int rc = fileio::ReadWholeFile(journalPath, bytes);
    if (rc != 0) return rc;
    db::RewriteJournal journal;
    // Empty, spoiled or torn: it was being written, and nothing of the change yet.
    if (!db::DecodeRewriteJournal(bytes, journal)) return db::Spoil(path);
    const int length = int(journal.record.size());
    const int64_t fileLength = SKFLOF(fileNumber);
    if (fileLength < 0) return kDbErrInvalidHandle;
    bool ours = fileLength >= int64_t(journal.recordNumber) * length;
    if (ours) {
      std::string record(size_t(length), ' ');
      rc = SKFGETR(fileNumber, record, journal.recordNumber);
      if (rc != 0) return rc;
      const std::string key = record.substr(size_t(journal.keyPosition - 1), journal.oldKey.size());
      // A slot holding neither key is no longer the journal's record (the file was
      // rebuilt since): the journal is old.
      ours = key == journal.oldKey || key == journal.record.substr(size_t(journal.keyPosition - 1), key.size());
    }
    return ours ? db::Apply(path, fileNumber, journal, false) : db::Spoil(path);
  } catch (const std::bad_alloc&) {
    return fileio::kErrNotEnoughMemory;
  }
}

int DbRewriteRecord(const std::string& path, int fileNumber, int recordNumber, const std::string& record,
                    const std::vector<DBFIELD>& fields) {
  try {
    const int length = DbRecordLength(fields);
    if (recordNumber < 2 || length < 5 || record.size() != size_t(length)) return kDbErrInvalidParameter;
    int rc = DbFinishInterruptedRewrite(path, fileNumber);
    if (rc != 0) return rc;
    if (SKFLOF(fileNumber) < int64_t(recordNumber) * length) return kDbErrInvalidParameter;
    std::string old(size_t(length), ' ');
    rc = SKFGETR(fileNumber, old, recordNumber);
    if (rc != 0) return rc;
    if (old == record) return 0;
    db::RewriteJournal journal;
    rc = db::PlanRewrite(old, record, recordNumber, fields, journal);
    return rc != 0 ? rc : db::Apply(path, fileNumber, journal, true);
  } catch (const std::bad_alloc&) {
    return fileio::kErrNotEnoughMemory;
  }
}
