// The fuzz targets without libFuzzer (GCC builds): every file named on the command line,
// and every file in a folder named there, is handed to the target once. ctest replays the
// seed corpora this way under the sanitizers, so the targets build and the seeds stay
// clean in every native run.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "fileio/file.h"
#include "fuzz_input.h"

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; ++i) {
    std::error_code ec;
    if (fs::is_directory(argv[i], ec)) {
      for (const auto& entry : fs::recursive_directory_iterator(argv[i], ec))
        if (entry.is_regular_file()) inputs.push_back(entry.path());
    } else {
      inputs.emplace_back(argv[i]);
    }
  }
  std::sort(inputs.begin(), inputs.end());
  for (const auto& path : inputs) {
    std::string bytes;
    if (fileio::ReadWholeFile(path.string(), bytes) != fileio::kOk) {
      std::fprintf(stderr, "cannot read %s\n", path.string().c_str());
      return 1;
    }
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  }
  std::printf("replayed %zu inputs\n", inputs.size());
  return inputs.empty() ? 1 : 0;
}
