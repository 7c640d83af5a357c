// The form's rules that need no window.
#include "lumbric/form_rules.h"

#include <cctype>

#include "fileio/paths.h"
#include "lumbric/records.h"
#include "skin/sk_files.h"

namespace lumbric {

namespace {

constexpr int16_t kKindDate = 4;
constexpr int16_t kKindFlag = 6;

bool IsTopicField(const DBFIELD& f) { return f.flag == 1 || f.flag == 10; }

std::string Padded(const std::string& key, int width) {
  std::string k = key.substr(0, size_t(width));
  k.resize(size_t(width), ' ');
  return k;
}

bool IsDeletedKey(const std::string& key) { return !key.empty() && key[0] == '/'; }

// The topic editor's record length (ten topic slots).
constexpr int kEditorRecordLength = 671;

// An open index 0, closed when it goes.
class KeyIndex {
 public:
  KeyIndex(const std::string& recordFile, int width)
      : appending_(db::AppendingRecord(recordFile, kEditorRecordLength)) {
    rc_ = qBtOpen(DBINDEX(recordFile, 0), width, handle_, status_);
  }
  ~KeyIndex() { qBtClose(handle_); }
  KeyIndex(const KeyIndex&) = delete;
  KeyIndex& operator=(const KeyIndex&) = delete;
  int rc() const { return rc_ != 0 ? rc_ : handle_ == 0 ? kDbErrInvalidHandle : 0; }
  int handle() const { return handle_; }
  int64_t appending() const { return appending_; }

 private:
  int64_t appending_ = 0;
  int handle_ = 0, status_ = 0, rc_ = 0;
};

// Goes on with `move` while the key found is a deleted record's, or the record a filing is
// still appending (its topic keys may be missing yet).
using Move = int (*)(int, std::string&, int32_t&, int&);
int PassDeleted(const KeyIndex& index, Move move, std::string& key, int32_t& value, int& status) {
  const int64_t appending = index.appending();
  while (status == kBtDone && (IsDeletedKey(key) || (appending != 0 && value == appending))) {
    int rc = move(index.handle(), key, value, status);
    if (rc != 0 && status == kBtFailed) return rc;
  }
  return 0;
}

int Finish(int rc, int status, const std::string& key, int32_t value, std::string& found, int& recordNumber) {
  if (rc != 0 && status == kBtFailed) return rc;
  if (status != kBtDone) return kBtNoKey;
  found = key;
  found.erase(found.find_last_not_of(' ') + 1);
  recordNumber = int(value);
  return 0;
}

}  // namespace

FormCheck CheckFormValues(std::vector<std::string>& values, const std::vector<DBFIELD>& fields, int topicSlots,
                          const std::string& placeholder, bool dayFirst) {
  FormCheck check;
  const std::string none = fileio::Trim(placeholder);
  bool anyTopic = false;
  for (size_t i = 0; i < fields.size() && i < values.size(); ++i) {
    const DBFIELD& f = fields[i];
    std::string& v = values[i];
    if (f.kind == kKindFlag && f.width == 1 && !fileio::Trim(v).empty()) v.assign(1, 'X');
    if (f.kind == kKindDate && check.invalidField == 0 && !IsStorableDate(v, dayFirst)) check.invalidField = int(i + 1);
    if (IsTopicField(f) && int(i) >= 11 && int(i) < 11 + topicSlots) {
      std::string word = fileio::Trim(v);
      if (!word.empty() && word != none) anyTopic = true;
    }
  }
  check.noTopic = !anyTopic;
  check.ok = check.invalidField == 0 && anyTopic;
  return check;
}

std::string TypedKey(const std::string& text, int keyWidth) {
  std::string digits;
  for (char c : fileio::Trim(text)) {
    if (!std::isdigit(static_cast<unsigned char>(c))) break;
    digits += c;
  }
  digits.erase(0, digits.find_first_not_of('0'));
  if (digits.empty() || int(digits.size()) > keyWidth) return {};
  digits.insert(digits.begin(), size_t(keyWidth) - digits.size(), '0');
  return digits;
}

int StepKey(const std::string& recordFile, int keyWidth, Step step, const std::string& current, std::string& key,
            int& recordNumber) {
  if (fileio::Trim(current).empty()) {
    if (step == Step::Previous) step = Step::Last;
    if (step == Step::Next) step = Step::First;
  }
  KeyIndex index(recordFile, keyWidth);
  if (index.rc() != 0) return index.rc();
  std::string k = Padded(current, keyWidth);
  int32_t value = 0;
  int status = 0, rc = 0;
  switch (step) {
    case Step::First:
      rc = qBtFirst(index.handle(), k, value, status);
      if (rc == 0 || status != kBtFailed) rc = PassDeleted(index, qBtNext, k, value, status);
      break;
    case Step::Last:
      rc = qBtLast(index.handle(), k, value, status);
      if (rc == 0 || status != kBtFailed) rc = PassDeleted(index, qBtPrev, k, value, status);
      break;
    case Step::Previous:
    case Step::Next: {
      Move move = step == Step::Next ? qBtNext : qBtPrev;
      rc = qBtSearch(index.handle(), k, value, status);
      if (rc != 0 && status == kBtFailed) return rc;
      // Not found: the cursor stands where the key would be, so one step gives the neighbour.
      rc = move(index.handle(), k, value, status);
      if (rc == 0 || status != kBtFailed) rc = PassDeleted(index, move, k, value, status);
      break;
    }
  }
  return Finish(rc, status, k, value, key, recordNumber);
}

int KeyBefore(const std::string& recordFile, int keyWidth, const std::string& key, std::string& found,
              int& recordNumber) {
  KeyIndex index(recordFile, keyWidth);
  if (index.rc() != 0) return index.rc();
  std::string k = Padded(key, keyWidth);
  int32_t value = 0;
  int status = 0;
  int rc = qBtBefore(index.handle(), k, value, status);
  if (rc == 0 || status != kBtFailed) rc = PassDeleted(index, qBtPrev, k, value, status);
  return Finish(rc, status, k, value, found, recordNumber);
}

int FindKey(const std::string& recordFile, int keyWidth, const std::string& key, int& recordNumber) {
  if (IsDeletedKey(key) || fileio::Trim(key).empty()) return kBtNoKey;
  KeyIndex index(recordFile, keyWidth);
  if (index.rc() != 0) return index.rc();
  std::string k = Padded(key, keyWidth);
  int32_t value = 0;
  int status = 0;
  int rc = qBtSearch(index.handle(), k, value, status);
  if (rc == 0 && status == kBtDone && index.appending() != 0 && value == index.appending()) return kBtNoKey;
  std::string found;
  return Finish(rc, status, k, value, found, recordNumber);
}

int ReadRecordValues(const std::string& recordFile, int recordNumber, const std::vector<DBFIELD>& fields,
                     std::vector<std::string>& values) {
  int fileNumber = 0, ok = 0;
  int rc = DBOPENF(recordFile, fileNumber, ok);
  if (!ok) return rc != 0 ? rc : kDbErrInvalidHandle;
  std::string record(size_t(DbRecordLength(fields)), ' ');
  rc = SKFGETR(fileNumber, record, recordNumber);
  SKFCLOSE(fileNumber);
  if (rc != 0) return rc;
  return DBREADF(record, values, fields, 0);
}

std::string HandOverCommandLine(const std::string& program, const std::string& document, const std::string& skinFile) {
  return program + " " + document + "," + skinFile;
}

}  // namespace lumbric
