#include "ostrel/conditions.h"

#include <algorithm>

#include "db/archive.h"
#include "fileio/fields.h"

namespace ostrel {

namespace {

constexpr int kKindDate = 4;
// Far beyond any field's digits; keeps the sign applied after the digits safe.
constexpr int64_t kNumberLimit = 999999999999999999;

std::string Trimmed(std::string_view text) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  size_t last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}


}  // namespace

bool IsTextKind(int kind) { return kind == 0 || kind == 2 || kind == 20; }

bool OperatorFits(int op, int kind) {
  if (op < 1 || op > kOperatorCount) return false;
  return IsTextKind(kind) ? op <= kOpEquals : op >= kOpEquals;
}

bool IsTopicSlot(const DBFIELD& field) { return field.flag == 1 || field.flag == 10; }

int64_t NumberOf(std::string_view text) { return fileio::LeadingNumber(text, kNumberLimit); }

void SetNumbers(Condition& condition) {
  condition.lowNumber = NumberOf(condition.low);
  condition.highNumber = condition.high.empty() ? condition.lowNumber : NumberOf(condition.high);
}

std::string ConditionText(const Condition& condition) {
  std::string text = std::to_string(condition.op) + "|";
  if (condition.op == kOpNone) return text;
  text += condition.low;
  if ((condition.op == kOpInRange || condition.op == kOpOutOfRange) && !condition.high.empty())
    text += "|" + condition.high;
  return text;
}

Condition ParseConditionText(std::string_view text) {
  Condition c;
  if (text.size() < 2 || text[0] < '0' || text[0] > '9' || text[1] != '|') return c;
  c.op = text[0] - '0';
  std::string_view rest = text.substr(2);
  if (c.op == kOpInRange || c.op == kOpOutOfRange) {
    size_t bar = rest.find('|');
    if (bar != std::string_view::npos) {
      c.high = std::string(rest.substr(bar + 1));
      rest = rest.substr(0, bar);
    }
  }
  c.low = std::string(rest);
  if (c.op == kOpNone) c.low.clear(), c.high.clear();
  SetNumbers(c);
  return c;
}

Collection CollectConditions(std::vector<DBFIELD>& fields, const std::vector<FormEntry>& form, bool dayFirst) {
  Collection out;
  out.texts.assign(fields.size(), "0|");
  for (size_t i = 0; i < fields.size(); ++i) {
    DBFIELD& field = fields[i];
    std::string value = i < form.size() ? Trimmed(form[i].value) : std::string();
    std::string high = i < form.size() ? Trimmed(form[i].high) : std::string();
    if (field.kind == kKindDate) {
      const size_t longest = size_t(std::max(0, int(field.width))) + 2;
      bool bad = value.size() > longest || high.size() > longest;
      if (!value.empty()) value = db::DateToStored(value, dayFirst);
      if (!high.empty()) high = db::DateToStored(high, dayFirst);
      // Anything but a complete date would compare as some other number.
      bad = bad || (!value.empty() && !db::IsCalendarDate(value)) ||
            (!high.empty() && !db::IsCalendarDate(high));
      if (bad) {
        out.result = Collected::kBadDate;
        out.badField = i;
        out.conditions.clear();
        return out;
      }
    }
    if (field.spare == kOpInRange || field.spare == kOpOutOfRange) {
      // "|" parts the two ends in the condition text; the ends compare by their numbers.
      value = Trimmed(std::string_view(value).substr(0, value.find('|')));
      high = Trimmed(std::string_view(high).substr(0, high.find('|')));
    }
    Condition c;
    c.field = i;
    if (value.empty()) {
      field.spare = kOpNone;
      continue;
    }
    c.op = field.spare;
    if (c.op < 1 || c.op > kOperatorCount) c.op = IsTextKind(field.kind) ? kOpContains : kOpEquals;
    c.low = value;
    if ((c.op == kOpInRange || c.op == kOpOutOfRange) && !high.empty()) {
      c.high = high;
      if (NumberOf(c.low) > NumberOf(c.high)) std::swap(c.low, c.high);
    }
    SetNumbers(c);
    field.spare = uint8_t(c.op);
    out.texts[i] = ConditionText(c);
    out.conditions.push_back(std::move(c));
  }
  out.result = out.conditions.empty() ? Collected::kNone : Collected::kOk;
  return out;
}

std::string_view FieldText(std::string_view record, const DBFIELD& field) {
  if (field.position < 1 || field.width < 1) return {};
  const size_t start = size_t(field.position - 1);
  if (start >= record.size()) return {};
  std::string_view text = record.substr(start, std::min(size_t(field.width), record.size() - start));
  size_t last = text.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

bool Holds(const Condition& c, std::string_view v, int kind) {
  switch (c.op) {
    case kOpContains:
      return v.find(c.low) != std::string_view::npos;
    case kOpLacks:
      return v.find(c.low) == std::string_view::npos;
    case kOpBeginsWith:
      return v.starts_with(c.low);
    case kOpDiffers:
      return v != c.low;
    case kOpEquals:
      return IsTextKind(kind) ? v == c.low : NumberOf(v) == c.lowNumber;
    case kOpBelow:
      return NumberOf(v) < c.lowNumber;
    case kOpAbove:
      return NumberOf(v) > c.lowNumber;
    case kOpInRange: {
      int64_t n = NumberOf(v);
      return n >= c.lowNumber && n <= c.highNumber;
    }
    case kOpOutOfRange: {
      int64_t n = NumberOf(v);
      return n < c.lowNumber || n > c.highNumber;
    }
    default:
      return true;
  }
}

Matcher::Matcher(const std::vector<DBFIELD>& fields, std::vector<Condition> conditions, bool slotsApart)
    : fields_(fields), conditions_(std::move(conditions)), slotsApart_(slotsApart) {
  for (size_t i = 0; i < fields_.size(); ++i)
    if (IsTopicSlot(fields_[i])) topicSlots_.push_back(i);
  for (Condition& c : conditions_) SetNumbers(c);
}

bool Matcher::TopicHolds(const Condition& c, std::string_view record) const {
  const int kind = fields_[c.field].kind;
  bool held = false;
  for (size_t slot : topicSlots_) {
    if (Holds(c, FieldText(record, fields_[slot]), kind)) {
      held = true;
      break;
    }
  }
  if (!held) return false;
  if (c.op != kOpLacks && c.op != kOpDiffers) return true;
  // Any slot that contains the word ("does not contain") or begins with it ("differs")
  // rules the record out.
  for (size_t slot : topicSlots_) {
    std::string_view v = FieldText(record, fields_[slot]);
    if (c.op == kOpLacks ? v.find(c.low) != std::string_view::npos : v.starts_with(c.low)) return false;
  }
  return true;
}

bool Matcher::Matches(std::string_view record) const {
  for (const Condition& c : conditions_) {
    if (c.field >= fields_.size()) return false;
    const DBFIELD& field = fields_[c.field];
    bool ok = (!slotsApart_ && IsTopicSlot(field)) ? TopicHolds(c, record)
                                                   : Holds(c, FieldText(record, field), field.kind);
    if (!ok) return false;
  }
  return true;
}

}  // namespace ostrel
