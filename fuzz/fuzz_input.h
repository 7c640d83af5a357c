// What the fuzz targets share: the entry point libFuzzer calls, the input as text, and a
// folder of the process for the readers that take files (each target writes its input
// there before it reads it back through the reader under test).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace fuzz {

inline std::string_view Bytes(const uint8_t* data, size_t size) {
  return std::string_view(reinterpret_cast<const char*>(data), size);
}

// Writes a file into the process's fuzz folder (made at first use, removed at exit);
// returns its path.
std::string WriteInput(const std::string& name, std::string_view bytes);
// The fuzz folder with its final separator.
const std::string& InputFolder();

// The skin engine's reports of malformed lines go nowhere: every mutated input has some,
// and printing them would cost more than reading.
void SilenceSkinReports();

// Splits an input into two files' bytes: its first four bytes (little-endian) give the
// length of the first part, cut to what follows; the rest is the second part.
void SplitInput(std::string_view input, std::string_view& first, std::string_view& second);
// The reverse, for the seeds and the regression tests.
std::string JoinInput(std::string_view first, std::string_view second);

}  // namespace fuzz
