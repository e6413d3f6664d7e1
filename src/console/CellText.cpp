#include "console/CellText.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "data/Field.h"

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

// An exact decimal with at most four decimals; whole numbers keep all their digits.
void MoneyText(const Field& field, std::string& cell) {
  const CellValue value = field.Value();
  if (value.type == CellValue::Integer) {
    cell = std::to_string(value.integer);
    return;
  }
  // A real number, or text that must read as one (the field reports text that does not).
  AppendNumber(cell, field.AsFloat(), std::chars_format::fixed, 4);
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

// A GUID as "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}": sixteen stored bytes in the layout of
// Jet's GUID (the first three groups little-endian), or stored text as it is, in braces when
// it has none. A NULL, or bytes of another length, show as an empty cell.
void GuidText(const Field& field, std::string& cell) {
  const CellValue value = field.Value();
  if (value.type == CellValue::Blob && value.bytes.size() == 16) {
    constexpr int kOrder[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
    cell = "{";
    for (int i = 0; i < 16; ++i) {
      if (i == 4 || i == 6 || i == 8 || i == 10) cell += '-';
      char hex[3];
      std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned char>(value.bytes[kOrder[i]]));
      cell += hex;
    }
    cell += '}';
    return;
  }
  if (value.type == CellValue::Null || value.type == CellValue::Blob) return;  // no GUID
  cell = field.AsString();
  if (!cell.starts_with('{')) cell = "{" + cell + "}";
}

}  // namespace

void CellText(const Field& field, std::string& cell) {
  cell.clear();
  // NULL is an empty cell in every kind, never the zero of the kind: a learner must see it.
  if (field.IsNull()) return;
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
    case ftLargeint:
      cell = std::to_string(field.AsInteger());
      return;
    case ftGuid:
      GuidText(field, cell);
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
  return kind == ftString || kind == ftBoolean || kind == ftMemo || kind == ftWideString ||
         kind == ftGuid;
}

}  // namespace tarnwick
