#include "narwen/key_list.h"

#include "db/db.h"
#include "db/media_item.h"
#include "fileio/file.h"

namespace narwen {

int ReadLibraryKeys(const std::string& indexPath, std::vector<std::string>& keys, size_t limit) {
  keys.clear();
  // Listing never makes an index.
  if (!fileio::Exists(indexPath)) return kDbErrNotFound;
  int handle = 0, status = 0;
  int rc = qBtOpen(indexPath, db::kItemNameLength, handle, status);
  if (rc != 0) return rc;
  std::string key;
  int32_t value = 0;
  for (rc = qBtFirst(handle, key, value, status); rc == 0 && status == 0 && keys.size() < limit;
       rc = qBtNext(handle, key, value, status)) {
    std::string shown = key;
    for (char& c : shown) {
      if (c == '\0') c = ' ';
    }
    qBtMmText(shown, 0);
    keys.push_back(shown);
  }
  qBtClose(handle);
  return rc;
}

}  // namespace narwen
