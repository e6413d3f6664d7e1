#include "jet/JetDateLiteral.h"

#include <cstdio>

namespace tarnwick {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}
  bool AtEnd() const { return position_ >= text_.size(); }
  char PeekChar() const { return AtEnd() ? '\0' : text_[position_]; }
  void SkipSpaces() {
    while (!AtEnd() && text_[position_] == ' ') ++position_;
  }
  bool Skip(char c) {
    if (PeekChar() != c) return false;
    ++position_;
    return true;
  }
  // A run of 1 to 4 digits; its value and how many digits it had.
  bool Number(int& value, int& digits) {
    value = 0;
    digits = 0;
    while (!AtEnd() && IsDigit(text_[position_]) && digits < 4) {
      value = value * 10 + (text_[position_++] - '0');
      ++digits;
    }
    return digits > 0 && (AtEnd() || !IsDigit(text_[position_]));
  }
  // "AM" or "PM" in any letter case; 0 for neither, 1 for AM, 2 for PM.
  int Meridiem() {
    if (text_.size() - position_ < 2) return 0;
    const char first = static_cast<char>(text_[position_] & ~0x20);
    const char second = static_cast<char>(text_[position_ + 1] & ~0x20);
    if (second != 'M' || (first != 'A' && first != 'P')) return 0;
    position_ += 2;
    return first == 'A' ? 1 : 2;
  }
  bool PeekTime() const {
    std::size_t i = position_;
    while (i < text_.size() && IsDigit(text_[i])) ++i;
    return i > position_ && i < text_.size() && text_[i] == ':';
  }

 private:
  std::string_view text_;
  std::size_t position_ = 0;
};

struct DateParts {
  int year = 1899, month = 12, day = 30;
  int hour = 0, minute = 0, second = 0;
};

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

int FullYear(int year, int digits) {
  if (digits > 2) return year;
  return year < 30 ? 2000 + year : 1900 + year;
}

bool ReadDate(Reader& reader, DateParts& parts) {
  int first = 0, second = 0, third = 0, firstDigits = 0, secondDigits = 0, thirdDigits = 0;
  if (!reader.Number(first, firstDigits)) return false;
  const char separator = reader.PeekChar();
  if (separator != '/' && separator != '-') return false;
  reader.Skip(separator);
  if (!reader.Number(second, secondDigits) || !reader.Skip(separator)) return false;
  if (!reader.Number(third, thirdDigits)) return false;
  if (firstDigits > 2) {
    parts.year = first;
    parts.month = second;
    parts.day = third;
  } else {
    parts.month = first;
    parts.day = second;
    parts.year = FullYear(third, thirdDigits);
  }
  return secondDigits <= 2 && parts.year >= 100 && parts.year <= 9999 && parts.month >= 1 &&
         parts.month <= 12 && parts.day >= 1 && parts.day <= DaysInMonth(parts.year, parts.month);
}

bool ReadTime(Reader& reader, DateParts& parts) {
  int digits = 0;
  if (!reader.Number(parts.hour, digits) || digits > 2 || !reader.Skip(':')) return false;
  if (!reader.Number(parts.minute, digits) || digits != 2) return false;
  if (reader.Skip(':') && (!reader.Number(parts.second, digits) || digits != 2)) return false;
  reader.SkipSpaces();
  const int meridiem = reader.Meridiem();
  if (meridiem != 0) {
    if (parts.hour < 1 || parts.hour > 12) return false;
    parts.hour = parts.hour % 12 + (meridiem == 2 ? 12 : 0);
  }
  return parts.hour <= 23 && parts.minute <= 59 && parts.second <= 59;
}

}  // namespace

std::optional<std::string> JetDateLiteralValue(std::string_view text) {
  Reader reader(text);
  DateParts parts;
  reader.SkipSpaces();
  if (!reader.PeekTime()) {
    if (!ReadDate(reader, parts)) return std::nullopt;
    reader.SkipSpaces();
  }
  if (!reader.AtEnd() && !ReadTime(reader, parts)) return std::nullopt;
  reader.SkipSpaces();
  if (!reader.AtEnd()) return std::nullopt;
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", parts.year, parts.month,
                parts.day, parts.hour, parts.minute, parts.second);
  return std::string(buffer);
}

}  // namespace tarnwick
