#include "console/FunctionSignatures.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "jetlib/JetFunctions.h"
#include "text/AsciiCase.h"

namespace tarnwick {

namespace {

// The arguments as Access's help names them.
constexpr FunctionSignature kSignatures[] = {
    {"Left", "string, length"},
    {"Right", "string, length"},
    {"Mid", "string, start[, length]"},
    {"Len", "string"},
    {"InStr", "[start, ]string1, string2[, compare]"},
    {"InStrRev", "string1, string2[, start[, compare]]"},
    {"UCase", "string"},
    {"LCase", "string"},
    {"Trim", "string"},
    {"LTrim", "string"},
    {"RTrim", "string"},
    {"Space", "number"},
    {"String", "number, character"},
    {"Replace", "expression, find, replace[, start[, count[, compare]]]"},
    {"StrReverse", "expression"},
    {"StrComp", "string1, string2[, compare]"},
    {"Asc", "string"},
    {"Chr", "charcode"},
    {"StrConv", "string, conversion[, LCID]"},
    {"Val", "string"},
    {"Hex", "number"},
    {"Oct", "number"},
    {"Abs", "number"},
    {"Sgn", "number"},
    {"Int", "number"},
    {"Fix", "number"},
    {"Round", "expression[, numdecimalplaces]"},
    {"Sqr", "number"},
    {"Exp", "number"},
    {"Log", "number"},
    {"Sin", "number"},
    {"Cos", "number"},
    {"Tan", "number"},
    {"Atn", "number"},
    {"Rnd", "[number]"},
    {"CStr", "expression"},
    {"CInt", "expression"},
    {"CLng", "expression"},
    {"CByte", "expression"},
    {"CSng", "expression"},
    {"CDbl", "expression"},
    {"CCur", "expression"},
    {"CDec", "expression"},
    {"CDate", "expression"},
    {"CBool", "expression"},
    {"CVar", "expression"},
    {"IsNull", "expression"},
    {"IsNumeric", "expression"},
    {"IsDate", "expression"},
    {"IsEmpty", "expression"},
    {"IIf", "expr, truepart, falsepart"},
    {"Switch", "expr1, value1[, expr2, value2, ...]"},
    {"Choose", "index, choice1[, choice2, ...]"},
    {"Date", ""},
    {"Time", ""},
    {"Now", ""},
    {"Year", "date"},
    {"Month", "date"},
    {"Day", "date"},
    {"Hour", "time"},
    {"Minute", "time"},
    {"Second", "time"},
    {"Weekday", "date[, firstdayofweek]"},
    {"WeekdayName", "weekday[, abbreviate[, firstdayofweek]]"},
    {"MonthName", "month[, abbreviate]"},
    {"DateAdd", "interval, number, date"},
    {"DateDiff", "interval, date1, date2[, firstdayofweek[, firstweekofyear]]"},
    {"DatePart", "interval, date[, firstdayofweek[, firstweekofyear]]"},
    {"DateSerial", "year, month, day"},
    {"TimeSerial", "hour, minute, second"},
    {"DateValue", "date"},
    {"TimeValue", "time"},
    {"Format", "expression[, format[, firstdayofweek[, firstweekofyear]]]"},
    {"Count", "expr"},
    {"Min", "expr"},
    {"Max", "expr"},
    {"Sum", "expr"},
    {"Avg", "expr"},
    {"First", "expr"},
    {"Last", "expr"},
    {"StDev", "expr"},
    {"StDevP", "expr"},
    {"Var", "expr"},
    {"VarP", "expr"},
};

}  // namespace

std::vector<FunctionSignature> JetFunctionSignatures() {
  static const std::vector<std::string> names = JetFunctionNames();
  std::vector<FunctionSignature> signatures;
  signatures.reserve(names.size());
  for (const std::string& name : names) {
    const auto known = std::ranges::find_if(kSignatures, [&](const FunctionSignature& entry) {
      return EqualsIgnoringAsciiCase(entry.name, name);
    });
    signatures.push_back(known != std::end(kSignatures) ? *known : FunctionSignature{name, "..."});
  }
  return signatures;
}

}  // namespace tarnwick
