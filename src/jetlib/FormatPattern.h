#pragma once
// Format's patterns, compiled once per distinct pattern: named formats and user patterns for
// numbers ("#,##0.00;(#,##0.00)"), dates ("ggge年m月d日 aaa"), and text (">@@@").
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "jetlib/JetDate.h"

namespace tarnwick::jetlib {

enum class PatternKind : unsigned char {
  None,           // no pattern: numbers as Jet writes them, stored dates as General Date
  GeneralNumber,  // numbers as Jet writes them
  Number,
  Date,
  Truth,  // Yes/No, True/False, On/Off
  Text,
};

// A piece of a pattern that is written as it stands: an offset into FormatPlan::literals.
struct Literal {
  std::uint32_t start = 0;
  std::uint32_t length = 0;
};

struct NumberItem {
  enum Kind : unsigned char { Zero, Hash, Point, Percent, Exponent, Text } kind;
  bool fraction = false;      // a placeholder after the decimal point
  bool exponentPlus = false;  // E+: the exponent's sign always shows
  int exponentDigits = 0;     // the least number of exponent digits
  Literal text;
};

struct NumberSection {
  std::vector<NumberItem> items;
  int integerPlaceholders = 0;
  int fractionPlaceholders = 0;
  int integerMinimum = 0;  // integer digits that always show (from the leftmost '0')
  int thousandsScale = 0;  // ',' before the point or the end: divide by 1000 each
  bool thousands = false;  // ',' between integer placeholders: group by three
  bool percent = false;
  bool exponent = false;
  bool empty = true;  // nothing between its semicolons: the first section's format is used
};

enum class DateField : unsigned char {
  Text,
  Year4,
  Year2,
  DayOfYear,
  Month,
  Month2,
  MonthShort,
  MonthLong,
  Day,
  Day2,
  WeekdayShort,
  WeekdayLong,
  WeekdayShortJapanese,
  WeekdayLongJapanese,
  ShortDate,
  LongDate,
  WeekdayNumber,
  WeekOfYear,
  Quarter,
  Hour,
  Hour2,
  Minute,
  Minute2,
  Second,
  Second2,
  LongTime,
  GeneralDate,
  Meridiem,
  EraLetter,
  EraInitial,
  EraName,
  EraYear,
  EraYear2,
};

struct DateItem {
  DateField field;
  Literal text;       // Text: the text; Meridiem: the morning form
  Literal afternoon;  // Meridiem: the afternoon form
};

struct TextItem {
  enum Kind : unsigned char { Required, Optional, Text } kind;  // '@', '&', literal
  Literal text;
};

struct FormatPlan {
  PatternKind kind = PatternKind::None;
  std::string literals;
  std::vector<NumberSection> sections;  // Number: one to four (positive; negative; zero; NULL)
  std::vector<DateItem> dateItems;
  bool twelveHour = false;
  std::string_view trueText, falseText;  // Truth
  std::vector<TextItem> textItems;
  int textCase = 0;          // Text: '<' -1 (lower), '>' 1 (upper)
  bool leftToRight = false;  // Text: '!'

  std::string_view Of(const Literal& literal) const {
    return std::string_view(literals).substr(literal.start, literal.length);
  }
};

FormatPlan CompileFormat(std::string_view pattern);

// Writing a value by a compiled plan, appended to out.
void FormatNumber(const FormatPlan& plan, double value, std::string& out);
// A number pattern's fourth section, which stands for NULL.
void FormatNullNumber(const FormatPlan& plan, std::string& out);
void FormatDate(const FormatPlan& plan, const JetDateTime& date, int firstDay, int firstWeek,
                std::string& out);
void FormatText(const FormatPlan& plan, std::string_view text, std::string& out);
// General Date: "2024/04/01", "13:30:00", or both.
void WriteGeneralDate(const JetDateTime& date, std::string& out);

}  // namespace tarnwick::jetlib
