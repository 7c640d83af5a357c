// The text of a received command message, taken from what the sender delivered. Portable.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// The text is the first declaredLength bytes of the delivered block, but never more than
// the block holds: a missing block gives the empty text, and a declared length larger
// than the block gives only the delivered bytes. Nothing is allocated from the declared
// length, so a sender cannot make the receiver read or reserve more than it sent.
std::string CopyDataText(const void* block, size_t deliveredBytes, uint64_t declaredLength);
