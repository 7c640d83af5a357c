// Copying a record's media out and naming the libraries for the maintenance tool.
#include "lumbric/media.h"

#include "db/db.h"
#include "lumbric/work_folder.h"

namespace lumbric {

std::vector<std::string> RecordMediaItems(const std::string& key, const std::string& pictureExtension) {
  return {key + "." + pictureExtension, key + ".DOC", key + ".WAV", key + ".QMF"};
}

int EXTRACTRECORDMEDIA(const std::string& library, const std::string& workFolder, const std::string& key,
                       const std::string& pictureExtension, int& copied, std::string& failedItem) {
  copied = 0;
  failedItem.clear();
  int rc = KILLALLFILES(workFolder);
  if (rc != 0) return rc;
  for (const auto& item : RecordMediaItems(key, pictureExtension)) {
    std::string name = item;
    qBtMmText(name, 1);
    rc = qBtMmLib(library, workFolder + item, -2);
    if (rc == kDbErrNotFound) continue;
    if (rc != 0) {
      failedItem = item;
      return rc;
    }
    ++copied;
  }
  return 0;
}

std::string MaintenanceCommandLine(const std::string& dataFolder, const std::string& baseName, bool indexesOnly) {
  return "NARWEN.EXE \"" + dataFolder + baseName + "*.I01\" /" + (indexesOnly ? "I" : "O");
}

}  // namespace lumbric
