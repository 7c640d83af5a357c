// The partner texts of the UI text file: "program file,window class", where the program
// file may carry arguments. Portable.
#pragma once
#include <string>

namespace bravik {

struct PartnerText {
  std::string program;    // the program file as it stands, arguments included
  std::string className;
};

// Splits at the first ",": blanks around a field are ignored and a field may stand in
// double quotes.
PartnerText SplitPartnerText(const std::string& text);
// The program file alone: the text up to and including ".exe" (any letter case) when it
// holds one, else up to the first blank.
std::string ProgramFileOf(const std::string& program);

}  // namespace bravik
