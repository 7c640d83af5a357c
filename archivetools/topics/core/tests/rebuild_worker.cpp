// Test helper: a program rebuilding an archive's record file while the test kills it.
// lumbric_rebuild_worker RECORDFILE READYFILE: reports that it is ready, then runs the
// rebuild without deleted slots over the ten-slot form. Exit code: the rebuild's result.
#include <cstdio>
#include <string>

#include "db/archive.h"
#include "fileio/file.h"
#include "lumbric/records.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: lumbric_rebuild_worker RECORDFILE READY\n");
    return 2;
  }
  fileio::File ready;
  if (ready.Open(argv[2], fileio::Access::WriteNew) != 0) return 3;
  ready.Close();
  return lumbric::REBUILDINDEX(argv[1], db::ArchiveFields(10, 2024, 5));
}
