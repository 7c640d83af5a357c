// The build of a show into a folder ready for a CD: which files the folder gets and under
// which names, the rule that decides whether a folder may be used as the target at all,
// the free-space rule and the progress arithmetic. Portable: the caller gathers what the
// disk holds, the plan decides, the caller carries the plan out.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "dunmere/show_format.h"

namespace dunmere {

// ---- Music lists ------------------------------------------------------------------------------
// The sound paths of a music list's text: every non-empty line, trimmed, with "@path@"
// expanded to programFolder.
std::vector<std::string> MusicListPaths(std::string_view text, const std::string& programFolder);
// Whether a sound's extension, upper-cased and framed by dots, occurs in the extension
// list (".WAV.MP3."; any case).
bool SoundExtensionCounts(const std::string& path, const std::string& extensionList);
// A rewritten music list: "@path@" + name, CR LF, per sound.
std::string FormatMusicList(const std::vector<std::string>& names);

// ---- The target folder ------------------------------------------------------------------
enum class TargetRefusal {
  kNone = 0,
  kEmpty,               // no folder named
  kNotAbsolute,         // no drive or server: it would depend on the current folder
  kRoot,                // a drive's or a share's root
  kProgramFolder,       // the program folder itself
  kHoldsProgramFolder,  // a folder above the program folder
};
// A build empties its target folder first; these folders are never emptied. Both paths
// are compared without regard to letter case, trailing separators, "." and "..".
TargetRefusal CheckBuildTarget(const std::string& target, const std::string& programFolder);
// The folder with "." and ".." resolved and one trailing "\" (for the comparisons above).
std::string NormalisedFolder(const std::string& folder);

// The show fits when the free bytes, with what emptying the target gives back, exceed the
// show's total by more than 50000 bytes.
constexpr int64_t kFreeSpaceReserve = 50000;
bool ShowFits(int64_t freeBytes, int64_t reclaimableBytes, int64_t totalBytes);

// round(100 x step / steps), 0 when there are no steps.
int ProgressPercent(int64_t step, int64_t steps);

// ---- The plan ---------------------------------------------------------------------------------
struct BuildSlide {
  std::string picture;
  bool hasTim = false;
  std::string timText;                      // the tim side file's whole text
  std::vector<std::string> sideFiles;       // kwd, wav and sfx side files that exist (full paths)
};

struct BuildInput {
  std::string targetFolder;                 // with its final "\"
  std::string playerProgram;                // "falcet.exe": first field of the player's entry
  std::string showListExtension;            // the project extension, ".xxx"
  std::string videoExtension;               // the second extension, ".avi"
  bool videoBuild = false;
  std::string showName;                     // "" for an unnamed show
  ShowHeader header;               // options, group, text-file number, default time, mode
  std::vector<BuildSlide> slides;
  std::string musicList;                    // its path, "" for none
  std::vector<std::string> sounds;          // the listed sounds that count, in list order
  std::string skinFolder;                   // the skin folder ("" for none), with its final "\"
  std::vector<std::string> skinFiles;       // its files, subfolders' too, by their path below it ("pane\b1.bmp")
  std::string extraFolder;
  std::vector<std::string> extraFiles;
  std::string programFolder;
  std::vector<std::string> playerFiles;     // names of the player's files in the program folder
};

struct BuildFile {
  enum Kind { kText, kPicture, kCopy };
  Kind kind = kCopy;
  std::string source;  // kPicture, kCopy
  std::string target;  // full path below the target folder
  std::string text;    // kText
  int slide = -1;      // the slide (from 0) a picture or side-file copy belongs to
};

struct BuildPlan {
  std::vector<BuildFile> files;        // in the order they are written
  std::string showListName;            // player base + project extension
  std::string showListText;
  std::string autorunText;
  std::string musicListName;           // "" without music
  std::vector<std::string> soundNames; // the name each sound gets in the target, by position
  std::vector<std::string> folders;    // subfolders to create below the target, parents first
};

// The player's program file without its extension + the project extension.
std::string ShowListName(const std::string& playerProgram, const std::string& extension);
// What AUTORUN.INF opens: the show list, or for a video build the video under the show's
// name (the player's base name when the show has none) + the video extension.
std::string AutorunOpenName(const BuildInput& input);

// Names in the target are unique without regard to letter case: a sound whose name is
// taken (by another sound from another folder, or by a file of the show) gets "_2", "_3"
// ... before its extension; the same sound listed twice is copied once.
BuildPlan PlanBuild(const BuildInput& input);

}  // namespace dunmere
