#include "ostrel/conditions.h"

#include <gtest/gtest.h>

#include "db/archive.h"
#include "db_test_util.h"

namespace ostrel {
namespace {

constexpr int kSlots = 10;
constexpr size_t kName = 1, kDate = 2, kYear = 9, kTopic1 = 11, kTopic3 = 13;

class Conditions : public ::testing::Test {
 protected:
  std::vector<DBFIELD> fields = db::ArchiveFields(kSlots, 2024, 5);
  const int length = DbRecordLength(fields);

  std::string Record(const std::vector<std::string>& values) {
    std::string record;
    DBWRITF(length, record, values, fields);
    return record;
  }
  std::string Record(const std::string& name, const std::string& year, const std::vector<std::string>& topics) {
    std::vector<std::string> v = ArchiveValues("00000001", topics);
    v[kName] = name;
    v[kYear] = year;
    return Record(v);
  }
  // The form with one value (and high value) typed and the operator chosen.
  std::vector<FormEntry> Form(size_t field, const std::string& value, const std::string& high = "") {
    std::vector<FormEntry> form(fields.size());
    form[field] = {value, high};
    return form;
  }
  Collection Collect(size_t field, int op, const std::string& value, const std::string& high = "") {
    fields[field].spare = uint8_t(op);
    return CollectConditions(fields, Form(field, value, high), false);
  }
  bool Matches(size_t field, int op, const std::string& value, const std::string& record,
               const std::string& high = "", bool slotsApart = false) {
    Collection c = Collect(field, op, value, high);
    EXPECT_EQ(c.result, Collected::kOk);
    return Matcher(fields, c.conditions, slotsApart).Matches(record);
  }
};

TEST_F(Conditions, TextOperatorsCompareTheFieldText) {
  const std::string record = Record("HARBOUR AT DUSK", "2000", {});
  struct Case {
    int op;
    std::string value;
    bool matches;
  } cases[] = {
      {kOpContains, "AT D", true},       {kOpContains, "at d", false},     {kOpContains, "NIGHT", false},
      {kOpLacks, "NIGHT", true},         {kOpLacks, "DUSK", false},        {kOpBeginsWith, "HARB", true},
      {kOpBeginsWith, "DUSK", false},    {kOpDiffers, "HARBOUR", true},    {kOpDiffers, "HARBOUR AT DUSK", false},
      {kOpEquals, "HARBOUR AT DUSK", true}, {kOpEquals, "HARBOUR", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Matches(kName, c.op, c.value, record), c.matches) << c.op << " " << c.value;
}

TEST_F(Conditions, NumberOperatorsCompareLeadingNumbers) {
  const std::string record = Record("X", "2000", {});
  struct Case {
    int op;
    std::string value, high;
    bool matches;
  } cases[] = {
      {kOpEquals, "2000", "", true},       {kOpEquals, "02000", "", true},   {kOpEquals, "1999", "", false},
      {kOpBelow, "2001", "", true},        {kOpBelow, "2000", "", false},    {kOpAbove, "1999", "", true},
      {kOpAbove, "2000", "", false},       {kOpInRange, "1995", "2005", true}, {kOpInRange, "2001", "2005", false},
      {kOpOutOfRange, "1995", "2005", false}, {kOpOutOfRange, "2001", "2005", true},
      // A range without its high value is the value alone.
      {kOpInRange, "2000", "", true},      {kOpOutOfRange, "2000", "", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Matches(kYear, c.op, c.value, record, c.high), c.matches) << c.op << " " << c.value << " " << c.high;
}

TEST_F(Conditions, RangeTypedHighFirstIsSwappedAndIncludesBothEnds) {
  Collection c = Collect(kYear, kOpInRange, "9", "3");
  ASSERT_EQ(c.result, Collected::kOk);
  EXPECT_EQ(c.texts[kYear], "8|3|9");
  Matcher in(fields, c.conditions, false);
  for (int year = 1; year <= 11; ++year)
    EXPECT_EQ(in.Matches(Record("X", std::to_string(year), {})), year >= 3 && year <= 9) << year;

  // The text keeps a range's ends apart: a "|" typed into either ends it.
  c = Collect(kYear, kOpInRange, "20240|7", "1995|3");
  EXPECT_EQ(c.texts[kYear], "8|1995|20240");
  EXPECT_EQ(ConditionText(ParseConditionText(c.texts[kYear])), c.texts[kYear]);

  c = Collect(kYear, kOpOutOfRange, "9", "3");
  EXPECT_EQ(c.texts[kYear], "9|3|9");
  Matcher out(fields, c.conditions, false);
  for (int year = 1; year <= 11; ++year)
    EXPECT_EQ(out.Matches(Record("X", std::to_string(year), {})), year < 3 || year > 9) << year;
}

TEST_F(Conditions, TopicConditionHoldsWhenAnySlotHoldsIt) {
  const std::string record = Record("X", "2000", {"SEA", "BOAT", "HARBOUR"});
  EXPECT_TRUE(Matches(kTopic1, kOpContains, "HARB", record));
  EXPECT_TRUE(Matches(kTopic3, kOpContains, "SEA", record));
  EXPECT_FALSE(Matches(kTopic1, kOpContains, "TRAIN", record));
  EXPECT_TRUE(Matches(kTopic1, kOpEquals, "BOAT", record));
  // With the check box on, a condition holds for its own slot only.
  EXPECT_FALSE(Matches(kTopic1, kOpContains, "HARB", record, "", true));
  EXPECT_TRUE(Matches(kTopic3, kOpContains, "HARB", record, "", true));
}

TEST_F(Conditions, TopicDiffersDropsARecordAnyOfWhoseSlotsBeginsWithTheWord) {
  EXPECT_FALSE(Matches(kTopic1, kOpDiffers, "CAT", Record("X", "2000", {"CATALOG", "DOG"})));
  EXPECT_FALSE(Matches(kTopic1, kOpDiffers, "CAT", Record("X", "2000", {"DOG", "CAT"})));
  EXPECT_TRUE(Matches(kTopic1, kOpDiffers, "CAT", Record("X", "2000", {"BOBCAT", "DOG"})));
  EXPECT_TRUE(Matches(kTopic3, kOpDiffers, "CAT", Record("X", "2000", {"DOG", "BIRD"})));
  // "Does not occur" drops a record any of whose slots holds the word.
  EXPECT_FALSE(Matches(kTopic1, kOpLacks, "CAT", Record("X", "2000", {"DOG", "CATALOG"})));
  EXPECT_TRUE(Matches(kTopic1, kOpLacks, "CAT", Record("X", "2000", {"DOG", "BIRD"})));
}

TEST_F(Conditions, EveryConditionMustHold) {
  fields[kName].spare = kOpContains;
  fields[kYear].spare = kOpAbove;
  std::vector<FormEntry> form(fields.size());
  form[kName].value = "SEA";
  form[kYear].value = "1999";
  Collection c = CollectConditions(fields, form, false);
  ASSERT_EQ(c.conditions.size(), 2u);
  Matcher m(fields, c.conditions, false);
  EXPECT_TRUE(m.Matches(Record("SEA VIEW", "2000", {})));
  EXPECT_FALSE(m.Matches(Record("SEA VIEW", "1990", {})));
  EXPECT_FALSE(m.Matches(Record("LAKE", "2000", {})));
}

TEST_F(Conditions, AFormWithoutValuesHasNoCondition) {
  fields[kName].spare = kOpContains;  // an operator without a value is no condition
  Collection c = CollectConditions(fields, std::vector<FormEntry>(fields.size(), FormEntry{"  ", ""}), false);
  EXPECT_EQ(c.result, Collected::kNone);
  EXPECT_TRUE(c.conditions.empty());
  EXPECT_EQ(fields[kName].spare, kOpNone);
  EXPECT_EQ(c.texts[kName], "0|");
}

TEST_F(Conditions, AValueWithoutOperatorTakesTheFieldsPlainOne) {
  Collection c = Collect(kName, kOpNone, "SEA");
  EXPECT_EQ(c.texts[kName], "1|SEA");
  EXPECT_EQ(fields[kName].spare, kOpContains);
  c = Collect(kYear, kOpNone, "2000");
  EXPECT_EQ(c.texts[kYear], "5|2000");
  EXPECT_EQ(fields[kYear].spare, kOpEquals);
}

TEST_F(Conditions, DatesAreCheckedAndCompareAsStoredNumbers) {
  Collection c = Collect(kDate, kOpInRange, "12-31-2024", "01-15-2024");
  ASSERT_EQ(c.result, Collected::kOk);
  EXPECT_EQ(c.texts[kDate], "8|20240115|20241231");
  Matcher m(fields, c.conditions, false);
  std::vector<std::string> v = ArchiveValues("00000001", {});
  v[kDate] = "05-31-2024";
  EXPECT_TRUE(m.Matches(Record(v)));
  v[kDate] = "05-31-2023";  // a later month of an earlier year
  EXPECT_FALSE(m.Matches(Record(v)));

  for (const char* bad : {"13-01-2024", "02-30-2024", "2024", "05-31-2024x", "31.05.20"}) {
    c = Collect(kDate, kOpEquals, bad);
    EXPECT_EQ(c.result, Collected::kBadDate) << bad;
    EXPECT_EQ(c.badField, kDate) << bad;
    EXPECT_TRUE(c.conditions.empty());
  }
  c = Collect(kDate, kOpInRange, "01-01-2024", "02-29-2023");
  EXPECT_EQ(c.result, Collected::kBadDate);
  c = Collect(kDate, kOpInRange, "01-01-2024", "02-29-2024");
  EXPECT_EQ(c.result, Collected::kOk);
  // A day-first interface reads the day first.
  fields[kDate].spare = kOpEquals;
  c = CollectConditions(fields, Form(kDate, "31/05/2024"), true);
  ASSERT_EQ(c.result, Collected::kOk);
  EXPECT_EQ(c.texts[kDate], "5|20240531");
}

TEST_F(Conditions, TextFormRoundTrips) {
  for (const char* text : {"0|", "1|SEA|SIDE", "5|2000", "8|3|9", "9|20240101|20241231", "8|7"}) {
    Condition c = ParseConditionText(text);
    EXPECT_EQ(ConditionText(c), text);
  }
  Condition c = ParseConditionText("1|A|B");
  EXPECT_EQ(c.low, "A|B");  // only ranges have a high value
  c = ParseConditionText("8|3|9");
  EXPECT_EQ(c.lowNumber, 3);
  EXPECT_EQ(c.highNumber, 9);
  EXPECT_EQ(ParseConditionText("x|y").op, kOpNone);
  EXPECT_EQ(ParseConditionText("").op, kOpNone);
}

TEST(OperatorGroup, OffersTheOperatorsOfTheFieldsKind) {
  for (int op = 1; op <= 5; ++op) EXPECT_TRUE(OperatorFits(op, 20)) << op;
  for (int op = 6; op <= 9; ++op) EXPECT_FALSE(OperatorFits(op, 2)) << op;
  for (int op = 5; op <= 9; ++op) EXPECT_TRUE(OperatorFits(op, 10)) << op;
  EXPECT_FALSE(OperatorFits(1, 4));
  EXPECT_FALSE(OperatorFits(0, 0));
  EXPECT_FALSE(OperatorFits(10, 10));
}

}  // namespace
}  // namespace ostrel
