#pragma once
// The data types of Jet SQL, as the front end works them out for columns and expressions and
// as the function library converts values into them.
#include <string_view>

namespace tarnwick {

// The numbers are the types' codes: jet_store takes them, and the DEFAULT clauses of the
// tables a database holds keep them. Never renumber one.
enum class JetType : unsigned char {
  Null = 0,         // the NULL literal: no type of its own
  Boolean = 1,      // YESNO: True is -1, False is 0; a column never holds NULL
  Byte = 2,         // 0..255
  Short = 3,        // -32768..32767
  Long = 4,         // 32-bit signed
  BigInt = 5,       // 64-bit signed (stored by newer engines; shown as an integer)
  Currency = 6,     // exact to four decimal places
  Single = 7,       // 32-bit float
  Double = 8,       // 64-bit float
  Decimal = 9,      // DECIMAL(p, s)
  DateTime = 10,    // stored as ISO text "YYYY-MM-DD HH:MM:SS"; day 0 is 1899-12-30
  Text = 11,        // TEXT(n), at most 255 characters
  Memo = 12,        // long text
  Binary = 13,      // BINARY(n)
  LongBinary = 14,  // OLE object
  Guid = 15,        // {xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}
  Variant = 16,     // known only when the statement runs (IIf of unlike branches, Choose, ...)
};

// A Jet type with what its declaration adds.
struct JetTypeInfo {
  JetType type = JetType::Variant;
  int size = 0;   // TEXT(n), BINARY(n): the most characters or bytes; DECIMAL(p, s): p; 0: none
  int scale = 0;  // DECIMAL(p, s): s
  bool autoNumber = false;   // COUNTER: numbered by the engine as rows are added
  bool jetDeclared = false;  // declared with a Jet type name: values are converted on write

  bool operator==(const JetTypeInfo&) const = default;
};

inline JetTypeInfo TypeOnly(JetType type) {
  JetTypeInfo info;
  info.type = type;
  return info;
}

// Jet's own name of a type, as "?" and the generated DDL write it (JetTypeNames.h).
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
// A truth value, or NULL among truth values: Jet's And, Or and Not work as logic on them.
constexpr bool IsLogicalType(JetType type) {
  return type == JetType::Boolean || type == JetType::Null;
}

}  // namespace tarnwick
