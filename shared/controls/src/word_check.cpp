#include "controls/word_check.h"

#include "controls/thesaurus_rules.h"
#include "fileio/file.h"

namespace {

// An open index that closes itself.
class OpenIndex {
 public:
  OpenIndex(const std::string& file, int keyLength) { rc_ = qBtOpen(file, keyLength, handle_, status_); }
  ~OpenIndex() { qBtClose(handle_); }
  OpenIndex(const OpenIndex&) = delete;
  OpenIndex& operator=(const OpenIndex&) = delete;
  // 0 when the index is open, else why not.
  int Failure() const {
    if (rc_ != 0) return rc_;
    return handle_ == 0 || status_ != kBtDone ? kDbErrCorrupt : 0;
  }
  int Handle() const { return handle_; }

 private:
  int handle_ = 0;
  int status_ = 0;
  int rc_ = 0;
};

WordCheck Unknown(int k, const std::string& file, int code) {
  return WordCheck{WordUse::kUnknown, k, file, code != 0 ? code : kDbErrCorrupt};
}

}  // namespace

std::string ArchiveRecordFile(const std::string& dataFolder, const std::string& archiveName) {
  return dataFolder + archiveName + ".F01";
}

WordCheck CheckWordUse(const std::string& recordFile, const std::vector<DBFIELD>& fields, const std::string& word) {
  std::vector<db::IndexLayout> layouts;
  if (int rc = db::IndexLayouts(fields, layouts); rc != 0) return Unknown(0, "", rc);
  const int64_t recordLength = DbRecordLength(fields);
  const bool holdsRecords = fileio::FileSize(recordFile) > recordLength;
  for (const db::IndexLayout& layout : layouts) {
    if (layout.number == 0) continue;  // the key index: no topic
    const std::string file = DBINDEX(recordFile, layout.number);
    // Opening makes a missing index: only an existing one is opened.
    if (!fileio::Exists(file)) {
      if (holdsRecords) return Unknown(layout.number, file, kDbErrNotFound);
      continue;
    }
    OpenIndex index(file, layout.width);
    if (int failure = index.Failure()) return Unknown(layout.number, file, failure);
    std::string key = TopicKey(word, layout.width);
    int32_t value = 0;
    int status = kBtFailed;
    int rc = qBtSearch(index.Handle(), key, value, status);
    if (rc != 0 || status == kBtFailed) return Unknown(layout.number, file, rc);
    if (status == kBtDone) return WordCheck{WordUse::kInUse, layout.number, file, 0};
  }
  return WordCheck{};
}
