#include "db/archive.h"

namespace db {
namespace {

bool Digits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

int Number(std::string_view s) {
  int n = 0;
  for (char c : s) n = n * 10 + (c - '0');
  return n;
}

bool ValidDate(int year, int month, int day) {
  return year >= 1 && month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

}  // namespace

std::string DateToStored(std::string_view text, bool dayFirst) {
  if (text.size() == 8 && Digits(text)) return std::string(text);
  if (text.size() != 10) return std::string(text);
  std::string_view y, m, d;
  if (Digits(text.substr(0, 4)) && !Digits(text.substr(4, 1)) && !Digits(text.substr(7, 1))) {
    y = text.substr(0, 4);
    m = text.substr(5, 2);
    d = text.substr(8, 2);
  } else if (!Digits(text.substr(2, 1)) && !Digits(text.substr(5, 1))) {
    y = text.substr(6, 4);
    m = dayFirst ? text.substr(3, 2) : text.substr(0, 2);
    d = dayFirst ? text.substr(0, 2) : text.substr(3, 2);
  } else {
    return std::string(text);
  }
  if (!Digits(y) || !Digits(m) || !Digits(d) || !ValidDate(Number(y), Number(m), Number(d))) {
    return std::string(text);
  }
  return std::string(y) + std::string(m) + std::string(d);
}

std::string DateToDisplay(std::string_view stored, bool dayFirst, char separator) {
  if (stored.size() != 8 || !Digits(stored)) return std::string(stored);
  std::string y(stored.substr(0, 4)), m(stored.substr(4, 2)), d(stored.substr(6, 2));
  if (dayFirst) return d + separator + m + separator + y;
  return m + separator + d + separator + y;
}

bool IsCalendarDate(std::string_view stored) {
  if (stored.size() != 8 || !Digits(stored)) return false;
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const int year = Number(stored.substr(0, 4)), month = Number(stored.substr(4, 2)), day = Number(stored.substr(6, 2));
  if (year < 1 || month < 1 || month > 12 || day < 1) return false;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

bool IsAcceptableDateText(std::string_view text, bool dayFirst) {
  if (text.find_first_not_of(' ') == std::string_view::npos) return true;
  return IsCalendarDate(DateToStored(text, dayFirst));
}

}  // namespace db
