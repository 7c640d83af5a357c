// Finding a text in the raw bytes of an open file, block by block.
#pragma once
#include <cstdint>
#include <string_view>

namespace ostrel {

// The 1-based position of the first occurrence of text at or after start (values below 1
// count as 1), or 0: an empty text or file, a start past the end, or no occurrence. Blocks
// of 1000 * blockFactor bytes (at least twice the text, at most the file) are read with
// SKFGETAT, each next block overlapping the last by the text's length less one byte, so
// that an occurrence across a block border is found and every step moves on. error gets
// a read failure (0 otherwise); the position is 0 then.
int64_t READFILEPART(int fileNumber, int64_t start, std::string_view text, int blockFactor, int& error);

}  // namespace ostrel
