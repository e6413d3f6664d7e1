#include "data/JetValues.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace tarnwick {

namespace {

constexpr int kSecondsPerDay = 86'400;
// Days from 1899-12-30 to 0100-01-01 and to 9999-12-31, the range Jet accepts.
constexpr double kFirstDay = -657'434;
constexpr double kLastDay = 2'958'465;
constexpr int kMaxDecimalDigits = 28;

struct CivilDate {
  std::int64_t year;
  unsigned month, day;
};

// The proleptic Gregorian date of a day counted from 1970-01-01.
CivilDate CivilFromDays(std::int64_t days) {
  days += 719'468;
  const std::int64_t era = (days >= 0 ? days : days - 146'096) / 146'097;
  const auto dayOfEra = static_cast<unsigned>(days - era * 146'097);
  const unsigned yearOfEra =
      (dayOfEra - dayOfEra / 1'460 + dayOfEra / 36'524 - dayOfEra / 146'096) / 365;
  const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const unsigned shiftedMonth = (5 * dayOfYear + 2) / 153;
  const unsigned day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
  const unsigned month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
  const std::int64_t year = static_cast<std::int64_t>(yearOfEra) + era * 400 + (month <= 2);
  return {year, month, day};
}

// Days from 1970-01-01 back to 1899-12-30.
constexpr std::int64_t kJetEpochFromUnix = -25'569;

template <typename T>
T ReadLittleEndian(std::string_view bytes) {
  std::make_unsigned_t<T> value = 0;
  for (std::size_t i = sizeof(T); i-- > 0;) {
    value =
        static_cast<std::make_unsigned_t<T>>((value << 8) | static_cast<unsigned char>(bytes[i]));
  }
  return static_cast<T>(value);
}

}  // namespace

std::optional<std::string> JetDateTimeText(double days) {
  if (!(days >= kFirstDay && days < kLastDay + 1)) return std::nullopt;  // NaN fails too
  const double wholeDays = std::trunc(days);
  auto dayNumber = static_cast<std::int64_t>(wholeDays);
  auto seconds =
      static_cast<std::int64_t>(std::llround(std::fabs(days - wholeDays) * kSecondsPerDay));
  if (seconds >= kSecondsPerDay) {  // rounded up to the next midnight
    seconds -= kSecondsPerDay;
    ++dayNumber;
  }
  const CivilDate date = CivilFromDays(dayNumber + kJetEpochFromUnix);
  if (date.year > 9999) return std::nullopt;
  // Years 100 to 9999 and a time of day: every part fits its width.
  const int secondOfDay = static_cast<int>(seconds);
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u %02d:%02d:%02d", static_cast<int>(date.year),
                date.month, date.day, secondOfDay / 3600, secondOfDay / 60 % 60, secondOfDay % 60);
  return std::string(text);
}

std::string CurrencyText(std::int64_t tenThousandths) {
  const bool negative = tenThousandths < 0;
  // The magnitude as unsigned, so that the smallest value has one too.
  const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(tenThousandths)
                                           : static_cast<std::uint64_t>(tenThousandths);
  std::string text = (negative ? "-" : "") + std::to_string(magnitude / 10'000);
  std::uint64_t fraction = magnitude % 10'000;
  if (fraction != 0) {
    std::string digits = std::to_string(fraction);
    digits.insert(0, 4 - digits.size(), '0');
    while (digits.back() == '0') digits.pop_back();
    text += '.' + digits;
  }
  return text;
}

std::optional<std::string> DecimalText(std::string_view seventeenBytes, int scale) {
  if (seventeenBytes.size() < 17 || scale < 0 || scale > kMaxDecimalDigits) return std::nullopt;
  unsigned __int128 magnitude = 0;
  for (int word = 0; word < 4; ++word) {
    const auto part = static_cast<std::uint32_t>(
        ReadLittleEndian<std::int32_t>(seventeenBytes.substr(1 + 4 * word, 4)));
    magnitude = (magnitude << 32) | part;
  }
  std::string digits;
  do {
    digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(magnitude % 10)));
    magnitude /= 10;
  } while (magnitude != 0);
  if (digits.size() > static_cast<std::size_t>(kMaxDecimalDigits)) return std::nullopt;
  if (scale > 0) {
    if (digits.size() <= static_cast<std::size_t>(scale)) {
      digits.insert(0, static_cast<std::size_t>(scale) + 1 - digits.size(), '0');
    }
    digits.insert(digits.size() - static_cast<std::size_t>(scale), 1, '.');
    while (digits.back() == '0') digits.pop_back();
    if (digits.back() == '.') digits.pop_back();
  }
  const bool zero = digits == "0";
  return (seventeenBytes[0] != 0 && !zero ? "-" : "") + digits;
}

std::string GuidText(std::string_view sixteenBytes) {
  static constexpr int kOrder[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text = "{";
  for (int i = 0; i < 16; ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10) text += '-';
    const auto byte = static_cast<unsigned char>(sixteenBytes[static_cast<std::size_t>(kOrder[i])]);
    text += kHex[byte >> 4];
    text += kHex[byte & 0x0F];
  }
  return text + "}";
}

double SingleAsDouble(float value) {
  if (!std::isfinite(value)) return value;
  char text[32];
  const auto written = std::to_chars(text, text + sizeof text, value);
  double result = value;
  std::from_chars(text, written.ptr, result);
  return result;
}

std::int16_t LittleEndian16(std::string_view bytes) {
  return ReadLittleEndian<std::int16_t>(bytes);
}
std::int32_t LittleEndian32(std::string_view bytes) {
  return ReadLittleEndian<std::int32_t>(bytes);
}
std::int64_t LittleEndian64(std::string_view bytes) {
  return ReadLittleEndian<std::int64_t>(bytes);
}

double LittleEndianDouble(std::string_view bytes) {
  return std::bit_cast<double>(ReadLittleEndian<std::int64_t>(bytes));
}

float LittleEndianFloat(std::string_view bytes) {
  return std::bit_cast<float>(ReadLittleEndian<std::int32_t>(bytes));
}

}  // namespace tarnwick
