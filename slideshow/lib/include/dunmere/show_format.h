// The slide show's files: the show project file that the slide show maker saves and opens,
// the built show list that the media player plays, and the "AUTORUN.INF" of a built show.
// Portable; the media player links this library to read built show lists.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "fileio/macros.h"

namespace dunmere {

// The numbers that head a project file and a built show list.
struct ShowHeader {
  std::string musicList;  // project file: the music list's path; show list: "@path@" + its name, or ""
  int optionOne = 0;      // the build box's three check boxes, each 0 or 1
  int optionTwo = 0;
  int optionThree = 0;
  int groupValue = 0;
  int textFileNumber = 0;
  int defaultTime = 4000;  // milliseconds
  int modeFlag = 0;        // show list only: 0 or -1
};

// ---- Show project file ------------------------------------------------------------------
// "[music|o1|o2|o3|group|text-file number|default time]" CR LF, then one picture path per
// line, each ending in CR LF.
std::string FormatProjectFile(const ShowHeader& header, const std::vector<std::string>& slides);

struct ProjectFile {
  bool hasHeader = false;
  std::string musicList;
  // Options that the header holds (fields 2 to 4); a missing field leaves the program's value.
  bool hasOption[3] = {false, false, false};
  int options[3] = {0, 0, 0};
  std::vector<std::string> slides;  // every other non-empty line, trimmed, in file order
};
// Reads a project file's text: lines trimmed of blanks; a line that begins with "[" is the
// header; the numbers after the options are not taken back.
ProjectFile ParseProjectFile(std::string_view text);

// The project file of a show: show folder + name + the project extension. A name that
// already ends with the extension loses it first; blanks are trimmed and only the file
// name part is kept; an empty name becomes defaultName.
std::string ProjectFilePath(const std::string& showFolder, std::string name, const std::string& defaultName,
                            const std::string& extension);
// The show's name as it is kept: the same rules without the folder and the extension.
std::string ShowNameOf(std::string name, const std::string& defaultName, const std::string& extension);

// The two extensions of "first,second" (the project file's and the video's), each with a
// leading "." ensured; a missing second one is "".
void SplitExtensions(const std::string& entry, std::string& first, std::string& second);

// ---- Built show list ------------------------------------------------------------------------
struct ShowListEntry {
  std::string picture;  // as written: "@path@00000001.png"; expanded by ParseShowList
  std::string time;     // display time in milliseconds as decimal text
};
// "[" + music + "|o1|o2|o3|group|text-file number|default time|mode]" CR LF, then
// "picture,time" CR LF per slide.
std::string FormatShowList(const ShowHeader& header, const std::vector<ShowListEntry>& entries);

struct ShowList {
  bool valid = false;      // the first line is a header
  ShowHeader header;       // musicList expanded
  std::vector<ShowListEntry> entries;  // pictures expanded; time "" when a line has none
};
// Reads a show list; "@path@" (any case) at the start of a path stands for listFolder.
ShowList ParseShowList(std::string_view text, const std::string& listFolder);

// The display time that a slide's tim side file gives: its first line, trimmed; "" for an
// empty file (the show's default time applies then).
std::string TimeFromTimText(std::string_view timText);

// ---- AUTORUN.INF ----------------------------------------------------------------------------
// "[autorun]", "OPEN=" + player + " " + what to open, "ICON=" + player + ",0", each with
// CR LF. A name that holds blanks is quoted.
std::string FormatAutorun(const std::string& playerProgram, const std::string& openName);

// ---- Small text helpers the show files share ---------------------------------------------
// The macros of the show files and the slide show maker's paths: "@path@" (any case) at the
// very start of a path stands for folder; elsewhere it is kept.
fileio::PathMacros ShowPathMacros(const std::string& folder);
// A path for a command line: in double quotes when it holds a blank, else as it is.
std::string QuoteIfBlank(const std::string& path);

}  // namespace dunmere
