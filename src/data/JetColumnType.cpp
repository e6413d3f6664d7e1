#include "data/JetColumnType.h"

namespace tarnwick {

namespace {

constexpr int kMaxDecimalPrecision = 28;

std::string Sized(const char* name, int size) { return name + ("(" + std::to_string(size) + ")"); }

std::optional<std::string> DeclaredType(const JetColumnShape& shape) {
  switch (shape.typeCode) {
    case kJetYesNo:
      return "YESNO";
    case kJetByte:
      return "BYTE";
    case kJetInteger:
      return "SHORT";
    case kJetLong:
      return shape.autoNumber ? "COUNTER" : "LONG";
    case kJetCurrency:
      return "CURRENCY";
    case kJetSingle:
      return "SINGLE";
    case kJetDouble:
      return "DOUBLE";
    case kJetDateTime:
      return "DATETIME";
    case kJetBinary:
      return Sized("BINARY", shape.size > 0 ? shape.size : 255);
    case kJetText: {
      const int characters = shape.unicodeText ? shape.size / 2 : shape.size;
      return Sized("TEXT", characters > 0 ? characters : 255);
    }
    case kJetOle:
      return "LONGBINARY";
    case kJetMemo:
      return "MEMO";
    case kJetGuid:
      return "GUID";
    case kJetDecimal:
      if (shape.precision < 1 || shape.precision > kMaxDecimalPrecision || shape.scale < 0 ||
          shape.scale > shape.precision) {
        return std::nullopt;
      }
      return "DECIMAL(" + std::to_string(shape.precision) + "," + std::to_string(shape.scale) + ")";
    case kJetBigInt:
      return "BIGINT";
    default:
      return std::nullopt;
  }
}

}  // namespace

std::optional<JetColumnType> JetColumnTypeOf(const JetColumnShape& shape) {
  std::optional<std::string> declared = DeclaredType(shape);
  if (!declared) return std::nullopt;
  JetColumnType type;
  type.kind = KindFromDeclaredType(*declared);
  type.declared = std::move(*declared);
  return type;
}

}  // namespace tarnwick
