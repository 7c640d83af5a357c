// Helper of the rebuild tests, as a process of its own.
//   narwen_rebuild_worker LIBRARY MODE [short|roomy] [die]: one rebuild of a library; "short"
//     runs as if the disk were short of space (the cutting path); "die" ends the process
//     abruptly (exit code 9) the moment the run's commit file exists, as a kill there would.
//   narwen_rebuild_worker store LIBRARY FILE LOCKTIMEOUTMS READYFILE: makes the ready file,
//     then stores the file as an item; the exit code is the store's.
#include <cstdlib>
#include <string>

#include "db/db.h"
#include "fileio/file.h"
#include "narwen/rebuild.h"

namespace {

int Store(char** argv) {
  DbSetLockTimeout(std::atoi(argv[4]));
  fileio::File ready;
  if (ready.Open(argv[5], fileio::Access::WriteNew) != 0) return 3;
  ready.Close();
  return qBtMmLib(argv[2], argv[3], 1);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 6 && std::string(argv[1]) == "store") return Store(argv);
  if (argc < 3) return 87;
  narwen::RebuildHooks hooks;
  if (argc > 3 && std::string(argv[3]) == "short") {
    hooks.freeSpace = [](const std::string&) { return int64_t(1); };
    hooks.minimumFree = 0;
  } else {
    hooks.freeSpace = [](const std::string&) { return int64_t(1) << 50; };
  }
  if (argc > 4 && std::string(argv[4]) == "die") hooks.committed = [](const std::string&) { std::_Exit(9); };
  return narwen::REBUILDDATABASE(argv[1], std::atoi(argv[2]), false, hooks);
}
