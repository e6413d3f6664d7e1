// Jet's date functions: parts of dates, DateAdd's month ends, DateDiff's boundaries, week
// rules, DateSerial's rollover, and the Japanese names.
#include "JetFunctionsFixture.h"

namespace tarnwick {
namespace {

using DateFunctions = JetFunctionsTest;

TEST_F(DateFunctions, PartsOfADate) {
  ExpectAll({
      {"jet_year('2024-04-01 13:45:30')", "2024"},
      {"jet_month('2024-04-01 13:45:30')", "4"},
      {"jet_day('2024/4/1')", "1"},
      {"jet_hour('2024-04-01 13:45:30')", "13"},
      {"jet_minute('2024-04-01 13:45:30')", "45"},
      {"jet_second('2024-04-01 13:45:30')", "30"},
      {"jet_year('13:30')", "1899"},
      {"jet_year(45383)", "2024"},
      {"jet_year(NULL)", "NULL"},
      {"jet_year('abc')", kTypeMismatch},
      {"jet_weekday('2024-04-01')", "2"},  // a Monday; Sunday is 1
      {"jet_weekday('2024-04-07')", "1"},
      {"jet_weekday('2024-04-01', 2)", "1"},
      {"jet_weekday('2024-04-01', 0)", "2"},
      {"jet_weekday('2024-04-01', 8)", kInvalidArgument},
      {"jet_weekdayname(2)", "'月曜日'"},
      {"jet_weekdayname(1, -1)", "'日'"},
      {"jet_weekdayname(1, 0, 2)", "'月曜日'"},
      {"jet_weekdayname(8)", kInvalidArgument},
      {"jet_weekdayname(NULL)", kInvalidUseOfNull},
      {"jet_monthname(4)", "'4月'"},
      {"jet_monthname(12, -1)", "'12'"},
      {"jet_monthname(13)", kInvalidArgument},
  });
}

TEST_F(DateFunctions, DateAddClampsMonthEnds) {
  ExpectAll({
      {"jet_dateadd('m', 1, '2024-01-31')", "'2024-02-29 00:00:00'"},
      {"jet_dateadd('m', 1, '2023-01-31')", "'2023-02-28 00:00:00'"},
      {"jet_dateadd('M', -1, '2024-03-31 10:00:00')", "'2024-02-29 10:00:00'"},
      {"jet_dateadd('yyyy', 1, '2024-02-29')", "'2025-02-28 00:00:00'"},
      {"jet_dateadd('q', 1, '2024-11-30')", "'2025-02-28 00:00:00'"},
      {"jet_dateadd('d', 1, '2024-02-28')", "'2024-02-29 00:00:00'"},
      {"jet_dateadd('y', -1, '2024-01-01')", "'2023-12-31 00:00:00'"},
      {"jet_dateadd('w', 3, '2024-04-01')", "'2024-04-04 00:00:00'"},
      {"jet_dateadd('ww', 2, '2024-04-01')", "'2024-04-15 00:00:00'"},
      {"jet_dateadd('h', 25, '2024-04-01 00:00:00')", "'2024-04-02 01:00:00'"},
      {"jet_dateadd('n', -1, '2024-04-01')", "'2024-03-31 23:59:00'"},
      {"jet_dateadd('s', 90, '2024-04-01')", "'2024-04-01 00:01:30'"},
      {"jet_dateadd('d', 1.9, '2024-04-01')", "'2024-04-02 00:00:00'"},
      {"jet_dateadd('d', 1, NULL)", "NULL"},
      {"jet_dateadd('x', 1, '2024-04-01')", kInvalidArgument},
      {"jet_dateadd('yyyy', 8000, '2024-04-01')", kInvalidArgument},
  });
}

TEST_F(DateFunctions, DateDiffCountsBoundariesCrossed) {
  ExpectAll({
      {"jet_datediff('yyyy', '2024-12-31', '2025-01-01')", "1"},
      {"jet_datediff('yyyy', '2025-01-01', '2024-12-31')", "-1"},
      {"jet_datediff('q', '2024-03-31', '2024-04-01')", "1"},
      {"jet_datediff('m', '2024-01-31', '2024-02-01')", "1"},
      {"jet_datediff('d', '2024-04-01 23:59:00', '2024-04-02 00:01:00')", "1"},
      {"jet_datediff('d', '2024-02-01', '2024-03-01')", "29"},
      {"jet_datediff('y', '2024-01-01', '2024-12-31')", "365"},
      {"jet_datediff('w', '2024-04-01', '2024-04-14')", "1"},
      {"jet_datediff('w', '2024-04-14', '2024-04-01')", "-1"},
      // Sundays crossed: 2024-04-06 is a Saturday, 2024-04-07 a Sunday.
      {"jet_datediff('ww', '2024-04-06', '2024-04-07')", "1"},
      {"jet_datediff('ww', '2024-04-07', '2024-04-13')", "0"},
      {"jet_datediff('ww', '2024-04-07', '2024-04-08', 2)", "1"},
      {"jet_datediff('h', '2024-04-01 10:59:59', '2024-04-01 11:00:00')", "1"},
      {"jet_datediff('n', '2024-04-01 10:00:59', '2024-04-01 10:01:00')", "1"},
      {"jet_datediff('s', '2024-04-01', '2024-04-02')", "86400"},
      {"jet_datediff('h', '1899-12-29 23:00:00', '1899-12-30 01:00:00')", "2"},
      {"jet_datediff('d', NULL, '2024-04-01')", "NULL"},
  });
}

TEST_F(DateFunctions, DatePartAndWeeksOfTheYear) {
  ExpectAll({
      {"jet_datepart('q', '2024-08-15')", "3"},
      {"jet_datepart('y', '2024-12-31')", "366"},
      {"jet_datepart('w', '2024-04-01')", "2"},
      {"jet_datepart('w', '2024-04-01', 2)", "1"},
      {"jet_datepart('ww', '2024-01-01')", "1"},
      {"jet_datepart('ww', '2024-01-07')", "2"},  // the first Sunday starts week 2
      {"jet_datepart('ww', '2024-12-31')", "53"},
      // 2021-01-01 is a Friday: with Monday weeks of four days, it is in 2020's last week.
      {"jet_datepart('ww', '2021-01-01', 2, 2)", "53"},
      {"jet_datepart('ww', '2021-01-04', 2, 2)", "1"},
      {"jet_datepart('ww', '2021-01-03', 1, 3)", "1"},
      {"jet_datepart('ww', '2021-01-02', 1, 3)", "52"},
      {"jet_datepart('h', '2024-04-01 07:08:09')", "7"},
      {"jet_datepart('ww', '2024-01-01', 1, 4)", kInvalidArgument},
  });
}

TEST_F(DateFunctions, SerialsRollOverAndValuesSplit) {
  ExpectAll({
      {"jet_dateserial(2024, 13, 1)", "'2025-01-01 00:00:00'"},
      {"jet_dateserial(2024, 2, 30)", "'2024-03-01 00:00:00'"},
      {"jet_dateserial(2024, 1, 0)", "'2023-12-31 00:00:00'"},
      {"jet_dateserial(2024, 0, 1)", "'2023-12-01 00:00:00'"},
      {"jet_dateserial(2024, -13, 1)", "'2022-11-01 00:00:00'"},
      {"jet_dateserial(24, 4, 1)", "'2024-04-01 00:00:00'"},
      {"jet_dateserial(95, 4, 1)", "'1995-04-01 00:00:00'"},
      {"jet_dateserial(10000, 1, 1)", kInvalidArgument},
      {"jet_dateserial(NULL, 1, 1)", kInvalidUseOfNull},
      {"jet_timeserial(13, 30, 0)", "'1899-12-30 13:30:00'"},
      {"jet_timeserial(12, -15, 0)", "'1899-12-30 11:45:00'"},
      {"jet_timeserial(25, 0, 0)", "'1899-12-31 01:00:00'"},
      {"jet_datevalue('2024/4/1 13:30')", "'2024-04-01 00:00:00'"},
      {"jet_timevalue('2024/4/1 13:30')", "'1899-12-30 13:30:00'"},
      {"jet_timevalue('1:30:15 PM')", "'1899-12-30 13:30:15'"},
      {"jet_datevalue('x')", kTypeMismatch},
  });
}

TEST_F(DateFunctions, ClockReadings) {
  EXPECT_EQ(Eval("substr(jet_now(), 1, 10) = date('now', 'localtime')"), "1");
  EXPECT_EQ(Eval("jet_date() = date('now', 'localtime') || ' 00:00:00'"), "1");
  EXPECT_EQ(Eval("substr(jet_time(), 1, 11)"), "'1899-12-30 '");
}

}  // namespace
}  // namespace tarnwick
