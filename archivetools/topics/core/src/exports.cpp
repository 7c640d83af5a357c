// The text exports.
#include "lumbric/exports.h"

#include <algorithm>

#include "db/archive.h"
#include "fileio/file.h"
#include "skin/sk_files.h"

namespace lumbric {

int ExportThesaurus(const std::string& exportPath, const std::string& dataFolder, const std::string& name) {
  std::string text;
  const std::string thesaurus = dataFolder + name + ".THM";
  if (!name.empty() && fileio::Exists(thesaurus)) {
    std::string bytes;
    int rc = fileio::ReadWholeFile(thesaurus, bytes);
    if (rc != 0) return rc;
    text = name + "\r\n" + std::string(name.size(), '-') + "\r\n\r\n" + bytes;
  }
  if (fileio::Exists(exportPath)) {
    int rc = fileio::RemoveFile(exportPath);
    if (rc != 0) return rc;
  }
  fileio::File out;
  int rc = out.Open(exportPath, fileio::Access::WriteNew);
  if (rc == 0 && !text.empty()) rc = out.WriteAt(0, text.data(), text.size());
  return rc;
}

int ExportRecordList(const std::string& recordPath, const std::string& exportPath, int topicSlots,
                     Progress progress, CancelCheck cancel, void* context) {
  const auto fields = db::ArchiveFields(topicSlots, 2000, 1);
  const int length = DbRecordLength(fields);
  const DBFIELD& key = fields[0];
  const DBFIELD& text = fields[size_t(db::FieldUser(topicSlots) - 1)];
  int fileNumber = 0, ok = 0;
  int rc = DBOPENF(recordPath, fileNumber, ok);
  if (!ok) return rc != 0 ? rc : kDbErrInvalidHandle;
  rc = 0;
  fileio::File out;
  if (fileio::Exists(exportPath)) rc = fileio::RemoveFile(exportPath);
  if (rc == 0) rc = out.Open(exportPath, fileio::Access::WriteNew);
  const int64_t records = std::max<int64_t>(0, SKFLOF(fileNumber) / length - 1);
  std::string lines, record;
  int64_t written = 0;
  int last = -1;
  auto trimmed = [&](const DBFIELD& f) {
    std::string s = record.substr(size_t(f.position - 1), size_t(f.width));
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
  };
  for (int64_t i = 1; rc == 0 && i <= records; ++i) {
    int percent = int((100 * i + records / 2) / records);
    if (progress && percent != last) progress(last = percent, context);
    if (cancel && cancel(context)) {
      rc = kExportCancelled;
      break;
    }
    record.assign(size_t(length), ' ');
    rc = SKFGETR(fileNumber, record, int(i + 1));
    if (rc != 0 || record[size_t(key.position - 1)] == '/') continue;
    lines += trimmed(key) + "  " + trimmed(text) + "\r\n";
    if (lines.size() >= (1u << 16)) {
      rc = out.WriteAt(written, lines.data(), lines.size());
      written += int64_t(lines.size());
      lines.clear();
    }
  }
  if ((rc == 0 || rc == kExportCancelled) && !lines.empty() && out.IsOpen()) {
    int wrote = out.WriteAt(written, lines.data(), lines.size());
    if (rc == 0) rc = wrote;
  }
  SKFCLOSE(fileNumber);
  return rc;
}

}  // namespace lumbric
