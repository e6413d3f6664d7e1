#include "data/JetColumnType.h"

#include "jetlib/JetTypeNames.h"

namespace tarnwick {

namespace {

constexpr int kMaxDecimalPrecision = 28;

// The Jet type of a column's type code; nothing for a type our engine does not have.
std::optional<JetTypeInfo> TypeOf(const JetColumnShape& shape) {
  JetTypeInfo type;
  switch (shape.typeCode) {
    case kJetYesNo:
      return TypeOnly(JetType::Boolean);
    case kJetByte:
      return TypeOnly(JetType::Byte);
    case kJetInteger:
      return TypeOnly(JetType::Short);
    case kJetLong:
      type.type = JetType::Long;
      type.autoNumber = shape.autoNumber;
      return type;
    case kJetCurrency:
      return TypeOnly(JetType::Currency);
    case kJetSingle:
      return TypeOnly(JetType::Single);
    case kJetDouble:
      return TypeOnly(JetType::Double);
    case kJetDateTime:
      return TypeOnly(JetType::DateTime);
    case kJetBinary:
      type.type = JetType::Binary;
      type.size = shape.size > 0 ? shape.size : 255;
      return type;
    case kJetText: {
      const int characters = shape.unicodeText ? shape.size / 2 : shape.size;
      type.type = JetType::Text;
      type.size = characters > 0 ? characters : 255;
      return type;
    }
    case kJetOle:
      return TypeOnly(JetType::LongBinary);
    case kJetMemo:
      return TypeOnly(JetType::Memo);
    case kJetGuid:
      return TypeOnly(JetType::Guid);
    case kJetDecimal:
      if (shape.precision < 1 || shape.precision > kMaxDecimalPrecision || shape.scale < 0 ||
          shape.scale > shape.precision) {
        return std::nullopt;
      }
      type.type = JetType::Decimal;
      type.size = shape.precision;
      type.scale = shape.scale;
      return type;
    case kJetBigInt:
      return TypeOnly(JetType::BigInt);
    default:
      return std::nullopt;
  }
}

}  // namespace

std::optional<JetColumnType> JetColumnTypeOf(const JetColumnShape& shape) {
  const std::optional<JetTypeInfo> jetType = TypeOf(shape);
  if (!jetType) return std::nullopt;
  JetColumnType type;
  type.declared = JetTypeDeclaration(*jetType);
  type.kind = KindFromDeclaredType(type.declared);
  return type;
}

}  // namespace tarnwick
