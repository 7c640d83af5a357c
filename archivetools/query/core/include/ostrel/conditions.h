// The query form's conditions: collecting them from what the form holds, their text form
// ("operator|value" or "operator|low|high") and testing a record against them.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "db/db.h"

namespace ostrel {

// The operators of the radio group. 0 is no condition.
enum Operator : int {
  kOpNone = 0,
  kOpContains = 1,
  kOpLacks = 2,
  kOpBeginsWith = 3,
  kOpDiffers = 4,
  kOpEquals = 5,
  kOpBelow = 6,
  kOpAbove = 7,
  kOpInRange = 8,
  kOpOutOfRange = 9,
};
inline constexpr int kOperatorCount = 9;

// Input kinds 0, 2 and 20 compare as text; every other kind by its leading number.
bool IsTextKind(int kind);
// The operators the radio group offers for a field of the kind.
bool OperatorFits(int op, int kind);
// Topic slots form one group for the conditions.
bool IsTopicSlot(const DBFIELD& field);

// One field's condition.
struct Condition {
  size_t field = 0;  // place in the field table, from 0
  int op = kOpNone;
  std::string low;   // the value (stored form for dates)
  std::string high;  // operators 8 and 9 only; "" means the value alone
  // The leading numbers of low and high (high: of low when there is none), as the
  // numeric operators compare them.
  int64_t lowNumber = 0;
  int64_t highNumber = 0;
};
// Sets the two numbers from the texts.
void SetNumbers(Condition& condition);

// "op|value", "op|low|high"; "0|" for none.
std::string ConditionText(const Condition& condition);
// The inverse; a text that does not start with an operator 0 .. 9 and "|" gives operator 0.
Condition ParseConditionText(std::string_view text);

// What the form holds of one field.
struct FormEntry {
  std::string value;
  std::string high;
};

enum class Collected { kOk, kNone, kBadDate };

// Collects the conditions in form order. `fields[i].spare` holds the operator chosen for
// field i; the operator actually taken is stored back (0 for a field without a value; a
// value typed without an operator takes 1 on text fields, 5 on the others). Dates are
// typed in their display form and kept stored; a date must be empty or a complete valid
// date. texts gets each field's condition text. badField names the field of kBadDate.
struct Collection {
  Collected result = Collected::kNone;
  std::vector<Condition> conditions;
  std::vector<std::string> texts;
  size_t badField = 0;
};
Collection CollectConditions(std::vector<DBFIELD>& fields, const std::vector<FormEntry>& form, bool dayFirst);

// The record's field text (trailing blanks removed) of one field, without copying.
std::string_view FieldText(std::string_view record, const DBFIELD& field);

// Whether the condition holds for one value.
bool Holds(const Condition& condition, std::string_view value, int kind);

// Whether the record (the whole fixed-length record) holds every condition, the first
// failing one ending the test. A condition on a topic slot is tested against every topic
// slot of the record unless slotsApart: then against its own slot only. Operators 2 and 4
// on a topic slot also drop a record any of whose slots contains (2) or equals (4) the
// value.
class Matcher {
 public:
  Matcher(const std::vector<DBFIELD>& fields, std::vector<Condition> conditions, bool slotsApart);
  bool Matches(std::string_view record) const;
  const std::vector<Condition>& Conditions() const { return conditions_; }

 private:
  std::vector<DBFIELD> fields_;
  std::vector<Condition> conditions_;
  std::vector<size_t> topicSlots_;
  bool slotsApart_;
  bool TopicHolds(const Condition& condition, std::string_view record) const;
};

// Numeric value of a field text as the operators read it.
int64_t NumberOf(std::string_view text);

}  // namespace ostrel
