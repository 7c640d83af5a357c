#include "ostrel/search.h"

#include <algorithm>

#include "db/archive.h"
#include "fileio/file.h"
#include "lumbric/work_folder.h"
#include "copy_pool.h"
#include "ostrel/read_file_part.h"
#include "skin/sk_files.h"

namespace ostrel {

namespace {

constexpr int kRecordsPerBlock = 512;
constexpr int kFreeTextBlockFactor = 64;
constexpr int kEndOfFile = 38;

class ReadOnlyFile {
 public:
  explicit ReadOnlyFile(const std::string& path) { rc_ = SKFOPEN(path, 0, 4, number_); }
  ~ReadOnlyFile() { SKFCLOSE(number_); }
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
  int rc() const { return rc_; }
  int Number() const { return number_; }

 private:
  int number_ = 0;
  int rc_ = 0;
};

// The record file's shape at the start of a search.
struct Shape {
  int length = 0;        // record length
  int64_t last = 0;      // number of the last whole record
  int64_t appending = 0; // the record an append is writing (0: none)
};

bool ReadShape(int file, const std::vector<DBFIELD>& fields, Shape& shape) {
  shape.length = DbRecordLength(fields);
  if (shape.length < 4) return false;
  int64_t bytes = SKFLOF(file);
  if (bytes < shape.length) return false;
  shape.last = bytes / shape.length;
  // The header record is its number and blanks, and a record's key follows it: a file
  // made for another form (another record length) is not read across its records.
  std::string header(size_t(shape.length) + (bytes > shape.length ? 1 : 0), '\0');
  int rc = SKFGETAT(file, 0, header);
  if (rc == kDbErrLockViolation) {
    // Windows keeps other handles from reading bytes another program has locked: an import
    // holds the header between its filings. Waiting for the header lock asks it to let go;
    // with the lock held no append runs, and the header is read through this handle.
    if (DbLockHeader(file, int(shape.length)) != 0) return false;
    rc = SKFGETAT(file, 0, header);
    SKFUNLOCK(file, 0, shape.length);
  }
  if (rc != 0) return false;
  if (header.find_first_not_of(' ', 4) != (header.size() > size_t(shape.length) ? size_t(shape.length) : std::string::npos))
    return false;
  shape.appending = int64_t(uint8_t(header[0])) | int64_t(uint8_t(header[1])) << 8 |
                    int64_t(uint8_t(header[2])) << 16 | int64_t(uint8_t(header[3])) << 24;
  // Only the last record can be being appended: a number naming another one is damage
  // (reported by the filer), not a record to hide.
  if (shape.appending != shape.last) shape.appending = 0;
  return true;
}

bool Live(std::string_view record, const std::vector<DBFIELD>& fields) {
  std::string_view key = FieldText(record, fields[0]);
  return !key.empty() && key.front() != '/' && key.front() != ' ';
}

class Progress {
 public:
  Progress(const SearchHooks& hooks, int64_t count) : hooks_(hooks), count_(std::max<int64_t>(count, 1)) {}
  void At(int64_t i) {
    int percent = int((200 * i + count_) / (2 * count_));
    if (percent != last_ && hooks_.progress) hooks_.progress(last_ = percent);
  }

 private:
  const SearchHooks& hooks_;
  int64_t count_;
  int last_ = -1;
};

bool KeepGoing(const SearchHooks& hooks, SearchOutcome& out) {
  if (!hooks.keepGoing || hooks.keepGoing()) return true;
  out.cancelled = true;
  return false;
}

// The option that leaves marked records out: field number (field count - 5), the form's
// one-character mark.
bool PassedOver(std::string_view record, const std::vector<DBFIELD>& fields, bool passOverMarked,
                SearchOutcome& out) {
  constexpr size_t kMarkFromEnd = 6;  // as a place from 0: count - 6
  if (!passOverMarked || fields.size() < kMarkFromEnd) return false;
  if (FieldText(record, fields[fields.size() - kMarkFromEnd]).empty()) return false;
  ++out.passedOver;
  return true;
}

// Hands the record's items to the copies.
void Take(CopyPool& copies, const std::vector<DBFIELD>& fields, std::string_view record,
          bool pictureOnly, const SearchHooks& hooks, SearchOutcome& out) {
  const std::string key(FieldText(record, fields[0]));
  ++out.records;
  if (hooks.taken) hooks.taken(key);
  const std::string extension = fields.size() > 3 ? std::string(FieldText(record, fields[3])) : std::string();
  std::vector<std::string> items = RecordItems(key, extension);
  if (pictureOnly) items.resize(1);
  for (size_t i = 0; i < items.size(); ++i)
    copies.Add(items[i], key, i == 0, size_t(out.records));
}

size_t TopicSlotCount(const std::vector<DBFIELD>& fields) {
  return size_t(std::count_if(fields.begin(), fields.end(), IsTopicSlot));
}

// What a search reads: the record file (read only) and its shape when the search starts.
struct Source {
  ReadOnlyFile file;
  Shape shape;
  int rc = 0;  // why it cannot be read: the open's failure, or 13 for another form
  Source(const ArchiveFiles& files, const std::vector<DBFIELD>& fields)
      : file(files.recordFile) {
    rc = file.rc() != 0 ? file.rc() : (fields.empty() || !ReadShape(file.Number(), fields, shape)) ? kDbErrInvalidData : 0;
  }
};

// Runs a search over the source; a record file that cannot be read is unusable.
// The items of the records taken are copied out meanwhile; a cancelled search copies no
// more than had begun.
template <typename Body>
SearchOutcome Searched(const ArchiveFiles& files, const std::vector<DBFIELD>& fields,
                       const std::string& resultFolder, Body body) {
  SearchOutcome out;
  Source source(files, fields);
  if (source.rc != 0) {
    out.unusable = true;
    out.code = source.rc;
    return out;
  }
  CopyPool copies(files.library, resultFolder);
  body(source, copies, out);
  CopyPool::Result copied = copies.Finish(out.cancelled);
  out.items = copied.items;
  out.pictures = copied.pictures;
  if (out.code == 0) {
    out.code = copied.code;
    out.failedKey = copied.failedKey;
  }
  return out;
}

}  // namespace

ArchiveFiles ArchiveFilesOf(const std::string& dataFolder, const std::string& baseName) {
  std::string library = baseName;
  qBtMmName(library, 1);
  return {dataFolder + baseName + ".F01", dataFolder + library + ".B01"};
}

std::vector<std::string> RecordItems(const std::string& key, const std::string& pictureExtension) {
  return {key + "." + pictureExtension, key + ".DOC", key + ".WAV", key + ".QMF"};
}

int EmptyResultFolder(const std::string& folder, const fileio::ProtectedFolders& protectedFolders) {
  if (folder.empty() || !fileio::IsDisposableFolder(folder, protectedFolders)) return kFolderRefused;
  int rc = fileio::MakeDirectories(folder);
  if (rc != 0) return rc;
  return lumbric::KILLALLFILES(folder);
}

SearchOutcome RunSearch(const ArchiveFiles& files, const std::vector<DBFIELD>& fields, const Matcher& matcher,
                        const std::string& resultFolder, const SearchHooks& hooks, bool passOverMarked) {
  return Searched(files, fields, resultFolder, [&](const Source& source, CopyPool& copies, SearchOutcome& out) {
    const Shape& shape = source.shape;
    Progress progress(hooks, shape.last - 1);
    std::string block;
    const size_t length = size_t(shape.length);
    for (int64_t first = 2; first <= shape.last; first += kRecordsPerBlock) {
      if (!KeepGoing(hooks, out)) return;
      const int64_t records = std::min<int64_t>(kRecordsPerBlock, shape.last - first + 1);
      block.assign(size_t(records) * length, ' ');
      int rc = SKFGETAT(source.file.Number(), (first - 1) * shape.length, block);
      // A file cut short meanwhile (a rebuild) ends the search with what was read.
      const int64_t whole = int64_t(block.size() / length);
      if (rc != 0 && rc != kEndOfFile) {
        out.code = rc;
        return;
      }
      for (int64_t r = 0; r < whole; ++r) {
        const int64_t number = first + r;
        progress.At(number - 1);
        if (number == shape.appending) continue;
        std::string_view record(block.data() + size_t(r) * length, length);
        if (!Live(record, fields) || !matcher.Matches(record)) continue;
        if (PassedOver(record, fields, passOverMarked, out)) continue;
        Take(copies, fields, record, false, hooks, out);
        if (!KeepGoing(hooks, out)) return;
      }
      if (whole < records) break;
    }
  });
}

SearchOutcome RunFreeTextSearch(const ArchiveFiles& files, const std::vector<DBFIELD>& fields,
                                const std::string& text, const std::string& resultFolder,
                                const std::string& textExtension, const SearchHooks& hooks,
                                bool passOverMarked) {
  return Searched(files, fields, resultFolder, [&](const Source& source, CopyPool& copies, SearchOutcome& out) {
    if (text.empty()) return;
    const Shape& shape = source.shape;
    const int file = source.file.Number();
    const size_t textField = size_t(db::FieldUser(int(TopicSlotCount(fields)))) - 1;
    Progress progress(hooks, shape.last - 1);
    std::vector<std::string> values;
    std::string record(size_t(shape.length), ' ');
    int64_t from = 1;
    while (KeepGoing(hooks, out)) {
      int error = 0;
      const int64_t at = READFILEPART(file, from, text, kFreeTextBlockFactor, error);
      if (error != 0) {
        out.code = error;
        break;
      }
      if (at == 0) break;
      const int64_t number = (at - 1) / shape.length + 1;
      if (number > shape.last) break;
      from = number * shape.length + 1;
      // The header record holds no record's text.
      if (number == 1 || number == shape.appending) continue;
      progress.At(number - 1);
      record.assign(size_t(shape.length), ' ');
      int rc = SKFGETAT(file, (number - 1) * shape.length, record);
      if (rc != 0) {
        out.code = rc;
        break;
      }
      if (!Live(record, fields)) continue;
      DBREADF(record, values, fields, 0);
      if (std::none_of(values.begin(), values.end(),
                       [&](const std::string& v) { return v.find(text) != std::string::npos; }))
        continue;
      if (PassedOver(record, fields, passOverMarked, out)) continue;
      Take(copies, fields, record, true, hooks, out);
      const std::string key(FieldText(record, fields[0]));
      const std::string note = textField < values.size() ? values[textField] : std::string();
      int written = fileio::WriteFileReplacing(resultFolder + key + "." + textExtension, note);
      if (written != 0 && out.code == 0) {
        out.code = written;
        out.failedKey = key;
      }
    }
    progress.At(shape.last - 1);
  });
}

}  // namespace ostrel
