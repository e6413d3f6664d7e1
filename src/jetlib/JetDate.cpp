#include "jetlib/JetDate.h"

#include <cmath>

#include "jetlib/DateNames.h"

namespace tarnwick::jetlib {

namespace {

constexpr std::int64_t kDaysFrom1970To18991230 = 25569;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

// Days since 1970-01-01 of a valid civil date (the algorithm of H. Hinnant's date library).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

// A cursor over date text.
class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) {}
  bool AtEnd() const { return at_ == text_.size(); }
  std::size_t Position() const { return at_; }
  void Restore(std::size_t at) { at_ = at; }
  char Peek() const { return AtEnd() ? '\0' : text_[at_]; }
  void SkipBlanks() {
    while (!AtEnd() && IsBlank(text_[at_])) ++at_;
  }
  bool Skip(char c) {
    if (Peek() != c) return false;
    ++at_;
    return true;
  }
  bool Skip(std::string_view word) {
    if (text_.substr(at_).starts_with(word)) {
      at_ += word.size();
      return true;
    }
    return false;
  }
  // An ASCII word, without regard to case.
  bool SkipWordNoCase(std::string_view word) {
    if (text_.size() - at_ < word.size()) return false;
    for (std::size_t k = 0; k < word.size(); ++k) {
      if ((text_[at_ + k] | 0x20) != word[k]) return false;
    }
    at_ += word.size();
    return true;
  }
  // Up to maxDigits digits; the number of digits read (0 when none).
  int Number(int& value, int maxDigits = 9) {
    value = 0;
    int digits = 0;
    while (!AtEnd() && digits < maxDigits && IsDigit(text_[at_])) {
      value = value * 10 + (text_[at_++] - '0');
      ++digits;
    }
    return digits;
  }

 private:
  std::string_view text_;
  std::size_t at_ = 0;
};

bool ValidCivil(int year, int month, int day) {
  return year >= kFirstJetYear && year <= kLastJetYear && month >= 1 && month <= 12 && day >= 1 &&
         day <= DaysInMonth(year, month);
}

// "令和6年4月1日", "R6.4.1", "平成元年1月8日".
bool ReadEraDate(Scanner& s, CivilDate& date) {
  const JapaneseEra* era = nullptr;
  for (const JapaneseEra& candidate : JapaneseEras()) {
    if (s.Skip(candidate.name)) {
      era = &candidate;
      break;
    }
  }
  if (era == nullptr) {
    for (const JapaneseEra& candidate : JapaneseEras()) {
      if ((s.Peek() & ~0x20) == candidate.letter) {
        s.Skip(s.Peek());
        era = &candidate;
        break;
      }
    }
  }
  if (era == nullptr) return false;
  int eraYear = 0;
  if (!s.Skip("元") && s.Number(eraYear, 4) == 0) return false;
  if (eraYear == 0) eraYear = 1;
  date.year = era->year + eraYear - 1;
  if (s.Skip("年")) {
    return s.Number(date.month, 2) > 0 && s.Skip("月") && s.Number(date.day, 2) > 0 && s.Skip("日");
  }
  const char separator = s.Peek();
  if (separator != '/' && separator != '.' && separator != '-') return false;
  s.Skip(separator);
  return s.Number(date.month, 2) > 0 && s.Skip(separator) && s.Number(date.day, 2) > 0;
}

// Three numbers: y/m/d, m/d/yyyy, yy/m/d, or "2024年4月1日".
bool ReadNumericDate(Scanner& s, CivilDate& date) {
  int first = 0;
  int second = 0;
  int third = 0;
  const int firstDigits = s.Number(first, 4);
  if (firstDigits == 0) return false;
  if (s.Skip("年")) {
    date.year = firstDigits <= 2 ? ExpandTwoDigitYear(first) : first;
    return s.Number(date.month, 2) > 0 && s.Skip("月") && s.Number(date.day, 2) > 0 && s.Skip("日");
  }
  const char separator = s.Peek();
  if (separator != '/' && separator != '-' && separator != '.') return false;
  s.Skip(separator);
  if (s.Number(second, 2) == 0 || !s.Skip(separator)) return false;
  const int thirdDigits = s.Number(third, 4);
  if (thirdDigits == 0) return false;
  if (firstDigits >= 3) {
    date = {first, second, third};
  } else if (thirdDigits >= 3) {
    date = {third, first, second};
  } else if (thirdDigits <= 2 && firstDigits <= 2) {
    date = {ExpandTwoDigitYear(first), second, third};
  } else {
    return false;
  }
  return true;
}

// "AM", "PM", "A", "P" (any case) or "午前", "午後": 0 for none, 1 for morning, 2 for afternoon.
int ReadMeridiem(Scanner& s) {
  if (s.Skip("午前")) return 1;
  if (s.Skip("午後")) return 2;
  if (s.SkipWordNoCase("am") || s.SkipWordNoCase("a")) return 1;
  if (s.SkipWordNoCase("pm") || s.SkipWordNoCase("p")) return 2;
  return 0;
}

bool ReadTime(Scanner& s, int& seconds) {
  int meridiem = ReadMeridiem(s);
  s.SkipBlanks();
  int hour = 0;
  int minute = 0;
  int second = 0;
  if (s.Number(hour, 2) == 0) return false;
  if (s.Skip("時")) {
    if (s.Number(minute, 2) > 0) {
      if (!s.Skip("分")) return false;
      if (s.Number(second, 2) > 0 && !s.Skip("秒")) return false;
    }
  } else {
    if (!s.Skip(':') || s.Number(minute, 2) != 2) return false;
    if (s.Skip(':')) {
      if (s.Number(second, 2) != 2) return false;
      if (s.Skip('.')) {
        int ignored = 0;
        while (s.Number(ignored, 9) > 0) {
        }
      }
    }
  }
  if (meridiem == 0) {
    const std::size_t mark = s.Position();
    s.SkipBlanks();
    meridiem = ReadMeridiem(s);
    if (meridiem == 0) s.Restore(mark);
  }
  if (meridiem != 0) {
    if (hour > 12) return false;
    if (hour == 12) hour = 0;
    if (meridiem == 2) hour += 12;
  }
  if (hour > 23 || minute > 59 || second > 59) return false;
  seconds = hour * 3600 + minute * 60 + second;
  return true;
}

}  // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

std::int64_t DayNumber(int year, int month, int day) {
  const std::int64_t monthIndex = static_cast<std::int64_t>(month) - 1;
  const std::int64_t y = year + FloorDiv(monthIndex, 12);
  const unsigned m = static_cast<unsigned>(monthIndex - FloorDiv(monthIndex, 12) * 12) + 1;
  return DaysFromCivil(y, m, 1) + kDaysFrom1970To18991230 + (day - 1);
}

CivilDate CivilFromDay(std::int64_t day) {
  const std::int64_t z = day - kDaysFrom1970To18991230 + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {static_cast<int>(yoe + era * 400 + (m <= 2)), m, d};
}

int WeekdayOf(std::int64_t day) {
  // Day 0, 1899-12-30, was a Saturday.
  return static_cast<int>(((day % 7) + 7 + 6) % 7) + 1;
}

bool InJetRange(const JetDateTime& date) {
  static const std::int64_t first = DayNumber(kFirstJetYear, 1, 1);
  static const std::int64_t last = DayNumber(kLastJetYear, 12, 31);
  return date.day >= first && date.day <= last;
}

JetDateTime MakeDateTime(std::int64_t day, std::int64_t seconds) {
  const std::int64_t days = FloorDiv(seconds, kSecondsPerDay);
  return {day + days, static_cast<std::int32_t>(seconds - days * kSecondsPerDay)};
}

double SerialOf(const JetDateTime& date) {
  const double time = static_cast<double>(date.second) / kSecondsPerDay;
  return date.day >= 0 ? static_cast<double>(date.day) + time
                       : static_cast<double>(date.day) - time;
}

std::optional<JetDateTime> DateFromSerial(double serial) {
  if (!std::isfinite(serial) || std::fabs(serial) > 3e6) return std::nullopt;
  const double whole = std::trunc(serial);
  auto seconds =
      static_cast<std::int64_t>(std::llround(std::fabs(serial - whole) * kSecondsPerDay));
  auto day = static_cast<std::int64_t>(whole);
  if (seconds >= kSecondsPerDay) {  // rounded up to the next midnight
    seconds -= kSecondsPerDay;
    day += serial < 0 ? -1 : 1;
  }
  JetDateTime date{day, static_cast<std::int32_t>(seconds)};
  if (!InJetRange(date)) return std::nullopt;
  return date;
}

double TimeLineDays(const JetDateTime& date) {
  return static_cast<double>(date.day) + static_cast<double>(date.second) / kSecondsPerDay;
}

std::optional<JetDateTime> ParseStoredDate(std::string_view text) {
  const auto digit = [&](std::size_t at) { return at < text.size() && IsDigit(text[at]); };
  const auto value = [&](std::size_t at) { return text[at] - '0'; };
  JetDateTime result;
  std::size_t at = 0;
  if (text.size() >= 10 && digit(0) && digit(1) && digit(2) && digit(3) && text[4] == '-' &&
      digit(5) && digit(6) && text[7] == '-' && digit(8) && digit(9)) {
    const int year = value(0) * 1000 + value(1) * 100 + value(2) * 10 + value(3);
    const int month = value(5) * 10 + value(6);
    const int day = value(8) * 10 + value(9);
    if (!ValidCivil(year, month, day)) return std::nullopt;
    result.day = DayNumber(year, month, day);
    if (text.size() == 10) return result;
    if (text[10] != ' ' && text[10] != 'T') return std::nullopt;
    at = 11;
  }
  // The time: H:MM or HH:MM, optionally :SS and a fraction.
  int hour = 0;
  if (!digit(at)) return std::nullopt;
  hour = value(at++);
  if (digit(at)) hour = hour * 10 + value(at++);
  if (at + 2 >= text.size() || text[at] != ':' || !digit(at + 1) || !digit(at + 2))
    return std::nullopt;
  const int minute = value(at + 1) * 10 + value(at + 2);
  at += 3;
  int second = 0;
  if (at < text.size()) {
    if (text[at] != ':' || !digit(at + 1) || !digit(at + 2)) return std::nullopt;
    second = value(at + 1) * 10 + value(at + 2);
    at += 3;
    if (at < text.size() && text[at] == '.') {
      ++at;
      while (digit(at)) ++at;
    }
    if (at != text.size()) return std::nullopt;
  }
  if (hour > 23 || minute > 59 || second > 59) return std::nullopt;
  result.second = hour * 3600 + minute * 60 + second;
  return result;
}

std::optional<JetDateTime> ParseJetDate(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  if (auto stored = ParseStoredDate(text)) return stored;
  Scanner s(text);
  CivilDate civil;
  bool hasDate = false;
  if (ReadEraDate(s, civil)) {
    hasDate = true;
  } else {
    s.Restore(0);
    hasDate = ReadNumericDate(s, civil);
    if (!hasDate) s.Restore(0);
  }
  if (hasDate && !ValidCivil(civil.year, civil.month, civil.day)) return std::nullopt;
  JetDateTime result;
  if (hasDate) result.day = DayNumber(civil.year, civil.month, civil.day);
  if (hasDate && s.AtEnd()) return result;
  if (hasDate) {
    const std::size_t mark = s.Position();
    s.SkipBlanks();
    if (s.Position() == mark && !s.Skip('T')) return std::nullopt;
  }
  int seconds = 0;
  if (!ReadTime(s, seconds) || !s.AtEnd()) return std::nullopt;
  result.second = seconds;
  return result;
}

std::size_t WriteStoredDate(const JetDateTime& date, char* out) {
  const CivilDate civil = CivilFromDay(date.day);
  const auto two = [](char* at, int value) {
    at[0] = static_cast<char>('0' + value / 10);
    at[1] = static_cast<char>('0' + value % 10);
  };
  int year = civil.year;
  out[0] = static_cast<char>('0' + year / 1000 % 10);
  out[1] = static_cast<char>('0' + year / 100 % 10);
  two(out + 2, year % 100);
  out[4] = '-';
  two(out + 5, civil.month);
  out[7] = '-';
  two(out + 8, civil.day);
  out[10] = ' ';
  two(out + 11, date.second / 3600);
  out[13] = ':';
  two(out + 14, date.second / 60 % 60);
  out[16] = ':';
  two(out + 17, date.second % 60);
  return 19;
}

int ExpandTwoDigitYear(int year) {
  return year < 30 ? 2000 + year : year < 100 ? 1900 + year : year;
}

}  // namespace tarnwick::jetlib
