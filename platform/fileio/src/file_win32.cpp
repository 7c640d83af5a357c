// Windows side of the file layer.
#include <windows.h>

#include "fileio/file.h"
#include "fileio/paths.h"
#include "win/raii.h"

namespace fileio {
namespace {

DWORD ShareFlags(Share share) {
  switch (share) {
    case Share::Exclusive: return 0;
    case Share::DenyWrite: return FILE_SHARE_READ;
    case Share::DenyRead: return FILE_SHARE_WRITE;
    case Share::Compatible:
    case Share::DenyNone:
    default: return FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  }
}

int LastError() {
  DWORD e = GetLastError();
  return e == 0 ? int(kErrInvalidParameter) : int(e);
}

int64_t FileTimeToUnix(const FILETIME& ft) {
  ULARGE_INTEGER v;
  v.LowPart = ft.dwLowDateTime;
  v.HighPart = ft.dwHighDateTime;
  return int64_t(v.QuadPart / 10000000ULL) - 11644473600LL;
}

}  // namespace

int File::Open(const std::string& path, Access access, Share share) {
  Close();
  DWORD desired = GENERIC_READ;
  DWORD disposition = OPEN_EXISTING;
  if (access == Access::WriteNew) {
    desired = GENERIC_READ | GENERIC_WRITE;
    disposition = CREATE_ALWAYS;
  } else if (access == Access::ReadWrite) {
    desired = GENERIC_READ | GENERIC_WRITE;
  }
  HANDLE h = CreateFileA(path.c_str(), desired, ShareFlags(share), nullptr, disposition,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return LastError();
  handle_ = h;
  position_ = 0;
  return kOk;
}

int File::OpenAlways(const std::string& path, Share share) {
  Close();
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, ShareFlags(share), nullptr,
                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return LastError();
  handle_ = h;
  position_ = 0;
  return kOk;
}

void File::Close() {
  win::CloseKernelHandle(handle_);
  handle_ = nullptr;
  position_ = 0;
}

bool File::IsOpen() const { return handle_ != nullptr; }

int File::ReadAt(int64_t offset, void* data, size_t size, size_t& count) {
  count = 0;
  if (!handle_) return kErrInvalidHandle;
  char* out = static_cast<char*>(data);
  while (count < size) {
    OVERLAPPED ov{};
    int64_t at = offset + int64_t(count);
    ov.Offset = DWORD(at & 0xFFFFFFFF);
    ov.OffsetHigh = DWORD(uint64_t(at) >> 32);
    DWORD chunk = DWORD(std::min<size_t>(size - count, 1u << 30));
    DWORD got = 0;
    CountFileCall(FileCall::Read);
    if (!ReadFile(handle_, out + count, chunk, &got, &ov)) {
      DWORD e = GetLastError();
      if (e == ERROR_HANDLE_EOF) break;
      return int(e);
    }
    count += got;
    // A short read of a file is its end: asking again would only cost another call.
    if (got < chunk) break;
  }
  return kOk;
}

int File::WriteAt(int64_t offset, const void* data, size_t size) {
  if (!handle_) return kErrInvalidHandle;
  const char* in = static_cast<const char*>(data);
  size_t done = 0;
  do {
    OVERLAPPED ov{};
    int64_t at = offset + int64_t(done);
    ov.Offset = DWORD(at & 0xFFFFFFFF);
    ov.OffsetHigh = DWORD(uint64_t(at) >> 32);
    DWORD chunk = DWORD(std::min<size_t>(size - done, 1u << 30));
    DWORD put = 0;
    CountFileCall(FileCall::Write);
    if (!WriteFile(handle_, in + done, chunk, &put, &ov)) return LastError();
    if (put != chunk) return kErrDiskFull;
    done += put;
  } while (done < size);
  return kOk;
}

int64_t File::Size() const {
  if (!handle_) return -1;
  LARGE_INTEGER size;
  CountFileCall(FileCall::Size);
  if (!GetFileSizeEx(handle_, &size)) return -1;
  return size.QuadPart;
}

int File::Truncate(int64_t length) {
  if (!handle_) return kErrInvalidHandle;
  LARGE_INTEGER at;
  at.QuadPart = length;
  if (!SetFilePointerEx(handle_, at, nullptr, FILE_BEGIN) || !SetEndOfFile(handle_)) return LastError();
  if (position_ > length) position_ = length;
  return kOk;
}

int File::Flush() {
  if (!handle_) return kErrInvalidHandle;
  CountFileCall(FileCall::Flush);
  return FlushFileBuffers(handle_) ? kOk : LastError();
}

int File::Lock(int64_t offset, int64_t length) {
  if (!handle_) return kErrInvalidHandle;
  OVERLAPPED ov{};
  ov.Offset = DWORD(offset & 0xFFFFFFFF);
  ov.OffsetHigh = DWORD(uint64_t(offset) >> 32);
  CountFileCall(FileCall::Lock);
  if (!LockFileEx(handle_, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0,
                  DWORD(length & 0xFFFFFFFF), DWORD(uint64_t(length) >> 32), &ov)) {
    DWORD e = GetLastError();
    return (e == ERROR_IO_PENDING || e == ERROR_LOCK_VIOLATION) ? int(kErrLockViolation) : int(e);
  }
  return kOk;
}

int File::Unlock(int64_t offset, int64_t length) {
  if (!handle_) return kErrInvalidHandle;
  OVERLAPPED ov{};
  ov.Offset = DWORD(offset & 0xFFFFFFFF);
  ov.OffsetHigh = DWORD(uint64_t(offset) >> 32);
  CountFileCall(FileCall::Unlock);
  if (!UnlockFileEx(handle_, 0, DWORD(length & 0xFFFFFFFF), DWORD(uint64_t(length) >> 32), &ov))
    return LastError();
  return kOk;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool IsDirectory(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

int64_t FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -1;
  return (int64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

int RemoveFile(const std::string& path) { return DeleteFileA(path.c_str()) ? kOk : LastError(); }

int RenameFile(const std::string& from, const std::string& to) {
  return MoveFileA(from.c_str(), to.c_str()) ? kOk : LastError();
}

int MoveFileReplacing(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
             ? kOk
             : LastError();
}

int CopyFileTo(const std::string& from, const std::string& to) {
  return CopyFileA(from.c_str(), to.c_str(), FALSE) ? kOk : LastError();
}

int MakeDirectories(const std::string& path) {
  std::string p = WithoutTrailingSeparator(path);
  if (p.empty()) return kErrInvalidName;
  if (IsDirectory(p)) return kOk;
  std::string parent = WithoutTrailingSeparator(FolderOf(p));
  if (!parent.empty() && parent != p && !(parent.size() == 2 && parent[1] == ':')) {
    int rc = MakeDirectories(parent);
    if (rc != kOk) return rc;
  }
  if (CreateDirectoryA(p.c_str(), nullptr)) return kOk;
  DWORD e = GetLastError();
  if (e == ERROR_ALREADY_EXISTS && IsDirectory(p)) return kOk;
  return int(e);
}

int RemoveFolder(const std::string& path) {
  return ::RemoveDirectoryA(path.c_str()) ? kOk : LastError();
}

std::vector<DirEntry> ListDirectory(const std::string& pattern) {
  std::vector<DirEntry> out;
  WIN32_FIND_DATAA fd;
  win::FindHandle find(FindFirstFileA(pattern.c_str(), &fd));
  if (!find) return out;
  do {
    std::string name = fd.cFileName;
    if (name == "." || name == "..") continue;
    DirEntry e;
    e.name = name;
    e.attributes = fd.dwFileAttributes;
    e.directory = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    e.hidden = (fd.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
    e.size = (int64_t(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow;
    e.writeTime = FileTimeToUnix(fd.ftLastWriteTime);
    out.push_back(std::move(e));
  } while (FindNextFileA(find.Get(), &fd));
  return out;
}

std::string TempFolder() {
  char buf[MAX_PATH + 1];
  DWORD n = GetTempPathA(sizeof buf, buf);
  if (n == 0 || n > MAX_PATH) return "C:\\";
  return WithTrailingSeparator(std::string(buf, n));
}

}  // namespace fileio
