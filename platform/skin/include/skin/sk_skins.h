// The skins a program can offer and the choice of the current one. Portable.
//
// A skin is a subfolder of the program folder that holds a skin file (".sks") and a
// picture pack (".skp"). The current skin is the one that the program folder's skin list
// (TOLVERN.SKL) names; choosing another skin rewrites that list (docs/skin-files.md).
#pragma once
#include <string>
#include <vector>

// Every skin below programFolder: the subfolder + its first skin file by name, for each
// subfolder that holds a "*.skp" and a "*.sks" file. Sorted by path without regard to
// letter case.
std::vector<std::string> SKLISTSKINS(const std::string& programFolder);

// The text of a skin list that names skinFile: relative to the list's folder when the
// skin lies below it (so that the suite can be moved), else the full path; CR LF ended.
std::string FormatSkinList(const std::string& listFolder, const std::string& skinFile);

// Makes skinFile the skin that the list at listPath names. The new list is written beside
// the old one and then replaces it, so a failed write keeps the old choice. Returns 0 or
// a Windows error number (2 when the skin file does not exist).
int SKSETSKIN(const std::string& listPath, const std::string& skinFile);
