#pragma once
// The data types of Jet SQL, as the front end works them out for columns and expressions.
#include <string_view>

namespace tarnwick {

enum class JetType : unsigned char {
  Null,        // the NULL literal: no type of its own
  Boolean,     // YESNO: True is -1, False is 0; a column never holds NULL
  Byte,        // 0..255
  Short,       // -32768..32767
  Long,        // 32-bit signed
  BigInt,      // 64-bit signed (stored by newer engines; shown as an integer)
  Currency,    // exact to four decimal places
  Single,      // 32-bit float
  Double,      // 64-bit float
  Decimal,     // DECIMAL(p, s)
  DateTime,    // stored as ISO text "YYYY-MM-DD HH:MM:SS"; day 0 is 1899-12-30
  Text,        // TEXT(n), at most 255 characters
  Memo,        // long text
  Binary,      // BINARY(n)
  LongBinary,  // OLE object
  Guid,        // {xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}
  Variant,     // known only when the statement runs (IIf of unlike branches, Choose, ...)
};

// Jet's own name of a type, as "?" and the generated DDL write it.
std::string_view JetTypeName(JetType type);

constexpr bool IsIntegerType(JetType type) {
  return type == JetType::Byte || type == JetType::Short || type == JetType::Long ||
         type == JetType::BigInt || type == JetType::Boolean;
}
constexpr bool IsNumericType(JetType type) {
  return IsIntegerType(type) || type == JetType::Currency || type == JetType::Single ||
         type == JetType::Double || type == JetType::Decimal;
}
constexpr bool IsTextType(JetType type) { return type == JetType::Text || type == JetType::Memo; }

}  // namespace tarnwick
