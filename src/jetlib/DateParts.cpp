#include "jetlib/DateParts.h"

#include "text/AsciiCase.h"

namespace tarnwick::jetlib {

namespace {

struct IntervalName {
  std::string_view name;
  Interval interval;
};
constexpr IntervalName kIntervals[] = {
    {"yyyy", Interval::Year},   {"q", Interval::Quarter}, {"m", Interval::Month},
    {"y", Interval::DayOfYear}, {"d", Interval::Day},     {"w", Interval::Weekday},
    {"ww", Interval::Week},     {"h", Interval::Hour},    {"n", Interval::Minute},
    {"s", Interval::Second},
};

std::int64_t StartOfWeek(std::int64_t day, int firstDay) {
  return day - (RelativeWeekday(day, firstDay) - 1);
}

std::int64_t StartOfFirstWeek(int year, int firstDay, int firstWeek) {
  const std::int64_t january1 = DayNumber(year, 1, 1);
  const int weekday = RelativeWeekday(january1, firstDay);
  std::int64_t start = january1 - (weekday - 1);
  if ((firstWeek == 2 && weekday > 4) || (firstWeek == 3 && weekday != 1)) start += 7;
  return start;
}

}  // namespace

Interval IntervalArgument(Call& call, int i) {
  const std::string_view name = call.Text(i);
  for (const IntervalName& entry : kIntervals) {
    if (EqualsIgnoringAsciiCase(entry.name, name)) return entry.interval;
  }
  Fail(JetRuntimeError::InvalidArgument);
}

int FirstDayArgument(Call& call, int i) {
  const std::int64_t value = call.OptionalWhole(i, 1);
  if (value < 0 || value > 7) Fail(JetRuntimeError::InvalidArgument);
  return value == 0 ? 1 : static_cast<int>(value);
}

int FirstWeekArgument(Call& call, int i) {
  const std::int64_t value = call.OptionalWhole(i, 1);
  if (value < 0 || value > 3) Fail(JetRuntimeError::InvalidArgument);
  return value == 0 ? 1 : static_cast<int>(value);
}

int RelativeWeekday(std::int64_t day, int firstDay) {
  return (WeekdayOf(day) - firstDay + 7) % 7 + 1;
}

int DayOfYear(std::int64_t day) {
  return static_cast<int>(day - DayNumber(CivilFromDay(day).year, 1, 1)) + 1;
}

int WeekOfYear(std::int64_t day, int firstDay, int firstWeek) {
  const int year = CivilFromDay(day).year;
  const std::int64_t weekStart = StartOfWeek(day, firstDay);
  std::int64_t firstStart = StartOfFirstWeek(year, firstDay, firstWeek);
  if (weekStart < firstStart) firstStart = StartOfFirstWeek(year - 1, firstDay, firstWeek);
  return static_cast<int>((weekStart - firstStart) / 7) + 1;
}

}  // namespace tarnwick::jetlib
