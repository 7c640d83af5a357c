// Helper of the kill tests: runs one rebuild of a library. Arguments: library, mode, and
// "short" to run as if the disk were short of space (the cutting path).
#include <cstdlib>
#include <string>

#include "narwen/rebuild.h"

int main(int argc, char** argv) {
  if (argc < 3) return 87;
  narwen::RebuildHooks hooks;
  if (argc > 3 && std::string(argv[3]) == "short") {
    hooks.freeSpace = [](const std::string&) { return int64_t(1); };
    hooks.minimumFree = 0;
  } else {
    hooks.freeSpace = [](const std::string&) { return int64_t(1) << 50; };
  }
  return narwen::REBUILDDATABASE(argv[1], std::atoi(argv[2]), false, hooks);
}
