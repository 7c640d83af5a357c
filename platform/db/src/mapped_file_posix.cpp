#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "fileio/file.h"
#include "fileio/paths.h"
#include "mapped_file.h"

namespace db {
namespace {

int FromErrno(int e) {
  switch (e) {
    case ENOENT: return fileio::kErrFileNotFound;
    case ENOTDIR: return fileio::kErrPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return fileio::kErrAccessDenied;
    case ENOMEM: return fileio::kErrNotEnoughMemory;
    case ENOSPC:
    case EFBIG: return fileio::kErrDiskFull;
    default: return fileio::kErrWriteFault;
  }
}

}  // namespace

MappedFile::~MappedFile() { Close(); }

int MappedFile::Open(const std::string& path, bool& readOnly, bool create) {
  Close();
  std::string native = fileio::NativePath(path);
  fd_ = ::open(native.c_str(), O_RDWR | (create ? O_CREAT : 0) | O_CLOEXEC, 0644);
  readOnly_ = false;
  if (fd_ < 0) {
    int e = errno;
    fd_ = ::open(native.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) return FromErrno(e);
    readOnly_ = true;
  }
  struct stat st;
  if (fstat(fd_, &st) != 0 || S_ISDIR(st.st_mode)) {
    Close();
    return fileio::kErrAccessDenied;
  }
  readOnly = readOnly_;
  return Remap();
}

bool MappedFile::IsOpen() const { return fd_ >= 0; }

void MappedFile::Unmap() {
  if (data_) munmap(data_, size_t(mapped_));
  data_ = nullptr;
  mapped_ = 0;
}

void MappedFile::Close() {
  Unmap();
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

int MappedFile::MapSize(int64_t size) {
#ifdef __linux__
  // Growing in place keeps the pages mapped so far: mapping anew would make every page
  // the next operations touch fault in again.
  if (data_ && size > mapped_) {
    fileio::CountFileCall(fileio::FileCall::Map);
    void* p = mremap(data_, size_t(mapped_), size_t(size), MREMAP_MAYMOVE);
    if (p != MAP_FAILED) {
      data_ = static_cast<uint8_t*>(p);
      mapped_ = size;
      return 0;
    }
  }
#endif
  Unmap();
  if (size <= 0) return 0;
  fileio::CountFileCall(fileio::FileCall::Map);
  int prot = readOnly_ ? PROT_READ : PROT_READ | PROT_WRITE;
  void* p = mmap(nullptr, size_t(size), prot, MAP_SHARED, fd_, 0);
  if (p == MAP_FAILED) return FromErrno(errno);
  data_ = static_cast<uint8_t*>(p);
  mapped_ = size;
  return 0;
}

int MappedFile::Flush(bool manyPages) {
  if (fd_ < 0 || readOnly_) return 0;
  fileio::CountFileCall(fileio::FileCall::Flush);
#ifdef __linux__
  // Writing back a page written through a mapping first makes it read-only there, and
  // tells every processor that ran this program to forget it: per page, a round trip to
  // each. Let go of the whole mapping at once instead (the pages stay in the file's cache,
  // their changes with them) and write the file.
  if (manyPages && data_ && madvise(data_, size_t(mapped_), MADV_DONTNEED) == 0)
    return fsync(fd_) == 0 ? 0 : FromErrno(errno);
#endif
  // msync writes the pages and what is needed to read them back (the length among it).
  if (data_) return msync(data_, size_t(mapped_), MS_SYNC) == 0 ? 0 : FromErrno(errno);
  return fsync(fd_) == 0 ? 0 : FromErrno(errno);
}

int MappedFile::Remap() {
  if (fd_ < 0) return fileio::kErrInvalidHandle;
  struct stat st;
  if (fstat(fd_, &st) != 0) return FromErrno(errno);
  if (int64_t(st.st_size) == mapped_ && data_) return 0;
  return MapSize(int64_t(st.st_size));
}

int MappedFile::Extend(int64_t size) {
  if (fd_ < 0) return fileio::kErrInvalidHandle;
  if (readOnly_) return fileio::kErrAccessDenied;
  struct stat st;
  if (fstat(fd_, &st) != 0) return FromErrno(errno);
  const int64_t before = mapped_;
  if (int64_t(st.st_size) < size && ftruncate(fd_, off_t(size)) != 0) return FromErrno(errno);
  int rc = Remap();
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
  // The new pages are made writable in one call rather than by a fault each as they are
  // first written (a fault costs many times a page's share of one call). A kernel without
  // it leaves them to fault in.
  const int64_t page = sysconf(_SC_PAGESIZE);
  const int64_t from = before / page * page;
  if (rc == 0 && data_ && mapped_ > from) madvise(data_ + from, size_t(mapped_ - from), MADV_POPULATE_WRITE);
#endif
  return rc;
}

HeadPage::~HeadPage() { Close(); }

bool HeadPage::Open(const std::string& path) {
  Close();
  // A handle of its own, closed at once: the mapping stays, and the locks of the file's
  // other handles (open file description locks) are not touched by the close.
  int fd = ::open(fileio::NativePath(path).c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) return false;
  const int64_t page = sysconf(_SC_PAGESIZE);
  fileio::CountFileCall(fileio::FileCall::Map);
  void* p = mmap(nullptr, size_t(page), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  ::close(fd);
  if (p == MAP_FAILED) return false;
  data_ = static_cast<uint8_t*>(p);
  size_ = page;
  return true;
}

void HeadPage::Close() {
  if (data_) munmap(data_, size_t(size_));
  data_ = nullptr;
  size_ = 0;
}

}  // namespace db
