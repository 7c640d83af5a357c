// Rebuilding the record file without its deleted slots, beside the old one.
#include <algorithm>
#include <new>

#include "fileio/file.h"
#include "lumbric/records.h"
#include "rebuild_locked.h"
#include "skin/sk_files.h"

namespace lumbric {
namespace {

// What one progress report covers: the squeeze is the first half, the indexes the second.
struct Halves {
  Progress progress;
  void* context;
  int last = -1;
  void Report(int percent) {
    if (progress && percent != last) progress(last = percent, context);
  }
};

void IndexProgress(int percent, void* context) {
  auto* halves = static_cast<Halves*>(context);
  halves->Report(50 + percent / 2);
}

std::string Header(int length) {
  std::string h(size_t(length), ' ');
  for (size_t i = 0; i < 4; ++i) h[i] = '\0';
  return h;
}

void RemoveIfThere(const std::string& file) {
  if (fileio::Exists(file)) fileio::RemoveFile(file);
}

// The index files of a record file with their journals.
void RemoveIndexes(const std::string& path, const std::vector<db::IndexLayout>& layouts) {
  for (const auto& layout : layouts) {
    RemoveIfThere(DBINDEX(path, layout.number));
    RemoveIfThere(DBINDEX(path, layout.number) + ".UND");
  }
}

// Writes the header and every record not deleted into `beside`; kept = their number.
int Squeeze(int fileNumber, int length, size_t keyColumn, int64_t records, const std::string& beside,
            int64_t& kept, Halves& halves) {
  fileio::File out;
  int rc = out.Open(beside, fileio::Access::WriteNew);
  if (rc != 0) return rc;
  std::string pending = Header(length);
  int64_t written = 0;
  kept = 0;
  // A block at a time both ways: a call per record would be a system call per record.
  const int64_t perBlock = std::max<int64_t>(1, (1 << 20) / length);
  std::string block;
  for (int64_t first = 1; rc == 0 && first <= records; first += perBlock) {
    int64_t count = std::min(perBlock, records - first + 1);
    block.assign(size_t(count * length), ' ');
    rc = SKFGETAT(fileNumber, first * length, block);
    for (int64_t k = 0; rc == 0 && k < count; ++k) {
      const char* record = block.data() + k * length;
      if (record[keyColumn] != '/') {
        pending.append(record, size_t(length));
        ++kept;
      }
      halves.Report(int((100 * (first + k) + records / 2) / records) / 2);
    }
    if (rc == 0 && pending.size() >= (1u << 20)) {
      rc = out.WriteAt(written, pending.data(), pending.size());
      written += int64_t(pending.size());
      pending.clear();
    }
  }
  if (rc == 0 && !pending.empty()) rc = out.WriteAt(written, pending.data(), pending.size());
  if (rc == 0) rc = out.Flush();
  return rc;
}

std::string Beside(const std::string& path) { return DbReplacementCopy(path); }
// Present from the moment the rebuilt files beside are complete until they are in place.
std::string Marker(const std::string& path) { return DbReplacementMark(path); }

int RebuildLocked(const std::string& path, int fileNumber, const std::vector<DBFIELD>& fields,
                  const std::vector<db::IndexLayout>& layouts, int length, Halves& halves) {
  const std::string beside = Beside(path);
  // A rebuild killed while it put its files in place, or a save cut short, ends first:
  // the squeeze renumbers the records that a rewrite journal names.
  int rc = FinishInterruptedLocked(path, fileNumber, fields);
  // A damaged index is what the rebuild mends.
  if (rc != 0 && rc != kDbErrCorrupt) return rc;
  RemoveIfThere(beside);
  RemoveIndexes(beside, layouts);
  int64_t records = std::max<int64_t>(0, SKFLOF(fileNumber) / length - 1);
  int64_t kept = 0;
  rc = Squeeze(fileNumber, length, size_t(fields[0].position - 1), records, beside, kept, halves);
  if (rc == 0) rc = DbRebuildIndexes(beside, fields, IndexProgress, &halves);
  if (rc == 0) rc = fileio::WriteFileReplacing(Marker(path), "");
  // Puts the complete files in place; a kill meanwhile leaves the mark, and the next
  // filing, save or rebuild does it again from the start.
  if (rc == 0) return DbFinishReplacement(path, fileNumber, fields);
  if (!fileio::Exists(Marker(path))) {
    RemoveIndexes(beside, layouts);
    RemoveIfThere(beside);
  }
  return rc;
}

int Rebuild(const std::string& path, const std::vector<DBFIELD>& fields, Progress progress, void* context,
            bool finishOnly);

}  // namespace

int FinishInterruptedLocked(const std::string& path, int fileNumber, const std::vector<DBFIELD>& fields) {
  int rc = DbFinishReplacement(path, fileNumber, fields);
  return rc != 0 ? rc : DbFinishInterruptedRewrite(path, fileNumber);
}

int REBUILDINDEX(const std::string& path, const std::vector<DBFIELD>& fields, Progress progress, void* context) {
  return Rebuild(path, fields, progress, context, false);
}

int FinishInterruptedRebuild(const std::string& path, const std::vector<DBFIELD>& fields) {
  if (!fileio::Exists(Marker(path)) && !fileio::Exists(Beside(path)) && !fileio::Exists(path + ".JNL")) return 0;
  return Rebuild(path, fields, nullptr, nullptr, true);
}

namespace {
int Rebuild(const std::string& path, const std::vector<DBFIELD>& fields, Progress progress, void* context,
            bool finishOnly) {
  try {
    std::vector<db::IndexLayout> layouts;
    int rc = db::IndexLayouts(fields, layouts);
    if (rc != 0) return rc;
    const int length = DbRecordLength(fields);
    if (length < 5) return kDbErrInvalidParameter;
    int fileNumber = 0, ok = 0;
    rc = DBOPENF(path, fileNumber, ok);
    if (rc != 0 || !ok) {
      if (ok) SKFCLOSE(fileNumber);
      return rc != 0 ? rc : kDbErrInvalidHandle;
    }
    rc = DbLockHeader(fileNumber, length);
    if (rc == 0) {
      Halves halves{progress, context};
      if (finishOnly) {
        rc = FinishInterruptedLocked(path, fileNumber, fields);
      } else {
        rc = RebuildLocked(path, fileNumber, fields, layouts, length, halves);
      }
      SKFUNLOCK(fileNumber, 0, length);
    }
    SKFCLOSE(fileNumber);
    return rc;
  } catch (const std::bad_alloc&) {
    return fileio::kErrNotEnoughMemory;
  }
}

}  // namespace

}  // namespace lumbric
