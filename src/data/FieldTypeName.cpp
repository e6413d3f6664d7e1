#include "data/FieldTypeName.h"

#include "jetlib/JetTypeNames.h"

namespace tarnwick {

// Each kind by one of the type names Jet knows; a kind without one by "???".
std::string_view FieldTypeName(TFieldType kind) {
  switch (kind) {
    case ftString:
      return JetTypeWordText(JetTypeWord::String);
    case ftSmallint:
      return JetTypeWordText(JetTypeWord::SmallInt);
    case ftInteger:
      return JetTypeWordText(JetTypeWord::Integer);
    case ftWord:
      return JetTypeWordText(JetTypeWord::Byte);
    case ftBoolean:
      return JetTypeWordText(JetTypeWord::YesNo);
    case ftFloat:
      return JetTypeWordText(JetTypeWord::Float);
    case ftBCD:
      return JetTypeWordText(JetTypeWord::Money);
    case ftDate:
      return JetTypeWordText(JetTypeWord::Date);
    case ftTime:
      return JetTypeWordText(JetTypeWord::Time);
    case ftDateTime:
      return JetTypeWordText(JetTypeWord::DateTime);
    case ftBytes:
    case ftVarBytes:
      return JetTypeWordText(JetTypeWord::Binary);
    case ftAutoInc:
      return JetTypeWordText(JetTypeWord::Counter);
    case ftBlob:
      return JetTypeWordText(JetTypeWord::LongBinary);
    case ftMemo:
      return JetTypeWordText(JetTypeWord::Memo);
    case ftWideString:
      return JetTypeWordText(JetTypeWord::Char);
    case ftLargeint:
      return JetTypeWordText(JetTypeWord::BigInt);
    case ftGuid:
      return JetTypeWordText(JetTypeWord::Guid);
    default:
      return "???";
  }
}

}  // namespace tarnwick
