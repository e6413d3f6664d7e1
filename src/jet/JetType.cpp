#include "jet/JetType.h"

namespace tarnwick {

std::string_view JetTypeName(JetType type) {
  switch (type) {
    case JetType::Null:
      return "NULL";
    case JetType::Boolean:
      return "YESNO";
    case JetType::Byte:
      return "BYTE";
    case JetType::Short:
      return "SHORT";
    case JetType::Long:
      return "LONG";
    case JetType::BigInt:
      return "BIGINT";
    case JetType::Currency:
      return "CURRENCY";
    case JetType::Single:
      return "SINGLE";
    case JetType::Double:
      return "DOUBLE";
    case JetType::Decimal:
      return "DECIMAL";
    case JetType::DateTime:
      return "DATETIME";
    case JetType::Text:
      return "TEXT";
    case JetType::Memo:
      return "MEMO";
    case JetType::Binary:
      return "BINARY";
    case JetType::LongBinary:
      return "LONGBINARY";
    case JetType::Guid:
      return "GUID";
    case JetType::Variant:
      return "VARIANT";
  }
  return "VARIANT";
}

}  // namespace tarnwick
