#include "jetlib/JetNumber.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>

namespace tarnwick::jetlib {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

int DigitValue(char c, int radix) {
  int value = 99;
  if (IsDigit(c)) value = c - '0';
  if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
  if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
  return value < radix ? value : -1;
}

// "&H..." or "&O..." at the start of text: the value and the number of bytes read. Up to four
// hexadecimal digits (six octal) make a 16-bit value, more a 32-bit one, as VBA reads them.
std::optional<JetNumber> ReadRadixNumber(std::string_view text, std::size_t& used) {
  if (text.size() < 2 || text[0] != '&') return std::nullopt;
  const char kind = static_cast<char>(text[1] | 0x20);
  const int radix = kind == 'h' ? 16 : kind == 'o' ? 8 : 0;
  if (radix == 0) return std::nullopt;
  std::uint64_t value = 0;
  std::size_t at = 2;
  for (; at < text.size() && DigitValue(text[at], radix) >= 0; ++at) {
    value = value * radix + DigitValue(text[at], radix);
    if (value > 0xFFFFFFFFu) return std::nullopt;
  }
  if (at == 2) return std::nullopt;
  used = at;
  const std::size_t digits = at - 2;
  const bool shortForm = radix == 16 ? digits <= 4 : digits <= 6 && value <= 0xFFFF;
  if (shortForm && value <= 0xFFFF) return JetNumber::Whole(static_cast<std::int16_t>(value));
  return JetNumber::Whole(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}

// Parses the cleaned form (sign, digits, '.', 'e', exponent) that the readers below build.
std::optional<JetNumber> ParseCleaned(const char* begin, const char* end, bool whole) {
  if (whole) {
    std::int64_t value = 0;
    const char* from = begin + (begin != end && *begin == '+' ? 1 : 0);
    auto [ptr, error] = std::from_chars(from, end, value);
    if (error == std::errc() && ptr == end) return JetNumber::Whole(value);
  }
  double value = 0;
  const char* from = begin + (begin != end && *begin == '+' ? 1 : 0);
  auto [ptr, error] = std::from_chars(from, end, value);
  if (error != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
  return JetNumber::Real(value);
}

}  // namespace

std::optional<JetNumber> ParseJetNumber(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  std::size_t used = 0;
  if (auto radix = ReadRadixNumber(text, used)) {
    return used == text.size() ? radix : std::nullopt;
  }
  if (text.empty() || text.size() > 400) return std::nullopt;
  char cleaned[410];
  std::size_t length = 0;
  std::size_t at = 0;
  if (text[0] == '+' || text[0] == '-') cleaned[length++] = text[at++];
  int digits = 0;
  bool whole = true;
  for (; at < text.size(); ++at) {
    const char c = text[at];
    if (IsDigit(c)) {
      cleaned[length++] = c;
      ++digits;
    } else if (c == ',' && digits > 0) {
      continue;  // a group separator between digits
    } else {
      break;
    }
  }
  if (at < text.size() && text[at] == '.') {
    whole = false;
    cleaned[length++] = text[at++];
    for (; at < text.size() && IsDigit(text[at]); ++at, ++digits) cleaned[length++] = text[at];
  }
  if (digits == 0) return std::nullopt;
  if (at < text.size() && (text[at] | 0x20) != 'e' && (text[at] | 0x20) != 'd') return std::nullopt;
  if (at < text.size()) {
    whole = false;
    cleaned[length++] = 'e';
    ++at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) cleaned[length++] = text[at++];
    if (at == text.size()) return std::nullopt;
    for (; at < text.size(); ++at) {
      if (!IsDigit(text[at])) return std::nullopt;
      cleaned[length++] = text[at];
    }
  }
  return ParseCleaned(cleaned, cleaned + length, whole);
}

double LeadingNumber(std::string_view text) {
  char compact[96];
  std::size_t length = 0;
  for (char c : text) {
    if (IsBlank(c)) continue;
    if (length == sizeof compact) break;
    compact[length++] = c;
  }
  const std::string_view squeezed(compact, length);
  std::size_t used = 0;
  if (auto radix = ReadRadixNumber(squeezed, used)) return radix->AsDouble();
  char cleaned[100];
  std::size_t out = 0;
  std::size_t at = 0;
  if (at < length && (compact[at] == '+' || compact[at] == '-')) cleaned[out++] = compact[at++];
  int digits = 0;
  for (; at < length && IsDigit(compact[at]); ++at, ++digits) cleaned[out++] = compact[at];
  if (at < length && compact[at] == '.') {
    cleaned[out++] = compact[at++];
    for (; at < length && IsDigit(compact[at]); ++at, ++digits) cleaned[out++] = compact[at];
  }
  if (digits == 0) return 0;
  if (at + 1 < length && ((compact[at] | 0x20) == 'e' || (compact[at] | 0x20) == 'd')) {
    std::size_t mark = out;
    cleaned[out++] = 'e';
    std::size_t next = at + 1;
    if (next < length && (compact[next] == '+' || compact[next] == '-'))
      cleaned[out++] = compact[next++];
    if (next < length && IsDigit(compact[next])) {
      for (; next < length && IsDigit(compact[next]); ++next) cleaned[out++] = compact[next];
    } else {
      out = mark;  // an 'E' without digits ends the number before it
    }
  }
  auto number = ParseCleaned(cleaned, cleaned + out, false);
  if (!number) return 0;
  return number->real;
}

std::size_t WriteJetInteger(std::int64_t value, char* out) {
  return static_cast<std::size_t>(std::to_chars(out, out + 32, value).ptr - out);
}

std::size_t WriteJetNumber(double value, char* out) {
  if (value == 0) {
    out[0] = '0';
    return 1;
  }
  if (std::fabs(value) < 1e15 && std::trunc(value) == value) {
    return WriteJetInteger(static_cast<std::int64_t>(value), out);
  }
  if (!std::isfinite(value)) {
    std::memcpy(out, "NaN", 3);
    return 3;
  }
  char* end = std::to_chars(out, out + 32, value, std::chars_format::general, 15).ptr;
  for (char* p = out; p != end; ++p) {
    if (*p == 'e') *p = 'E';
  }
  return static_cast<std::size_t>(end - out);
}

std::size_t WriteJetNumber(const JetNumber& value, char* out) {
  return value.whole ? WriteJetInteger(value.integer, out) : WriteJetNumber(value.real, out);
}

DecimalDigits ToDecimalDigits(double value) {
  DecimalDigits number;
  if (value == 0 || !std::isfinite(value)) return number;
  number.negative = value < 0;
  char text[40];
  char* end =
      std::to_chars(text, text + sizeof text, std::fabs(value), std::chars_format::scientific, 14)
          .ptr;
  const char* p = text;
  for (; p != end && *p != 'e'; ++p) {
    if (IsDigit(*p)) number.digits[number.count++] = *p;
  }
  int exponent = 0;
  std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), end, exponent);
  number.exponent = exponent + 1;
  while (number.count > 0 && number.digits[number.count - 1] == '0') --number.count;
  return number;
}

void RoundDecimalDigits(DecimalDigits& number, int decimals, bool halfToEven) {
  const int keep = number.exponent + decimals;
  if (number.count <= keep) return;
  if (keep < 0) {
    number.count = 0;
    return;
  }
  const char first = number.digits[keep];
  bool beyondHalf = false;
  for (int k = keep + 1; k < number.count; ++k) beyondHalf |= number.digits[k] != '0';
  const bool previousOdd = keep > 0 && (number.digits[keep - 1] - '0') % 2 == 1;
  const bool up = first > '5' || (first == '5' && (beyondHalf || !halfToEven || previousOdd));
  number.count = keep;
  if (up) {
    int k = keep - 1;
    while (k >= 0 && number.digits[k] == '9') --k;
    if (k < 0) {
      number.digits[0] = '1';
      number.count = 1;
      ++number.exponent;
    } else {
      ++number.digits[k];
      number.count = k + 1;
    }
  }
  while (number.count > 0 && number.digits[number.count - 1] == '0') --number.count;
}

double DecimalDigitsValue(const DecimalDigits& number) {
  if (number.count == 0) return 0;
  char text[48];
  std::size_t length = 0;
  text[length++] = '0';
  text[length++] = '.';
  std::memcpy(text + length, number.digits, number.count);
  length += number.count;
  text[length++] = 'e';
  length += WriteJetInteger(number.exponent, text + length);
  double value = 0;
  std::from_chars(text, text + length, value);
  return number.negative ? -value : value;
}

double RoundHalfToEven(double value, int decimals) {
  if (std::trunc(value) == value || !std::isfinite(value)) return value;
  DecimalDigits number = ToDecimalDigits(value);
  RoundDecimalDigits(number, decimals, true);
  return DecimalDigitsValue(number);
}

std::optional<std::int64_t> RoundToWhole(double value) {
  const double rounded = RoundHalfToEven(value, 0);
  if (!(rounded >= -9223372036854775808.0 && rounded < 9223372036854775808.0)) return std::nullopt;
  return static_cast<std::int64_t>(rounded);
}

std::optional<double> SingleValue(double value) {
  if (!std::isfinite(value) || std::fabs(value) > FLT_MAX) return std::nullopt;
  char text[32];
  char* end = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 7).ptr;
  double single = 0;
  std::from_chars(text, end, single);
  return single;
}

std::optional<std::int64_t> CurrencyUnits(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  if (std::trunc(value) == value && std::fabs(value) < 9e14) {
    return static_cast<std::int64_t>(value) * 10000;
  }
  DecimalDigits number = ToDecimalDigits(value);
  RoundDecimalDigits(number, 4, true);
  const int scale = number.exponent + 4 - number.count;  // units = digits x 10^scale
  if (number.count + scale > 19) return std::nullopt;
  unsigned __int128 units = 0;
  for (int k = 0; k < number.count; ++k) units = units * 10 + (number.digits[k] - '0');
  for (int k = 0; k < scale; ++k) units *= 10;
  const unsigned __int128 limit =
      static_cast<unsigned __int128>(INT64_MAX) + (number.negative ? 1 : 0);
  if (units > limit) return std::nullopt;
  return number.negative ? static_cast<std::int64_t>(-static_cast<__int128>(units))
                         : static_cast<std::int64_t>(units);
}

}  // namespace tarnwick::jetlib
