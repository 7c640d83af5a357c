#include "ostrel/query_file.h"

#include "db/archive.h"
#include "fileio/file.h"

namespace ostrel {

namespace {
constexpr int kKindDate = 4;
}

std::string FormatQueryFile(const SavedQuery& query) {
  std::string bytes = query.thesaurus + "\r\n";
  for (const std::string& text : query.texts) bytes += text + "\r\n";
  return bytes;
}

SavedQuery ParseQueryFile(std::string_view bytes) {
  SavedQuery query;
  bool first = true;
  while (!bytes.empty()) {
    size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (first) {
      query.thesaurus = std::string(line);
      first = false;
    } else {
      query.texts.emplace_back(line);
    }
  }
  return query;
}

int SaveQueryFile(const std::string& path, const SavedQuery& query) {
  return fileio::WriteFileReplacing(path, FormatQueryFile(query));
}

int LoadQueryFile(const std::string& path, SavedQuery& query) {
  std::string bytes;
  int rc = fileio::ReadWholeFile(path, bytes);
  if (rc != 0) return rc;
  query = ParseQueryFile(bytes);
  return 0;
}

std::vector<FormEntry> FormFromQuery(std::vector<DBFIELD>& fields, const std::vector<std::string>& texts,
                                     bool dayFirst, char dateSeparator) {
  std::vector<FormEntry> form(fields.size());
  for (size_t i = 0; i < fields.size(); ++i) {
    Condition c = i < texts.size() ? ParseConditionText(texts[i]) : Condition{};
    fields[i].spare = uint8_t(c.op);
    if (fields[i].kind == kKindDate) {
      if (!c.low.empty()) c.low = db::DateToDisplay(c.low, dayFirst, dateSeparator);
      if (!c.high.empty()) c.high = db::DateToDisplay(c.high, dayFirst, dateSeparator);
    }
    form[i] = {c.low, c.high};
  }
  return form;
}

}  // namespace ostrel
