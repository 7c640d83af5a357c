// The maintenance tool's command line: a library path or pattern, then "I" or "/I" for an
// index rebuild alone.
#pragma once
#include <string>
#include <string_view>

namespace narwen {

inline constexpr int kModeCompact = 0;     // compact the library and rebuild its index
inline constexpr int kModeIndexOnly = 1;   // rebuild the index, the library untouched

struct CommandLineJob {
  bool present = false;  // false: an empty line opens the window only
  std::string path;      // upper case; quotes taken off
  int mode = kModeCompact;
};

// Upper-cases the line, collapses runs of blanks and splits at blanks; a quoted word keeps
// its blanks.
CommandLineJob ParseCommandLine(std::string_view line);

}  // namespace narwen
