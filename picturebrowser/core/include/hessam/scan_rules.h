// Which entries of a folder the picture browser lists, and in which order. Portable.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hessam {

// Whether a folder entry's attributes let it into the list: only read-only, archive,
// normal, compressed and not-indexed may be set; a folder, a hidden or a system file (or
// anything else set) stays out.
bool ListedAttributes(uint32_t attributes);
// Whether the name is listed at all: names beginning with "." never are.
bool ListedName(std::string_view name);
// Whether the path's extension (from its last "."), upper-cased, is in the picture list.
bool HasPictureExtension(std::string_view path);
// A GIF picture counts as 1 x 1 whatever its file reports.
bool CountsAsGif(std::string_view path);
// Sorts a picture list in ascending order without regard to letter case (a tie is broken
// by the bytes, so that the order is the same on every run).
void SortPictureList(std::vector<std::string>& list);

}  // namespace hessam
