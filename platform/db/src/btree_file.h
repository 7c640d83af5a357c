// One B-tree index file: 4 KiB pages, a header page, leaves of (key, value) pairs in
// (key, value) order and branch pages of separators. The file is mapped into memory and
// shared with every other handle and program that has it open; every operation runs
// under the file's group lock. A page is checked the first time this handle touches it
// (check value, page number, kind, level, order), so that a damaged file is reported and
// never followed; a change marks the header "being changed" until it is complete, so
// that a change a crashed program left half done is found too. The format is described
// in docs/archive-database.md.
#pragma once
#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "fileio/file.h"
#include "locks.h"
#include "mapped_file.h"

namespace db {

inline constexpr int kPageSize = 4096;
inline constexpr int kMaxKeyLength = 240;

// Where a located pair sits, to step on from it cheaply while nothing changed.
struct BtPosition {
  uint32_t page = 0;
  int slot = -1;
  uint64_t generation = 0;
  uint64_t fileId = 0;
};

class BTreeFile {
 public:
  BTreeFile() = default;
  ~BTreeFile();
  BTreeFile(const BTreeFile&) = delete;
  BTreeFile& operator=(const BTreeFile&) = delete;

  // Opens (creating when missing or empty) the index with this key length.
  int Open(const std::string& path, int keyLength);
  void Close();
  int keyLength() const { return keyLength_; }
  const std::string& path() const { return path_; }
  LockGroup& group() { return *group_; }

  enum class Seek { First, Last, AtLeast, Greater, Less };
  // Finds a pair relative to (key, value) (key of the key length; ignored for First and
  // Last). found = false when there is none.
  int Locate(Seek mode, const uint8_t* key, int32_t value, bool& found, uint8_t* keyOut, int32_t& valueOut,
             BtPosition& pos);
  // Steps from the pair (key, value) at hint to the next (or previous) pair.
  int Step(bool forward, const uint8_t* key, int32_t value, const BtPosition& hint, bool& found, uint8_t* keyOut,
           int32_t& valueOut, BtPosition& pos);
  // Inserts the pair; existed = true when it was there already (nothing changes then).
  int Insert(const uint8_t* key, int32_t value, bool& existed);
  // Inserts the pair unless the key is there with any value (taken = true, nothing
  // changes): a unique key is checked and filed in one descent.
  int InsertNewKey(const uint8_t* key, int32_t value, bool& taken);
  int Erase(const uint8_t* key, int32_t value, bool& found);
  int Contains(const uint8_t* key, bool& any);
  // Fills an index that holds no pair with `count` pairs at once: `entries` are pairs of
  // key length + 4 bytes (the key, then the value's four bytes, least significant first),
  // in (key, value) order, none twice. The leaves are written full, then the branches
  // above them: an index rebuilt from its records is written once, page by page, instead
  // of pair by pair. Without the journal only (a rebuild); otherwise pair by pair.
  int FillEmpty(const uint8_t* entries, size_t count);
  // Empties the index in place, without the journal (a rebuild whose old file could not be
  // removed: another handle holds it). It gets a new identity, so that every other handle
  // reads it afresh.
  int Clear();
  // Changes without the undo journal (an index being rebuilt from its records: a crash
  // leaves it damaged, and the rebuild runs again).
  void SetJournalling(bool on) { journalling_ = on; }
  int KeyCount(uint64_t& count);
  // Flushes what this handle changed to the disk, now or at the end of the batch
  // (flushes.h); a handle that changed nothing costs nothing. Changes made outside a
  // batch wait for the handle to close: a caller filing key after key is not slowed
  // down by a flush per key.
  int FlushChanges();

 private:
  // A page of the mapping, valid for the running operation.
  struct Page {
    uint32_t number = 0;
    uint8_t* bytes = nullptr;
    bool journalled = false;  // its old content is in the running change's journal
  };
  struct Header {
    uint64_t fileId = 0;
    uint64_t generation = 0;
    uint32_t root = 0;
    uint32_t height = 0;
    uint32_t pageCount = 0;
    uint32_t freeHead = 0;
    uint64_t keyCount = 0;
    uint32_t flags = 0;
  };
  struct PathStep {
    Page* page;
    int child;  // the child taken in a branch, or the slot in the leaf
  };
  class Operation;
  // A call back into a lambda of the caller, without the allocation of a std::function:
  // reads run once per key and step.
  class ReadFn {
   public:
    template <typename Fn>
    ReadFn(Fn& fn) : object_(&fn), call_([](void* o) { return (*static_cast<Fn*>(o))(); }) {}
    int operator()() const { return call_(object_); }

   private:
    void* object_;
    int (*call_)(void*);
  };

  template <typename Fn>
  int Read(Fn fn) {
    return ReadWith(ReadFn(fn));
  }
  int ReadWith(ReadFn fn);
  int InsertPair(const uint8_t* key, int32_t value, bool uniqueKey, bool& existed);
  bool OnEdge(const std::vector<PathStep>& path, bool first) const;
  int LocateIn(Seek mode, const uint8_t* key, int32_t value, bool& found, uint8_t* keyOut, int32_t& valueOut,
               BtPosition& pos);
  int ReadHeader();
  void EncodeHeader(const Header& h, uint8_t* bytes) const;
  int InitFile();
  int Reserve(uint32_t pages);
  int Load(uint32_t number, int level, Page*& page);
  void Prefetch(uint32_t number) const;
  Page* Track(uint32_t number);
  int CheckPage(const uint8_t* bytes, uint32_t number, int level) const;
  void Seal(uint8_t* bytes) const;
  void BeginChange();
  int OpenJournal(bool create);
  int JournalRoom(int64_t bytes);
  bool NeedsJournal(const Page& page) const;
  void EndJournal(int64_t at);
  void JournalRecord(Page& page);
  int Journal(Page& page);
  int RestoreFromJournal();
  void SpoilJournal();
  void MarkDirty(Page* page);
  int NewPage(Page*& page);
  void FreePage(Page* page);
  int Commit();
  void EndOperation();
  int FlushFiles();

  int Descend(const uint8_t* key, int32_t value, std::vector<PathStep>& path);
  int NextLeaf(std::vector<PathStep>& path, bool forward, bool& any);
  int Edge(bool first, std::vector<PathStep>& path, bool& any);
  int InsertIntoParent(std::vector<PathStep>& path, size_t level, const uint8_t* sepKey, int32_t sepValue,
                       uint32_t child);
  int RemoveFromParent(std::vector<PathStep>& path, size_t level);
  int Compare(const uint8_t* entryKey, int32_t entryValue, const uint8_t* key, int32_t value) const;
  int LeafLowerBound(const Page& p, const uint8_t* key, int32_t value) const;
  int LeafUpperBound(const Page& p, const uint8_t* key, int32_t value) const;
  int BranchChild(const Page& p, const uint8_t* key, int32_t value) const;
  void Output(const Page& leaf, int slot, uint8_t* keyOut, int32_t& valueOut, BtPosition& pos) const;

  // Entry counts, never beyond what a page holds (a page read while another program
  // changes it may show any count for a moment).
  int LeafCount(const Page& p) const { return std::min<int>(p.bytes[2] | (p.bytes[3] << 8), maxLeaf()); }
  int BranchCount(const Page& p) const { return std::min<int>(p.bytes[2] | (p.bytes[3] << 8), maxBranch()); }
  int leafEntry() const { return keyLength_ + 4; }
  int branchEntry() const { return keyLength_ + 8; }
  int maxLeaf() const { return (kPageSize - 16) / leafEntry(); }
  int maxBranch() const { return (kPageSize - 20) / branchEntry(); }
  uint8_t* LeafAt(Page& p, int i) const { return p.bytes + 16 + i * leafEntry(); }
  const uint8_t* LeafAt(const Page& p, int i) const { return p.bytes + 16 + i * leafEntry(); }
  uint8_t* SepAt(Page& p, int i) const { return p.bytes + 20 + i * branchEntry(); }
  const uint8_t* SepAt(const Page& p, int i) const { return p.bytes + 20 + i * branchEntry(); }
  uint32_t ChildAt(const Page& p, int i) const;
  void SetChild(Page& p, int i, uint32_t child) const;

  std::string path_;
  int keyLength_ = 0;
  bool readOnly_ = false;
  MappedFile map_;
  std::shared_ptr<LockGroup> group_;
  Header header_;          // as read at the start of the running operation
  Header written_;         // header as the running operation leaves it
  uint64_t checkedFileId_ = 0;
  std::vector<uint8_t> checked_;  // pages this handle has checked
  // Pages the running operation uses: a handful (a path down the tree and the pages a
  // split takes), so looked up in order; a deque keeps them in place as it grows.
  std::deque<Page> opPages_;
  std::vector<Page*> dirty_;
  std::vector<PathStep> changePath_;  // the path of a change, kept to spare an allocation each
  std::vector<PathStep> readPath_;    // the path of a search
  bool changing_ = false;
  bool unflushed_ = false;        // changed since the last flush
  uint64_t pagesSinceFlush_ = 0;  // page writes since the last flush (a page may count twice)
  bool flushWaiting_ = false;     // a batch will flush this handle
  bool optimistic_ = false;       // reading without the lock between programs
  uint8_t snapshot_[128] = {};    // the header as the running operation read it
  // The undo journal "<index>.UND": before a change touches a page its old content is
  // copied there, so that a change a killed program left half done is undone by the
  // next program that takes the lock. It is mapped like the index and stays mapped
  // between changes: journalling costs no system call but when the journal grows.
  MappedFile journal_;
  int64_t journalEnd_ = 0;
  int journalError_ = 0;          // the journal could not take a record: this change cannot be undone
  bool journalUnflushed_ = false; // written since the journal was last flushed
  bool restoring_ = false;
  bool journalling_ = true;
};

}  // namespace db
