// Rules of the media browser's picture and file commands that need no window: the open
// list, the conversion's target and format, the numbered series and its side files, the
// collection list files, the types handed to the audio program, the selection inversion
// and the order in which a folder is recycled. Portable.
#pragma once
#include <string>
#include <vector>

namespace kelmor {

// ---- opening in the associated program (701) -------------------------------------------
// One item of the open list: "program|file|index".
std::string OpenListItem(const std::string& program, const std::string& file, int index);
// The editor that is watched by its window class rather than by its process: its program
// path holds "Photoshop" (any case).
bool IsWatchedEditor(const std::string& program);

// ---- conversion (710) ------------------------------------------------------------------
// The picture-type choice "extension,format": the target extension ("." + field 1, lower
// case, dots at both ends removed; "" when nothing is left) and the format number.
struct ConversionChoice {
  std::string extension;
  int format = 0;
  bool Valid() const { return !extension.empty() && format > 0; }
};
ConversionChoice ParseConversionChoice(const std::string& choice);
// How a format is written: bits per pixel (0: the source's), quality factor, and whether
// the picture is fitted into 32 x 32 (icons).
struct ConversionFormat {
  int bitsPerPixel = 0;
  int qualityFactor = 0;
  bool iconSize = false;
};
ConversionFormat ConversionFormatRule(int format);
// The target of a conversion: the source up to the last "." of its file name (the folder's
// dots do not count; the whole path for a name without "." after its first character) and
// the extension.
std::string ConversionTarget(const std::string& source, const std::string& extension);
// What the conversion does with one file.
enum class ConversionStep {
  kConvert,      // the target does not exist: convert
  kSameFile,     // source and target are one file: skip silently
  kTargetTaken,  // another file has the target's name: skip and report, never replace it
};
ConversionStep PlanConversion(const std::string& source, const std::string& target, bool targetExists);

// ---- numbered series (711) -------------------------------------------------------------
// The typed base name as the series uses it: ". / \ : ; ," become "  - -    " (blank,
// "-", "-", blank, blank, blank), then SKCRUNCH with the blank is applied by the caller's
// rule below; CleanSeriesName does the replacement, SeriesBaseName both.
std::string CleanSeriesName(const std::string& typed);
std::string SeriesBaseName(const std::string& typed);
// The extension of a file name from its last "." on ("" when it has none).
std::string NameExtension(const std::string& path);
// The side-file extensions of UI entry 50 ("kwd,tim,wav"): trimmed, empty ones left out.
std::vector<std::string> SideFileExtensions(const std::string& uiEntry50);
// A picture's side file for an extension: the path up to and including the last "." of its
// file name, then the extension ("" for a name without ".").
std::string SideFilePath(const std::string& picture, const std::string& extension);
// The files a series name takes: the picture (folder + base + extension) and, when the
// picture has an extension, one side file per side-file extension (folder + base + "." +
// field). A number is free only when none of them exists.
std::vector<std::string> SeriesNames(const std::string& folder, const std::string& base, const std::string& extension,
                                     const std::vector<std::string>& sideExtensions);
inline constexpr int kSeriesTries = 10000;

// ---- collection list files (12/203, 13/204) -------------------------------------------
// The lines of a list file with "@path@" replaced by the program folder, lower-cased;
// empty lines left out.
std::vector<std::string> ParseListFile(const std::string& bytes, const std::string& programFolder);
// A list file's bytes: each path followed by CR LF.
std::string ListFileText(const std::vector<std::string>& paths);
// The name a list is saved under: a typed list extension (any case) cut off, blanks trimmed,
// only the file-name part kept; "" when nothing is left.
std::string ListSaveName(const std::string& typed, const std::string& extension);

// ---- hand-over to the audio program (116, 210) ----------------------------------------
// Whether a file's type is among the ";" patterns of UI entry 65 ("*.wav;*.mp3"): its
// extension from the last ".", lower case, as "*" + extension.
bool HandsOverType(const std::string& name, const std::string& uiEntry65);

// ---- selection (113) --------------------------------------------------------------------
// The entries of a list of count entries that are not selected, in order.
std::vector<int> InvertedSelection(int count, const std::vector<int>& selected);

// ---- folder commands (1503) -------------------------------------------------------------
// A drive's root ("C:\", "c:", "\\server\share\"): never deleted with its contents.
bool IsDriveRoot(const std::string& folder);
// The folders of a folder's delete, in the order they are emptied and removed: the
// subfolders (as listed, each before its own) from the last back, the folder itself last.
std::vector<std::string> RecycleOrder(const std::string& folder, const std::vector<std::string>& subfolders);

}  // namespace kelmor
