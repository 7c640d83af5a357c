// The media library: items (a file's bytes and a 22-byte trailer) appended to "<lib>.B01",
// found through the index "<lib>.I01" (12-character name -> offset past the trailer).
//
// One rule for an item's length everywhere: the trailer's length is the number of bytes
// of data plus trailer, so that the item occupies end - length .. end - 1. Storing,
// copying out, checking and the maintenance tool's backward scan all use it.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <vector>

#include "btree_file.h"
#include "bytes.h"
#include "db/db.h"
#include "db/library_reader.h"
#include "db/media_item.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "locks.h"
#include "win/thread_slot.h"

namespace {

using db::BTreeFile;

constexpr int kNameLength = db::kItemNameLength;
constexpr int kTrailer = db::kItemTrailer;
constexpr char kDeletedMark = db::kItemRemovedMark;
constexpr int64_t kMaxLibrary = INT32_MAX;  // index values are 32-bit offsets
constexpr size_t kChunk = 1 << 20;

// The item name qBtMmText gave last, for this thread's next qBtMmLib call.
struct PendingName {
  std::string name;
  bool pending = false;
};
win::ThreadSlot<PendingName> tPending;

std::string Trim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\0')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\0')) --e;
  return std::string(s.substr(b, e - b));
}

// "key.ext" -> the 12-character library form; "" when there is no key.
std::string LibraryName(std::string_view text) {
  std::string s = fileio::ToUpper(Trim(text));
  size_t dot = s.rfind('.');
  std::string key = Trim(dot == std::string::npos ? s : s.substr(0, dot));
  std::string ext = dot == std::string::npos ? "" : Trim(s.substr(dot + 1));
  key = key.substr(0, 8);
  ext = ext.substr(0, 3);
  if (key.empty()) return "";
  std::string name = ext.empty() ? key : key + "." + ext;
  name.resize(kNameLength, ' ');
  return name;
}

const uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

// A trailer marked removed still names its item but for the first character. An item
// the index names whose trailer carries the mark is what a store killed before it took
// the mark off, or a removal killed before the name left the index, leaves: not filed.
bool MarkedFormOf(const db::ItemTrailer& item, const std::string& name) {
  return item.removed && item.name.size() == name.size() && !name.empty() && item.name[0] == kDeletedMark &&
         item.name.compare(1, std::string::npos, name, 1, std::string::npos) == 0;
}

// Checks the trailer of the item that ends at `end`; gives where its data starts.
int CheckItem(fileio::File& lib, int64_t end, const std::string& name, int64_t& start, int64_t& dataLength) {
  int64_t size = lib.Size();
  if (size < 0) return kDbErrInvalidHandle;
  if (end < kTrailer || end > size) return kDbErrCorrupt;
  uint8_t t[kTrailer];
  size_t got = 0;
  int rc = lib.ReadAt(end - kTrailer, t, sizeof t, got);
  if (rc != 0) return rc;
  db::ItemTrailer item;
  if (got != sizeof t || !db::DecodeItemTrailer(t, end, item)) return kDbErrCorrupt;
  if (item.name != name) return MarkedFormOf(item, name) ? kDbErrNotFound : kDbErrCorrupt;
  start = item.start;
  dataLength = item.dataLength;
  return 0;
}

int FindItem(BTreeFile& index, const std::string& name, int32_t& end, bool& found) {
  std::string key(kNameLength, ' ');
  db::BtPosition pos;
  int rc = index.Locate(BTreeFile::Seek::AtLeast, Bytes(name), INT32_MIN, found,
                        reinterpret_cast<uint8_t*>(key.data()), end, pos);
  found = rc == 0 && found && key == name;
  return rc;
}

// Calls visit(key, value) for the index's pairs in key order until it answers false.
template <typename Visit>
int WalkIndex(BTreeFile& index, Visit visit) {
  std::string key(kNameLength, ' ');
  int32_t value = 0;
  bool found = false;
  db::BtPosition pos;
  const std::string none(kNameLength, ' ');
  int rc = index.Locate(BTreeFile::Seek::First, Bytes(none), 0, found, reinterpret_cast<uint8_t*>(key.data()), value,
                        pos);
  while (rc == 0 && found) {
    if (!visit(key, value)) return 0;
    const std::string at = key;
    const db::BtPosition hint = pos;
    rc = index.Step(true, Bytes(at), value, hint, found, reinterpret_cast<uint8_t*>(key.data()), value, pos);
  }
  return rc;
}

// The name in the index that points at `end`, if any.
int IndexNamesEnd(BTreeFile& index, int64_t end, bool& named, std::string& namedBy) {
  named = false;
  return WalkIndex(index, [&](const std::string& key, int32_t value) {
    if (value != end) return true;
    named = true;
    namedBy = key;
    return false;
  });
}

int DropDeadTail(fileio::File& lib, BTreeFile& index);

// Bytes after the last whole item that end in no trailer: what a store killed while it
// wrote its trailer leaves (the system may cut a write short at a page border) or a power
// cut before its flush. They hold no item; they are cut off back to the last whole
// trailer, which is then looked at as any last item, so long as the index names nothing
// past it. A damaged trailer there, or bytes with no whole item before them, are left for
// the maintenance tool, which reports them.
int DropTornTail(fileio::File& lib, BTreeFile& index, int64_t end) {
  int rc = 0;
  const int64_t whole = db::LastItemEndMark(lib, end, rc);
  if (rc != 0 || whole < kTrailer) return rc;
  uint8_t t[kTrailer];
  size_t got = 0;
  db::ItemTrailer item;
  if ((rc = lib.ReadAt(whole - kTrailer, t, sizeof t, got)) != 0) return rc;
  if (got != sizeof t || !db::DecodeItemTrailer(t, whole, item)) return 0;
  bool namedPast = false;
  rc = WalkIndex(index, [&](const std::string&, int32_t value) {
    namedPast = value > whole;
    return !namedPast;
  });
  if (rc != 0 || namedPast) return rc;
  if ((rc = lib.Truncate(whole)) != 0 || (rc = lib.Flush()) != 0) return rc;
  return DropDeadTail(lib, index);
}

// An item at the end of the library that the index does not name at that end is what a
// store killed before its key left: it is cut off before anything is appended after it.
int DropDeadTail(fileio::File& lib, BTreeFile& index) {
  int64_t end = lib.Size();
  if (end < 0) return kDbErrInvalidHandle;
  if (end < kTrailer) return 0;
  uint8_t t[kTrailer];
  size_t got = 0;
  int rc = lib.ReadAt(end - kTrailer, t, sizeof t, got);
  if (rc != 0) return rc;
  db::ItemTrailer item;
  if (got != sizeof t) return 0;
  if (!db::DecodeItemTrailer(t, end, item)) return DropTornTail(lib, index, end);
  bool named = false;
  if (!item.removed) {
    int32_t indexedEnd = 0;
    bool found = false;
    rc = FindItem(index, item.name, indexedEnd, found);
    if (rc != 0) return rc;
    named = found && indexedEnd == end;
  } else {
    // A marked item may still be named: a store killed before it took the mark off, or a
    // removal killed before the name left the index. Either way it is not filed, and the
    // name leaves the index now. Its name lost a character to the mark, so the index is
    // walked for the end (only after such a kill or a removal).
    std::string namedBy;
    rc = IndexNamesEnd(index, end, named, namedBy);
    if (rc != 0) return rc;
    if (named && MarkedFormOf(item, namedBy)) {
      bool found = false;
      rc = index.Erase(Bytes(namedBy), int32_t(end), found);
      if (rc != 0) return rc;
      named = false;
    }
  }
  if (named) return 0;
  const int64_t start = item.start;
  rc = lib.Truncate(start);
  return rc == 0 ? lib.Flush() : rc;
}

int Store(const std::string& library, const std::string& indexPath, const std::string& file,
          const std::string& name) {
  fileio::File source;
  int rc = source.Open(file, fileio::Access::Read, fileio::Share::Compatible);
  if (rc != 0) return rc;
  int64_t size = source.Size();
  if (size < 0) return kDbErrInvalidHandle;
  if (size > kMaxLibrary - kTrailer) return kDbRefused;
  BTreeFile index;
  rc = index.Open(indexPath, kNameLength);
  if (rc != 0) return rc;
  // The index's lock guards the library file as well.
  db::GroupHold hold(index.group());
  if (hold.rc() != 0) return hold.rc();
  // A compaction killed at its commit point is put in place first: an item stored into
  // the old files would be dropped by its swap.
  rc = db::FinishLibrarySwap(db::LibraryWorkFilesOf(library));
  if (rc != 0) return rc;
  fileio::File lib;
  rc = lib.OpenAlways(library, fileio::Share::DenyNone);
  if (rc != 0) return rc;
  bool any = false;
  rc = index.Contains(Bytes(name), any);
  if (rc != 0) return rc;
  if (any) {
    // A name left by a change cut short (its trailer marked) is not filed: it gives way.
    int32_t staleEnd = 0;
    bool found = false;
    rc = FindItem(index, name, staleEnd, found);
    if (rc != 0) return rc;
    int64_t staleStart = 0, staleLength = 0;
    if (!found || CheckItem(lib, staleEnd, name, staleStart, staleLength) != kDbErrNotFound) return kDbRefused;
    rc = index.Erase(Bytes(name), staleEnd, found);
    if (rc != 0) return rc;
  }
  rc = DropDeadTail(lib, index);
  if (rc != 0) return rc;
  const int64_t start = lib.Size();
  if (start < 0) return kDbErrInvalidHandle;
  const int64_t end = start + size + kTrailer;
  if (end > kMaxLibrary) return kDbRefused;
  // The trailer goes first, marked removed: a store cut short at any point leaves a whole
  // item at the end that the index does not name, which the backward scan steps over, a
  // re-index does not revive and the next store cuts off. The mark goes once indexed.
  uint8_t t[kTrailer];
  db::EncodeItemTrailer(size, name, t);
  t[4] = uint8_t(kDeletedMark);
  rc = lib.WriteAt(start + size, t, sizeof t);
  if (rc == 0) rc = db::CopyFileBytes(source, 0, lib, start, size);
  // The bytes are on the disk before the index names them.
  if (rc == 0) rc = lib.Flush();
  bool indexed = false;
  if (rc == 0) {
    bool existed = false;
    rc = index.Insert(Bytes(name), int32_t(end), existed);
    indexed = rc == 0;
  }
  if (rc == 0) rc = lib.WriteAt(start + size + 4, name.data(), 1);
  if (rc != 0) {
    // Nothing of a failed store stays: its name leaves the index before its bytes go.
    bool found = false;
    if (indexed) index.Erase(Bytes(name), int32_t(end), found);
    lib.Truncate(start);
  }
  if (rc == 0) rc = lib.Flush();  // the index flushes itself as it closes
  return rc;
}

// Makes a copy-out's target (never over a file that is there) and fills it with
// fill(file); a target that could not be filled whole is removed.
template <typename Fill>
int WriteTarget(const std::string& target, Fill fill) {
  fileio::File out;
  int rc = out.Open(target, fileio::Access::WriteNew, fileio::Share::Exclusive);
  if (rc != 0) return rc;
  rc = fill(out);
  out.Close();
  if (rc != 0) fileio::RemoveFile(target);
  return rc;
}

int WriteBytes(fileio::File& out, const std::vector<uint8_t>& data) {
  return data.empty() ? 0 : out.WriteAt(0, data.data(), data.size());
}

int CopyOut(const std::string& library, const std::string& indexPath, const std::string& target,
            const std::string& name, bool checkOnly) {
  // Reading never makes an index: a library that was never written has no items.
  if (!fileio::Exists(indexPath)) return kDbErrNotFound;
  BTreeFile index;
  int rc = index.Open(indexPath, kNameLength);
  if (rc != 0) return rc;
  db::GroupHold hold(index.group());
  if (hold.rc() != 0) return hold.rc();
  // The old files are whole until the swap, so a library that cannot be written (on a
  // read-only medium) is still read.
  db::FinishLibrarySwap(db::LibraryWorkFilesOf(library));
  int32_t end = 0;
  bool found = false;
  rc = FindItem(index, name, end, found);
  if (rc != 0) return rc;
  if (!found) return kDbErrNotFound;
  fileio::File lib;
  rc = lib.Open(library, fileio::Access::Read, fileio::Share::DenyNone);
  if (rc != 0) return rc;
  int64_t start = 0, dataLength = 0;
  rc = CheckItem(lib, end, name, start, dataLength);
  if (rc != 0 || checkOnly) return rc;
  return WriteTarget(target, [&](fileio::File& out) { return db::CopyFileBytes(lib, start, out, 0, dataLength); });
}

int Remove(const std::string& library, const std::string& indexPath, const std::string& name) {
  if (!fileio::Exists(indexPath)) return 0;
  BTreeFile index;
  int rc = index.Open(indexPath, kNameLength);
  if (rc != 0) return rc;
  db::GroupHold hold(index.group());
  if (hold.rc() != 0) return hold.rc();
  // A removal from the old files would come back with the swap.
  rc = db::FinishLibrarySwap(db::LibraryWorkFilesOf(library));
  if (rc != 0) return rc;
  int32_t end = 0;
  bool found = false;
  rc = FindItem(index, name, end, found);
  if (rc != 0 || !found) return rc;
  // The trailer is marked before the name leaves the index (both under the lock), so that
  // a re-index after a kill in between does not revive the item. A damaged trailer is
  // left alone: the item leaves the index either way.
  fileio::File lib;
  if (lib.Open(library, fileio::Access::ReadWrite, fileio::Share::DenyNone) == 0) {
    int64_t start = 0, dataLength = 0;
    if (CheckItem(lib, end, name, start, dataLength) == 0) {
      const char mark = kDeletedMark;
      rc = lib.WriteAt(int64_t(end) - kTrailer + 4, &mark, 1);
      if (rc == 0) rc = lib.Flush();
      if (rc != 0) return rc;
    }
  }
  return index.Erase(Bytes(name), end, found);
}

// A reader's copy: items up to kHeldItem bytes are read into memory under the library's
// lock, in one read when the item and its trailer lie within the kTailRead bytes before
// its end, and written to their target once the lock is given back, so that other copies
// and the library's writers need not wait for the target's disk. Larger items are copied
// under the lock, as qBtMmLib does.
constexpr int64_t kTailRead = 64 << 10;
constexpr int64_t kHeldItem = 4 << 20;

// Reads the item the index says ends at `end`: its data into `data`, or, when it is too
// large to hold, only where it lies (`whole` false). Answers as CheckItem.
int ReadItem(fileio::File& lib, int64_t end, const std::string& name, std::vector<uint8_t>& data, bool& whole,
             int64_t& start, int64_t& dataLength) {
  whole = false;
  if (end < kTrailer) return kDbErrCorrupt;
  const int64_t from = std::max<int64_t>(0, end - kTailRead);
  std::vector<uint8_t> tail(size_t(end - from));
  size_t got = 0;
  int rc = lib.ReadAt(from, tail.data(), tail.size(), got);
  if (rc != 0) return rc;
  if (got != tail.size()) return kDbErrCorrupt;  // the index names an end past the library's
  db::ItemTrailer item;
  if (!db::DecodeItemTrailer(tail.data() + tail.size() - kTrailer, end, item)) return kDbErrCorrupt;
  if (item.name != name) return MarkedFormOf(item, name) ? kDbErrNotFound : kDbErrCorrupt;
  start = item.start;
  dataLength = item.dataLength;
  const size_t inTail = size_t(end - kTrailer - std::max(start, from));
  if (start >= from) {
    data.assign(tail.begin() + (start - from), tail.begin() + (start - from) + ptrdiff_t(inTail));
    whole = true;
    return 0;
  }
  if (dataLength > kHeldItem) return 0;
  data.resize(size_t(dataLength));
  const size_t before = size_t(from - start);
  rc = lib.ReadAt(start, data.data(), before, got);
  if (rc != 0) return rc;
  if (got != before) return fileio::kErrReadFault;
  std::memcpy(data.data() + before, tail.data(), inTail);
  whole = true;
  return 0;
}

}  // namespace

namespace db {

bool DecodeItemTrailer(const uint8_t t[kItemTrailer], int64_t end, ItemTrailer& out) {
  if (std::memcmp(t + 16, kItemEndMark, sizeof kItemEndMark) != 0) return false;
  int32_t length = GetI32(t);
  if (length == INT32_MIN) return false;
  int64_t absLength = std::llabs(int64_t(length));
  if (absLength < kItemTrailer || absLength > end) return false;
  out.name.assign(reinterpret_cast<const char*>(t + 4), kItemNameLength);
  out.removed = false;
  for (char& c : out.name) {
    if (c == '\0') c = ' ';
    if (c == kItemRemovedMark) out.removed = true;
  }
  out.start = end - absLength;
  out.dataLength = absLength - kItemTrailer;
  return true;
}

int64_t LastItemEndMark(fileio::File& f, int64_t limit, int& rc, int64_t block) {
  rc = 0;
  std::vector<uint8_t> bytes(size_t(std::max<int64_t>(block, 6)));
  for (int64_t e = limit; e >= 6;) {
    const int64_t b = std::max<int64_t>(0, e - int64_t(bytes.size()));
    size_t got = 0;
    rc = f.ReadAt(b, bytes.data(), size_t(e - b), got);
    if (rc != 0) return -1;
    for (int64_t i = int64_t(got) - 6; i >= 0; --i) {
      if (std::memcmp(bytes.data() + i, kItemEndMark, 6) == 0) return b + i + 6;
    }
    if (b == 0) break;
    e = b + 5;
  }
  return -1;
}

int CopyFileBytes(fileio::File& from, int64_t fromAt, fileio::File& to, int64_t toAt, int64_t length) {
  std::vector<char> buf(size_t(std::min<int64_t>(length, int64_t(kChunk))));
  for (int64_t done = 0; done < length;) {
    size_t want = size_t(std::min<int64_t>(length - done, int64_t(buf.size())));
    size_t got = 0;
    int rc = from.ReadAt(fromAt + done, buf.data(), want, got);
    if (rc != 0) return rc;
    if (got != want) return fileio::kErrReadFault;  // the source shrank meanwhile
    rc = to.WriteAt(toAt + done, buf.data(), got);
    if (rc != 0) return rc;
    done += int64_t(got);
  }
  return 0;
}

struct LibraryReader::State {
  std::string library, indexPath;
  LibraryWorkFiles work;
  std::mutex opening;  // the index is opened by the first copy that needs it
  BTreeFile index;
  bool open = false;
};

LibraryReader::LibraryReader(const std::string& library) : state_(new State) {
  state_->library = library.substr(0, library.find('\0'));
  state_->indexPath = DBNAME(state_->library, 'I');
  state_->work = LibraryWorkFilesOf(state_->library);
}

LibraryReader::~LibraryReader() = default;

int LibraryReader::CopyOut(const std::string& item, const std::string& target) {
  std::vector<Copy> one{{item, target, 0}};
  CopyOut(one);
  return one[0].rc;
}

int LibraryReader::OpenIndex() {
  State& s = *state_;
  std::lock_guard<std::mutex> guard(s.opening);
  if (s.open) return 0;
  // Reading never makes an index: a library that was never written has no items.
  if (!fileio::Exists(s.indexPath)) return kDbErrNotFound;
  int rc = s.index.Open(s.indexPath, kNameLength);
  if (rc != 0) return rc;
  s.open = true;
  return 0;
}

void LibraryReader::CopyOut(std::vector<Copy>& copies) {
  constexpr int kWriteWaiting = -1;  // read under the lock, written after it
  State& s = *state_;
  struct Pending {
    Copy* copy;
    std::string name;
    std::vector<uint8_t> data;
  };
  // A copy keeps this answer until it has its own: what memory ran out before.
  for (Copy& c : copies) c.rc = fileio::kErrNotEnoughMemory;
  std::vector<Pending> pending;
  try {
    const int rc = OpenIndex();
    for (Copy& c : copies) {
      const std::string name = LibraryName(c.item);
      if (rc != 0) {
        c.rc = rc;
        continue;
      }
      if (name.empty() || s.library.empty() || c.target.empty()) {
        c.rc = kDbErrInvalidParameter;
        continue;
      }
      // Most records lack some of their items: a name the index lacks is answered from
      // the mapped index without the lock (a read that another program's change
      // disturbed runs again under the lock by itself).
      int32_t end = 0;
      bool found = false;
      if (FindItem(s.index, name, end, found) == 0 && !found) {
        c.rc = kDbErrNotFound;
        continue;
      }
      pending.push_back({&c, name, {}});
    }
    if (pending.empty()) return;
    {
      GroupHold hold(s.index.group());
      if (hold.rc() != 0) {
        for (Pending& p : pending) p.copy->rc = hold.rc();
        return;
      }
      // The old files are whole until the swap, so a library that cannot be written (on
      // a read-only medium) is still read.
      FinishLibrarySwap(s.work);
      // Opened under the lock only, once for the batch: a compaction renames a new
      // library over this one.
      fileio::File lib;
      int opened = -1;
      int64_t held = 0;
      for (Pending& p : pending) {
        int& result = p.copy->rc;
        int32_t end = 0;
        bool found = false;
        if ((result = FindItem(s.index, p.name, end, found)) != 0) continue;
        if (!found) {
          result = kDbErrNotFound;
          continue;
        }
        if (opened < 0) opened = lib.Open(s.library, fileio::Access::Read, fileio::Share::DenyNone);
        if ((result = opened) != 0) continue;
        bool whole = false;
        int64_t start = 0, dataLength = 0;
        // What the batch holds in memory stays bounded: past it items are copied under
        // the lock.
        std::vector<uint8_t> data;
        if ((result = ReadItem(lib, end, p.name, data, whole, start, dataLength)) != 0) continue;
        if (whole && held + int64_t(data.size()) <= kHeldItem) {
          held += int64_t(data.size());
          p.data = std::move(data);
          result = kWriteWaiting;
          continue;
        }
        result = WriteTarget(p.copy->target, [&](fileio::File& out) {
          return whole ? WriteBytes(out, data) : CopyFileBytes(lib, start, out, 0, dataLength);
        });
      }
    }
    for (Pending& p : pending)
      if (p.copy->rc == kWriteWaiting)
        p.copy->rc = WriteTarget(p.copy->target, [&](fileio::File& out) { return WriteBytes(out, p.data); });
  } catch (const std::bad_alloc&) {
    for (Copy& c : copies)
      if (c.rc == kWriteWaiting) c.rc = fileio::kErrNotEnoughMemory;
  }
}

LibraryLock::~LibraryLock() { Release(); }

int LibraryLock::Acquire(const std::string& indexPath) {
  Release();
  int rc = 0;
  group_ = LockGroup::ForIndex(indexPath, rc);
  if (!group_) return rc != 0 ? rc : kDbErrInvalidHandle;
  rc = group_->Acquire();
  held_ = rc == 0;
  return rc;
}

void LibraryLock::Release() {
  if (held_) group_->Release();
  held_ = false;
  group_.reset();
}

void EncodeItemTrailer(int64_t dataLength, const std::string& name, uint8_t t[kItemTrailer]) {
  PutI32(t, int32_t(dataLength + kItemTrailer));
  std::string padded = name.substr(0, kItemNameLength);
  padded.resize(kItemNameLength, ' ');
  std::memcpy(t + 4, padded.data(), kItemNameLength);
  std::memcpy(t + 16, kItemEndMark, sizeof kItemEndMark);
}

}  // namespace db

int qBtMmName(std::string& name, int number) {
  if (number < 1 || number > 999) return kDbErrInvalidParameter;
  try {
    std::string digits = std::to_string(number);
    digits.insert(0, 3 - digits.size(), '0');
    std::string base = name;
    while (!base.empty() && (base.back() == ' ' || base.back() == '\0')) base.pop_back();
    name = base + digits;
    return 0;
  } catch (const std::bad_alloc&) {
    return fileio::kErrNotEnoughMemory;
  }
}

int qBtMmText(std::string& item, int mode) {
  try {
    if (mode == 0) {
      while (!item.empty() && (item.back() == ' ' || item.back() == '\0')) item.pop_back();
      return 0;
    }
    if (mode != 1) return kDbErrInvalidParameter;
    std::string name = LibraryName(item);
    if (name.empty()) return kDbErrInvalidParameter;
    item = name;
    PendingName* pending = tPending.Get();
    if (!pending) return fileio::kErrNotEnoughMemory;
    pending->name = name;
    pending->pending = true;
    return 0;
  } catch (const std::bad_alloc&) {
    return fileio::kErrNotEnoughMemory;
  }
}

int qBtMmLib(const std::string& libraryBuffer, const std::string& fileBuffer, int operation) {
  try {
    // Names may come in fixed buffers: they end at their first zero byte.
    const std::string library = libraryBuffer.substr(0, libraryBuffer.find('\0'));
    const std::string file = fileBuffer.substr(0, fileBuffer.find('\0'));
    PendingName* pending = tPending.Get();
    std::string name = pending && pending->pending ? pending->name : LibraryName(fileio::NameOf(file));
    if (pending) pending->pending = false;
    if (name.empty() || library.empty() || file.empty()) return kDbErrInvalidParameter;
    const std::string indexPath = DBNAME(library, 'I');
    switch (operation) {
      case 1:
      case -1:
        return Store(library, indexPath, file, name);
      case 2:
      case -2:
        return CopyOut(library, indexPath, file, name, false);
      case 3:
      case -3:
        return Remove(library, indexPath, name);
      case 4:
      case -4:
        return CopyOut(library, indexPath, file, name, true);
      default:
        return kDbErrInvalidParameter;
    }
  } catch (const std::bad_alloc&) {
    return fileio::kErrNotEnoughMemory;
  }
}
