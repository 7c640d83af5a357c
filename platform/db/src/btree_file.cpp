#include "btree_file.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <random>

#include "bytes.h"
#include "db/db.h"

namespace db {
namespace {

// Header page layout (the first 128 bytes of page 0).
constexpr uint8_t kMagic[8] = {'B', 'T', 'R', 'E', 'E', 'I', 'X', 0x1A};
constexpr uint32_t kVersion = 1;
constexpr int kHeaderBytes = 128;
constexpr int kHdrVersion = 8, kHdrPageSize = 12, kHdrKeyLength = 16, kHdrFlags = 20, kHdrFileId = 24,
              kHdrGeneration = 32, kHdrRoot = 40, kHdrHeight = 44, kHdrPageCount = 48, kHdrFreeHead = 52,
              kHdrKeyCount = 56, kHdrCheck = 124;
constexpr uint32_t kFlagBusy = 1;  // a change of several pages is being written
constexpr uint32_t kMaxHeight = 40;

// Page layout: a 16-byte head, then the entries.
constexpr uint8_t kLeaf = 1, kBranch = 2, kFree = 3;
constexpr int kPgType = 0, kPgLevel = 1, kPgCount = 2, kPgNumber = 4, kPgNext = 8, kPgCheck = 12;

// Pages kept in memory per open index (branches are always kept).
constexpr size_t kCachePages = 2048;

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

// Holds the group lock and reads the header for one operation.
class BTreeFile::Operation {
 public:
  explicit Operation(BTreeFile& f) : f_(f), hold_(*f.group_) { rc_ = hold_.rc() ? hold_.rc() : f_.ReadHeader(); }
  ~Operation() {
    if (!f_.dirty_.empty()) f_.Abandon();
    // Evict only between operations: a running one holds pointers to cached pages.
    while (f_.cache_.size() > kCachePages && !f_.leafOrder_.empty()) {
      f_.cache_.erase(f_.leafOrder_.front());
      f_.leafOrder_.pop_front();
    }
  }
  int rc() const { return rc_; }

 private:
  BTreeFile& f_;
  GroupHold hold_;
  int rc_;
};

BTreeFile::~BTreeFile() { Close(); }

int BTreeFile::Open(const std::string& path, int keyLength) {
  Close();
  if (keyLength < 1 || keyLength > kMaxKeyLength || path.empty()) return kDbErrInvalidParameter;
  path_ = path;
  keyLength_ = keyLength;
  int rc = 0;
  group_ = LockGroup::ForIndex(path, rc);
  if (!group_) return rc ? rc : kDbErrInvalidParameter;
  rc = file_.OpenAlways(path, fileio::Share::DenyNone);
  if (rc != 0) {
    if (!fileio::Exists(path) || file_.Open(path, fileio::Access::Read, fileio::Share::DenyNone) != 0) {
      Close();
      return rc;
    }
    readOnly_ = true;
  }
  {
    Operation op(*this);
    rc = op.rc();
  }
  if (rc != 0) Close();
  return rc;
}

void BTreeFile::Close() {
  Abandon();
  DropCache();
  file_.Close();
  group_.reset();
  readOnly_ = false;
}

// ---- header -------------------------------------------------------------------------

int BTreeFile::ReadHeader() {
  uint8_t b[kHeaderBytes];
  size_t got = 0;
  int rc = file_.ReadAt(0, b, sizeof b, got);
  if (rc != 0) return rc;
  if (got == 0) return readOnly_ ? kDbErrCorrupt : InitFile();
  if (got < sizeof b) return kDbErrCorrupt;
  if (std::memcmp(b, kMagic, sizeof kMagic) != 0 || Get32(b + kHdrVersion) != kVersion ||
      Get32(b + kHdrPageSize) != uint32_t(kPageSize) || Get32(b + kHdrCheck) != BlockCheck(b, kHdrCheck)) {
    return kDbErrCorrupt;
  }
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
  // A change that a crashed program left half written cannot be trusted.
  if (h.flags & kFlagBusy) return kDbErrCorrupt;
  if (h.pageCount < 2 || h.root < 1 || h.root >= h.pageCount || h.height < 1 || h.height > kMaxHeight ||
      h.freeHead >= h.pageCount) {
    return kDbErrCorrupt;
  }
  if (!cacheValid_ || h.fileId != cachedFileId_ || h.generation != cachedGeneration_) {
    DropCache();
    cacheValid_ = true;
    cachedFileId_ = h.fileId;
    cachedGeneration_ = h.generation;
  }
  header_ = h;
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

int BTreeFile::WriteHeader(const Header& h) {
  uint8_t b[kHeaderBytes];
  EncodeHeader(h, b);
  return file_.WriteAt(0, b, sizeof b);
}

int BTreeFile::InitFile() {
  // Header page and an empty root leaf in one write, so that a new file is whole or empty.
  Header h;
  h.fileId = NewFileId();
  h.generation = 1;
  h.root = 1;
  h.height = 1;
  h.pageCount = 2;
  auto leaf = std::make_unique<Page>();
  std::memset(leaf->bytes, 0, kPageSize);
  leaf->number = 1;
  leaf->bytes[kPgType] = kLeaf;
  Put32(leaf->bytes + kPgNumber, 1);
  Seal(*leaf);
  std::vector<uint8_t> both(2 * kPageSize, 0);
  EncodeHeader(h, both.data());
  std::memcpy(both.data() + kPageSize, leaf->bytes, kPageSize);
  int rc = file_.WriteAt(0, both.data(), both.size());
  if (rc != 0) return rc;
  DropCache();
  cacheValid_ = true;
  cachedFileId_ = h.fileId;
  cachedGeneration_ = h.generation;
  header_ = h;
  Remember(std::move(leaf), true);
  return 0;
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

void BTreeFile::Seal(Page& page) const {
  Put32(page.bytes + kPgCheck, 0);
  Put32(page.bytes + kPgCheck, BlockCheck(page.bytes, kPageSize));
}

int BTreeFile::CheckPage(const Page& p, int level) const {
  const uint8_t* b = p.bytes;
  uint8_t copy[kPageSize];
  std::memcpy(copy, b, kPageSize);
  Put32(copy + kPgCheck, 0);
  if (Get32(b + kPgCheck) != BlockCheck(copy, kPageSize)) return kDbErrCorrupt;
  if (Get32(b + kPgNumber) != p.number || b[kPgLevel] != level) return kDbErrCorrupt;
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
    if (c < 1 || c >= header_.pageCount || c == p.number) return kDbErrCorrupt;
  }
  for (int i = 1; i < count; ++i) {
    const uint8_t* prev = SepAt(p, i - 1);
    const uint8_t* cur = SepAt(p, i);
    if (Compare(prev, GetI32(prev + keyLength_), cur, GetI32(cur + keyLength_)) >= 0) return kDbErrCorrupt;
  }
  return 0;
}

void BTreeFile::Remember(std::unique_ptr<Page> page, bool isLeaf) {
  uint32_t n = page->number;
  cache_[n] = std::move(page);
  if (isLeaf) leafOrder_.push_back(n);
}

void BTreeFile::DropCache() {
  cache_.clear();
  leafOrder_.clear();
  cacheValid_ = false;
}

int BTreeFile::Load(uint32_t number, int level, Page*& page) {
  page = nullptr;
  if (number < 1 || number >= header_.pageCount) return kDbErrCorrupt;
  auto it = cache_.find(number);
  if (it != cache_.end()) {
    const uint8_t* b = it->second->bytes;
    if (b[kPgLevel] != level || b[kPgType] != (level == 0 ? kLeaf : kBranch)) return kDbErrCorrupt;
    page = it->second.get();
    return 0;
  }
  auto p = std::make_unique<Page>();
  p->number = number;
  size_t got = 0;
  int rc = file_.ReadAt(int64_t(number) * kPageSize, p->bytes, kPageSize, got);
  if (rc != 0) return rc;
  if (got != size_t(kPageSize)) return kDbErrCorrupt;
  rc = CheckPage(*p, level);
  if (rc != 0) return rc;
  page = p.get();
  Remember(std::move(p), level == 0);
  return 0;
}

int BTreeFile::NewPage(Page*& page) {
  page = nullptr;
  structural_ = true;
  std::unique_ptr<Page> p;
  uint32_t number;
  if (written_.freeHead != 0) {
    number = written_.freeHead;
    auto it = cache_.find(number);
    if (it != cache_.end()) {
      p = std::move(it->second);
      cache_.erase(it);
    } else {
      p = std::make_unique<Page>();
      size_t got = 0;
      int rc = file_.ReadAt(int64_t(number) * kPageSize, p->bytes, kPageSize, got);
      if (rc != 0) return rc;
      if (got != size_t(kPageSize)) return kDbErrCorrupt;
    }
    uint8_t copy[kPageSize];
    std::memcpy(copy, p->bytes, kPageSize);
    Put32(copy + kPgCheck, 0);
    if (p->bytes[kPgType] != kFree || Get32(p->bytes + kPgNumber) != number ||
        Get32(p->bytes + kPgCheck) != BlockCheck(copy, kPageSize)) {
      return kDbErrCorrupt;
    }
    uint32_t next = Get32(p->bytes + kPgNext);
    if (next >= written_.pageCount) return kDbErrCorrupt;
    written_.freeHead = next;
  } else {
    if (written_.pageCount == UINT32_MAX) return fileio::kErrDiskFull;
    number = written_.pageCount++;
    p = std::make_unique<Page>();
  }
  std::memset(p->bytes, 0, kPageSize);
  p->number = number;
  Put32(p->bytes + kPgNumber, number);
  page = p.get();
  cache_[number] = std::move(p);
  if (std::find(dirty_.begin(), dirty_.end(), page) == dirty_.end()) dirty_.push_back(page);
  return 0;
}

void BTreeFile::FreePage(Page* page) {
  structural_ = true;
  std::memset(page->bytes, 0, kPageSize);
  page->bytes[kPgType] = kFree;
  Put32(page->bytes + kPgNumber, page->number);
  Put32(page->bytes + kPgNext, written_.freeHead);
  Seal(*page);
  written_.freeHead = page->number;
  if (std::find(dirty_.begin(), dirty_.end(), page) == dirty_.end()) dirty_.push_back(page);
}

int BTreeFile::Commit() {
  if (dirty_.empty()) return 0;
  Header final = written_;
  final.flags = 0;
  final.generation = header_.generation + 1;
  int rc = 0;
  if (structural_) {
    // Readers that find this mark after a crash know the tree may be half changed.
    Header busy = header_;
    busy.flags |= kFlagBusy;
    rc = WriteHeader(busy);
  }
  for (size_t i = 0; rc == 0 && i < dirty_.size(); ++i) {
    Seal(*dirty_[i]);
    rc = file_.WriteAt(int64_t(dirty_[i]->number) * kPageSize, dirty_[i]->bytes, kPageSize);
  }
  if (rc == 0) rc = WriteHeader(final);
  if (rc != 0) {
    Abandon();
    return rc;
  }
  dirty_.clear();
  structural_ = false;
  header_ = final;
  cachedGeneration_ = final.generation;
  return 0;
}

void BTreeFile::Abandon() {
  // Pages changed in memory but not written: what is cached no longer matches the file.
  if (!dirty_.empty()) DropCache();
  dirty_.clear();
  structural_ = false;
}

// ---- search -------------------------------------------------------------------------

int BTreeFile::Compare(const uint8_t* entryKey, int32_t entryValue, const uint8_t* key, int32_t value) const {
  int c = std::memcmp(entryKey, key, size_t(keyLength_));
  if (c != 0) return c < 0 ? -1 : 1;
  return entryValue < value ? -1 : (entryValue > value ? 1 : 0);
}

int BTreeFile::LeafLowerBound(const Page& p, const uint8_t* key, int32_t value) const {
  int lo = 0, hi = Get16(p.bytes + kPgCount);
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
  int lo = 0, hi = Get16(p.bytes + kPgCount);
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
  int lo = 0, hi = Get16(p.bytes + kPgCount);
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
    rc = Load(ChildAt(*page, j), level, page);
  }
  if (rc == 0) path.push_back({page, 0});
  return rc;
}

int BTreeFile::Edge(bool first, std::vector<PathStep>& path, bool& any) {
  path.clear();
  any = false;
  Page* page = nullptr;
  int level = int(header_.height) - 1;
  int rc = Load(header_.root, level, page);
  while (rc == 0 && level > 0) {
    int j = first ? 0 : Get16(page->bytes + kPgCount);
    path.push_back({page, j});
    --level;
    rc = Load(ChildAt(*page, j), level, page);
  }
  if (rc != 0) return rc;
  path.push_back({page, 0});
  if (Get16(page->bytes + kPgCount) > 0) {
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
      int count = Get16(path[size_t(i)].page->bytes + kPgCount);
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
      int j = forward ? 0 : Get16(page->bytes + kPgCount);
      path.push_back({page, j});
      rc = Load(ChildAt(*page, j), level - 1, page);
    }
    if (rc != 0) return rc;
    path.push_back({page, 0});
    // Only the root leaf is ever empty; a damaged file may hold more: pass over them.
    if (Get16(page->bytes + kPgCount) > 0) {
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
  found = false;
  Operation op(*this);
  if (op.rc() != 0) return op.rc();
  std::vector<PathStep> path;
  int rc = 0;
  bool any = false;
  int slot = 0;
  if (mode == Seek::First || mode == Seek::Last) {
    rc = Edge(mode == Seek::First, path, any);
    if (rc != 0 || !any) return rc;
    slot = mode == Seek::First ? 0 : Get16(path.back().page->bytes + kPgCount) - 1;
  } else {
    rc = Descend(key, value, path);
    if (rc != 0) return rc;
    const Page& leaf = *path.back().page;
    int count = Get16(leaf.bytes + kPgCount);
    if (mode == Seek::Less) {
      slot = LeafLowerBound(leaf, key, value) - 1;
      if (slot < 0) {
        rc = NextLeaf(path, false, any);
        if (rc != 0 || !any) return rc;
        slot = Get16(path.back().page->bytes + kPgCount) - 1;
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
  {
    Operation op(*this);
    if (op.rc() != 0) return op.rc();
    // The cursor's page is still the same when nothing changed since it was found.
    if (hint.slot >= 0 && hint.generation == header_.generation && hint.fileId == header_.fileId) {
      auto it = cache_.find(hint.page);
      if (it != cache_.end() && it->second->bytes[kPgType] == kLeaf) {
        const Page& leaf = *it->second;
        int count = Get16(leaf.bytes + kPgCount);
        const uint8_t* e = hint.slot < count ? LeafAt(leaf, hint.slot) : nullptr;
        if (e && Compare(e, GetI32(e + keyLength_), key, value) == 0) {
          int next = hint.slot + (forward ? 1 : -1);
          if (next >= 0 && next < count) {
            found = true;
            Output(leaf, next, keyOut, valueOut, pos);
            return 0;
          }
        }
      }
    }
  }
  return Locate(forward ? Seek::Greater : Seek::Less, key, value, found, keyOut, valueOut, pos);
}

int BTreeFile::Contains(const uint8_t* key, bool& any) {
  any = false;
  std::vector<uint8_t> k(static_cast<size_t>(keyLength_));
  int32_t v = 0;
  BtPosition pos;
  bool found = false;
  int rc = Locate(Seek::AtLeast, key, INT32_MIN, found, k.data(), v, pos);
  if (rc == 0 && found) any = std::memcmp(k.data(), key, size_t(keyLength_)) == 0;
  return rc;
}

int BTreeFile::KeyCount(uint64_t& count) {
  Operation op(*this);
  if (op.rc() != 0) return op.rc();
  count = header_.keyCount;
  return 0;
}

// ---- changes ------------------------------------------------------------------------

int BTreeFile::Insert(const uint8_t* key, int32_t value, bool& existed) {
  existed = false;
  if (readOnly_) return fileio::kErrAccessDenied;
  Operation op(*this);
  if (op.rc() != 0) return op.rc();
  std::vector<PathStep> path;
  int rc = Descend(key, value, path);
  if (rc != 0) return rc;
  Page* leaf = path.back().page;
  int count = Get16(leaf->bytes + kPgCount);
  int pos = LeafLowerBound(*leaf, key, value);
  if (pos < count) {
    const uint8_t* e = LeafAt(*leaf, pos);
    if (Compare(e, GetI32(e + keyLength_), key, value) == 0) {
      existed = true;
      return 0;
    }
  }
  written_ = header_;
  written_.keyCount++;
  const int es = leafEntry();
  if (count < maxLeaf()) {
    std::memmove(LeafAt(*leaf, pos + 1), LeafAt(*leaf, pos), size_t((count - pos) * es));
    std::memcpy(LeafAt(*leaf, pos), key, size_t(keyLength_));
    PutI32(LeafAt(*leaf, pos) + keyLength_, value);
    Put16(leaf->bytes + kPgCount, uint16_t(count + 1));
    dirty_.push_back(leaf);
    return Commit();
  }
  // Split the full leaf. Filing in ascending order (record numbers, counters) adds at
  // the end of a leaf: the new pair then starts a leaf of its own, so that leaves stay
  // full instead of half empty.
  std::vector<uint8_t> all(size_t((count + 1) * es));
  std::memcpy(all.data(), LeafAt(*leaf, 0), size_t(pos * es));
  std::memcpy(all.data() + pos * es, key, size_t(keyLength_));
  PutI32(all.data() + pos * es + keyLength_, value);
  std::memcpy(all.data() + (pos + 1) * es, LeafAt(*leaf, pos), size_t((count - pos) * es));
  int total = count + 1;
  int leftCount = pos == count ? count : total / 2;
  Page* right = nullptr;
  rc = NewPage(right);
  if (rc != 0) return rc;
  right->bytes[kPgType] = kLeaf;
  std::memcpy(LeafAt(*leaf, 0), all.data(), size_t(leftCount * es));
  std::memset(LeafAt(*leaf, leftCount), 0, size_t((maxLeaf() - leftCount) * es));
  Put16(leaf->bytes + kPgCount, uint16_t(leftCount));
  std::memcpy(LeafAt(*right, 0), all.data() + leftCount * es, size_t((total - leftCount) * es));
  Put16(right->bytes + kPgCount, uint16_t(total - leftCount));
  dirty_.push_back(leaf);
  leafOrder_.push_back(right->number);
  const uint8_t* sep = LeafAt(*right, 0);
  std::vector<uint8_t> sepKey(sep, sep + keyLength_);
  rc = InsertIntoParent(path, path.size() - 1, sepKey.data(), GetI32(sep + keyLength_), right->number);
  if (rc != 0) return rc;
  return Commit();
}

// `level` counts the path entries above the page that split: path[level - 1] receives
// the separator; level 0 means the root split.
int BTreeFile::InsertIntoParent(std::vector<PathStep>& path, size_t level, const uint8_t* sepKey,
                                int32_t sepValue, uint32_t child) {
  const int es = branchEntry();
  if (level == 0) {
    Page* root = nullptr;
    int rc = NewPage(root);
    if (rc != 0) return rc;
    if (written_.height >= kMaxHeight) return kDbErrCorrupt;
    root->bytes[kPgType] = kBranch;
    root->bytes[kPgLevel] = uint8_t(written_.height);
    Put16(root->bytes + kPgCount, 1);
    SetChild(*root, 0, written_.root);
    std::memcpy(SepAt(*root, 0), sepKey, size_t(keyLength_));
    PutI32(SepAt(*root, 0) + keyLength_, sepValue);
    SetChild(*root, 1, child);
    written_.root = root->number;
    written_.height++;
    return 0;
  }
  Page* p = path[level - 1].page;
  int c = path[level - 1].child;
  int count = Get16(p->bytes + kPgCount);
  if (std::find(dirty_.begin(), dirty_.end(), p) == dirty_.end()) dirty_.push_back(p);
  if (count < maxBranch()) {
    std::memmove(SepAt(*p, c + 1), SepAt(*p, c), size_t((count - c) * es));
    std::memcpy(SepAt(*p, c), sepKey, size_t(keyLength_));
    PutI32(SepAt(*p, c) + keyLength_, sepValue);
    Put32(SepAt(*p, c) + keyLength_ + 4, child);
    Put16(p->bytes + kPgCount, uint16_t(count + 1));
    return 0;
  }
  // Split the full branch: separators and children with the new ones in place.
  const int ss = keyLength_ + 4;
  int n = count + 1;
  std::vector<uint8_t> seps(size_t(n * ss));
  std::vector<uint32_t> kids(size_t(n + 1));
  for (int i = 0, k = 0; i < n; ++i) {
    if (i == c) {
      std::memcpy(seps.data() + i * ss, sepKey, size_t(keyLength_));
      PutI32(seps.data() + i * ss + keyLength_, sepValue);
    } else {
      std::memcpy(seps.data() + i * ss, SepAt(*p, k++), size_t(ss));
    }
  }
  for (int i = 0, k = 0; i <= n; ++i) kids[size_t(i)] = (i == c + 1) ? child : ChildAt(*p, k++);
  int m = (c == count) ? n - 1 : n / 2;
  Page* right = nullptr;
  int rc = NewPage(right);
  if (rc != 0) return rc;
  right->bytes[kPgType] = kBranch;
  right->bytes[kPgLevel] = p->bytes[kPgLevel];
  std::memset(p->bytes + 16, 0, size_t(kPageSize - 16));
  Put16(p->bytes + kPgCount, uint16_t(m));
  for (int i = 0; i < m; ++i) std::memcpy(SepAt(*p, i), seps.data() + i * ss, size_t(ss));
  for (int i = 0; i <= m; ++i) SetChild(*p, i, kids[size_t(i)]);
  Put16(right->bytes + kPgCount, uint16_t(n - m - 1));
  for (int i = m + 1; i < n; ++i) std::memcpy(SepAt(*right, i - m - 1), seps.data() + i * ss, size_t(ss));
  for (int i = m + 1; i <= n; ++i) SetChild(*right, i - m - 1, kids[size_t(i)]);
  std::vector<uint8_t> up(seps.begin() + m * ss, seps.begin() + m * ss + keyLength_);
  return InsertIntoParent(path, level - 1, up.data(), GetI32(seps.data() + m * ss + keyLength_), right->number);
}

int BTreeFile::Erase(const uint8_t* key, int32_t value, bool& found) {
  found = false;
  if (readOnly_) return fileio::kErrAccessDenied;
  Operation op(*this);
  if (op.rc() != 0) return op.rc();
  std::vector<PathStep> path;
  int rc = Descend(key, value, path);
  if (rc != 0) return rc;
  Page* leaf = path.back().page;
  int count = Get16(leaf->bytes + kPgCount);
  int pos = LeafLowerBound(*leaf, key, value);
  if (pos >= count) return 0;
  const uint8_t* e = LeafAt(*leaf, pos);
  if (Compare(e, GetI32(e + keyLength_), key, value) != 0) return 0;
  found = true;
  written_ = header_;
  written_.keyCount--;
  const int es = leafEntry();
  std::memmove(LeafAt(*leaf, pos), LeafAt(*leaf, pos + 1), size_t((count - pos - 1) * es));
  std::memset(LeafAt(*leaf, count - 1), 0, size_t(es));
  Put16(leaf->bytes + kPgCount, uint16_t(count - 1));
  dirty_.push_back(leaf);
  if (count - 1 == 0 && path.size() > 1) {
    // An empty leaf leaves the tree; its parent may follow it.
    FreePage(leaf);
    rc = RemoveFromParent(path, path.size() - 1);
    if (rc != 0) return rc;
  }
  return Commit();
}

// Removes the child path[level] from its parent path[level - 1].
int BTreeFile::RemoveFromParent(std::vector<PathStep>& path, size_t level) {
  Page* p = path[level - 1].page;
  int c = path[level - 1].child;
  int count = Get16(p->bytes + kPgCount);
  if (std::find(dirty_.begin(), dirty_.end(), p) == dirty_.end()) dirty_.push_back(p);
  if (count == 0) {
    // Its only child went: the branch goes too, or an empty root leaf takes its place.
    if (level - 1 > 0) {
      FreePage(p);
      return RemoveFromParent(path, level - 1);
    }
    FreePage(p);
    Page* leaf = nullptr;
    int rc = NewPage(leaf);
    if (rc != 0) return rc;
    leaf->bytes[kPgType] = kLeaf;
    written_.root = leaf->number;
    written_.height = 1;
    return 0;
  }
  const int ss = keyLength_ + 4;
  std::vector<uint8_t> seps;
  std::vector<uint32_t> kids;
  for (int i = 0; i <= count; ++i) {
    if (i != c) kids.push_back(ChildAt(*p, i));
  }
  for (int i = 0; i < count; ++i) {
    // Child c goes with the separator before it (for child 0: the one after it).
    if (i == (c == 0 ? 0 : c - 1)) continue;
    seps.insert(seps.end(), SepAt(*p, i), SepAt(*p, i) + ss);
  }
  std::memset(p->bytes + 16, 0, size_t(kPageSize - 16));
  Put16(p->bytes + kPgCount, uint16_t(count - 1));
  for (int i = 0; i < count - 1; ++i) std::memcpy(SepAt(*p, i), seps.data() + i * ss, size_t(ss));
  for (int i = 0; i < count; ++i) SetChild(*p, i, kids[size_t(i)]);
  // A root with a single child hands the root over to it.
  if (level - 1 == 0) {
    while (written_.height > 1) {
      Page* root = nullptr;
      int rc = Load(written_.root, int(written_.height) - 1, root);
      if (rc != 0) return rc;
      if (Get16(root->bytes + kPgCount) != 0) break;
      written_.root = ChildAt(*root, 0);
      written_.height--;
      FreePage(root);
    }
  }
  return 0;
}

}  // namespace db
