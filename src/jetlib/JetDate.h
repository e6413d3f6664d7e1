#pragma once
// Jet's dates: a day counted from 1899-12-30 (day 0) and a second of that day. The engine keeps
// them as ISO text; numbers convert by Jet's serial form (whole days, the fraction the time).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tarnwick::jetlib {

struct JetDateTime {
  std::int64_t day = 0;     // days since 1899-12-30
  std::int32_t second = 0;  // 0..86399
};

struct CivilDate {
  int year = 1899;
  int month = 12;
  int day = 30;
};

inline constexpr int kSecondsPerDay = 86400;
inline constexpr int kFirstJetYear = 100;
inline constexpr int kLastJetYear = 9999;

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
std::int64_t DayNumber(int year, int month, int day);  // proleptic Gregorian, any month/day
CivilDate CivilFromDay(std::int64_t day);
int WeekdayOf(std::int64_t day);  // 1 = Sunday ... 7 = Saturday

// True when the date lies in Jet's years 100 to 9999.
bool InJetRange(const JetDateTime& date);

// A day and a number of seconds, normalised so that the second lies within its day.
JetDateTime MakeDateTime(std::int64_t day, std::int64_t seconds);

// Jet's serial number of a date and back: the whole part counts days, the fraction is the
// time of day even before day 0 (-1.25 is 1899-12-29 06:00). Outside Jet's years: nullopt.
double SerialOf(const JetDateTime& date);
std::optional<JetDateTime> DateFromSerial(double serial);

// The date's position on the time line in days, for comparing and subtracting.
double TimeLineDays(const JetDateTime& date);

// The engine's stored form only: "YYYY-MM-DD", optionally with " HH:MM[:SS[.fff]]" (or 'T'),
// or "HH:MM[:SS]" alone on day 0.
std::optional<JetDateTime> ParseStoredDate(std::string_view text);

// Every text form Jet's conversions read: the stored form, y/m/d with '/', '-' or '.',
// m/d/yyyy, two-digit years, "2024年4月1日", era forms "令和6年4月1日", and a time
// "13:30", "1:30:00 PM", "午後1:30", "13時30分" before, after or without a date.
std::optional<JetDateTime> ParseJetDate(std::string_view text);

// "YYYY-MM-DD HH:MM:SS" into `out` (19 bytes), for a date within Jet's years.
std::size_t WriteStoredDate(const JetDateTime& date, char* out);

// Two-digit years as Jet reads them: 0-29 are 2000-2029, 30-99 are 1930-1999.
int ExpandTwoDigitYear(int year);

}  // namespace tarnwick::jetlib
