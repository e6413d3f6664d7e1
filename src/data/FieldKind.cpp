#include "data/FieldKind.h"

#include "jetlib/JetTypeNames.h"

namespace tarnwick {

namespace {

constexpr int kLargestIntegerPrecision = 9;

}  // namespace

TFieldType FieldKindOf(const JetTypeInfo& type) {
  if (type.autoNumber) return ftAutoInc;
  switch (type.type) {
    case JetType::Boolean:
      return ftBoolean;
    case JetType::Byte:
      return ftWord;
    case JetType::Short:
      return ftSmallint;
    case JetType::Long:
      return ftInteger;
    case JetType::BigInt:
      return ftLargeint;
    case JetType::Currency:
      return ftBCD;
    case JetType::Decimal:
      // NUMERIC(p) and NUMERIC(p, 0) with fewer than 10 digits hold whole numbers that fit.
      return type.size > 0 && type.size <= kLargestIntegerPrecision && type.scale == 0 ? ftInteger
                                                                                       : ftBCD;
    case JetType::Single:
    case JetType::Double:
      return ftFloat;
    case JetType::DateTime:
      return ftDateTime;
    case JetType::Memo:
      return ftMemo;
    case JetType::Binary:
      return ftBytes;
    case JetType::LongBinary:
      return ftBlob;
    case JetType::Guid:
      return ftGuid;
    case JetType::Text:
    case JetType::Null:
    case JetType::Variant:
      break;
  }
  return ftWideString;
}

TFieldType KindFromDeclaredType(std::string_view declaredType) {
  return FieldKindOf(JetTypeInfoOfDeclaration(declaredType));
}

}  // namespace tarnwick
