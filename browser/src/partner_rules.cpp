#include "partner_rules.h"

#include "fileio/paths.h"
#include "skin/sk_text.h"

namespace {

std::string Field(const std::string& text) {
  std::string f = fileio::Trim(text);
  if (f.size() >= 2 && f.front() == '"' && f.back() == '"') f = f.substr(1, f.size() - 2);
  return f;
}

bool IsFullPath(const std::string& program) {
  std::string p = program;
  if (!p.empty() && p.front() == '"') p.erase(0, 1);
  return (p.size() >= 2 && p[1] == ':') || (!p.empty() && fileio::IsSeparator(p[0]));
}

}  // namespace

PartnerName SplitPartner(const std::string& text) {
  PartnerName p;
  size_t comma = text.rfind(',');
  if (comma == std::string::npos) {
    p.program = Field(text);
    return p;
  }
  p.program = Field(text.substr(0, comma));
  p.className = Field(text.substr(comma + 1));
  return p;
}

std::string ProgramInFolder(const std::string& program, const std::string& programFolder) {
  if (program.empty() || IsFullPath(program)) return program;
  return fileio::WithTrailingSeparator(programFolder) + program;
}

PartnerName ResolvePartner(const PartnerName& defaultPartner, const PartnerName& override,
                           const std::string& programFolder) {
  PartnerName p;
  p.className = override.className.empty() ? defaultPartner.className : override.className;
  p.program = ProgramInFolder(override.program.empty() ? defaultPartner.program : override.program, programFolder);
  return p;
}

std::vector<std::string> EntryPaths(const std::vector<std::string>& entries) {
  std::vector<std::string> out;
  for (const auto& e : entries) out.push_back(!e.empty() && e[0] == ' ' ? e.substr(1) : e);
  return out;
}

std::string JoinPaths(const std::vector<std::string>& paths) {
  std::string out;
  for (size_t i = 0; i < paths.size(); ++i) out += (i ? "|" : "") + paths[i];
  return out;
}

std::string BurnerJobName(const std::string& workingFile) { return fileio::StemOf(workingFile); }

std::string BurnerFileList(const std::vector<std::string>& paths) {
  std::string out;
  for (const auto& p : paths) out += p + "|";
  return out;
}
