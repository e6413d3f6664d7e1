#include "data/ValueText.h"

#include <charconv>
#include <cmath>

namespace tarnwick {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The text without a leading '+', which the standard parsers do not take.
std::string_view WithoutPlus(std::string_view text) {
  if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
  return text;
}

// A cursor over date text that reads runs of digits and single separators.
class DateReader {
 public:
  explicit DateReader(std::string_view text) : text_(text) {}
  bool AtEnd() const { return position_ == text_.size(); }
  bool Skip(char c) {
    if (AtEnd() || text_[position_] != c) return false;
    ++position_;
    return true;
  }
  bool SkipEither(char a, char b) { return Skip(a) || Skip(b); }
  // Reads between minDigits and maxDigits digits.
  bool Number(int minDigits, int maxDigits, int& value) {
    value = 0;
    int digits = 0;
    while (!AtEnd() && digits < maxDigits && IsDigit(text_[position_])) {
      value = value * 10 + (text_[position_++] - '0');
      ++digits;
    }
    return digits >= minDigits;
  }
  void SkipDigits() {
    while (!AtEnd() && IsDigit(text_[position_])) ++position_;
  }

 private:
  std::string_view text_;
  std::size_t position_ = 0;
};

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidDate(const DateTime& date) {
  return date.year >= 1 && date.month >= 1 && date.month <= 12 && date.day >= 1 &&
         date.day <= DaysInMonth(date.year, date.month);
}

bool IsValidTime(const DateTime& time) {
  return time.hour <= 23 && time.minute <= 59 && time.second <= 59;
}

bool ReadDate(DateReader& reader, DateTime& result) {
  if (!reader.Number(4, 4, result.year)) return false;
  const bool slash = reader.Skip('/');
  if (!slash && !reader.Skip('-')) return false;
  if (!reader.Number(1, 2, result.month) || !reader.Skip(slash ? '/' : '-')) return false;
  if (!reader.Number(1, 2, result.day)) return false;
  return IsValidDate(result);
}

bool ReadTime(DateReader& reader, DateTime& result) {
  if (!reader.Number(1, 2, result.hour) || !reader.Skip(':')) return false;
  if (!reader.Number(2, 2, result.minute)) return false;
  if (reader.Skip(':')) {
    if (!reader.Number(2, 2, result.second)) return false;
    if (reader.Skip('.')) reader.SkipDigits();
  }
  return IsValidTime(result);
}

// The digits at text[at] and text[at + 1] as a number; -1 unless both are digits.
int TwoDigitsAt(std::string_view text, std::size_t at) {
  if (!IsDigit(text[at]) || !IsDigit(text[at + 1])) return -1;
  return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

// The form dates are stored in, "YYYY-MM-DD HH:MM:SS", read at its fixed places; false when
// the text has another form (the reader takes it then).
bool ReadStoredForm(std::string_view text, DateTime& result) {
  if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ' || text[13] != ':' ||
      text[16] != ':') {
    return false;
  }
  const int century = TwoDigitsAt(text, 0);
  const int year = TwoDigitsAt(text, 2);
  result.month = TwoDigitsAt(text, 5);
  result.day = TwoDigitsAt(text, 8);
  result.hour = TwoDigitsAt(text, 11);
  result.minute = TwoDigitsAt(text, 14);
  result.second = TwoDigitsAt(text, 17);
  result.year = century * 100 + year;
  return century >= 0 && year >= 0 && result.month >= 0 && result.day >= 0 && result.hour >= 0 &&
         result.minute >= 0 && result.second >= 0;
}

}  // namespace

std::optional<std::int64_t> ParseIntegerText(std::string_view text) {
  text = WithoutPlus(Trim(text));
  std::int64_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<double> ParseFloatText(std::string_view text) {
  text = WithoutPlus(Trim(text));
  // Only decimal notation: the parser would also take "inf" and "nan".
  std::string_view digits = text.substr(text.starts_with('-') ? 1 : 0);
  if (digits.empty() || !(IsDigit(digits.front()) || digits.front() == '.')) return std::nullopt;
  double value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<std::int64_t> RoundToInteger(double value) {
  const double rounded = std::nearbyint(value);
  // 2^63 is exactly representable; every double below it converts without overflow.
  if (!(rounded >= -9223372036854775808.0 && rounded < 9223372036854775808.0)) return std::nullopt;
  return static_cast<std::int64_t>(rounded);
}

std::optional<DateTime> ParseDateText(std::string_view text) {
  if (DateTime stored; ReadStoredForm(text, stored)) {
    if (!IsValidDate(stored) || !IsValidTime(stored)) return std::nullopt;
    return stored;
  }
  text = Trim(text);
  DateTime result;
  DateReader reader(text);
  const bool timeOnly = text.size() > 2 && (text[1] == ':' || text[2] == ':');
  if (timeOnly) {
    if (!ReadTime(reader, result)) return std::nullopt;
  } else {
    if (!ReadDate(reader, result)) return std::nullopt;
    if (reader.SkipEither(' ', 'T') && !ReadTime(reader, result)) return std::nullopt;
  }
  if (!reader.AtEnd()) return std::nullopt;
  return result;
}

std::string FormatFloat(double value) {
  char buffer[32];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, error == std::errc() ? end : buffer);
}

std::string FormatInteger(std::int64_t value) {
  char buffer[24];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, error == std::errc() ? end : buffer);
}

}  // namespace tarnwick
