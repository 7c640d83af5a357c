#include "partner_text.h"

#include "fileio/paths.h"

namespace bravik {

std::string ProgramFileOf(const std::string& program) {
  if (!program.empty() && program[0] == '"') {
    size_t close = program.find('"', 1);
    return program.substr(1, close == std::string::npos ? std::string::npos : close - 1);
  }
  std::string lower = fileio::ToLower(program);
  size_t exe = lower.find(".exe");
  if (exe != std::string::npos) return program.substr(0, exe + 4);
  return program.substr(0, program.find(' '));
}

}  // namespace bravik
