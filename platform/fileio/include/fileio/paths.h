// Path text helpers shared by every program: the suite's paths are Windows paths with "\".
#pragma once
#include <string>
#include <string_view>

namespace fileio {

// The folder part of a path with its final separator ("C:\a\b.jpg" -> "C:\a\"), "" when
// the path has no folder part; a drive alone ("C:name") gives "C:".
std::string FolderOf(std::string_view path);
// The name after the last separator.
std::string NameOf(std::string_view path);
// The name without its extension ("b.tar.gz" -> "b.tar").
std::string StemOf(std::string_view path);
// The extension of the name, without the dot, "" when there is none ("C:\my.d\x" -> "").
std::string ExtensionOf(std::string_view path);
// The path without the extension of its name.
std::string WithoutExtension(std::string_view path);
// Joins a folder and a name with exactly one "\" between them.
std::string JoinPath(std::string_view folder, std::string_view name);
// The folder with exactly one trailing "\" (an empty folder stays empty).
std::string WithTrailingSeparator(std::string_view folder);
// The folder without trailing separators; a root such as "C:\" keeps its separator.
std::string WithoutTrailingSeparator(std::string_view folder);
bool IsSeparator(char c);
// Case-insensitive comparison of ANSI texts (ASCII letters).
bool EqualsNoCase(std::string_view a, std::string_view b);
std::string ToUpper(std::string_view text);
std::string ToLower(std::string_view text);
std::string Trim(std::string_view text);  // blanks and tabs at both ends

// "*" and "?" wildcard match without regard to ASCII letter case.
bool WildcardMatch(std::string_view pattern, std::string_view name);

#ifndef _WIN32
// The POSIX spelling of a suite path: every "\" becomes "/".
std::string NativePath(std::string_view path);
#endif

}  // namespace fileio
