// Side files of a picture: files beside it with the picture's name and another extension
// ("kwd", "tim", "wav", "sfx", "qmf") that carry its extra data. Portable; every program
// and every kind of side file uses this one rule.
#pragma once
#include <string>
#include <string_view>

// What a picture path whose file name has no "." gets.
enum class SideFileNoDot {
  kAppend,  // the whole path + "." + extension (the layered picture file: C:\pics\scan.qmf)
  kNone,    // no side file at all ("" is returned)
};

// The side file of a picture: the path up to the last "." of its file name (the dot
// searched in the name only, never in the folders, so C:\my.pics\scan has no dot),
// followed by the extension (given with or without its dot). An empty path, or one that
// ends in a separator, has no side file ("").
std::string SideFilePath(std::string_view picturePath, std::string_view extension,
                         SideFileNoDot noDot = SideFileNoDot::kAppend);
