#include "ostrel/query_file.h"

#include <gtest/gtest.h>

#include "db/archive.h"
#include "fileio/file.h"
#include "temp_dir.h"

namespace ostrel {
namespace {

TEST(QueryFile, SavedLoadedAndSavedAgainKeepsItsBytesAndEveryOperator) {
  TempDir dir;
  std::vector<DBFIELD> fields = db::ArchiveFields(10, 2024, 5);
  std::vector<FormEntry> form(fields.size());
  // Every operator once, on fields of each kind, a date range typed the wrong way round.
  const size_t places[] = {1, 2, 3, 13, 21, 9, 10, 4, 6};
  const std::string values[] = {"SEA", "01-31-2024", "JPG", "CAT", "boat|trip", "1995", "12", "8", "640"};
  const std::string highs[] = {"", "01-01-2020", "", "", "", "", "", "", "1024"};
  const int ops[] = {kOpContains, kOpInRange, kOpBeginsWith, kOpDiffers, kOpLacks, kOpBelow, kOpAbove,
                     kOpEquals, kOpOutOfRange};
  for (size_t i = 0; i < 9; ++i) {
    fields[places[i]].spare = uint8_t(ops[i]);
    form[places[i]] = {values[i], highs[i]};
  }
  Collection c = CollectConditions(fields, form, false);
  ASSERT_EQ(c.result, Collected::kOk);
  ASSERT_EQ(c.conditions.size(), 9u);
  const std::string path = dir.File("HARBOUR.&01");
  ASSERT_EQ(SaveQueryFile(path, {"BOATS", c.texts}), 0);
  const std::string first = dir.Read("HARBOUR.&01");
  EXPECT_EQ(first.substr(0, 7), "BOATS\r\n");
  EXPECT_NE(first.find("\r\n8|20200101|20240131\r\n"), std::string::npos);
  EXPECT_NE(first.find("\r\n2|boat|trip\r\n"), std::string::npos);

  SavedQuery loaded;
  ASSERT_EQ(LoadQueryFile(path, loaded), 0);
  EXPECT_EQ(loaded.thesaurus, "BOATS");
  std::vector<DBFIELD> again = db::ArchiveFields(10, 2024, 5);
  std::vector<FormEntry> shown = FormFromQuery(again, loaded.texts, false, '-');
  for (size_t i = 0; i < 9; ++i) EXPECT_EQ(again[places[i]].spare, ops[i]) << places[i];
  EXPECT_EQ(shown[2].value, "01-01-2020");  // dates come back in their display form
  EXPECT_EQ(shown[2].high, "01-31-2024");
  EXPECT_EQ(shown[21].value, "boat|trip");
  EXPECT_EQ(again[0].spare, kOpNone);

  Collection c2 = CollectConditions(again, shown, false);
  ASSERT_EQ(SaveQueryFile(path, {loaded.thesaurus, c2.texts}), 0);
  EXPECT_EQ(dir.Read("HARBOUR.&01"), first);
  for (size_t i = 0; i < fields.size(); ++i) EXPECT_EQ(again[i].spare, fields[i].spare) << i;
}

TEST(QueryFile, AFailedSaveKeepsTheQuerySavedBefore) {
  TempDir dir;
  const std::string path = dir.File("Q.&01");
  ASSERT_EQ(SaveQueryFile(path, {"STANDARD", {"1|A", "0|"}}), 0);
  const std::string before = dir.Read("Q.&01");
  // The file beside it cannot be made: a folder of that name stands in the way.
  ASSERT_EQ(fileio::MakeDirectories(path + ".new~"), 0);
  EXPECT_NE(SaveQueryFile(path, {"OTHER", {"5|B"}}), 0);
  EXPECT_EQ(dir.Read("Q.&01"), before);
}

TEST(QueryFile, MissingFileChangesNothingAndLoneLineFeedsAreRead) {
  TempDir dir;
  SavedQuery q{"KEEP", {"1|X"}};
  EXPECT_EQ(LoadQueryFile(dir.File("NONE.&01"), q), 2);
  EXPECT_EQ(q.thesaurus, "KEEP");
  SavedQuery parsed = ParseQueryFile("T\n1|A\r\n0|\n5|7");
  EXPECT_EQ(parsed.thesaurus, "T");
  EXPECT_EQ(parsed.texts, (std::vector<std::string>{"1|A", "0|", "5|7"}));
  // A file with fewer lines than the form leaves the other fields without condition.
  std::vector<DBFIELD> fields = db::ArchiveFields(3, 2024, 5);
  for (DBFIELD& f : fields) f.spare = kOpEquals;
  std::vector<FormEntry> form = FormFromQuery(fields, parsed.texts, false, '-');
  EXPECT_EQ(fields[0].spare, kOpContains);
  EXPECT_EQ(fields[1].spare, kOpNone);
  EXPECT_EQ(fields[2].spare, kOpEquals);
  EXPECT_EQ(fields[3].spare, kOpNone);
  EXPECT_EQ(form[3].value, "");
}

}  // namespace
}  // namespace ostrel
