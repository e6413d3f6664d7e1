#pragma once
// The names of days, months and Japanese eras that Jet's date functions and Format write, in
// the forms of a Japanese installation.
#include <cstdint>
#include <span>
#include <string_view>

namespace tarnwick::jetlib {

// Index 0 is Sunday.
inline constexpr std::string_view kJapaneseWeekdays[] = {"日曜日", "月曜日", "火曜日", "水曜日",
                                                         "木曜日", "金曜日", "土曜日"};
inline constexpr std::string_view kJapaneseWeekdaysShort[] = {"日", "月", "火", "水",
                                                              "木", "金", "土"};
inline constexpr std::string_view kEnglishWeekdays[] = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
inline constexpr std::string_view kEnglishWeekdaysShort[] = {"Sun", "Mon", "Tue", "Wed",
                                                             "Thu", "Fri", "Sat"};
// Index 0 is January.
inline constexpr std::string_view kEnglishMonths[] = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
inline constexpr std::string_view kEnglishMonthsShort[] = {
    "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

struct JapaneseEra {
  std::string_view name;     // 令和
  std::string_view initial;  // 令
  char letter;               // R
  int year, month, day;      // its first day
};

// Meiji, Taisho, Showa, Heisei, Reiwa, in order.
std::span<const JapaneseEra> JapaneseEras();

// The era a day lies in (Meiji for every day before Taisho).
const JapaneseEra& EraOf(std::int64_t day);

}  // namespace tarnwick::jetlib
