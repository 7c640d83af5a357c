// The program file of a partner entry's program field (ParsePartnerEntry), which may carry
// arguments. Portable.
#pragma once
#include <string>

namespace bravik {

// The program file alone: the text up to and including ".exe" (any letter case) when it
// holds one, else up to the first blank.
std::string ProgramFileOf(const std::string& program);

}  // namespace bravik
