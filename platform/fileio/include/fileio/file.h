// A small file layer with one Win32 and one POSIX side: open with an access mode and a
// sharing mode, read and write at an offset, truncate, lock byte ranges, replace files.
// Paths are the suite's own ("C:\dir\name"); on POSIX every "\" is taken as "/".
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fileio {

// Windows error numbers: the suite reports every failure with one of these codes, and
// the POSIX side maps errno onto them.
enum : int {
  kOk = 0,
  kErrFileNotFound = 2,
  kErrPathNotFound = 3,
  kErrAccessDenied = 5,
  kErrInvalidHandle = 6,
  kErrNotEnoughMemory = 8,
  kErrWriteFault = 29,
  kErrReadFault = 30,
  kErrSharingViolation = 32,
  kErrLockViolation = 33,
  kErrHandleEof = 38,
  kErrFileExists = 80,
  kErrCannotMake = 82,
  kErrInvalidParameter = 87,
  kErrDiskFull = 112,
  kErrInvalidName = 123,
  kErrAlreadyExists = 183,
  kErrUserMappedFile = 1224,  // Windows: the length of a file another handle has a view of
};

enum class Access { Read = 0, WriteNew = 1, ReadWrite = 2 };

// Sharing, as the suite's callers pass it: the classic share modes.
//   0 compatible (others may read and write), 1 exclusive, 2 others may only read,
//   3 others may only write, 4 others may read and write.
enum class Share { Compatible = 0, Exclusive = 1, DenyWrite = 2, DenyRead = 3, DenyNone = 4 };

class File {
 public:
  File() = default;
  ~File();
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;

  // Opens the file; returns kOk or an error number. WriteNew creates or empties the file.
  int Open(const std::string& path, Access access, Share share = Share::Compatible);
  // Opens for reading and writing, creating the file when it does not exist.
  int OpenAlways(const std::string& path, Share share = Share::Compatible);
  void Close();
  bool IsOpen() const;

  // Reads up to size bytes from the current position; count receives the bytes read.
  int Read(void* data, size_t size, size_t& count);
  int ReadAt(int64_t offset, void* data, size_t size, size_t& count);
  // Writes all bytes or fails.
  int Write(const void* data, size_t size);
  int WriteAt(int64_t offset, const void* data, size_t size);
  int Seek(int64_t offset);
  int64_t Tell() const;
  // File length in bytes, or -1 on failure.
  int64_t Size() const;
  int Truncate(int64_t length);
  int Flush();
  // Byte-range locks: Lock fails at once with kErrLockViolation when another handle holds
  // an overlapping lock.
  int Lock(int64_t offset, int64_t length);
  int Unlock(int64_t offset, int64_t length);

 private:
#ifdef _WIN32
  void* handle_ = nullptr;
#else
  int fd_ = -1;
#endif
  int64_t position_ = 0;
};

// The calls of File that reach the system, counted for the whole process: a benchmark or
// a test sees what an operation costs (under Wine most of them are a round trip to its
// server). Mapping is counted by the layers that map files.
enum class FileCall { Read, Write, Size, Lock, Unlock, Flush, Map, kCount };
void CountFileCall(FileCall call);
uint64_t FileCallCount(FileCall call);

// Whole-file helpers.
int ReadWholeFile(const std::string& path, std::string& bytes);
// Writes beside the target and then replaces it, so that a failed write keeps the old file.
int WriteFileReplacing(const std::string& path, std::string_view bytes);

// File system helpers.
bool Exists(const std::string& path);          // a file or a folder
bool IsDirectory(const std::string& path);
int64_t FileSize(const std::string& path);     // -1 when missing
int RemoveFile(const std::string& path);
int RenameFile(const std::string& from, const std::string& to);        // fails when `to` exists
int MoveFileReplacing(const std::string& from, const std::string& to); // replaces `to`
int CopyFileTo(const std::string& from, const std::string& to);        // replaces `to`
int MakeDirectories(const std::string& path);  // kOk also when it exists
int RemoveFolder(const std::string& path);  // an empty folder

struct DirEntry {
  std::string name;
  bool directory = false;
  bool hidden = false;
  int64_t size = 0;
  uint32_t attributes = 0;  // Windows attribute bits (read-only 1, hidden 2, system 4, dir 16, archive 32)
  int64_t writeTime = 0;    // seconds since 1970
};
// Lists the entries of a folder that match a wildcard pattern ("C:\dir\*.jpg"); never "."
// nor "..". The pattern's name part is matched without regard to letter case.
std::vector<DirEntry> ListDirectory(const std::string& pattern);
// True when FindFirstFile would find anything for the pattern: "dir\*.*" of an existing
// folder is true even when the folder is empty (it holds "." and "..").
bool PatternExists(const std::string& pattern);

// The folder for temporary files, ending in the separator.
std::string TempFolder();

}  // namespace fileio
