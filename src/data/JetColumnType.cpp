#include "data/JetColumnType.h"

#include "jetlib/JetTypeNames.h"

namespace tarnwick {

namespace {

constexpr int kMaxDecimalPrecision = 28;

// The codes whose type takes nothing from the column's other facts.
struct PlainType {
  int code;
  JetType type;
};
constexpr PlainType kPlainTypes[] = {
    {kJetYesNo, JetType::Boolean},     {kJetByte, JetType::Byte},
    {kJetInteger, JetType::Short},     {kJetCurrency, JetType::Currency},
    {kJetSingle, JetType::Single},     {kJetDouble, JetType::Double},
    {kJetDateTime, JetType::DateTime}, {kJetOle, JetType::LongBinary},
    {kJetMemo, JetType::Memo},         {kJetGuid, JetType::Guid},
    {kJetBigInt, JetType::BigInt},
};

// The Jet type of a column's type code; nothing for a type our engine does not have.
std::optional<JetTypeInfo> TypeOf(const JetColumnShape& shape) {
  for (const PlainType& plain : kPlainTypes) {
    if (shape.typeCode == plain.code) return TypeOnly(plain.type);
  }
  JetTypeInfo type;
  switch (shape.typeCode) {
    case kJetLong:
      type.type = JetType::Long;
      type.autoNumber = shape.autoNumber;
      return type;
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
    case kJetDecimal:
      if (shape.precision < 1 || shape.precision > kMaxDecimalPrecision || shape.scale < 0 ||
          shape.scale > shape.precision) {
        return std::nullopt;
      }
      type.type = JetType::Decimal;
      type.size = shape.precision;
      type.scale = shape.scale;
      return type;
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
