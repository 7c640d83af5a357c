// The trailer that ends every media library item, decoded in one place: storing, copying
// out, checking and the maintenance tool's backward scan all read it through here.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "fileio/file.h"

namespace db {

inline constexpr int kItemTrailer = 22;
inline constexpr int kItemNameLength = 12;
inline constexpr uint8_t kItemEndMark[6] = {0x9F, 'i', 'n', '\r', '\n', 0x1A};
inline constexpr char kItemRemovedMark = 15;

struct ItemTrailer {
  int64_t start = 0;       // first byte of the item's data
  int64_t dataLength = 0;  // bytes of data, without the trailer
  std::string name;        // 12 characters, NUL bytes as blanks
  bool removed = false;    // the name holds the removed mark
};

// Decodes the 22 bytes before `end`. False for a damaged trailer: no end mark, or a length
// whose absolute value is below the trailer's own 22 bytes or reaches before the file's start.
bool DecodeItemTrailer(const uint8_t trailer[kItemTrailer], int64_t end, ItemTrailer& out);
// Fills a trailer for `dataLength` bytes of data under `name` (12 characters).
void EncodeItemTrailer(int64_t dataLength, const std::string& name, uint8_t trailer[kItemTrailer]);
// Where the last end mark that ends at or before `limit` ends, or -1 (and `rc` set when a
// read failed). Reads backwards in blocks of `block` bytes that overlap by five, so that
// a mark across a block border is found.
int64_t LastItemEndMark(fileio::File& f, int64_t limit, int& rc, int64_t block = 16384);

// Copies `length` bytes from one file to another in chunks of at most 1 MiB; a source
// that ends early is a read fault.
int CopyFileBytes(fileio::File& from, int64_t fromAt, fileio::File& to, int64_t toAt, int64_t length);
// Puts a rebuilt index's bytes over an index file, which stays the same file (programs that
// hold it open read the new index), and removes the old one's undo journal.
int CopyIndexOver(const std::string& from, const std::string& to);

class LockGroup;

// The work files of a compaction or index rebuild of a library (the maintenance tool's),
// in the library's folder. A run builds its new files under the temporary names, renames
// them to the ready names once complete (its commit point) and then puts them in place.
// The ready names are shared by the libraries of a folder: a note beside each ("<ready>.FOR")
// names the library the ready file belongs to.
struct LibraryWorkFiles {
  std::string library, index;  // the library's ".B" and ".I" files
  std::string tempLibrary;     // the compaction's new library while it is written
  std::string tempIndex;       // the new index while it is written
  std::string readyLibrary;    // the new library once complete: a compaction's commit point
  std::string readyIndex;      // the new index once complete: an index rebuild's commit point
  std::string cutLibrary;      // items cut from a library short of space
};
LibraryWorkFiles LibraryWorkFilesOf(const std::string& library);
// Marks a ready file as the given library's (before the rename that makes it ready); the
// cut file, shared by the folder's libraries too, is marked the same way.
int WriteSwapOwner(const std::string& readyFile, const std::string& library);
// The library a work file belongs to; "" when its note is missing (then it is taken as
// the caller's: a folder with one library needs none).
std::string SwapOwnerOf(const std::string& workFile);
bool OwnsWorkFile(const std::string& workFile, const LibraryWorkFiles& f);
void RemoveSwapOwner(const std::string& workFile);
// Puts in place the new files of a run killed after its commit point, before anything
// reads or changes the library: a store or removal meanwhile would otherwise go into the
// old files, which the swap then drops. The caller holds the library's lock; a ready file
// of another library of the folder is put in place under that library's lock. 0 also
// when nothing is pending.
int FinishLibrarySwap(const LibraryWorkFiles& files);

// Holds a library's lock, the one its index's every store, copy-out and removal takes,
// until released or destroyed: another program's library calls wait meanwhile (33 after
// the lock timeout). The holding thread's own calls go through; other threads of this
// process wait until it is released.
class LibraryLock {
 public:
  LibraryLock() = default;
  ~LibraryLock();
  LibraryLock(const LibraryLock&) = delete;
  LibraryLock& operator=(const LibraryLock&) = delete;
  // `indexPath`: the library's index (DBNAME (library, 73)).
  int Acquire(const std::string& indexPath);
  void Release();

 private:
  std::shared_ptr<LockGroup> group_;
  bool held_ = false;
};

}  // namespace db
