// The query tool's readers: a saved query (".&01") taken into the form, collected and
// written again (what it wrote must read back to the same conditions), the conditions
// tested on a record made of the input, and the raw-byte finder against a plain search.
#include <cstdio>
#include <cstdlib>

#include "db/archive.h"
#include "fuzz_input.h"
#include "ostrel/conditions.h"
#include "ostrel/query_file.h"
#include "ostrel/read_file_part.h"
#include "skin/sk_files.h"

namespace {

[[noreturn]] void Fail(const char* what, const std::string& text) {
  std::fprintf(stderr, "%s:\n%s\n", what, text.c_str());
  std::abort();
}

void SavedQuery(const std::string& text) {
  std::vector<DBFIELD> fields = db::ArchiveFields(10, 2024, 5);
  ostrel::SavedQuery query = ostrel::ParseQueryFile(text);
  std::vector<ostrel::FormEntry> form = ostrel::FormFromQuery(fields, query.texts, false, '-');
  ostrel::Collection first = ostrel::CollectConditions(fields, form, false);
  if (first.result == ostrel::Collected::kBadDate) return;
  const std::string written = ostrel::FormatQueryFile({"T", first.texts});
  ostrel::SavedQuery again = ostrel::ParseQueryFile(written);
  std::vector<DBFIELD> fields2 = db::ArchiveFields(10, 2024, 5);
  ostrel::Collection second =
      ostrel::CollectConditions(fields2, ostrel::FormFromQuery(fields2, again.texts, false, '-'), false);
  if (second.texts != first.texts) Fail("a saved query does not read back", written);
  std::string record = text.substr(0, size_t(DbRecordLength(fields)));
  ostrel::Matcher(fields, first.conditions, false).Matches(record);
  ostrel::Matcher(fields, first.conditions, true).Matches(record);
}

void FindInFile(std::string_view input) {
  std::string_view needle, haystack;
  fuzz::SplitInput(input, needle, haystack);
  const std::string path = fuzz::WriteInput("bytes", haystack);
  int file = 0;
  if (SKFOPEN(path, 0, 4, file) != 0) return;
  for (int64_t start : {int64_t(-3), int64_t(1), int64_t(haystack.size() / 2 + 1)}) {
    int error = 0;
    int64_t at = ostrel::READFILEPART(file, start, needle, 1, error);
    size_t from = size_t(std::max<int64_t>(start, 1) - 1);
    size_t expected = needle.empty() || from > haystack.size() ? std::string_view::npos : haystack.find(needle, from);
    if (error != 0 || at != (expected == std::string_view::npos ? 0 : int64_t(expected) + 1)) {
      SKFCLOSE(file);
      Fail("the finder and a plain search differ", std::string(needle));
    }
  }
  SKFCLOSE(file);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(fuzz::Bytes(data, size));
  SavedQuery(text);
  FindInFile(text);
  return 0;
}
