// Finishing a compaction or index rebuild that was killed after its commit point: the
// maintenance tool's run and every store, copy-out and removal of the library do it first,
// under the library's lock, so that nothing lands in files about to be replaced.
#include "db/db.h"
#include "db/media_item.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "locks.h"

namespace db {
namespace {

std::string OwnerNote(const std::string& ready) { return ready + ".FOR"; }

// The swap of the library the files name; its lock is held.
int FinishOwn(const LibraryWorkFiles& f) {
  if (fileio::Exists(f.readyLibrary)) {
    if (fileio::Exists(f.tempIndex)) {
      if (int rc = CopyIndexOver(f.tempIndex, f.index); rc != 0) return rc;
      if (int rc = fileio::RemoveFile(f.tempIndex); rc != 0) return rc;
    }
    if (int rc = fileio::MoveFileReplacing(f.readyLibrary, f.library); rc != 0) return rc;
    RemoveSwapOwner(f.readyLibrary);
    return 0;
  }
  if (fileio::Exists(f.readyIndex)) {
    if (int rc = CopyIndexOver(f.readyIndex, f.index); rc != 0) return rc;
    if (int rc = fileio::RemoveFile(f.readyIndex); rc != 0) return rc;
    RemoveSwapOwner(f.readyIndex);
  }
  return 0;
}

}  // namespace

std::string SwapOwnerOf(const std::string& workFile) {
  std::string text;
  if (fileio::ReadWholeFile(OwnerNote(workFile), text) != 0) return "";
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
  return fileio::Trim(text);
}

bool OwnsWorkFile(const std::string& workFile, const LibraryWorkFiles& f) {
  const std::string owner = SwapOwnerOf(workFile);
  return owner.empty() || FileKey(DBNAME(owner, 'B')) == FileKey(f.library);
}

void RemoveSwapOwner(const std::string& workFile) { fileio::RemoveFile(OwnerNote(workFile)); }

// The new index's bytes over the old index file, which stays the same file: a program that
// keeps the index open (waiting for the library's lock, say) then finds the new index, never
// a file that is gone. The old index's undo journal goes first, for it belongs to the old.
int CopyIndexOver(const std::string& from, const std::string& to) {
  fileio::RemoveFile(to + ".UND");
  fileio::File in, out;
  int rc = in.Open(from, fileio::Access::Read, fileio::Share::DenyNone);
  if (rc != 0) return rc;
  const int64_t size = in.Size();
  if (size < 0) return kDbErrInvalidHandle;
  if ((rc = out.OpenAlways(to, fileio::Share::DenyNone)) != 0) return rc;
  if ((rc = CopyFileBytes(in, 0, out, 0, size)) != 0) return rc;
  // Windows keeps the length of a file that another program has a view of. The new index
  // is whole in its first bytes: the pages past its header's count are spare room, never
  // read, which it takes up as it grows.
  rc = out.Truncate(size);
  if (rc != 0 && rc != fileio::kErrUserMappedFile) return rc;
  return out.Flush();
}

LibraryWorkFiles LibraryWorkFilesOf(const std::string& library) {
  LibraryWorkFiles f;
  f.library = DBNAME(library, 'B');
  f.index = DBNAME(library, 'I');
  const std::string folder = fileio::WithTrailingSeparator(fileio::FolderOf(f.library));
  const std::string libExt = "." + fileio::ExtensionOf(f.library);
  const std::string indexExt = "." + fileio::ExtensionOf(f.index);
  f.tempLibrary = folder + "NARWENTMP" + libExt;
  f.tempIndex = folder + "NARWENTMP" + indexExt;
  f.readyLibrary = folder + "NARWENNEW" + libExt;
  f.readyIndex = folder + "NARWENNEW" + indexExt;
  f.cutLibrary = folder + "NARWENCUT" + libExt;
  return f;
}

int WriteSwapOwner(const std::string& readyFile, const std::string& library) {
  return fileio::WriteFileReplacing(OwnerNote(readyFile), DBNAME(library, 'B') + "\r\n");
}

int FinishLibrarySwap(const LibraryWorkFiles& files) {
  // At most one ready file of each kind; each is finished under its owner's lock.
  for (int pass = 0; pass < 2; ++pass) {
    const bool library = fileio::Exists(files.readyLibrary);
    if (!library && !fileio::Exists(files.readyIndex)) return 0;
    const std::string ready = library ? files.readyLibrary : files.readyIndex;
    if (OwnsWorkFile(ready, files)) {
      if (int rc = FinishOwn(files); rc != 0) return rc;
      continue;
    }
    // Another library's run was killed at its commit point: its swap needs its own lock.
    const LibraryWorkFiles other = LibraryWorkFilesOf(SwapOwnerOf(ready));
    LibraryLock lock;
    if (int rc = lock.Acquire(other.index); rc != 0) return rc;
    if (int rc = FinishOwn(other); rc != 0) return rc;
  }
  return 0;
}

}  // namespace db
