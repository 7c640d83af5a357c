#include <windows.h>

#include "fileio/file.h"
#include "mapped_file.h"
#include "win/raii.h"

namespace db {
namespace {

int LastError() {
  DWORD e = GetLastError();
  return e == 0 ? int(fileio::kErrInvalidParameter) : int(e);
}

}  // namespace

MappedFile::~MappedFile() { Close(); }

int MappedFile::Open(const std::string& path, bool& readOnly, bool create) {
  Close();
  const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr,
                         create ? OPEN_ALWAYS : OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  readOnly_ = false;
  if (h == INVALID_HANDLE_VALUE) {
    int rc = LastError();
    h = CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return rc;
    readOnly_ = true;
  }
  file_ = h;
  readOnly = readOnly_;
  return Remap();
}

bool MappedFile::IsOpen() const { return file_ != nullptr; }

void MappedFile::Unmap() {
  if (data_) UnmapViewOfFile(data_);
  win::CloseKernelHandle(section_);
  data_ = nullptr;
  section_ = nullptr;
  mapped_ = 0;
}

void MappedFile::Close() {
  Unmap();
  win::CloseKernelHandle(file_);
  file_ = nullptr;
}

int MappedFile::MapSize(int64_t size) {
  Unmap();
  if (size <= 0) return 0;
  fileio::CountFileCall(fileio::FileCall::Map);
  // A section as large as `size` makes the file that long when it is shorter.
  win::Handle section(CreateFileMappingA(file_, nullptr, readOnly_ ? PAGE_READONLY : PAGE_READWRITE,
                                        DWORD(uint64_t(size) >> 32), DWORD(uint64_t(size) & 0xFFFFFFFF), nullptr));
  if (!section) return LastError();
  void* p = MapViewOfFile(section.Get(), readOnly_ ? FILE_MAP_READ : FILE_MAP_WRITE, 0, 0, SIZE_T(size));
  if (!p) return LastError();
  section_ = section.Release();
  data_ = static_cast<uint8_t*>(p);
  mapped_ = size;
  return 0;
}

int MappedFile::Flush(bool) {
  if (!file_ || readOnly_) return 0;
  fileio::CountFileCall(fileio::FileCall::Flush);
  if (data_ && !FlushViewOfFile(data_, 0)) return LastError();
  return FlushFileBuffers(file_) ? 0 : LastError();
}

int MappedFile::Remap() {
  if (!file_) return fileio::kErrInvalidHandle;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file_, &size)) return LastError();
  if (size.QuadPart == mapped_ && data_) return 0;
  return MapSize(size.QuadPart);
}

int MappedFile::Extend(int64_t size) {
  if (!file_) return fileio::kErrInvalidHandle;
  if (readOnly_) return fileio::kErrAccessDenied;
  LARGE_INTEGER now;
  if (!GetFileSizeEx(file_, &now)) return LastError();
  return MapSize(now.QuadPart > size ? now.QuadPart : size);
}

// Windows keeps a file that has a view from being cut: nothing is mapped.
HeadPage::~HeadPage() { Close(); }
bool HeadPage::Open(const std::string&) { return false; }
void HeadPage::Close() { data_ = nullptr; }

}  // namespace db
