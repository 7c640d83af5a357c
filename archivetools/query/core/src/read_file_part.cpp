#include "ostrel/read_file_part.h"

#include <algorithm>
#include <string>

#include "skin/sk_files.h"

namespace ostrel {

int64_t READFILEPART(int fileNumber, int64_t start, std::string_view text, int blockFactor, int& error) {
  error = 0;
  const int64_t length = SKFLOF(fileNumber);
  if (length < 0) {
    error = 6;
    return 0;
  }
  if (text.empty() || length == 0) return 0;
  int64_t from = std::max<int64_t>(start, 1) - 1;
  const int64_t textLength = int64_t(text.size());
  if (from + textLength > length) return 0;
  // A block shorter than the text could never hold it.
  const int64_t blockSize =
      std::min(length, std::max<int64_t>(1000 * int64_t(std::max(blockFactor, 1)), 2 * textLength));
  std::string block;
  while (from + textLength <= length) {
    block.assign(size_t(std::min(blockSize, length - from)), '\0');
    int rc = SKFGETAT(fileNumber, from, block);
    if (rc != 0 && rc != 38) {
      error = rc;
      return 0;
    }
    // A file cut shorter meanwhile ends the search where its bytes end.
    if (block.size() < size_t(textLength)) break;
    size_t at = block.find(text);
    if (at != std::string::npos) return from + int64_t(at) + 1;
    if (from + int64_t(block.size()) >= length) break;
    // The next block repeats all but the last byte of where the text could have begun.
    from += std::max<int64_t>(1, int64_t(block.size()) - (textLength - 1));
  }
  return 0;
}

}  // namespace ostrel
