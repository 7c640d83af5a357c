#include "fileio/fields.h"

#include "fileio/paths.h"

namespace fileio {

std::string UnquoteField(std::string_view field) {
  std::string t = Trim(field);
  if (t.size() >= 2 && t.front() == '"' && t.back() == '"') t = t.substr(1, t.size() - 2);
  return t;
}

std::vector<std::string> SplitFields(std::string_view text, char separator) {
  std::vector<std::string> fields;
  bool quoted = false;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] == '"') quoted = !quoted;
    if (i == text.size() || (text[i] == separator && !quoted)) {
      fields.push_back(UnquoteField(text.substr(start, i - start)));
      start = i + 1;
    }
  }
  return fields;
}

void SplitAtFirst(std::string_view text, char separator, std::string& first, std::string& rest) {
  size_t at = text.find(separator);
  first = std::string(text.substr(0, at));
  rest = at == std::string_view::npos ? std::string() : std::string(text.substr(at + 1));
}

int64_t LeadingNumber(std::string_view text, int64_t limit) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    int digit = text[i] - '0';
    // value * 10 + digit > limit, asked without overflowing.
    if (limit < digit || value > (limit - digit) / 10) {
      value = limit;
      break;
    }
    value = value * 10 + digit;
  }
  return negative ? -value : value;
}

int LeadingNumber(std::string_view text) { return int(LeadingNumber(text, INT32_MAX)); }

}  // namespace fileio
