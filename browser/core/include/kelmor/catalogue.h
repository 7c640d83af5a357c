// The drive catalogue's rules that need no window: the scan's extension list, the probes of
// doubtful files by their first bytes and of GIF pictures by their header, the lines of the
// catalogue file, and the walk over a drive's folders. Portable.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kelmor {

// The filter "*.jpg;*.gif" as ".JPG.GIF." ("" for an empty filter); a filter with "*.*"
// as kEveryExtension, which every extension is in.
inline constexpr const char* kEveryExtension = "*";
std::string CatalogueExtensionList(const std::string& filter);
// Whether an extension (".jpg", any case) is in such a list.
bool InExtensionList(const std::string& list, const std::string& extension);
// The pictures whose size the imaging layer reads (commands 405 and 406).
inline constexpr const char* kImagingPictureList =
    ".JPG.CMP.GIF.TIF.BMP.ICO.CUR.PCX.PCC.DCX.PCD.WMF.PSD.PNG.TGA.EPS.RAS.WPG.PCT.MAC.IMG.MSP.EMF.JPEG.G2B.I2B.FPX.";

// The first 10 bytes of a file as a GIF header: "GIF", the version, the logical screen
// size. False (sizes 0, version "") for anything else.
struct GifHeader {
  int width = 0;
  int height = 0;
  std::string version;
};
bool ParseGifHeader(const std::string& firstBytes, GifHeader& header);
// Reads the file's first 10 bytes; -1 when it is a GIF, else 0.
int ISGIFFILE(const std::string& path, int& width, int& height, std::string& version);

// A matched file whose extension says little: a ".DAT" only when it begins with "RIFF", a
// ".MOD" not when it begins with "MZ" (a program), never a ".MID". extension in upper
// case; firstBytes: at least the file's first 4 bytes when it has them.
bool KeepsDoubtfulMatch(const std::string& extension, const std::string& firstBytes);
// The extensions that need the first bytes.
bool NeedsFirstBytes(const std::string& extension);

// Found entries: files are those with no attribute but read-only, archive and normal
// (0x80, which the picture transforms leave); folders have the directory bit and no
// reparse point (a junction or a link is never entered).
bool IsCatalogueFile(uint32_t attributes);
bool IsCatalogueFolder(uint32_t attributes);

// Whether the files found go into the collection list, by command and UI entry 75.
bool CatalogueCollects(int command, int uiEntry75);

// One line per file: width "x" height in 12 characters (blanks without a size), the size
// in kilobytes (rounded) formatted and right-aligned in 10, " k", a TAB, the path, CR LF.
std::string CatalogueLine(int width, int height, int64_t bytes, const std::string& path);
// The header line: "X: " + the template with "@" as the count and "#" as the kilobytes,
// over 80 blanks and cut at 80.
inline constexpr int kCatalogueHeaderWidth = 80;
std::string CatalogueHeader(char driveLetter, const std::string& headerTemplate, int64_t count, int64_t totalBytes);
int64_t RoundedKilobytes(int64_t bytes);

// The walk: each folder before its subfolders, the subfolders of a folder right behind it
// in the order found; the pending list grows as it needs. A folder whose identity was
// walked already (a loop of junctions or links) is not walked again.
struct WalkEntry {
  std::string name;
  uint32_t attributes = 0;
  int64_t size = 0;
};
struct FolderWalker {
  // The entries of a folder (with its final "\"); false when it cannot be searched.
  std::function<bool(const std::string& folder, std::vector<WalkEntry>& entries)> list;
  // What identifies a folder whatever its path (for Windows its volume and file index);
  // "" falls back to the path.
  std::function<std::string(const std::string& folder)> identity;
  // Every entry found (files and folders, "." names left out); false stops the walk.
  std::function<bool(const std::string& folder, const WalkEntry& entry)> found;
};
// False when found stopped it.
bool WalkFolders(const std::string& root, const FolderWalker& walker);

}  // namespace kelmor
