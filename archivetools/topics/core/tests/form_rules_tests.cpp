#include <gtest/gtest.h>

#include "lumbric/form_rules.h"
#include "lumbric/records.h"
#include "topics_test_util.h"

namespace {

using lumbric::Step;

TEST(CheckFormValues, FlagBecomesXBadDateNamesItsFieldAndTopicsArePlaceholdersOrBlank) {
  const auto fields = db::ArchiveFields(10, 2024, 5);
  auto values = TopicArchive::Values(1);
  values[size_t(db::FieldFlag(10) - 1)] = "y";
  lumbric::FormCheck check = lumbric::CheckFormValues(values, fields, 10, "(none)", false);
  EXPECT_TRUE(check.ok);
  EXPECT_EQ(values[size_t(db::FieldFlag(10) - 1)], "X");

  // A date that is not a whole valid date: the field is named, nothing else is wrong.
  for (const char* date : {"02-30-2024", "05-31", "31-05-2024x", "abc"}) {
    values[2] = date;
    check = lumbric::CheckFormValues(values, fields, 10, "(none)", false);
    EXPECT_FALSE(check.ok) << date;
    EXPECT_EQ(check.invalidField, 3) << date;
    EXPECT_FALSE(check.noTopic) << date;
  }
  values[2] = "";
  EXPECT_TRUE(lumbric::CheckFormValues(values, fields, 10, "(none)", false).ok);
  values[2] = "29/02/2024";
  EXPECT_TRUE(lumbric::CheckFormValues(values, fields, 10, "(none)", true).ok);
  values[2] = "05-31-2024";

  // Only placeholders and blanks in the slots: no topic; the free text after them does not count.
  for (int k = 0; k < 10; ++k) values[size_t(11 + k)] = k % 2 ? " (none) " : "";
  check = lumbric::CheckFormValues(values, fields, 10, "(none)", false);
  EXPECT_FALSE(check.ok);
  EXPECT_TRUE(check.noTopic);
  values[20] = "LAST SLOT";
  EXPECT_TRUE(lumbric::CheckFormValues(values, fields, 10, "(none)", false).ok);
}

TEST(TypedKey, DigitsGetLeadingZerosToTheWidthZeroAndOverlongGiveNothing) {
  EXPECT_EQ(lumbric::TypedKey("42", 8), "00000042");
  EXPECT_EQ(lumbric::TypedKey("  0042 ", 8), "00000042");
  EXPECT_EQ(lumbric::TypedKey("12345678", 8), "12345678");
  EXPECT_EQ(lumbric::TypedKey("123456789", 8), "");
  EXPECT_EQ(lumbric::TypedKey("0", 8), "");
  EXPECT_EQ(lumbric::TypedKey("abc", 8), "");
  EXPECT_EQ(lumbric::TypedKey("", 8), "");
}

// Records K0001 .. K0005 in slots 2 .. 6; K0001, K0003 and K0005 deleted.
struct Walk : ::testing::Test {
  TempDir dir;
  TopicArchive a{dir, 5};
  void SetUp() override {
    for (int r : {1, 3, 5}) ASSERT_EQ(lumbric::DELETERECORD(a.f01, a.fileNumber, r + 1, TopicArchive::Values(r), a.fields), 0);
    a.Close();
  }
  std::string Go(Step step, const std::string& from, int* record = nullptr) {
    std::string key;
    int number = 0;
    int rc = lumbric::StepKey(a.f01, 8, step, from, key, number);
    if (record) *record = number;
    return rc == 0 ? key : "rc" + std::to_string(rc);
  }
};

TEST_F(Walk, FirstLastAndStepsPassOverDeletedRecords) {
  int record = 0;
  EXPECT_EQ(Go(Step::First, "", &record), "K0002");
  EXPECT_EQ(record, 3);
  EXPECT_EQ(Go(Step::Last, "", &record), "K0004");
  EXPECT_EQ(record, 5);
  EXPECT_EQ(Go(Step::Next, "K0002"), "K0004");
  EXPECT_EQ(Go(Step::Previous, "K0004"), "K0002");
  EXPECT_EQ(Go(Step::Next, "K0004"), "rc1");
  EXPECT_EQ(Go(Step::Previous, "K0002"), "rc1");
  // From a key that is not (or no longer) filed: its neighbours.
  EXPECT_EQ(Go(Step::Next, "K0003"), "K0004");
  EXPECT_EQ(Go(Step::Previous, "K0003"), "K0002");
  // An empty key field: Previous is Last and Next is First.
  EXPECT_EQ(Go(Step::Previous, "  "), "K0004");
  EXPECT_EQ(Go(Step::Next, ""), "K0002");
}

TEST_F(Walk, KeyBeforeAndFindSkipDeletedRecords) {
  std::string key;
  int record = 0;
  EXPECT_EQ(lumbric::KeyBefore(a.f01, 8, "K0004", key, record), 0);
  EXPECT_EQ(key, "K0002");
  EXPECT_EQ(record, 3);
  EXPECT_EQ(lumbric::KeyBefore(a.f01, 8, "K0002", key, record), 1);
  EXPECT_EQ(lumbric::FindKey(a.f01, 8, "K0004", record), 0);
  EXPECT_EQ(record, 5);
  EXPECT_EQ(lumbric::FindKey(a.f01, 8, "K0003", record), 1);
  EXPECT_EQ(lumbric::FindKey(a.f01, 8, "////////", record), 1);
}

// A filing killed (or still running) after its record and its key went in, before its
// topic keys did: the header names the record, and the editor passes it over.
TEST_F(Walk, AHalfFiledRecordIsPassedOver) {
  std::string record(size_t(kLength), ' ');
  ASSERT_EQ(DBWRITF(kLength, record, TopicArchive::Values(6), a.fields), 0);
  std::string bytes = FileBytes(a.f01) + record;
  bytes[0] = 7;  // the header names record 7 as being appended
  PutFileBytes(a.f01, bytes);
  {
    int handle = 0, status = 0;
    ASSERT_EQ(qBtOpen(DBINDEX(a.f01, 0), 8, handle, status), 0);
    std::string key = "K0006";
    int32_t value = 7;
    ASSERT_EQ(qBtInsert(handle, key, value, status), 0);
    qBtClose(handle);
  }
  int number = 0;
  EXPECT_EQ(Go(Step::Last, "", &number), "K0004");
  EXPECT_EQ(Go(Step::Next, "K0004"), "rc1");
  EXPECT_EQ(Go(Step::Previous, "K0007"), "K0004");
  EXPECT_EQ(lumbric::FindKey(a.f01, 8, "K0006", number), 1);
  // Once the filing is complete (the header cleared), the record is there.
  bytes[0] = 0;
  PutFileBytes(a.f01, bytes);
  EXPECT_EQ(Go(Step::Last, "", &number), "K0006");
  EXPECT_EQ(number, 7);
  EXPECT_EQ(lumbric::FindKey(a.f01, 8, "K0006", number), 0);
}

TEST_F(Walk, AnEmptyArchiveHasNoFirstRecord) {
  TempDir other;
  TopicArchive empty(other, 0);
  empty.Close();
  std::string key;
  int record = 0;
  EXPECT_EQ(lumbric::StepKey(empty.f01, 8, Step::First, "", key, record), 1);
  EXPECT_EQ(lumbric::StepKey(empty.f01, 8, Step::Previous, "K0001", key, record), 1);
}

TEST(ReadRecordValues, GivesTheStoredFieldsTrimmedAndFailsBeyondTheFile) {
  TempDir dir;
  TopicArchive a(dir, 2);
  a.Close();
  std::vector<std::string> values;
  ASSERT_EQ(lumbric::ReadRecordValues(a.f01, 3, a.fields, values), 0);
  ASSERT_EQ(values.size(), a.fields.size());
  EXPECT_EQ(values[0], "K0002");
  EXPECT_EQ(values[1], "PICTURE K0002");
  EXPECT_EQ(values[2], "20240531");  // dates are stored as YYYYMMDD
  EXPECT_EQ(values[11], "T2");
  EXPECT_EQ(values[21], "free text of K0002");
  EXPECT_NE(lumbric::ReadRecordValues(a.f01, 9, a.fields, values), 0);
  EXPECT_NE(lumbric::ReadRecordValues(dir.File("MISSING.F01"), 2, a.fields, values), 0);
}

TEST(HandOverCommandLine, ProgramDocumentCommaSkin) {
  EXPECT_EQ(lumbric::HandOverCommandLine("C:\\P\\VIEW.EXE", "C:\\P\\QORTOPIC.TXT", "C:\\P\\TOLVERN.SKL"),
            "C:\\P\\VIEW.EXE C:\\P\\QORTOPIC.TXT,C:\\P\\TOLVERN.SKL");
}

}  // namespace
