#include "console/CellText.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "data/Cp932.h"
#include "data/Field.h"
#include "data/TarnwickError.h"

namespace tarnwick {

namespace {

void AppendNumber(std::string& cell, double value, std::chars_format format, int precision) {
  char buffer[400];  // the widest double in fixed notation has 309 integer digits
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
  cell.append(buffer, result.ptr);
}

// "%6.2f" with '.' whatever the locale; from 19 integer digits on, "%.2E" instead.
void FloatText(double value, std::string& cell) {
  if (std::fabs(value) >= 1e18) {
    AppendNumber(cell, value, std::chars_format::scientific, 2);
    for (char& byte : cell)
      byte = static_cast<char>(std::toupper(static_cast<unsigned char>(byte)));
    return;
  }
  AppendNumber(cell, value, std::chars_format::fixed, 2);
  if (cell.size() < 6) cell.insert(0, 6 - cell.size(), ' ');
}

// A decimal in fixed notation without its trailing zeros, and without the '.' when none
// remains; a negative value that rounds to zero is "0".
void TrimDecimals(std::string& cell) {
  if (cell.find('.') == std::string::npos) return;
  cell.erase(cell.find_last_not_of('0') + 1);
  if (cell.back() == '.') cell.pop_back();
  if (cell == "-0") cell = "0";
}

std::string NotMoneyMessage(std::string_view utf8Text) {
  return "'" + Utf8ToSjis(utf8Text) + Sjis("' は有効な BCD 値ではありません");
}

// A money value that the engine keeps as text: a plain decimal number, or a failure.
double ParseMoneyText(std::string_view utf8Text) {
  double real = 0;
  const char* end = utf8Text.data() + utf8Text.size();
  const auto parsed = std::from_chars(utf8Text.data(), end, real);
  if (parsed.ec != std::errc() || parsed.ptr != end || !std::isfinite(real)) {
    throw TarnwickError(NotMoneyMessage(utf8Text));
  }
  return real;
}

// An exact decimal with at most four decimals. Whole numbers keep all their digits.
void MoneyText(const Field& field, std::string& cell) {
  const CellValue value = field.Value();
  double real = value.real;
  switch (value.type) {
    case CellValue::Null:
      return;
    case CellValue::Integer:
      cell = std::to_string(value.integer);
      return;
    case CellValue::Float:
      break;
    case CellValue::Text:
      real = ParseMoneyText(value.bytes);
      break;
    case CellValue::Blob:
      throw TarnwickError(NotMoneyMessage("BINARY"));
  }
  AppendNumber(cell, real, std::chars_format::fixed, 4);
  TrimDecimals(cell);
}

// The Japanese short date format, yyyy/MM/dd.
void AppendDate(const DateTime& value, std::string& cell) {
  char buffer[32];
  const int length =
      std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d", value.year, value.month, value.day);
  cell.append(buffer, static_cast<std::size_t>(length));
}

// The Japanese long time format, H:mm:ss.
void AppendTime(const DateTime& value, std::string& cell) {
  char buffer[32];
  const int length =
      std::snprintf(buffer, sizeof buffer, "%d:%02d:%02d", value.hour, value.minute, value.second);
  cell.append(buffer, static_cast<std::size_t>(length));
}

void DateTimeText(const DateTime& value, std::string& cell) {
  AppendDate(value, cell);
  if (value.hour == 0 && value.minute == 0 && value.second == 0) return;
  cell += ' ';
  AppendTime(value, cell);
}

}  // namespace

void CellText(const Field& field, std::string& cell) {
  cell.clear();
  switch (field.Kind()) {
    case ftString:
    case ftMemo:
    case ftWideString:
      cell = field.AsString();
      return;
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
      cell = std::to_string(field.AsInteger());
      return;
    case ftBoolean:
      cell = field.AsBoolean() ? "True" : "False";
      return;
    case ftFloat:
      FloatText(field.AsFloat(), cell);
      return;
    case ftBCD:
      MoneyText(field, cell);
      return;
    case ftDate:
      AppendDate(field.AsDateTime(), cell);
      return;
    case ftTime:
      AppendTime(field.AsDateTime(), cell);
      return;
    case ftDateTime:
      DateTimeText(field.AsDateTime(), cell);
      return;
    case ftBytes:
    case ftVarBytes:
    case ftBlob:
      cell = "BINARY";
      return;
    default:
      return;
  }
}

bool IsLeftAligned(TFieldType kind) {
  return kind == ftString || kind == ftBoolean || kind == ftMemo || kind == ftWideString;
}

}  // namespace tarnwick
