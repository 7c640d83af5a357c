// Which program gets the media browser's files, and the texts of its hand-overs. Portable.
#pragma once
#include <string>
#include <vector>

#include "imaging/partner_entry.h"

namespace kelmor {

// The partner to hand work to: the override (from command code 2) where its halves are not
// empty, else the default (UI entry 19). A program file without a folder lies in the
// program folder; one with a full path (a program that named itself) is taken as it is.
PartnerEntry ResolvePartner(const PartnerEntry& defaultPartner, const PartnerEntry& override,
                           const std::string& programFolder);

// A program file as the launcher starts it: full paths stay, others are in the program folder.
std::string ProgramInFolder(const std::string& program, const std::string& programFolder);

// The paths of collection list entries (each shown with one leading blank).
std::vector<std::string> EntryPaths(const std::vector<std::string>& entries);
// Entries joined by "|" (the partner's code 3 text).
std::string JoinPaths(const std::vector<std::string>& paths);
// The disc burner's texts: the job name (the working file's name without folder and
// extension) and the file list, every path followed by "|".
std::string BurnerJobName(const std::string& workingFile);
std::string BurnerFileList(const std::vector<std::string>& paths);

}  // namespace kelmor
