#include "btree_file.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <atomic>
#include <functional>
#include <random>

#include "btree_layout.h"
#include "bytes.h"
#include "db/db.h"
#include "flushes.h"

namespace db {
using namespace btree;
namespace {

uint64_t NewFileId() {
  uint64_t id = uint64_t(std::chrono::steady_clock::now().time_since_epoch().count());
  id ^= uint64_t(std::chrono::system_clock::now().time_since_epoch().count()) << 17;
  id ^= uint64_t(reinterpret_cast<uintptr_t>(&id));
  try {
    std::random_device rd;
    id ^= (uint64_t(rd()) << 32) ^ rd();
  } catch (...) {
    // The clocks and the stack address are enough to tell files apart.
  }
  return id == 0 ? 1 : id;
}

}  // namespace

BTreeFile::~BTreeFile() { Close(); }

int BTreeFile::Open(const std::string& path, int keyLength) {
  Close();
  if (keyLength < 1 || keyLength > kMaxKeyLength || path.empty()) return kDbErrInvalidParameter;
  path_ = path;
  keyLength_ = keyLength;
  int rc = 0;
  group_ = LockGroup::ForIndex(path, rc);
  if (!group_) return rc ? rc : kDbErrInvalidParameter;
  {
    GroupHold hold(*group_);  // another program may be making the file right now
    rc = hold.rc();
    if (rc == 0) rc = map_.Open(path, readOnly_);
  }
  if (rc == 0) {
    Operation op(*this);
    rc = op.rc();
  }
  if (rc != 0) Close();
  return rc;
}

int BTreeFile::FlushChanges() {
  if (!unflushed_ || flushWaiting_) return 0;
  flushWaiting_ = InBatch();
  return FlushAtEnd(uintptr_t(this), [this] {
    unflushed_ = flushWaiting_ = false;
    return FlushFiles();
  });
}

// The journal reaches the disk before the pages it holds the old content of: a power
// loss while the index is written leaves a journal that can undo it.
int BTreeFile::FlushFiles() {
  int rc = 0;
  if (journalUnflushed_) {
    rc = journal_.Flush();
    journalUnflushed_ = rc != 0;
  }
  // A batch's thousands of pages are written back without taking them one by one from
  // the mapping (mapped_file.h); a single change's few pages are not worth mapping anew.
  constexpr uint64_t kManyPages = 256;
  int mapped = map_.Flush(pagesSinceFlush_ >= kManyPages);
  pagesSinceFlush_ = 0;
  return rc != 0 ? rc : mapped;
}

void BTreeFile::Close() {
  EndOperation();
  // A batch may still wait to flush this handle's changes: they are flushed now.
  ForgetFlush(uintptr_t(this));
  if (unflushed_) FlushFiles();
  unflushed_ = flushWaiting_ = false;
  journal_.Close();
  journalUnflushed_ = false;
  map_.Close();
  group_.reset();
  checked_.clear();
  checkedFileId_ = 0;
  readOnly_ = false;
}

void BTreeFile::EndOperation() {
  // A change that failed half way keeps its "being changed" mark: the file is damaged.
  changing_ = false;
  journalError_ = 0;
  dirty_.clear();
  opPages_.clear();
}

// ---- header -------------------------------------------------------------------------

int BTreeFile::ReadHeader() {
  if (map_.mapped() < kHeaderBytes) {
    int rc = map_.Remap();  // another program may have made the file meanwhile
    if (rc != 0) return rc;
  }
  if (map_.mapped() == 0) return readOnly_ || optimistic_ ? kDbErrCorrupt : InitFile();
  if (map_.mapped() < kHeaderBytes) return kDbErrCorrupt;
  // One copy of the header, so that its check value covers what is used.
  std::memcpy(snapshot_, map_.data(), kHeaderBytes);
  std::atomic_thread_fence(std::memory_order_seq_cst);
  const uint8_t* b = snapshot_;
  bool blank = true;
  for (int i = 0; i < kHeaderBytes && blank; ++i) blank = b[i] == 0;
  // Made but never written (a crash right after making it): nothing to lose.
  if (blank && map_.mapped() <= 2 * kPageSize && !readOnly_ && !optimistic_) return InitFile();
  bool sound = std::memcmp(b, kMagic, sizeof kMagic) == 0 && Get32(b + kHdrVersion) == kVersion &&
               Get32(b + kHdrPageSize) == uint32_t(kPageSize) && Get32(b + kHdrCheck) == BlockCheck(b, kHdrCheck);
  // A change left half done (the header marked, or torn while it was written): undone
  // from the journal under the lock, then read again.
  if ((!sound || (Get32(b + kHdrFlags) & kFlagBusy)) && !readOnly_ && !optimistic_ && !restoring_) {
    restoring_ = true;
    int rc = RestoreFromJournal() == 0 ? ReadHeader() : kDbErrCorrupt;
    restoring_ = false;
    return rc;
  }
  if (!sound) return kDbErrCorrupt;
  if (Get16(b + kHdrKeyLength) != keyLength_) return kDbErrInvalidParameter;
  Header h;
  h.flags = Get32(b + kHdrFlags);
  h.fileId = Get64(b + kHdrFileId);
  h.generation = Get64(b + kHdrGeneration);
  h.root = Get32(b + kHdrRoot);
  h.height = Get32(b + kHdrHeight);
  h.pageCount = Get32(b + kHdrPageCount);
  h.freeHead = Get32(b + kHdrFreeHead);
  h.keyCount = Get64(b + kHdrKeyCount);
  // A change that a crashed program left half done cannot be trusted.
  if (h.flags & kFlagBusy) return kDbErrCorrupt;
  if (h.pageCount < 2 || h.root < 1 || h.root >= h.pageCount || h.height < 1 || h.height > kMaxHeight ||
      h.freeHead >= h.pageCount) {
    return kDbErrCorrupt;
  }
  if (int64_t(h.pageCount) * kPageSize > map_.mapped()) {
    int rc = map_.Remap();  // another program made the file longer
    if (rc != 0) return rc;
    if (int64_t(h.pageCount) * kPageSize > map_.mapped()) return kDbErrCorrupt;
  }
  if (h.fileId != checkedFileId_) {
    checked_.clear();
    checkedFileId_ = h.fileId;
  }
  if (checked_.size() < h.pageCount) checked_.resize(h.pageCount, 0);
  header_ = h;
  written_ = h;
  return 0;
}

void BTreeFile::EncodeHeader(const Header& h, uint8_t* b) const {
  std::memset(b, 0, kHeaderBytes);
  std::memcpy(b, kMagic, sizeof kMagic);
  Put32(b + kHdrVersion, kVersion);
  Put32(b + kHdrPageSize, kPageSize);
  Put16(b + kHdrKeyLength, uint16_t(keyLength_));
  Put32(b + kHdrFlags, h.flags);
  Put64(b + kHdrFileId, h.fileId);
  Put64(b + kHdrGeneration, h.generation);
  Put32(b + kHdrRoot, h.root);
  Put32(b + kHdrHeight, h.height);
  Put32(b + kHdrPageCount, h.pageCount);
  Put32(b + kHdrFreeHead, h.freeHead);
  Put64(b + kHdrKeyCount, h.keyCount);
  Put32(b + kHdrCheck, BlockCheck(b, kHdrCheck));
}

int BTreeFile::InitFile() {
  int rc = map_.Extend(2 * kPageSize);
  if (rc != 0) return rc;
  Header h;
  h.fileId = NewFileId();
  h.generation = 1;
  h.root = 1;
  h.height = 1;
  h.pageCount = 2;
  uint8_t* leaf = map_.data() + kPageSize;
  std::memset(leaf, 0, kPageSize);
  leaf[kPgType] = kLeaf;
  Put32(leaf + kPgNumber, 1);
  Seal(leaf);
  EncodeHeader(h, map_.data());
  unflushed_ = true;
  checked_.assign(2, 1);
  checkedFileId_ = h.fileId;
  header_ = h;
  written_ = h;
  return 0;
}

int BTreeFile::Clear() {
  if (readOnly_) return fileio::kErrAccessDenied;
  if (journalling_) return kDbErrInvalidParameter;
  Operation op(*this);
  if (op.rc() != 0) return op.rc();
  BeginChange();
  uint8_t* leaf = map_.data() + kPageSize;  // every index has page 1
  std::memset(leaf, 0, kPageSize);
  leaf[kPgType] = kLeaf;
  Put32(leaf + kPgNumber, 1);
  Seal(leaf);
  written_.fileId = NewFileId();
  written_.root = 1;
  written_.height = 1;
  written_.pageCount = 2;
  written_.freeHead = 0;
  written_.keyCount = 0;
  return Commit();
}

// Makes room for `pages` new pages before the operation takes any page: growing the
// mapping moves it.
int BTreeFile::Reserve(uint32_t pages) {
  int64_t need = (int64_t(written_.pageCount) + pages) * kPageSize;
  if (need <= map_.mapped()) return 0;
  int64_t step = std::max<int64_t>(16 * kPageSize, map_.mapped() / 8 / kPageSize * kPageSize);
  return map_.Extend(std::max(need, map_.mapped() + step));
}

// ---- pages --------------------------------------------------------------------------

uint32_t BTreeFile::ChildAt(const Page& p, int i) const {
  return i == 0 ? Get32(p.bytes + 16) : Get32(SepAt(p, i - 1) + keyLength_ + 4);
}

void BTreeFile::SetChild(Page& p, int i, uint32_t child) const {
  if (i == 0) {
    Put32(p.bytes + 16, child);
  } else {
    Put32(SepAt(p, i - 1) + keyLength_ + 4, child);
  }
}

void BTreeFile::Seal(uint8_t* bytes) const {
  Put32(bytes + kPgCheck, 0);
  Put32(bytes + kPgCheck, BlockCheck(bytes, kPageSize));
}

int BTreeFile::CheckPage(const uint8_t* b, uint32_t number, int level) const {
  uint8_t copy[kPageSize];
  std::memcpy(copy, b, kPageSize);
  Put32(copy + kPgCheck, 0);
  if (Get32(b + kPgCheck) != BlockCheck(copy, kPageSize)) return kDbErrCorrupt;
  if (Get32(b + kPgNumber) != number || b[kPgLevel] != level) return kDbErrCorrupt;
  Page p{number, const_cast<uint8_t*>(b)};
  int count = Get16(b + kPgCount);
  if (level == 0) {
    if (b[kPgType] != kLeaf || count > maxLeaf()) return kDbErrCorrupt;
    for (int i = 1; i < count; ++i) {
      const uint8_t* prev = LeafAt(p, i - 1);
      const uint8_t* cur = LeafAt(p, i);
      if (Compare(prev, GetI32(prev + keyLength_), cur, GetI32(cur + keyLength_)) >= 0) return kDbErrCorrupt;
    }
    return 0;
  }
  if (b[kPgType] != kBranch || count > maxBranch()) return kDbErrCorrupt;
  for (int i = 0; i <= count; ++i) {
    uint32_t c = ChildAt(p, i);
    if (c < 1 || c >= written_.pageCount || c == number) return kDbErrCorrupt;
  }
  for (int i = 1; i < count; ++i) {
    const uint8_t* prev = SepAt(p, i - 1);
    const uint8_t* cur = SepAt(p, i);
    if (Compare(prev, GetI32(prev + keyLength_), cur, GetI32(cur + keyLength_)) >= 0) return kDbErrCorrupt;
  }
  return 0;
}

BTreeFile::Page* BTreeFile::Track(uint32_t number) {
  for (Page& known : opPages_)
    if (known.number == number) return &known;
  opPages_.push_back(Page{number, map_.data() + int64_t(number) * kPageSize});
  Page* p = &opPages_.back();
  // A page taken while a change runs may be changed: its old content goes first.
  if (changing_) Journal(*p);
  return p;
}

int BTreeFile::Load(uint32_t number, int level, Page*& page) {
  page = nullptr;
  if (number < 1 || number >= written_.pageCount || int64_t(number + 1) * kPageSize > map_.mapped()) {
    return kDbErrCorrupt;
  }
  const uint8_t* b = map_.data() + int64_t(number) * kPageSize;
  if (!checked_[number]) {
    int rc = CheckPage(b, number, level);
    if (rc != 0) return rc;
    checked_[number] = 1;
  }
  // Checked pages stay sound, but a page may have been freed or moved up a level since.
  if (b[kPgLevel] != level || b[kPgType] != (level == 0 ? kLeaf : kBranch)) return kDbErrCorrupt;
  page = Track(number);
  return 0;
}

namespace {

constexpr uint8_t kJournalMagic[8] = {'B', 'T', 'U', 'N', 'D', 'O', '1', 0x1A};
constexpr int kJournalHead = 8 + 8 + 8 + 128;  // magic, file identity, change count, header
constexpr int kJournalRecord = 4 + 8 + kPageSize;  // page number, change count, page
// The journal grows by at least this much: room for the records of a split up the tree.
constexpr int64_t kJournalStep = 32 * 1024;

}  // namespace

// The journal of this change: its head (the file identity, the change count it starts
// from and the header as it was) and the old content of the leaf the operation holds.
// Only then is the header marked. A change writes into its leaf at once; every other
// page is marked dirty (or freed) before it is written, and journalled then; pages taken
// later are journalled as they are taken.
void BTreeFile::BeginChange() {
  if (changing_) return;
  journalError_ = 0;
  if (journalling_) {
    journalEnd_ = kJournalHead;
    journalError_ = OpenJournal(true);
    if (journalError_ == 0) journalError_ = JournalRoom(int64_t(opPages_.size()) * kJournalRecord);
    if (journalError_ == 0) {
      EndJournal(journalEnd_);
      for (Page& p : opPages_)
        if (p.bytes[kPgLevel] == 0 && p.bytes[kPgType] == kLeaf && NeedsJournal(p)) JournalRecord(p);
      uint8_t* head = journal_.data();
      std::memcpy(head, kJournalMagic, 8);
      Put64(head + 8, header_.fileId);
      Put64(head + 16, header_.generation);
      std::memcpy(head + 24, map_.data(), kHeaderBytes);
      journalUnflushed_ = true;
    }
    if (journalError_ != 0) SpoilJournal();
  }
  // The journal holds its records before the mark says that it is needed.
  std::atomic_thread_fence(std::memory_order_seq_cst);
  changing_ = true;
  // Marked before the first byte changes; cleared when the change is complete.
  uint8_t* b = map_.data();
  Put32(b + kHdrFlags, header_.flags | kFlagBusy);
  Put32(b + kHdrCheck, BlockCheck(b, kHdrCheck));
  unflushed_ = true;
}

// A journal that may only be read cannot serve: its change could not be undone.
int BTreeFile::OpenJournal(bool create) {
  if (journal_.IsOpen()) return 0;
  bool readOnly = false;
  int rc = journal_.Open(path_ + ".UND", readOnly, create);
  if (rc == 0 && readOnly) rc = fileio::kErrAccessDenied;
  if (rc != 0) journal_.Close();
  return rc;
}

// Room for `bytes` more after the journal's end. The mapping grows in large steps (or
// takes what another handle grew the file to), so that changes seldom map it again.
int BTreeFile::JournalRoom(int64_t bytes) {
  int64_t need = journalEnd_ + bytes;
  if (need <= journal_.mapped()) return 0;
  return journal_.Extend(std::max(need, journal_.mapped() + std::max(kJournalStep, journal_.mapped())));
}

void BTreeFile::EndJournal(int64_t at) {
  if (at + 12 <= journal_.mapped()) Put64(journal_.data() + at + 4, 0);
}

bool BTreeFile::NeedsJournal(const Page& page) const {
  return !page.journalled && int64_t(page.number + 1) * kPageSize <= map_.mapped();
}

// Copies the page's old content to the journal's end; the room is there. The slot after
// it is ended first: records a change cut short before left there (of the same change
// count, when the file was restored from them) are never taken for this change's.
void BTreeFile::JournalRecord(Page& page) {
  EndJournal(journalEnd_ + kJournalRecord);
  uint8_t* record = journal_.data() + journalEnd_;
  Put32(record, page.number);
  Put64(record + 4, header_.generation);
  std::memcpy(record + 12, page.bytes, kPageSize);
  page.journalled = true;
  journalEnd_ += kJournalRecord;
  journalUnflushed_ = true;
}

int BTreeFile::Journal(Page& page) {
  if (!journalling_ || journalError_ != 0 || !NeedsJournal(page)) return journalError_;
  journalError_ = JournalRoom(kJournalRecord);
  if (journalError_ == 0) {
    JournalRecord(page);
    std::atomic_thread_fence(std::memory_order_seq_cst);  // before the page changes
  } else {
    SpoilJournal();
  }
  return journalError_;
}

// A journal that could not take a change whole, or that was played back, must never be
// played (again): damage found later is reported, not "undone" with old pages. A
// complete change needs no such care: its new change count no longer matches its journal.
void BTreeFile::SpoilJournal() {
  if (!journal_.IsOpen()) return;
  if (journal_.mapped() < 8) journal_.Remap();  // a failed growth may have left it unmapped
  if (journal_.mapped() >= 8) std::memset(journal_.data(), 0, 8);
}

// Puts back every page the journal holds for the change the header is marked with, and
// the header as it was before it. 0 when the file was restored.
int BTreeFile::RestoreFromJournal() {
  // Another handle or program may have written more of the journal than this mapping shows.
  if (OpenJournal(false) != 0 || journal_.Remap() != 0 || journal_.mapped() < kJournalHead) return kDbErrCorrupt;
  const uint8_t* head = journal_.data();
  if (std::memcmp(head, kJournalMagic, 8) != 0) return kDbErrCorrupt;
  const uint8_t* old = head + 24;
  const uint8_t* now = map_.data();
  uint64_t fileId = Get64(head + 8), generation = Get64(head + 16);
  // The journal must be this file's and of the change that the file shows: the same
  // identity and the change count it started from.
  if (std::memcmp(old, kMagic, sizeof kMagic) != 0 || Get32(old + kHdrCheck) != BlockCheck(old, kHdrCheck) ||
      Get64(old + kHdrFileId) != fileId || Get64(old + kHdrGeneration) != generation ||
      Get64(now + kHdrFileId) != fileId)
    return kDbErrCorrupt;
  if (Get64(now + kHdrGeneration) != generation) return kDbErrCorrupt;
  for (int64_t at = kJournalHead; at + kJournalRecord <= journal_.mapped(); at += kJournalRecord) {
    const uint8_t* record = journal_.data() + at;
    if (Get64(record + 4) != generation) break;
    uint32_t number = Get32(record);
    if (number == 0 || int64_t(number + 1) * kPageSize > map_.mapped()) continue;
    std::memcpy(map_.data() + int64_t(number) * kPageSize, record + 12, kPageSize);
  }
  std::memcpy(map_.data(), old, kHeaderBytes);
  checked_.clear();
  unflushed_ = true;
  SpoilJournal();
  return 0;
}

void BTreeFile::MarkDirty(Page* page) {
  if (changing_) Journal(*page);
  if (std::find(dirty_.begin(), dirty_.end(), page) == dirty_.end()) dirty_.push_back(page);
}

int BTreeFile::NewPage(Page*& page) {
  page = nullptr;
  uint32_t number;
  if (written_.freeHead != 0) {
    number = written_.freeHead;
    if (int64_t(number + 1) * kPageSize > map_.mapped()) return kDbErrCorrupt;
    uint8_t* b = map_.data() + int64_t(number) * kPageSize;
    uint8_t copy[kPageSize];
    std::memcpy(copy, b, kPageSize);
    Put32(copy + kPgCheck, 0);
    if (b[kPgType] != kFree || Get32(b + kPgNumber) != number || Get32(b + kPgCheck) != BlockCheck(copy, kPageSize)) {
      return kDbErrCorrupt;
    }
    uint32_t next = Get32(b + kPgNext);
    if (next >= written_.pageCount) return kDbErrCorrupt;
    written_.freeHead = next;
  } else {
    number = written_.pageCount;
    if (number == UINT32_MAX || int64_t(number + 1) * kPageSize > map_.mapped()) return kDbErrCorrupt;
    written_.pageCount++;
    if (checked_.size() < written_.pageCount) checked_.resize(written_.pageCount, 0);
  }
  BeginChange();
  page = Track(number);
  std::memset(page->bytes, 0, kPageSize);
  Put32(page->bytes + kPgNumber, number);
  checked_[number] = 1;
  MarkDirty(page);
  return 0;
}

void BTreeFile::FreePage(Page* page) {
  BeginChange();
  Journal(*page);
  std::memset(page->bytes, 0, kPageSize);
  page->bytes[kPgType] = kFree;
  Put32(page->bytes + kPgNumber, page->number);
  Put32(page->bytes + kPgNext, written_.freeHead);
  Seal(page->bytes);
  written_.freeHead = page->number;
  MarkDirty(page);
}

int BTreeFile::Commit() {
  if (!changing_) return 0;
  for (Page* p : dirty_) Seal(p->bytes);
  pagesSinceFlush_ += dirty_.size() + 1;  // and the header
  Header final = written_;
  final.flags = header_.flags & ~kFlagBusy;
  final.generation = header_.generation + 1;
  uint8_t encoded[kHeaderBytes];
  EncodeHeader(final, encoded);
  std::memcpy(map_.data(), encoded, kHeaderBytes);
  header_ = final;
  written_ = final;
  changing_ = false;
  dirty_.clear();
  return 0;
}

// ---- search -------------------------------------------------------------------------

int BTreeFile::Compare(const uint8_t* entryKey, int32_t entryValue, const uint8_t* key, int32_t value) const {
  int c = std::memcmp(entryKey, key, size_t(keyLength_));
  if (c != 0) return c < 0 ? -1 : 1;
  return entryValue < value ? -1 : (entryValue > value ? 1 : 0);
}

int BTreeFile::LeafLowerBound(const Page& p, const uint8_t* key, int32_t value) const {
  int lo = 0, hi = LeafCount(p);
  while (lo < hi) {
    int mid = (lo + hi) / 2;
    const uint8_t* e = LeafAt(p, mid);
    if (Compare(e, GetI32(e + keyLength_), key, value) < 0) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  return lo;
}

int BTreeFile::LeafUpperBound(const Page& p, const uint8_t* key, int32_t value) const {
  int lo = 0, hi = LeafCount(p);
  while (lo < hi) {
    int mid = (lo + hi) / 2;
    const uint8_t* e = LeafAt(p, mid);
    if (Compare(e, GetI32(e + keyLength_), key, value) <= 0) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  return lo;
}

int BTreeFile::BranchChild(const Page& p, const uint8_t* key, int32_t value) const {
  // Child j holds the pairs from separator j-1 (inclusive) up to separator j.
  int lo = 0, hi = BranchCount(p);
  while (lo < hi) {
    int mid = (lo + hi) / 2;
    const uint8_t* s = SepAt(p, mid);
    if (Compare(s, GetI32(s + keyLength_), key, value) <= 0) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  return lo;
}

int BTreeFile::Descend(const uint8_t* key, int32_t value, std::vector<PathStep>& path) {
  path.clear();
  Page* page = nullptr;
  int level = int(header_.height) - 1;
  int rc = Load(header_.root, level, page);
  while (rc == 0 && level > 0) {
    int j = BranchChild(*page, key, value);
    path.push_back({page, j});
    --level;
    const uint32_t child = ChildAt(*page, j);
    Prefetch(child);
    rc = Load(child, level, page);
  }
  if (rc == 0) path.push_back({page, 0});
  return rc;
}

// Asks for every line of a page at once: a search in a page the cache lacks would
// otherwise wait for its lines one after another, and a change reads the whole page anyway
// (its journal record, its check value).
void BTreeFile::Prefetch(uint32_t number) const {
  if (int64_t(number + 1) * kPageSize > map_.mapped()) return;
  const uint8_t* b = map_.data() + int64_t(number) * kPageSize;
  for (int at = 0; at < kPageSize; at += 64) __builtin_prefetch(b + at);
}

int BTreeFile::Edge(bool first, std::vector<PathStep>& path, bool& any) {
  path.clear();
  any = false;
  Page* page = nullptr;
  int level = int(header_.height) - 1;
  int rc = Load(header_.root, level, page);
  while (rc == 0 && level > 0) {
    int j = first ? 0 : BranchCount(*page);
    path.push_back({page, j});
    --level;
    rc = Load(ChildAt(*page, j), level, page);
  }
  if (rc != 0) return rc;
  path.push_back({page, 0});
  if (LeafCount(*page) > 0) {
    any = true;
    return 0;
  }
  return NextLeaf(path, first, any);
}

int BTreeFile::NextLeaf(std::vector<PathStep>& path, bool forward, bool& any) {
  any = false;
  for (;;) {
    // Climb to the nearest branch that has a child beyond the one taken.
    int i = int(path.size()) - 2;
    while (i >= 0) {
      int count = BranchCount(*path[size_t(i)].page);
      int j = path[size_t(i)].child;
      if (forward ? j < count : j > 0) break;
      --i;
    }
    if (i < 0) return 0;
    path.resize(size_t(i) + 1);
    path.back().child += forward ? 1 : -1;
    int level = path.back().page->bytes[kPgLevel];
    Page* page = nullptr;
    int rc = Load(ChildAt(*path.back().page, path.back().child), level - 1, page);
    for (--level; rc == 0 && level > 0; --level) {
      int j = forward ? 0 : BranchCount(*page);
      path.push_back({page, j});
      rc = Load(ChildAt(*page, j), level - 1, page);
    }
    if (rc != 0) return rc;
    path.push_back({page, 0});
    // Only the root leaf is ever empty; a damaged file may hold more: pass over them.
    if (LeafCount(*page) > 0) {
      any = true;
      return 0;
    }
  }
}

void BTreeFile::Output(const Page& leaf, int slot, uint8_t* keyOut, int32_t& valueOut, BtPosition& pos) const {
  const uint8_t* e = LeafAt(leaf, slot);
  std::memcpy(keyOut, e, size_t(keyLength_));
  valueOut = GetI32(e + keyLength_);
  pos.page = leaf.number;
  pos.slot = slot;
  pos.generation = header_.generation;
  pos.fileId = header_.fileId;
}

int BTreeFile::Locate(Seek mode, const uint8_t* key, int32_t value, bool& found, uint8_t* keyOut,
                      int32_t& valueOut, BtPosition& pos) {
  return Read([&] { return LocateIn(mode, key, value, found, keyOut, valueOut, pos); });
}

int BTreeFile::LocateIn(Seek mode, const uint8_t* key, int32_t value, bool& found, uint8_t* keyOut,
                        int32_t& valueOut, BtPosition& pos) {
  found = false;
  std::vector<PathStep>& path = readPath_;
  int rc = 0;
  bool any = false;
  int slot = 0;
  if (mode == Seek::First || mode == Seek::Last) {
    rc = Edge(mode == Seek::First, path, any);
    if (rc != 0 || !any) return rc;
    slot = mode == Seek::First ? 0 : LeafCount(*path.back().page) - 1;
  } else {
    rc = Descend(key, value, path);
    if (rc != 0) return rc;
    const Page& leaf = *path.back().page;
    int count = LeafCount(leaf);
    if (mode == Seek::Less) {
      slot = LeafLowerBound(leaf, key, value) - 1;
      if (slot < 0) {
        rc = NextLeaf(path, false, any);
        if (rc != 0 || !any) return rc;
        slot = LeafCount(*path.back().page) - 1;
      }
    } else {
      slot = mode == Seek::AtLeast ? LeafLowerBound(leaf, key, value) : LeafUpperBound(leaf, key, value);
      if (slot >= count) {
        rc = NextLeaf(path, true, any);
        if (rc != 0 || !any) return rc;
        slot = 0;
      }
    }
  }
  found = true;
  Output(*path.back().page, slot, keyOut, valueOut, pos);
  return 0;
}

int BTreeFile::Step(bool forward, const uint8_t* key, int32_t value, const BtPosition& hint, bool& found,
                    uint8_t* keyOut, int32_t& valueOut, BtPosition& pos) {
  return Read([&] {
    found = false;
    // The cursor's page is still the same when nothing changed since it was found.
    Page* leaf = nullptr;
    if (hint.slot >= 0 && hint.generation == header_.generation && hint.fileId == header_.fileId &&
        Load(hint.page, 0, leaf) == 0) {
      int count = LeafCount(*leaf);
      const uint8_t* e = hint.slot < count ? LeafAt(*leaf, hint.slot) : nullptr;
      if (e && Compare(e, GetI32(e + keyLength_), key, value) == 0) {
        int next = hint.slot + (forward ? 1 : -1);
        if (next >= 0 && next < count) {
          found = true;
          Output(*leaf, next, keyOut, valueOut, pos);
          return 0;
        }
      }
    }
    return LocateIn(forward ? Seek::Greater : Seek::Less, key, value, found, keyOut, valueOut, pos);
  });
}

int BTreeFile::Contains(const uint8_t* key, bool& any) {
  any = false;
  uint8_t k[kMaxKeyLength];
  int32_t v = 0;
  BtPosition pos;
  bool found = false;
  int rc = Locate(Seek::AtLeast, key, INT32_MIN, found, k, v, pos);
  if (rc == 0 && found) any = std::memcmp(k, key, size_t(keyLength_)) == 0;
  return rc;
}

int BTreeFile::KeyCount(uint64_t& count) {
  return Read([&] {
    count = header_.keyCount;
    return 0;
  });
}

// Reads run first without the lock between programs: a change by another program marks
// the header before its first byte and gives it a new change count when it is complete,
// so a read that finds the header unchanged afterwards saw no change at all. Otherwise
// (or when anything looked wrong) the read runs again under the lock.
int BTreeFile::ReadWith(ReadFn fn) {
  {
    LocalHold local(*group_);
    if (!group_->HeldHere()) {
      optimistic_ = true;
      int rc = ReadHeader();
      if (rc == 0) rc = fn();
      optimistic_ = false;
      EndOperation();
      std::atomic_thread_fence(std::memory_order_seq_cst);
      if (rc == 0 && map_.mapped() >= kHeaderBytes && std::memcmp(map_.data(), snapshot_, kHeaderBytes) == 0) return 0;
    }
  }
  Operation op(*this);
  if (op.rc() != 0) return op.rc();
  return fn();
}

}  // namespace db
