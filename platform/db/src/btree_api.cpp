// The index calls: handles over BTreeFile with a cursor each.
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <new>

#include "btree_file.h"
#include "db/db.h"
#include "sessions.h"

namespace {

using db::BTreeFile;
using db::BtPosition;

struct Cursor {
  enum Mode { None, At, Gap, BeforeFirst, AfterLast };
  Mode mode = None;
  std::string key;  // At: the pair found; Gap: the place between pairs
  int32_t value = 0;
  BtPosition pos;
};

struct IndexHandle {
  BTreeFile file;
  Cursor cursor;
};

struct HandleTable {
  std::mutex mutex;  // one index call at a time in the process
  std::map<int, std::unique_ptr<IndexHandle>> handles;
  int next = 1;
};

HandleTable& Table() {
  static HandleTable* table = new HandleTable;  // never destroyed: see LockGroup
  return *table;
}

std::string KeyOfLength(const std::string& key, int length) {
  std::string k = key.substr(0, size_t(length));
  k.resize(size_t(length), ' ');
  return k;
}

const uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

int Fail(int& status, int rc) {
  status = kBtFailed;
  return rc;
}

// Runs one call on a handle under the table's lock; bad_alloc becomes error 8.
template <typename Fn>
int WithHandle(int handle, int& status, Fn fn) {
  auto& t = Table();
  std::lock_guard<std::mutex> guard(t.mutex);
  auto it = t.handles.find(handle);
  if (it == t.handles.end()) return Fail(status, kDbErrInvalidHandle);
  try {
    return fn(*it->second);
  } catch (const std::bad_alloc&) {
    return Fail(status, fileio::kErrNotEnoughMemory);
  }
}

// Finds a pair and, when found, hands it out and puts the cursor on it.
int Found(IndexHandle& h, int rc, bool found, const std::string& k, int32_t v, const BtPosition& pos,
          std::string& key, int32_t& value, int& status) {
  if (rc != 0) return Fail(status, rc);
  if (!found) {
    status = kBtNoKey;
    return 0;
  }
  h.cursor.mode = Cursor::At;
  h.cursor.key = k;
  h.cursor.value = v;
  h.cursor.pos = pos;
  key = k;
  value = v;
  status = kBtDone;
  return 0;
}

int Seek(IndexHandle& h, BTreeFile::Seek mode, const std::string& target, int32_t targetValue, std::string& key,
         int32_t& value, int& status) {
  std::string k(size_t(h.file.keyLength()), ' ');
  int32_t v = 0;
  BtPosition pos;
  bool found = false;
  int rc = h.file.Locate(mode, Bytes(target), targetValue,found, reinterpret_cast<uint8_t*>(k.data()), v, pos);
  return Found(h, rc, found, k, v, pos, key, value, status);
}

int Move(IndexHandle& h, bool forward, std::string& key, int32_t& value, int& status) {
  Cursor& c = h.cursor;
  switch (c.mode) {
    case Cursor::None:
      return Seek(h, forward ? BTreeFile::Seek::First : BTreeFile::Seek::Last, "", 0, key, value, status);
    case Cursor::BeforeFirst:
      if (!forward) break;
      return Seek(h, BTreeFile::Seek::First, "", 0, key, value, status);
    case Cursor::AfterLast:
      if (forward) break;
      return Seek(h, BTreeFile::Seek::Last, "", 0, key, value, status);
    case Cursor::Gap:
      return Seek(h, forward ? BTreeFile::Seek::AtLeast : BTreeFile::Seek::Less, c.key, c.value, key, value, status);
    case Cursor::At: {
      std::string k(size_t(h.file.keyLength()), ' ');
      int32_t v = 0;
      BtPosition pos;
      bool found = false;
      int rc = h.file.Step(forward, Bytes(c.key), c.value, c.pos, found, reinterpret_cast<uint8_t*>(k.data()), v, pos);
      return Found(h, rc, found, k, v, pos, key, value, status);
    }
  }
  status = kBtNoKey;
  return 0;
}

}  // namespace

int qBtOpen(const std::string& file, int keyLength, int& handle, int& status) {
  handle = 0;
  db::SweepAppendSessions();
  try {
    auto h = std::make_unique<IndexHandle>();
    int rc = h->file.Open(file, keyLength);
    if (rc != 0) return Fail(status, rc);
    auto& t = Table();
    std::lock_guard<std::mutex> guard(t.mutex);
    while (t.handles.count(t.next) || t.next <= 0) t.next = t.next <= 0 ? 1 : t.next + 1;
    handle = t.next++;
    t.handles[handle] = std::move(h);
    status = kBtDone;
    return 0;
  } catch (const std::bad_alloc&) {
    return Fail(status, fileio::kErrNotEnoughMemory);
  }
}

int qBtClose(int& handle) {
  if (handle == 0) return 0;
  std::unique_ptr<IndexHandle> gone;
  {
    auto& t = Table();
    std::lock_guard<std::mutex> guard(t.mutex);
    auto it = t.handles.find(handle);
    handle = 0;
    if (it == t.handles.end()) return kDbErrInvalidHandle;
    gone = std::move(it->second);
    t.handles.erase(it);
  }
  return 0;  // the file closes with `gone`, outside the table's lock
}

int qBtInsert(int handle, std::string& key, int32_t& value, int& status) {
  return WithHandle(handle, status, [&](IndexHandle& h) {
    std::string k = KeyOfLength(key, h.file.keyLength());
    bool existed = false;
    int rc = h.file.Insert(Bytes(k), value, existed);
    if (rc != 0) return Fail(status, rc);
    key = k;
    h.cursor = Cursor{Cursor::At, k, value, BtPosition{}};
    status = kBtDone;
    return 0;
  });
}

int qBtDelete(int handle, std::string& key, int32_t& value, int& status) {
  return WithHandle(handle, status, [&](IndexHandle& h) {
    std::string k = KeyOfLength(key, h.file.keyLength());
    bool found = false;
    int rc = h.file.Erase(Bytes(k), value, found);
    if (rc != 0) return Fail(status, rc);
    if (!found) {
      status = kBtNoKey;
      return 0;
    }
    key = k;
    h.cursor = Cursor{Cursor::Gap, k, value, BtPosition{}};
    status = kBtDone;
    return 0;
  });
}

int qBtSearch(int handle, std::string& key, int32_t& value, int& status) {
  return WithHandle(handle, status, [&](IndexHandle& h) {
    std::string k = KeyOfLength(key, h.file.keyLength());
    std::string foundKey;
    int32_t foundValue = 0;
    int rc = Seek(h, BTreeFile::Seek::AtLeast, k, INT32_MIN, foundKey, foundValue, status);
    if (rc != 0 || status != kBtDone) {
      if (rc == 0) h.cursor = Cursor{Cursor::Gap, k, INT32_MIN, BtPosition{}};
      return rc;
    }
    if (foundKey != k) {
      // Not there: stand where it would be.
      h.cursor = Cursor{Cursor::Gap, k, INT32_MIN, BtPosition{}};
      status = kBtNoKey;
      return 0;
    }
    key = foundKey;
    value = foundValue;
    return 0;
  });
}

int qBtFirst(int handle, std::string& key, int32_t& value, int& status) {
  return WithHandle(handle, status, [&](IndexHandle& h) {
    return Seek(h, BTreeFile::Seek::First, "", 0, key, value, status);
  });
}

int qBtLast(int handle, std::string& key, int32_t& value, int& status) {
  return WithHandle(handle, status, [&](IndexHandle& h) {
    return Seek(h, BTreeFile::Seek::Last, "", 0, key, value, status);
  });
}

int qBtNext(int handle, std::string& key, int32_t& value, int& status) {
  return WithHandle(handle, status, [&](IndexHandle& h) { return Move(h, true, key, value, status); });
}

int qBtPrev(int handle, std::string& key, int32_t& value, int& status) {
  return WithHandle(handle, status, [&](IndexHandle& h) { return Move(h, false, key, value, status); });
}

int qBtBefore(int handle, std::string& key, int32_t& value, int& status) {
  return WithHandle(handle, status, [&](IndexHandle& h) {
    std::string k = KeyOfLength(key, h.file.keyLength());
    int rc = Seek(h, BTreeFile::Seek::Less, k, INT32_MIN, key, value, status);
    if (rc == 0 && status == kBtNoKey) h.cursor = Cursor{Cursor::Gap, k, INT32_MIN, BtPosition{}};
    return rc;
  });
}

int qBtKeyNbr(int handle) {
  int status = 0;
  uint64_t count = 0;
  int rc = WithHandle(handle, status, [&](IndexHandle& h) { return h.file.KeyCount(count); });
  if (rc != 0) return -1;
  return count > uint64_t(INT32_MAX) ? INT32_MAX : int(count);
}
