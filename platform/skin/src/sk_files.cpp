#include "skin/sk_files.h"

#include <map>
#include <memory>
#include <mutex>

#include "fileio/file.h"
#include "fileio/paths.h"
#include "win/thread_slot.h"

namespace {

// Open files by number. Workers and the main thread may use files at once, so the table
// is guarded; each File is used by one caller at a time, as the engine's callers do.
struct HandleTable {
  std::mutex lock;
  std::map<int, std::shared_ptr<fileio::File>> files;
  int next = 1;

  int Add(std::shared_ptr<fileio::File> f) {
    std::lock_guard<std::mutex> g(lock);
    while (files.count(next) || next <= 0) next = next <= 0 ? 1 : next + 1;
    int h = next++;
    files[h] = std::move(f);
    return h;
  }
  std::shared_ptr<fileio::File> Get(int h) {
    std::lock_guard<std::mutex> g(lock);
    auto it = files.find(h);
    return it == files.end() ? nullptr : it->second;
  }
  void Remove(int h) {
    std::lock_guard<std::mutex> g(lock);
    files.erase(h);
  }
};

HandleTable& Table() {
  static HandleTable table;
  return table;
}

int ReadInto(fileio::File& f, int64_t at, std::string& buffer, bool move) {
  size_t got = 0;
  int rc = f.ReadAt(at, buffer.data(), buffer.size(), got);
  if (move) f.Seek(at + int64_t(got));
  if (rc != fileio::kOk) {
    buffer.resize(got);
    return rc;
  }
  if (got < buffer.size()) {
    buffer.resize(got);
    return fileio::kErrHandleEof;
  }
  return fileio::kOk;
}

}  // namespace

int SKFOPEN(const std::string& path, int access, int sharing, int& handle) {
  handle = 0;
  if (path.empty()) return fileio::kErrFileNotFound;
  if (access < 0 || access > 2 || sharing < 0 || sharing > 4) return fileio::kErrInvalidParameter;
  auto f = std::make_shared<fileio::File>();
  int rc = f->Open(path, fileio::Access(access), fileio::Share(sharing));
  if (rc != fileio::kOk) return rc;
  handle = Table().Add(std::move(f));
  return fileio::kOk;
}

int SKFGET(int handle, std::string& buffer) {
  auto f = Table().Get(handle);
  if (!f) return fileio::kErrInvalidHandle;
  return ReadInto(*f, f->Tell(), buffer, true);
}

int SKFGETAT(int handle, int64_t position, std::string& buffer) {
  auto f = Table().Get(handle);
  if (!f) return fileio::kErrInvalidHandle;
  if (position < 0) return fileio::kErrInvalidParameter;
  return ReadInto(*f, position, buffer, true);
}

int SKFPUT(int handle, std::string_view text) {
  auto f = Table().Get(handle);
  if (!f) return fileio::kErrInvalidHandle;
  return f->Write(text.data(), text.size());
}

int SKFPUTAT(int handle, int64_t position, std::string_view text) {
  auto f = Table().Get(handle);
  if (!f) return fileio::kErrInvalidHandle;
  if (position < 0) return fileio::kErrInvalidParameter;
  int rc = f->WriteAt(position, text.data(), text.size());
  if (rc == fileio::kOk) f->Seek(position + int64_t(text.size()));
  return rc;
}

void SKFCLOSE(int& handle) {
  if (handle == 0) return;
  Table().Remove(handle);  // the File closes when its last user lets go
  handle = 0;
}

int64_t SKFLOF(int handle) {
  auto f = Table().Get(handle);
  return f ? f->Size() : -1;
}

int SKFGETR(int handle, std::string& record, int recordNumber) {
  if (recordNumber < 1 || record.empty()) return fileio::kErrInvalidParameter;
  return SKFGETAT(handle, int64_t(recordNumber - 1) * int64_t(record.size()), record);
}

int SKFPUTR(int handle, std::string_view record, int recordNumber) {
  if (recordNumber < 1 || record.empty()) return fileio::kErrInvalidParameter;
  return SKFPUTAT(handle, int64_t(recordNumber - 1) * int64_t(record.size()), record);
}

int SKFLOCK(int handle, int64_t offset, int64_t length) {
  auto f = Table().Get(handle);
  return f ? f->Lock(offset, length) : int(fileio::kErrInvalidHandle);
}

int SKFUNLOCK(int handle, int64_t offset, int64_t length) {
  auto f = Table().Get(handle);
  return f ? f->Unlock(offset, length) : int(fileio::kErrInvalidHandle);
}

int SKFLUSH(int handle) {
  auto f = Table().Get(handle);
  return f ? f->Flush() : int(fileio::kErrInvalidHandle);
}

int SKSETEOFAT(int handle, int64_t length) {
  auto f = Table().Get(handle);
  if (!f) return fileio::kErrInvalidHandle;
  if (length < 0) return fileio::kErrInvalidParameter;
  return f->Truncate(length);
}

int64_t SKFILESIZE(const std::string& path) { return path.empty() ? -1 : fileio::FileSize(path); }

int SKEXIST(const std::string& path) {
  if (path.empty()) return 0;
  return fileio::PatternExists(path) ? 1 : 0;
}

int SKKILLFILE(const std::string& path) {
  if (path.empty()) return fileio::kErrFileNotFound;
  return fileio::RemoveFile(path);
}

int SKRENAME(const std::string& from, const std::string& to) {
  if (from.empty() || to.empty()) return fileio::kErrInvalidName;
  return fileio::RenameFile(from, to);
}

int SKMAKEDIR(const std::string& path) { return fileio::MakeDirectories(path); }

int SKDIRCOUNT(const std::string& pattern, int attributeMask) {
  constexpr uint32_t kKnown = 1 | 2 | 4 | 16 | 32;
  int count = 0;
  for (const auto& e : fileio::ListDirectory(pattern)) {
    if (((e.attributes & kKnown) & ~uint32_t(attributeMask)) == 0) ++count;
  }
  return count;
}

int SKREADDIRS(const std::string& folder, std::vector<std::string>& folders) {
  size_t before = folders.size();
  std::string base = fileio::WithTrailingSeparator(folder);
  for (const auto& e : fileio::ListDirectory(base + "*")) {
    if (!e.directory) continue;
    std::string sub = base + e.name;
    folders.push_back(sub);
    SKREADDIRS(sub, folders);
  }
  return int(folders.size() - before);
}

std::string SKGETTEMPPATH() { return fileio::WithTrailingSeparator(fileio::TempFolder()); }

namespace {

struct LineReader {
  std::string path;
  fileio::File file;
  std::string buffer;
  size_t pos = 0;
  bool eof = false;  // the file has no more bytes to read into the buffer

  bool Fill() {
    if (eof) return false;
    if (pos > 0) {
      buffer.erase(0, pos);
      pos = 0;
    }
    std::string chunk(64 * 1024, '\0');
    size_t got = 0;
    file.Read(chunk.data(), chunk.size(), got);
    if (got == 0) {
      eof = true;
      return false;
    }
    buffer.append(chunk.data(), got);
    return true;
  }
  bool AtEnd() {
    while (pos >= buffer.size()) {
      if (!Fill()) return true;
    }
    return false;
  }
};

// The reader of this thread's current file.
struct Currenreader {
  std::unique_ptr<LineReader> reader;
};
win::ThreadSlot<Currenreader> tCurrent;

}  // namespace

std::string SKBUFIN(const std::string& path, int& endFlag) {
  Currenreader* current = tCurrent.Get();
  if (!current) {
    endFlag = 1;
    return {};
  }
  std::unique_ptr<LineReader>& reader = current->reader;
  if (path.empty()) {
    reader.reset();
    endFlag = 1;
    return {};
  }
  if (!reader || reader->path != path) {
    reader = std::make_unique<LineReader>();
    reader->path = path;
    if (reader->file.Open(path, fileio::Access::Read, fileio::Share::Compatible) != fileio::kOk) {
      reader.reset();
      endFlag = 1;
      return {};
    }
  }
  LineReader& r = *reader;
  std::string line;
  for (;;) {
    if (r.pos >= r.buffer.size() && !r.Fill()) break;
    size_t end = r.buffer.find_first_of("\r\n", r.pos);
    if (end == std::string::npos) {
      line.append(r.buffer, r.pos, std::string::npos);
      r.pos = r.buffer.size();
      continue;
    }
    line.append(r.buffer, r.pos, end - r.pos);
    r.pos = end + 1;
    if (r.buffer[end] == '\r') {
      if (r.pos >= r.buffer.size()) r.Fill();
      if (r.pos < r.buffer.size() && r.buffer[r.pos] == '\n') ++r.pos;
    }
    break;
  }
  if (r.AtEnd()) {
    endFlag = 1;
    reader.reset();
  } else {
    endFlag = 0;
  }
  return line;
}
