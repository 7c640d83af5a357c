#include <atomic>

#include "fileio/file.h"
#include "fileio/paths.h"

namespace fileio {

namespace {
std::atomic<uint64_t> gFileCalls[size_t(FileCall::kCount)];
}  // namespace

void CountFileCall(FileCall call) { gFileCalls[size_t(call)].fetch_add(1, std::memory_order_relaxed); }
uint64_t FileCallCount(FileCall call) { return gFileCalls[size_t(call)].load(std::memory_order_relaxed); }

File::File(File&& other) noexcept { *this = std::move(other); }

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    Close();
#ifdef _WIN32
    handle_ = other.handle_;
    other.handle_ = nullptr;
#else
    fd_ = other.fd_;
    other.fd_ = -1;
#endif
    position_ = other.position_;
    other.position_ = 0;
  }
  return *this;
}

File::~File() { Close(); }

int File::Read(void* data, size_t size, size_t& count) {
  int rc = ReadAt(position_, data, size, count);
  position_ += int64_t(count);
  return rc;
}

int File::Write(const void* data, size_t size) {
  int rc = WriteAt(position_, data, size);
  if (rc == kOk) position_ += int64_t(size);
  return rc;
}

int File::Seek(int64_t offset) {
  if (offset < 0) return kErrInvalidParameter;
  position_ = offset;
  return kOk;
}

int64_t File::Tell() const { return position_; }

int ReadWholeFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  File f;
  int rc = f.Open(path, Access::Read, Share::Compatible);
  if (rc != kOk) return rc;
  int64_t size = f.Size();
  if (size < 0) return kErrReadFault;
  bytes.resize(size_t(size));
  size_t got = 0;
  rc = f.ReadAt(0, bytes.data(), bytes.size(), got);
  bytes.resize(got);
  return rc;
}

int WriteFileReplacing(const std::string& path, std::string_view bytes) {
  std::string temp = path + ".new~";
  {
    File f;
    int rc = f.Open(temp, Access::WriteNew, Share::Exclusive);
    if (rc != kOk) return rc;
    rc = f.WriteAt(0, bytes.data(), bytes.size());
    if (rc == kOk) rc = f.Flush();
    if (rc != kOk) {
      f.Close();
      RemoveFile(temp);
      return rc;
    }
  }
  int rc = MoveFileReplacing(temp, path);
  if (rc != kOk) RemoveFile(temp);
  return rc;
}

bool PatternExists(const std::string& pattern) {
  std::string name = NameOf(pattern);
  std::string folder = FolderOf(pattern);
  // A folder always holds "." and "..", which "*" and "*.*" find.
  if ((name == "*" || name == "*.*") && IsDirectory(folder.empty() ? std::string(".") : folder)) return true;
  if (name.find_first_of("*?") == std::string::npos) return Exists(pattern);
  return !ListDirectory(pattern).empty();
}

}  // namespace fileio
