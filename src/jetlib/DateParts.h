#pragma once
// The parts of a date that DatePart, DateDiff, Weekday and Format count: intervals, weekdays
// from a chosen first day, and weeks of the year by Jet's three rules for the first week.
#include <cstdint>
#include <string_view>

#include "jetlib/JetCall.h"

namespace tarnwick::jetlib {

enum class Interval : unsigned char {
  Year,       // yyyy
  Quarter,    // q
  Month,      // m
  DayOfYear,  // y
  Day,        // d
  Weekday,    // w
  Week,       // ww
  Hour,       // h
  Minute,     // n
  Second,     // s
};

// The interval named by the argument, without regard to case; InvalidArgument otherwise.
Interval IntervalArgument(Call& call, int i);

// The optional first day of the week (1 Sunday .. 7 Saturday; 0 the system's, Sunday) and first
// week of the year (1 the week of January 1, 2 the first with four days, 3 the first full week;
// 0 the system's, 1).
int FirstDayArgument(Call& call, int i);
int FirstWeekArgument(Call& call, int i);

// 1..7, counting from the first day of the week.
int RelativeWeekday(std::int64_t day, int firstDay);
int DayOfYear(std::int64_t day);
int WeekOfYear(std::int64_t day, int firstDay, int firstWeek);

}  // namespace tarnwick::jetlib
