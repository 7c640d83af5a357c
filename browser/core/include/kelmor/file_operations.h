// The media browser's delete, copy and move of files with the side files that travel with
// a picture. Portable: the recycle bin comes in as a call, everything else is done through
// fileio, so that the same code runs natively and under Windows.
#pragma once
#include <functional>
#include <string>
#include <vector>

namespace kelmor {

// Which files are pictures (the ";" patterns of the pictures' file type, "*.jpg;*.png")
// and which side files a picture has (UI entry 50's extensions).
struct SideFileRule {
  std::string pictureFilter;
  std::vector<std::string> sides;
  bool IsPicture(const std::string& name) const;
  // The side files of a path that exist ("" extensions and missing files left out);
  // none for a file that is not a picture.
  std::vector<std::string> ExistingSides(const std::string& path) const;
};

// A folder for comparison: "/" as "\", lower case, exactly one final "\". The long form of
// a short name is the caller's (it needs the file system).
std::string ComparableFolder(const std::string& folder);
bool SameComparableFolder(const std::string& a, const std::string& b);

// Moves the file and, for a picture, its side files to the recycle bin in one call, so
// that a restored picture comes back with them. recycle gets every path and answers 0 on
// success; on failure nothing is removed here. Returns recycle's answer (2 when the file
// does not exist).
using Recycler = std::function<int(const std::vector<std::string>& paths)>;
int RecycleWithSideFiles(const std::string& path, const SideFileRule& rule, const Recycler& recycle);

// Copies source to dest; an existing dest is replaced only once the copy is complete (the
// copy is made beside it first). 0 or a Windows error number.
int CopyReplacing(const std::string& source, const std::string& dest);

// Copies (or moves) one file into a folder (with its final "\"). Only when the file went
// do a picture's side files follow: each of the destination's side files is removed and the
// source's copied; with move the sources are removed after their copy. error: the file's
// own failure (0 when it went).
struct TransferResult {
  int error = 0;
  bool sourceRemoved = false;
};
TransferResult TransferWithSideFiles(const std::string& source, const std::string& targetFolder, bool move,
                                     const SideFileRule& rule);

}  // namespace kelmor
