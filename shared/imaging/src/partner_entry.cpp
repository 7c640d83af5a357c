#include "imaging/partner_entry.h"

#include <algorithm>
#include <vector>

#include "fileio/fields.h"
#include "fileio/paths.h"

PartnerEntry ParsePartnerEntry(std::string_view entry) {
  std::vector<std::string> fields = fileio::SplitFields(entry, ',');
  PartnerEntry p;
  p.program = fields[0];
  if (fields.size() > 1) p.className = fields[1];
  return p;
}

std::string FormatPartnerEntry(const std::string& program, const std::string& className) {
  return (program.find(',') == std::string::npos ? program : "\"" + program + "\"") + "," + className;
}

void SplitProgramField(const std::string& field, std::string& program, std::string& arguments) {
  std::string t = fileio::Trim(field);
  program = t;
  arguments.clear();
  if (!t.empty() && t.front() == '"') {
    size_t close = t.find('"', 1);
    program = t.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    if (close != std::string::npos) arguments = fileio::Trim(t.substr(close + 1));
    return;
  }
  std::string lower = fileio::ToLower(t);
  size_t best = std::string::npos;
  for (const char* ext : {".exe", ".com", ".bat"}) {
    for (size_t at = lower.find(ext); at != std::string::npos; at = lower.find(ext, at + 1)) {
      size_t end = at + 4;
      if (end == lower.size() || lower[end] == ' ') {
        best = std::min(best, end);
        break;
      }
    }
  }
  if (best == std::string::npos) return;
  program = t.substr(0, best);
  arguments = fileio::Trim(t.substr(best));
}
