// A rebuild of a record file (the topic editor's) writes the squeezed record file and its
// indexes beside it, sets the mark, and puts them in place under the header lock. A rebuild
// killed while it put them in place is finished by whoever takes the header lock next to
// append, rewrite or rebuild; one killed before its mark leaves a copy that is removed.
#include "db/db.h"
#include "db/media_item.h"
#include "fileio/file.h"
#include "skin/sk_files.h"

namespace {

void RemoveIfThere(const std::string& file) {
  if (fileio::Exists(file)) fileio::RemoveFile(file);
}

// Copies the squeezed file over the old one through its open handle and cuts it there.
int PutInPlace(int fileNumber, const std::string& beside, int64_t bytes) {
  fileio::File in;
  int rc = in.Open(beside, fileio::Access::Read);
  std::string block;
  for (int64_t at = 0; rc == 0 && at < bytes; at += int64_t(block.size())) {
    block.resize(size_t(std::min<int64_t>(1 << 20, bytes - at)));
    size_t count = 0;
    rc = in.ReadAt(at, block.data(), block.size(), count);
    if (rc == 0 && count != block.size()) rc = kDbErrInvalidData;
    if (rc == 0) rc = SKFPUTAT(fileNumber, at, block);
  }
  if (rc == 0) rc = SKSETEOFAT(fileNumber, bytes);
  if (rc == 0) rc = SKFLUSH(fileNumber);
  return rc;
}

}  // namespace

std::string DbReplacementMark(const std::string& path) { return path + ".NEW.OK"; }
std::string DbReplacementCopy(const std::string& path) { return path + ".NEW"; }

int DbFinishReplacement(const std::string& path, int fileNumber, const std::vector<DBFIELD>& fields) {
  std::vector<db::IndexLayout> layouts;
  int rc = db::IndexLayouts(fields, layouts);
  if (rc != 0) return rc;
  const std::string beside = DbReplacementCopy(path);
  const std::string mark = DbReplacementMark(path);
  if (fileio::Exists(mark)) {
    DbCloseIndexes(path);
    rc = PutInPlace(fileNumber, beside, fileio::FileSize(beside));
    for (size_t i = 0; rc == 0 && i < layouts.size(); ++i) {
      const std::string index = DBINDEX(path, layouts[i].number), built = DBINDEX(beside, layouts[i].number);
      if (!fileio::Exists(built)) continue;  // moved before a kill
      rc = db::CopyIndexOver(built, index);
      if (rc == 0) rc = fileio::RemoveFile(built);
    }
    if (rc == 0) rc = fileio::RemoveFile(mark);
    if (rc != 0) return rc;
  }
  // Without the mark the copy beside is unfinished: nothing ever puts it in place.
  for (const auto& layout : layouts) {
    RemoveIfThere(DBINDEX(beside, layout.number));
    RemoveIfThere(DBINDEX(beside, layout.number) + ".UND");
  }
  RemoveIfThere(beside);
  return 0;
}
