// Partner entries of the UI text files and of command code 2: "program file,window class".
// Portable.
#pragma once
#include <string>
#include <string_view>

struct PartnerEntry {
  std::string program;    // the program file as the entry gives it, arguments included
  std::string className;  // "" when the entry has no second field
};

// Field 1 and field 2 of the entry's comma-separated fields (fileio::SplitFields: blanks
// around a field are ignored, a field may stand in double quotes, and a comma inside them
// belongs to the field); further fields are ignored.
PartnerEntry ParsePartnerEntry(std::string_view entry);
// The entry a program sends to name itself (code 2): "program,class", the program in
// double quotes when it holds a comma, so that ParsePartnerEntry gives both back.
std::string FormatPartnerEntry(const std::string& program, const std::string& className);

// A program field split into the program file and its arguments: a quoted program file and
// what follows the closing quote; else the text up to ".exe", ".com" or ".bat" (any case)
// followed by a blank or the end; else the whole field is the program file.
void SplitProgramField(const std::string& field, std::string& program, std::string& arguments);
