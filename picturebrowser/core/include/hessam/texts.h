// The picture browser's texts and paths made from its data: the start folder, the search
// masks, the labels of the strips, the status line's keyword text and the texts of its
// boxes. Portable.
#pragma once
#include <string>
#include <string_view>

namespace hessam {

// The program's base name: its file name up to the first "." of the name (never of a
// folder: "C:\Suite.2\hessam.exe" gives "hessam"). The UI text file and the settings file
// are named after it.
std::string ProgramBaseName(std::string_view exePath);
// The start folder of a command line: blanks and one pair of quotes around it go, the
// trailing "\" (any number) go and one "\" is added; "" for an empty line. A root ("C:\")
// stays a root.
std::string CommandLineFolder(std::string_view commandLine);
// The folder's last component ("C:\Pictures\Trip\" gives "Trip"; a root gives itself).
std::string FolderDisplayName(std::string_view folder);
// The folder with one "\" and "*.*": the mask a folder is listed with.
std::string SearchMask(std::string_view folder);
// The mask whose part after its last "." is "*": what must match a file before a listing
// starts ("C:\a\*.*" gives "C:\a\*.*", "C:\a\*.jpg" gives "C:\a\*.*").
std::string ProbeMask(std::string_view mask);

// The label of a selection cell: the lower-cased file name, a blank, width "x" height.
std::string SelectionLabel(std::string_view path, int width, int height);
// The keyword text of a side file's bytes: cut at the first zero byte, blanks, tabs and
// line ends removed at both ends.
std::string KeywordText(std::string_view bytes);
// The status line over a picture of the strip: the lower-cased file name and, when the
// keyword text is not empty, " :  " and the text.
std::string HoverText(std::string_view path, std::string_view keywords);
// The text of the missing-picture warning: the entry's text, a new line and the picture's
// folder upper-cased without its final "\".
std::string MissingPictureText(std::string_view entry, std::string_view path);
// Every "#" replaced by count and every "@" by folder.
std::string FillCountAndFolder(std::string_view text, int count, std::string_view folder);
// The about box's text: the credit line, then the entry with every "#" replaced by the year.
std::string AboutText(std::string_view credit, std::string_view entry, int year);

}  // namespace hessam
