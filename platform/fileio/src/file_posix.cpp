// POSIX side of the file layer, for the native build and its unit tests. Paths keep the
// suite's "\" and are converted here. Sharing modes are not enforced (POSIX has no such
// thing); byte-range locks are open-file-description locks, so two handles of one
// process exclude each other as they do on Windows.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "fileio/file.h"
#include "fileio/paths.h"

namespace fileio {
namespace {

int FromErrno(int e) {
  switch (e) {
    case ENOENT: return kErrFileNotFound;
    case ENOTDIR: return kErrPathNotFound;
    case EACCES:
    case EPERM:
    case EISDIR: return kErrAccessDenied;
    case EBADF: return kErrInvalidHandle;
    case ENOMEM: return kErrNotEnoughMemory;
    case EEXIST:
    case ENOTEMPTY: return kErrAlreadyExists;
    case ENOSPC: return kErrDiskFull;
    case ENAMETOOLONG: return kErrInvalidName;
    case EAGAIN: return kErrLockViolation;
    case EINVAL: return kErrInvalidParameter;
    default: return kErrWriteFault;
  }
}

int OpenFd(const std::string& path, int flags) {
  int fd = ::open(NativePath(path).c_str(), flags | O_CLOEXEC, 0644);
  if (fd >= 0) {
    struct stat st;
    if (fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
      ::close(fd);
      errno = EACCES;
      return -1;
    }
  }
  return fd;
}

}  // namespace

int File::Open(const std::string& path, Access access, Share) {
  Close();
  int flags = O_RDONLY;
  if (access == Access::WriteNew) flags = O_RDWR | O_CREAT | O_TRUNC;
  if (access == Access::ReadWrite) flags = O_RDWR;
  int fd = OpenFd(path, flags);
  if (fd < 0) return FromErrno(errno);
  fd_ = fd;
  position_ = 0;
  return kOk;
}

int File::OpenAlways(const std::string& path, Share) {
  Close();
  int fd = OpenFd(path, O_RDWR | O_CREAT);
  if (fd < 0) return FromErrno(errno);
  fd_ = fd;
  position_ = 0;
  return kOk;
}

void File::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  position_ = 0;
}

bool File::IsOpen() const { return fd_ >= 0; }

int File::ReadAt(int64_t offset, void* data, size_t size, size_t& count) {
  count = 0;
  if (fd_ < 0) return kErrInvalidHandle;
  char* out = static_cast<char*>(data);
  while (count < size) {
    CountFileCall(FileCall::Read);
    ssize_t got = ::pread(fd_, out + count, size - count, off_t(offset + int64_t(count)));
    if (got < 0) {
      if (errno == EINTR) continue;
      return FromErrno(errno);
    }
    count += size_t(got);
    // A short read of a file is its end: asking again would only cost another call.
    if (size_t(got) < size - (count - size_t(got))) break;
  }
  return kOk;
}

int File::WriteAt(int64_t offset, const void* data, size_t size) {
  if (fd_ < 0) return kErrInvalidHandle;
  const char* in = static_cast<const char*>(data);
  size_t done = 0;
  while (done < size) {
    CountFileCall(FileCall::Write);
    ssize_t put = ::pwrite(fd_, in + done, size - done, off_t(offset + int64_t(done)));
    if (put < 0) {
      if (errno == EINTR) continue;
      return FromErrno(errno);
    }
    done += size_t(put);
  }
  return kOk;
}

int64_t File::Size() const {
  if (fd_ < 0) return -1;
  CountFileCall(FileCall::Size);
  struct stat st;
  if (fstat(fd_, &st) != 0) return -1;
  return int64_t(st.st_size);
}

int File::Truncate(int64_t length) {
  if (fd_ < 0) return kErrInvalidHandle;
  if (ftruncate(fd_, off_t(length)) != 0) return FromErrno(errno);
  if (position_ > length) position_ = length;
  return kOk;
}

int File::Flush() {
  if (fd_ < 0) return kErrInvalidHandle;
  CountFileCall(FileCall::Flush);
  return fsync(fd_) == 0 ? kOk : FromErrno(errno);
}

static int RangeLock(int fd, short type, int64_t offset, int64_t length) {
  if (fd < 0) return kErrInvalidHandle;
  CountFileCall(type == F_UNLCK ? FileCall::Unlock : FileCall::Lock);
  struct flock fl {};
  fl.l_type = type;
  fl.l_whence = SEEK_SET;
  fl.l_start = off_t(offset);
  fl.l_len = off_t(length);
  if (fcntl(fd, F_OFD_SETLK, &fl) != 0) {
    return (errno == EAGAIN || errno == EACCES) ? int(kErrLockViolation) : FromErrno(errno);
  }
  return kOk;
}

int File::Lock(int64_t offset, int64_t length) { return RangeLock(fd_, F_WRLCK, offset, length); }

int File::Unlock(int64_t offset, int64_t length) { return RangeLock(fd_, F_UNLCK, offset, length); }

bool Exists(const std::string& path) {
  struct stat st;
  return ::stat(NativePath(path).c_str(), &st) == 0;
}

bool IsDirectory(const std::string& path) {
  struct stat st;
  return ::stat(NativePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

int64_t FileSize(const std::string& path) {
  struct stat st;
  if (::stat(NativePath(path).c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return -1;
  return int64_t(st.st_size);
}

int RemoveFile(const std::string& path) {
  if (IsDirectory(path)) return kErrAccessDenied;
  return ::unlink(NativePath(path).c_str()) == 0 ? kOk : FromErrno(errno);
}

int RenameFile(const std::string& from, const std::string& to) {
  if (!Exists(from)) return kErrFileNotFound;
  if (Exists(to)) return kErrAlreadyExists;
  return ::rename(NativePath(from).c_str(), NativePath(to).c_str()) == 0 ? kOk : FromErrno(errno);
}

int MoveFileReplacing(const std::string& from, const std::string& to) {
  return ::rename(NativePath(from).c_str(), NativePath(to).c_str()) == 0 ? kOk : FromErrno(errno);
}

// In pieces, so that a big file never has to fit in memory; a copy that fails is removed.
int CopyFileTo(const std::string& from, const std::string& to) {
  File in;
  int rc = in.Open(from, Access::Read);
  if (rc != kOk) return rc;
  File out;
  rc = out.Open(to, Access::WriteNew);
  if (rc != kOk) return rc;
  std::vector<char> buffer(size_t(1) << 20);
  for (int64_t at = 0;; ) {
    size_t got = 0;
    rc = in.ReadAt(at, buffer.data(), buffer.size(), got);
    if (rc != kOk || got == 0) break;
    rc = out.WriteAt(at, buffer.data(), got);
    if (rc != kOk) break;
    at += int64_t(got);
  }
  out.Close();
  if (rc != kOk) RemoveFile(to);
  return rc;
}

int MakeDirectories(const std::string& path) {
  std::string p = WithoutTrailingSeparator(path);
  if (p.empty()) return kErrInvalidName;
  if (IsDirectory(p)) return kOk;
  std::string parent = WithoutTrailingSeparator(FolderOf(p));
  if (!parent.empty() && parent != p && parent != "/" && parent != "\\") {
    int rc = MakeDirectories(parent);
    if (rc != kOk) return rc;
  }
  if (::mkdir(NativePath(p).c_str(), 0755) == 0) return kOk;
  if (errno == EEXIST && IsDirectory(p)) return kOk;
  return FromErrno(errno);
}

int RemoveFolder(const std::string& path) {
  return ::rmdir(NativePath(path).c_str()) == 0 ? kOk : FromErrno(errno);
}

std::vector<DirEntry> ListDirectory(const std::string& pattern) {
  std::vector<DirEntry> out;
  std::string folder = FolderOf(pattern);
  std::string mask = NameOf(pattern);
  std::string native = NativePath(folder.empty() ? std::string(".") : folder);
  DIR* dir = ::opendir(native.c_str());
  if (!dir) return out;
  while (dirent* d = ::readdir(dir)) {
    std::string name = d->d_name;
    if (name == "." || name == "..") continue;
    if (!WildcardMatch(mask, name)) continue;
    struct stat st;
    std::string full = native + (native.back() == '/' ? "" : "/") + name;
    if (::stat(full.c_str(), &st) != 0) continue;
    DirEntry e;
    e.name = name;
    e.directory = S_ISDIR(st.st_mode);
    e.hidden = !name.empty() && name[0] == '.';
    e.size = e.directory ? 0 : int64_t(st.st_size);
    e.attributes = (e.directory ? 16u : 32u) | (e.hidden ? 2u : 0u);
    e.writeTime = int64_t(st.st_mtime);
    out.push_back(std::move(e));
  }
  ::closedir(dir);
  return out;
}

std::string TempFolder() {
  const char* t = std::getenv("TMPDIR");
  std::string folder = (t && *t) ? t : "/tmp";
  if (folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace fileio
