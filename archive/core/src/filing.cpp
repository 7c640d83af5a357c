#include "grilton/filing.h"

#include <algorithm>
#include <cctype>

#include "db/archive.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "grilton/archive_rules.h"
#include "skin/sk_files.h"
#include "skin/sk_text.h"

namespace grilton {

namespace {

// The pending file's lock: held while its filing runs, released by the system when the
// program ends however it ends.
constexpr int64_t kLiveLockOffset = int64_t(1) << 40;

bool HasText(const std::string& text) { return !fileio::Trim(text).empty(); }

int64_t WriteTime(const std::string& path) {
  std::vector<fileio::DirEntry> entries = fileio::ListDirectory(path);
  return entries.empty() ? -1 : entries.front().writeTime;
}

// The pending file of one filing: the library on its first line, then the name of every
// item before the item is stored.
class PendingFile {
 public:
  int Begin(const ArchivePlace& place, const std::string& key) {
    int rc = fileio::MakeDirectories(place.PendingFolder());
    if (rc != 0) return rc;
    path_ = place.PendingFolder() + key + ".PND";
    rc = file_.Open(path_, fileio::Access::WriteNew, fileio::Share::DenyNone);
    if (rc != 0) return rc;
    rc = file_.Lock(kLiveLockOffset, 1);
    if (rc != 0) return rc;
    std::string head = place.Library() + "\r\n";
    return file_.Write(head.data(), head.size());
  }
  int Add(const std::string& item) {
    std::string line = item + "\r\n";
    int rc = file_.Write(line.data(), line.size());
    return rc != 0 ? rc : file_.Flush();
  }
  void End() {
    if (!file_.IsOpen()) return;
    file_.Close();
    fileio::RemoveFile(path_);
  }
  // Leaves the file for the next start to finish.
  void Keep() { file_.Close(); }

 private:
  std::string path_;
  fileio::File file_;
};

// Stores one file as the named item; the name goes into the pending file first.
int StoreItem(PendingFile& pending, const std::string& library, const std::string& file, std::string item,
              std::vector<std::string>& stored) {
  int rc = pending.Add(item);
  if (rc != 0) return rc;
  std::string name = item;
  qBtMmText(name, 1);
  rc = qBtMmLib(library, file, 1);
  if (rc == 0) stored.push_back(item);
  return rc;
}

// 0, or the first error of a removal (the others are still tried).
int RemoveItems(const std::string& library, const std::vector<std::string>& items) {
  int first = 0;
  for (std::string item : items) {
    qBtMmText(item, 1);
    int rc = qBtMmLib(library, item, -3);
    if (first == 0) first = rc;
  }
  return first;
}

// True when an item line of a pending file names an item of this key: the key, a dot and
// an extension of letters and digits, as the filing names its items.
bool IsItemOfKey(const std::string& item, const std::string& key) {
  if (key.empty() || item.size() < key.size() + 2 || item.size() > key.size() + 5) return false;
  if (fileio::ToUpper(item.substr(0, key.size())) != fileio::ToUpper(key) || item[key.size()] != '.') return false;
  return std::all_of(item.begin() + std::ptrdiff_t(key.size()) + 1, item.end(),
                     [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

// True when the record file holds a record (deleted ones aside) with this key.
bool RecordHoldsKey(const std::string& recordFile, int recordLength, int keyWidth, const std::string& key) {
  fileio::File file;
  if (recordLength <= 0 || file.Open(recordFile, fileio::Access::Read, fileio::Share::DenyNone) != 0) return false;
  int64_t size = file.Size();
  std::string record(size_t(recordLength), ' ');
  for (int64_t at = recordLength; at + recordLength <= size; at += recordLength) {
    size_t got = 0;
    if (file.ReadAt(at, record.data(), record.size(), got) != 0 || got != record.size()) break;
    if (fileio::Trim(record.substr(0, size_t(keyWidth))) == key) return true;
  }
  return false;
}

}  // namespace

std::string ArchivePlace::RecordFile() const { return dataFolder + baseName + ".F01"; }
std::string ArchivePlace::CounterFile() const { return dataFolder + baseName + ".CPT"; }
std::string ArchivePlace::TitleFile() const { return dataFolder + baseName + ".TIT"; }
std::string ArchivePlace::PendingFolder() const { return dataFolder + baseName + ".PND\\"; }
std::string ArchivePlace::Library() const {
  std::string name = baseName;
  qBtMmName(name, 1);
  return dataFolder + name + ".B01";
}

FormCheck CheckForm(const std::vector<DBFIELD>& fields, std::vector<std::string>& values,
                    const std::string& placeholder, bool dayFirst) {
  values.resize(std::max(values.size(), fields.size()));
  bool topic = false;
  for (size_t i = 0; i < fields.size(); ++i) {
    std::string& v = values[i];
    if (fields[i].kind == 4 && !IsAcceptableDate(v, dayFirst)) return {FormProblem::BadDate, int(i) + 1};
    if (fields[i].kind == 6) v = HasText(v) ? "X" : "";
    if ((fields[i].flag == 1 || fields[i].flag == 10) && HasText(v) &&
        fileio::Trim(v) != fileio::Trim(placeholder))
      topic = true;
  }
  if (!topic) return {FormProblem::NoTopic, 0};
  return {};
}

std::string PlannedKey(const ArchivePlace& place) { return DBSEQUENCE(place.CounterFile(), place.keyPattern, 0); }
std::string DocumentItem(std::string_view key) { return std::string(key) + ".DOC"; }
std::string SoundItem(std::string_view key) { return std::string(key) + ".WAV"; }
std::string LayeredItem(std::string_view key) { return std::string(key) + ".QMF"; }
std::string PictureItem(std::string_view key, std::string_view picturePath) {
  return std::string(key) + "." + NameFieldsOf(picturePath).extension;
}

FilingResult FilePicture(const ArchivePlace& place, const FilingRequest& request) {
  FilingResult result;
  const std::vector<DBFIELD>& fields = request.fields;
  const int n = request.topicSlots;
  const std::string recordFile = place.RecordFile();
  // The work files carry the planned name: find them before the fields are cleared.
  const std::string workDocument = WorkDocumentPath(place.workFolder, request.plannedDocument);
  const std::string workSound = WorkSoundPath(place.workFolder, request.plannedDocument);

  int rc = DBCREATE(recordFile, DbRecordLength(fields));
  if (rc != 0) {
    result.stage = FilingStage::CreateFailed;
    result.code = rc;
    return result;
  }
  int fileNumber = 0, ok = 0;
  rc = DBOPENF(recordFile, fileNumber, ok);
  if (rc != 0 || ok == 0) {
    SKFCLOSE(fileNumber);
    result.stage = FilingStage::OpenFailed;
    result.code = rc != 0 ? rc : kDbErrNotFound;
    return result;
  }
  struct Closer {
    int& number;
    ~Closer() { SKFCLOSE(number); }
  } closer{fileNumber};

  result.key = DBSEQUENCE(place.CounterFile(), place.keyPattern, 1);
  if (result.key.empty()) {
    result.stage = FilingStage::NoKey;
    result.code = kDbErrInvalidData;
    return result;
  }
  const std::string library = place.Library();
  PendingFile pending;
  rc = pending.Begin(place, result.key);
  std::vector<std::string> stored;
  auto fail = [&](FilingStage stage, int code, const std::string& file) {
    if (RemoveItems(library, stored) == 0)
      pending.End();
    else
      pending.Keep();
    result.stage = stage;
    result.code = code;
    result.failedFile = file;
    return result;
  };
  if (rc != 0) return fail(FilingStage::StoreFailed, rc, request.picturePath);

  rc = StoreItem(pending, library, request.picturePath, PictureItem(result.key, request.picturePath), stored);
  if (rc != 0) return fail(FilingStage::StoreFailed, rc, request.picturePath);

  std::vector<std::string> values = request.values;
  values.resize(fields.size());
  auto field = [&](int number) -> std::string& { return values[size_t(number - 1)]; };
  field(db::FieldDocument(n)).clear();
  field(db::FieldSound(n)).clear();
  field(db::FieldLayered(n)).clear();

  std::vector<std::string> consumed;  // work files now held by the library
  if (!workDocument.empty() && fileio::Exists(workDocument) && !place.templatePath.empty() &&
      fileio::Exists(place.templatePath)) {
    if (WriteTime(workDocument) == WriteTime(place.templatePath)) {
      SKKILLFILE(workDocument);
      result.documentDropped = true;
    } else {
      std::string item = DocumentItem(result.key);
      rc = StoreItem(pending, library, workDocument, item, stored);
      if (rc != 0) return fail(FilingStage::StoreFailed, rc, workDocument);
      field(db::FieldDocument(n)) = item;
      result.documentStored = true;
      consumed.push_back(workDocument);
    }
  }
  if (!workSound.empty() && fileio::Exists(workSound)) {
    std::string item = SoundItem(result.key);
    rc = StoreItem(pending, library, workSound, item, stored);
    if (rc != 0) return fail(FilingStage::StoreFailed, rc, workSound);
    field(db::FieldSound(n)) = item;
    result.soundStored = true;
    consumed.push_back(workSound);
  }
  const std::string layered = LayeredPicturePath(request.picturePath);
  if (fileio::Exists(layered)) {
    std::string item = LayeredItem(result.key);
    rc = StoreItem(pending, library, layered, item, stored);
    if (rc != 0) return fail(FilingStage::StoreFailed, rc, layered);
    field(db::FieldLayered(n)) = item;
    result.layeredStored = true;
  }

  field(1) = result.key;
  field(db::FieldUser(n)) = DBUSERNAME();
  rc = DBCREF(recordFile, fileNumber, values, fields);
  if (rc != 0) return fail(FilingStage::RecordFailed, rc, request.picturePath);
  pending.End();
  for (const std::string& file : consumed) SKKILLFILE(file);
  result.items = stored;
  result.record = values;
  return result;
}

int RecoverInterruptedFilings(const ArchivePlace& place, const std::vector<DBFIELD>& fields) {
  // A record whose append was cut short goes first: its filing is then absent.
  DbFinishInterruptedAppend(place.RecordFile(), fields);
  int recovered = 0;
  const std::string folder = place.PendingFolder();
  for (const fileio::DirEntry& entry : fileio::ListDirectory(folder + "*.PND")) {
    if (entry.directory) continue;
    const std::string path = folder + entry.name;
    std::string lines;
    {
      fileio::File file;
      if (file.Open(path, fileio::Access::ReadWrite, fileio::Share::DenyNone) != 0) continue;
      // A filing that still runs holds the lock.
      if (file.Lock(kLiveLockOffset, 1) != 0) continue;
      int64_t size = file.Size();
      lines.resize(size_t(std::max<int64_t>(size, 0)));
      size_t got = 0;
      if (size <= 0 || file.ReadAt(0, lines.data(), lines.size(), got) != 0) continue;
      lines.resize(got);
      std::vector<std::string> parts = SplitLines(lines);
      if (parts.empty()) continue;
      // Only what this filing can have stored is taken out: items named after its own key,
      // from the archive's own library. A damaged or foreign file names nothing else.
      const std::string key = fileio::StemOf(entry.name);
      std::vector<std::string> items;
      for (size_t i = 1; i < parts.size(); ++i)
        if (IsItemOfKey(parts[i], key)) items.push_back(parts[i]);
      int keyWidth = fields.empty() ? 8 : fields.front().width;
      if (!RecordHoldsKey(place.RecordFile(), DbRecordLength(fields), keyWidth, key)) {
        // Kept for the next start when an item cannot be taken out now.
        if (RemoveItems(place.Library(), items) != 0) continue;
        ++recovered;
      }
    }
    fileio::RemoveFile(path);
  }
  return recovered;
}

}  // namespace grilton
