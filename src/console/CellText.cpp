#include "console/CellText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "data/Field.h"
#include "data/ValueText.h"
#include "text/AsciiCase.h"
#include "text/Cp932.h"
#include "text/Cp932Table.h"

namespace tarnwick {

namespace {

// A cell made of ASCII bytes in `room`: as many cells wide as it is long.
GridCell AsciiCell(const std::string& room) { return {room, room.size()}; }

// "00" to "99", two bytes each.
constexpr std::array<char, 200> TwoDigits() {
  std::array<char, 200> digits{};
  for (int i = 0; i < 100; ++i) {
    digits[2 * i] = static_cast<char>('0' + i / 10);
    digits[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return digits;
}
constexpr std::array<char, 200> kTwoDigits = TwoDigits();

void AppendNumber(std::string& cell, double value, std::chars_format format, int precision) {
  char buffer[400];  // the widest double in fixed notation has 309 integer digits
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
  cell.append(buffer, result.ptr);
}

void AppendInteger(std::string& cell, std::int64_t value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  cell.append(buffer, result.ptr);
}

// "%.2f" of a value below 2^52 / 100 from its hundredths, without the general formatting;
// nullptr for a larger value. The product with 100 is exact up to its one rounding, which fma
// recovers: a value that lies exactly halfway between two hundredths goes to the even one, as
// printf has it, and one that only looks halfway after the rounding goes the way its exact
// value lies. `out` has room for 20 bytes.
char* PutHundredths(char* out, double value) {
  const double magnitude = std::fabs(value);
  if (!(magnitude < 4.0e13)) return nullptr;  // NaN as well
  const double scaled = magnitude * 100;
  double whole = std::floor(scaled);
  const double fraction = scaled - whole;
  if (fraction > 0.5) {
    whole += 1;
  } else if (fraction == 0.5) {
    const double error = std::fma(magnitude, 100, -scaled);  // magnitude * 100 - scaled, exactly
    if (error > 0 || (error == 0 && std::fmod(whole, 2) != 0)) whole += 1;
  }
  const auto hundredths = static_cast<std::uint64_t>(whole);
  if (std::signbit(value)) *out++ = '-';
  out = std::to_chars(out, out + 16, hundredths / 100).ptr;
  *out++ = '.';
  out[0] = kTwoDigits[2 * (hundredths % 100)];
  out[1] = kTwoDigits[2 * (hundredths % 100) + 1];
  return out + 2;
}

// "%6.2f" with '.' whatever the locale; from 19 integer digits on, "%.2E" instead.
void FloatText(double value, std::string& cell) {
  if (std::fabs(value) >= 1e18) {
    AppendNumber(cell, value, std::chars_format::scientific, 2);
    for (char& byte : cell) byte = UpperAscii(byte);
    return;
  }
  char text[24];
  const char* end = PutHundredths(text, value);
  if (end == nullptr) {  // a larger value, or one that is no number
    AppendNumber(cell, value, std::chars_format::fixed, 2);
    if (cell.size() < 6) cell.insert(0, 6 - cell.size(), ' ');
    return;
  }
  const auto length = static_cast<std::size_t>(end - text);
  if (length < 6) cell.append(6 - length, ' ');
  cell.append(text, length);
}

// A decimal in fixed notation without its trailing zeros, and without the '.' when none
// remains; a negative value that rounds to zero is "0".
void TrimDecimals(std::string& cell) {
  if (cell.find('.') == std::string::npos) return;
  cell.erase(cell.find_last_not_of('0') + 1);
  if (cell.back() == '.') cell.pop_back();
  if (cell == "-0") cell = "0";
}

// An exact decimal with at most four decimals; whole numbers keep all their digits.
void MoneyText(const Field& field, const CellValue& value, std::string& cell) {
  if (value.type == CellValue::Integer) {
    AppendInteger(cell, value.integer);
    return;
  }
  // A real number, or text that must read as one (the field reports text that does not).
  AppendNumber(cell, field.AsFloat(), std::chars_format::fixed, 4);
  TrimDecimals(cell);
}

char* PutTwoDigits(char* out, int value) {
  out[0] = kTwoDigits[2 * value];
  out[1] = kTwoDigits[2 * value + 1];
  return out + 2;
}

// The Japanese short date format, yyyy/MM/dd (a date's year has four digits).
void AppendDate(const DateTime& value, std::string& cell) {
  char text[10];
  char* out = PutTwoDigits(PutTwoDigits(text, value.year / 100), value.year % 100);
  *out++ = '/';
  out = PutTwoDigits(out, value.month);
  *out++ = '/';
  PutTwoDigits(out, value.day);
  cell.append(text, sizeof text);
}

// The Japanese long time format, H:mm:ss.
void AppendTime(const DateTime& value, std::string& cell) {
  char text[8];
  char* out = text;
  if (value.hour >= 10) *out++ = static_cast<char>('0' + value.hour / 10);
  *out++ = static_cast<char>('0' + value.hour % 10);
  *out++ = ':';
  out = PutTwoDigits(out, value.minute);
  *out++ = ':';
  out = PutTwoDigits(out, value.second);
  cell.append(text, out);
}

void DateTimeText(const DateTime& value, std::string& cell) {
  AppendDate(value, cell);
  if (value.hour == 0 && value.minute == 0 && value.second == 0) return;
  cell += ' ';
  AppendTime(value, cell);
}

// A value of a text column: the engine's text as it comes back from Shift-JIS; numbers in
// decimal; the bytes of a binary value read as Shift-JIS.
GridCell TextCell(const CellValue& value, std::string& room) {
  switch (value.type) {
    case CellValue::Text: {
      const Utf8Measure measure = MeasureUtf8(value.bytes);
      if (measure.comesBack) return {value.bytes, measure.width};
      AppendThroughSjis(value.bytes, room);
      return {room, measure.width};
    }
    case CellValue::Blob:
      room = SjisToUtf8(value.bytes);
      return {room, value.bytes.size()};
    case CellValue::Integer:
      AppendInteger(room, value.integer);
      return AsciiCell(room);
    case CellValue::Float:
      room = FormatFloat(value.real);
      return AsciiCell(room);
    case CellValue::Null:
      break;
  }
  return {};
}

// A GUID as "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}": sixteen stored bytes in the layout of
// Jet's GUID (the first three groups little-endian), or stored text as it is, in braces when
// it has none. A NULL, or bytes of another length, show as an empty cell.
GridCell GuidCell(const CellValue& value, std::string& room) {
  if (value.type == CellValue::Blob && value.bytes.size() == 16) {
    constexpr int kOrder[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
    constexpr std::string_view kHexDigits = "0123456789ABCDEF";
    room = "{";
    for (int i = 0; i < 16; ++i) {
      if (i == 4 || i == 6 || i == 8 || i == 10) room += '-';
      const auto byte = static_cast<unsigned char>(value.bytes[kOrder[i]]);
      room += kHexDigits[byte >> 4];
      room += kHexDigits[byte & 0x0F];
    }
    room += '}';
    return AsciiCell(room);
  }
  if (value.type == CellValue::Null || value.type == CellValue::Blob) return {};  // no GUID
  const GridCell text = TextCell(value, room);
  if (text.text.starts_with('{')) return text;
  room = "{" + std::string(text.text) + "}";
  return {room, text.width + 2};
}

}  // namespace

GridCell CellText(const Field& field, std::string& room) {
  room.clear();
  const CellValue value = field.Value();
  // NULL is an empty cell in every kind, never the zero of the kind: a learner must see it.
  if (value.type == CellValue::Null) return {};
  switch (field.Kind()) {
    case ftString:
    case ftMemo:
    case ftWideString:
      return TextCell(value, room);
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
    case ftLargeint:
      AppendInteger(room, value.type == CellValue::Integer ? value.integer : field.AsInteger());
      return AsciiCell(room);
    case ftGuid:
      return GuidCell(value, room);
    case ftBoolean:
      room = field.AsBoolean() ? "True" : "False";
      return AsciiCell(room);
    case ftFloat:
      FloatText(value.type == CellValue::Float ? value.real : field.AsFloat(), room);
      return AsciiCell(room);
    case ftBCD:
      MoneyText(field, value, room);
      return AsciiCell(room);
    case ftDate:
      AppendDate(field.AsDateTime(), room);
      return AsciiCell(room);
    case ftTime:
      AppendTime(field.AsDateTime(), room);
      return AsciiCell(room);
    case ftDateTime:
      DateTimeText(field.AsDateTime(), room);
      return AsciiCell(room);
    case ftBytes:
    case ftVarBytes:
    case ftBlob:
      room = "BINARY";
      return AsciiCell(room);
    default:
      return {};
  }
}

bool IsLeftAligned(TFieldType kind) {
  return kind == ftString || kind == ftBoolean || kind == ftMemo || kind == ftWideString ||
         kind == ftGuid;
}

}  // namespace tarnwick
