// Jet's date functions. Dates come in as stored text or serial numbers and go out as stored
// text ("YYYY-MM-DD HH:MM:SS").
#include <cmath>
#include <ctime>

#include "jetlib/DateNames.h"
#include "jetlib/DateParts.h"
#include "jetlib/FunctionLibrary.h"
#include "jetlib/JetCall.h"

namespace tarnwick::jetlib {

namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

std::int64_t SecondsOf(const JetDateTime& date) { return date.day * kSecondsPerDay + date.second; }

JetDateTime LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {DayNumber(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday),
          local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec};
}

void Now(Call& call) { call.ResultDate(LocalNow()); }
void Today(Call& call) { call.ResultDate({LocalNow().day, 0}); }
void TimeOfDay(Call& call) { call.ResultDate({0, LocalNow().second}); }

// The part of a date that DatePart's interval names.
std::int64_t PartOf(Interval interval, const JetDateTime& date, int firstDay, int firstWeek) {
  const CivilDate civil = CivilFromDay(date.day);
  switch (interval) {
    case Interval::Year:
      return civil.year;
    case Interval::Quarter:
      return (civil.month - 1) / 3 + 1;
    case Interval::Month:
      return civil.month;
    case Interval::DayOfYear:
      return DayOfYear(date.day);
    case Interval::Day:
      return civil.day;
    case Interval::Weekday:
      return RelativeWeekday(date.day, firstDay);
    case Interval::Week:
      return WeekOfYear(date.day, firstDay, firstWeek);
    case Interval::Hour:
      return date.second / 3600;
    case Interval::Minute:
      return date.second / 60 % 60;
    case Interval::Second:
      return date.second % 60;
  }
  return 0;
}

// Year, Month, Day, Hour, Minute, Second.
template <Interval I>
void DatePartOf(Call& call) {
  call.ResultWhole(PartOf(I, call.Date(0), 1, 1));
}

void Weekday(Call& call) {
  call.ResultWhole(RelativeWeekday(call.Date(0).day, FirstDayArgument(call, 1)));
}

// WeekdayName(weekday[, abbreviate[, first day]])
void WeekdayName(Call& call) {
  const std::int64_t weekday = call.Whole(0);
  if (weekday < 1 || weekday > 7) Fail(JetRuntimeError::InvalidArgument);
  const bool abbreviate = call.Has(1) && call.Truth(1);
  const int index = static_cast<int>(weekday - 1 + FirstDayArgument(call, 2) - 1) % 7;
  call.ResultText(abbreviate ? kJapaneseWeekdaysShort[index] : kJapaneseWeekdays[index]);
}

// MonthName(month[, abbreviate]): "4月", or "4" abbreviated, as Japanese Windows names them.
void MonthName(Call& call) {
  const std::int64_t month = call.Whole(0);
  if (month < 1 || month > 12) Fail(JetRuntimeError::InvalidArgument);
  char text[8];
  std::size_t length = WriteJetInteger(month, text);
  std::string name(text, length);
  if (!(call.Has(1) && call.Truth(1))) name += "月";
  call.ResultText(name);
}

JetDateTime AddMonths(const JetDateTime& date, std::int64_t months) {
  const CivilDate civil = CivilFromDay(date.day);
  const std::int64_t index = civil.year * std::int64_t{12} + (civil.month - 1) + months;
  const auto year = static_cast<int>(FloorDiv(index, 12));
  const int month = static_cast<int>(index - FloorDiv(index, 12) * 12) + 1;
  if (year < kFirstJetYear || year > kLastJetYear) Fail(JetRuntimeError::InvalidArgument);
  const int day = std::min(civil.day, DaysInMonth(year, month));
  return {DayNumber(year, month, day), date.second};
}

// DateAdd(interval, number, date): the number is cut to a whole one; months that have no such
// day end on their last day.
void DateAdd(Call& call) {
  if (call.IsNull(2)) {
    call.Double(1);
    return call.ResultNull();
  }
  const Interval interval = IntervalArgument(call, 0);
  const double amount = std::trunc(call.Double(1));
  if (std::fabs(amount) > 1e10) Fail(JetRuntimeError::InvalidArgument);
  const auto number = static_cast<std::int64_t>(amount);
  const JetDateTime date = call.Date(2);
  switch (interval) {
    case Interval::Year:
      return call.ResultDate(AddMonths(date, number * 12));
    case Interval::Quarter:
      return call.ResultDate(AddMonths(date, number * 3));
    case Interval::Month:
      return call.ResultDate(AddMonths(date, number));
    case Interval::DayOfYear:
    case Interval::Day:
    case Interval::Weekday:
      return call.ResultDate({date.day + number, date.second});
    case Interval::Week:
      return call.ResultDate({date.day + number * 7, date.second});
    case Interval::Hour:
      return call.ResultDate(MakeDateTime(date.day, date.second + number * 3600));
    case Interval::Minute:
      return call.ResultDate(MakeDateTime(date.day, date.second + number * 60));
    case Interval::Second:
      return call.ResultDate(MakeDateTime(date.day, date.second + number));
  }
}

// DateDiff(interval, date1, date2[, first day[, first week]]): the number of interval
// boundaries crossed from date1 to date2.
void DateDiff(Call& call) {
  if (call.IsNull(1) || call.IsNull(2)) return call.ResultNull();
  const Interval interval = IntervalArgument(call, 0);
  const JetDateTime from = call.Date(1);
  const JetDateTime to = call.Date(2);
  const int firstDay = FirstDayArgument(call, 3);
  FirstWeekArgument(call, 4);
  const CivilDate a = CivilFromDay(from.day);
  const CivilDate b = CivilFromDay(to.day);
  const auto seconds = [&](std::int64_t unit) {
    return FloorDiv(SecondsOf(to), unit) - FloorDiv(SecondsOf(from), unit);
  };
  switch (interval) {
    case Interval::Year:
      return call.ResultWhole(b.year - a.year);
    case Interval::Quarter:
      return call.ResultWhole((b.year * 4 + (b.month - 1) / 3) - (a.year * 4 + (a.month - 1) / 3));
    case Interval::Month:
      return call.ResultWhole((b.year * 12 + b.month) - (a.year * 12 + a.month));
    case Interval::DayOfYear:
    case Interval::Day:
      return call.ResultWhole(to.day - from.day);
    case Interval::Weekday:
      return call.ResultWhole((to.day - from.day) / 7);
    case Interval::Week: {
      const auto weekStart = [&](std::int64_t day) {
        return day - (RelativeWeekday(day, firstDay) - 1);
      };
      return call.ResultWhole((weekStart(to.day) - weekStart(from.day)) / 7);
    }
    case Interval::Hour:
      return call.ResultWhole(seconds(3600));
    case Interval::Minute:
      return call.ResultWhole(seconds(60));
    case Interval::Second:
      return call.ResultWhole(seconds(1));
  }
}

// DatePart(interval, date[, first day[, first week]])
void DatePart(Call& call) {
  if (call.IsNull(1)) return call.ResultNull();
  const Interval interval = IntervalArgument(call, 0);
  const JetDateTime date = call.Date(1);
  const int firstDay = FirstDayArgument(call, 2);
  call.ResultWhole(PartOf(interval, date, firstDay, FirstWeekArgument(call, 3)));
}

// DateSerial(year, month, day): months and days outside their range carry over; years 0-99
// are two-digit years.
void DateSerial(Call& call) {
  const auto year = static_cast<int>(call.Whole(0, -32768, 32767));
  const auto month = static_cast<int>(call.Whole(1, -32768, 32767));
  const auto day = static_cast<int>(call.Whole(2, -32768, 32767));
  const int fullYear = year >= 0 && year < 100 ? ExpandTwoDigitYear(year) : year;
  call.ResultDate({DayNumber(fullYear, month, day), 0});
}

// TimeSerial(hour, minute, second): the time as Jet's serial number, which may spill into the
// days around day 0.
void TimeSerial(Call& call) {
  const std::int64_t seconds = call.Whole(0, -32768, 32767) * 3600 +
                               call.Whole(1, -32768, 32767) * 60 + call.Whole(2, -32768, 32767);
  const auto date = DateFromSerial(static_cast<double>(seconds) / kSecondsPerDay);
  if (!date) Fail(JetRuntimeError::InvalidArgument);
  call.ResultDate(*date);
}

void DateValue(Call& call) { call.ResultDate({call.Date(0).day, 0}); }
void TimeValue(Call& call) { call.ResultDate({0, call.Date(0).second}); }

constexpr auto kDate = JetType::DateTime;
constexpr auto kShort = JetType::Short;
constexpr NullRule kRefused = NullRule::Refused;
constexpr NullRule kHandled = NullRule::Handled;

const LibraryEntry kEntries[] = {
    {Returns("Date", "jet_date", 0, 0, kDate, false), Scalar<Today>},
    {Returns("Time", "jet_time", 0, 0, kDate, false), Scalar<TimeOfDay>},
    {Returns("Now", "jet_now", 0, 0, kDate, false), Scalar<Now>},
    {Returns("Year", "jet_year", 1, 1, kShort), Scalar<DatePartOf<Interval::Year>>},
    {Returns("Month", "jet_month", 1, 1, kShort), Scalar<DatePartOf<Interval::Month>>},
    {Returns("Day", "jet_day", 1, 1, kShort), Scalar<DatePartOf<Interval::Day>>},
    {Returns("Hour", "jet_hour", 1, 1, kShort), Scalar<DatePartOf<Interval::Hour>>},
    {Returns("Minute", "jet_minute", 1, 1, kShort), Scalar<DatePartOf<Interval::Minute>>},
    {Returns("Second", "jet_second", 1, 1, kShort), Scalar<DatePartOf<Interval::Second>>},
    {Returns("Weekday", "jet_weekday", 1, 2, kShort), Scalar<Weekday>},
    {Returns("WeekdayName", "jet_weekdayname", 1, 3, JetType::Text), Scalar<WeekdayName, kRefused>},
    {Returns("MonthName", "jet_monthname", 1, 2, JetType::Text), Scalar<MonthName, kRefused>},
    {Returns("DateAdd", "jet_dateadd", 3, 3, kDate), Scalar<DateAdd, kHandled>},
    {Returns("DateDiff", "jet_datediff", 3, 5, JetType::Long), Scalar<DateDiff, kHandled>},
    {Returns("DatePart", "jet_datepart", 2, 4, kShort), Scalar<DatePart, kHandled>},
    {Returns("DateSerial", "jet_dateserial", 3, 3, kDate), Scalar<DateSerial, kRefused>},
    {Returns("TimeSerial", "jet_timeserial", 3, 3, kDate), Scalar<TimeSerial, kRefused>},
    {Returns("DateValue", "jet_datevalue", 1, 1, kDate), Scalar<DateValue, kRefused>},
    {Returns("TimeValue", "jet_timevalue", 1, 1, kDate), Scalar<TimeValue, kRefused>},
};

}  // namespace

std::span<const LibraryEntry> DateFunctions() { return kEntries; }

}  // namespace tarnwick::jetlib
