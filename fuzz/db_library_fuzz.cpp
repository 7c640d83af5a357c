// The media library: the item file ("<lib>.B01") and its index ("<lib>.I01") from one input
// (fuzz::SplitInput), every item the index names copied out and checked, then one item
// stored and one removed, as the archive programs and the maintenance tool do.
#include "db/db.h"
#include "fuzz_input.h"
#include "index_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view libraryBytes, indexBytes;
  fuzz::SplitInput(fuzz::Bytes(data, size), libraryBytes, indexBytes);
  std::string index(indexBytes);
  fuzz::SetIndexChecks(index);
  std::string library = fuzz::WriteInput("ARCHIVE001.B01", libraryBytes);
  fuzz::WriteInput("ARCHIVE001.I01", index);
  std::string out = fuzz::InputFolder() + "item.out";

  // The names the index holds (the library's own form).
  std::vector<std::string> names;
  int handle = 0, status = 0;
  if (qBtOpen(fuzz::InputFolder() + "ARCHIVE001.I01", 12, handle, status) == 0) {
    std::string key;
    int32_t value = 0;
    for (int rc = qBtFirst(handle, key, value, status); rc == 0 && status == 0 && names.size() < 16;
         rc = qBtNext(handle, key, value, status))
      names.push_back(key);
  }
  qBtClose(handle);

  for (std::string name : names) {
    if (qBtMmText(name, 1) != 0) continue;
    qBtMmLib(library, out, -2);
    qBtMmText(name, 1);
    qBtMmLib(library, out, 4);
  }
  std::string stored = fuzz::WriteInput("00000099.JPG", "a small item");
  qBtMmLib(library, stored, 1);
  qBtMmLib(library, stored, 4);
  if (!names.empty()) {
    std::string first = names.front();
    if (qBtMmText(first, 1) == 0) qBtMmLib(library, out, 3);
  }
  return 0;
}
