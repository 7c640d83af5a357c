#include "kelmor/partner_rules.h"

#include "fileio/paths.h"

namespace kelmor {

namespace {

bool IsFullPath(const std::string& program) {
  std::string p = program;
  if (!p.empty() && p.front() == '"') p.erase(0, 1);
  return (p.size() >= 2 && p[1] == ':') || (!p.empty() && fileio::IsSeparator(p[0]));
}

}  // namespace

std::string ProgramInFolder(const std::string& program, const std::string& programFolder) {
  if (program.empty() || IsFullPath(program)) return program;
  return fileio::WithTrailingSeparator(programFolder) + program;
}

PartnerEntry ResolvePartner(const PartnerEntry& defaultPartner, const PartnerEntry& override,
                            const std::string& programFolder) {
  PartnerEntry p;
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

}  // namespace kelmor
