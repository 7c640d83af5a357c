#include <gtest/gtest.h>

#include "lumbric/exports.h"
#include "topics_test_util.h"

namespace {

TEST(ExportThesaurus, NameUnderlinedThenTheFileBytes) {
  TempDir dir;
  dir.Write("STANDARD.THM", std::string("alpha\r\nbeta\0\xE9\r\n", 15));
  const std::string out = dir.Write("QORTOPIC.TXT", "old export, longer than the new one .......");
  ASSERT_EQ(lumbric::ExportThesaurus(out, dir.Path(), "STANDARD"), 0);
  EXPECT_EQ(FileBytes(out), std::string("STANDARD\r\n--------\r\n\r\nalpha\r\nbeta\0\xE9\r\n", 37));
}

TEST(ExportThesaurus, WithoutTheThesaurusTheExportIsEmpty) {
  TempDir dir;
  const std::string out = dir.Write("QORTOPIC.TXT", "old export");
  ASSERT_EQ(lumbric::ExportThesaurus(out, dir.Path(), "MISSING"), 0);
  EXPECT_TRUE(fileio::Exists(out));
  EXPECT_EQ(FileBytes(out), "");
}

struct Seen {
  std::vector<int> percents;
  int cancelAfter = -1;
  int asked = 0;
};
void Note(int percent, void* context) { static_cast<Seen*>(context)->percents.push_back(percent); }
bool Cancel(void* context) {
  auto* seen = static_cast<Seen*>(context);
  return seen->cancelAfter >= 0 && seen->asked++ >= seen->cancelAfter;
}

TEST(ExportRecordList, OneLinePerRecordNotDeleted) {
  TempDir dir;
  TopicArchive a(dir, 4);
  ASSERT_EQ(lumbric::DELETERECORD(a.f01, a.fileNumber, 3, TopicArchive::Values(2), a.fields), 0);
  a.Close();
  const std::string out = dir.File("QORIMAGE.TXT");
  Seen seen;
  ASSERT_EQ(lumbric::ExportRecordList(a.f01, out, 10, Note, Cancel, &seen), 0);
  EXPECT_EQ(FileBytes(out), "K0001  tester\r\nK0003  tester\r\nK0004  tester\r\n");
  std::vector<int> expected{25, 50, 75, 100};
  EXPECT_EQ(seen.percents, expected);

  seen = Seen{};
  seen.cancelAfter = 1;
  EXPECT_EQ(lumbric::ExportRecordList(a.f01, out, 10, Note, Cancel, &seen), lumbric::kExportCancelled);
  EXPECT_EQ(FileBytes(out), "K0001  tester\r\n");
}

TEST(ExportRecordList, AMissingRecordFileIsAnError) {
  TempDir dir;
  EXPECT_NE(lumbric::ExportRecordList(dir.File("NONE.F01"), dir.File("QORIMAGE.TXT"), 10), 0);
  EXPECT_FALSE(fileio::Exists(dir.File("QORIMAGE.TXT")));
}

}  // namespace
