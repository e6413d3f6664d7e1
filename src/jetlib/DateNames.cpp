#include "jetlib/DateNames.h"

#include "jetlib/JetDate.h"

namespace tarnwick::jetlib {

namespace {

constexpr JapaneseEra kEras[] = {
    {"明治", "明", 'M', 1868, 9, 8},   {"大正", "大", 'T', 1912, 7, 30},
    {"昭和", "昭", 'S', 1926, 12, 25}, {"平成", "平", 'H', 1989, 1, 8},
    {"令和", "令", 'R', 2019, 5, 1},
};

}  // namespace

std::span<const JapaneseEra> JapaneseEras() { return kEras; }

const JapaneseEra& EraOf(std::int64_t day) {
  const JapaneseEra* found = &kEras[0];
  for (const JapaneseEra& era : kEras) {
    if (day >= DayNumber(era.year, era.month, era.day)) found = &era;
  }
  return *found;
}

}  // namespace tarnwick::jetlib
