#include "partner_text.h"

#include "fileio/paths.h"

namespace bravik {
namespace {

std::string Field(const std::string& text) {
  std::string f = fileio::Trim(text);
  if (f.size() >= 2 && f.front() == '"' && f.back() == '"') f = f.substr(1, f.size() - 2);
  return f;
}

}  // namespace

PartnerText SplitPartnerText(const std::string& text) {
  PartnerText p;
  size_t comma = text.find(',');
  p.program = Field(text.substr(0, comma));
  if (comma != std::string::npos) p.className = Field(text.substr(comma + 1));
  return p;
}

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
